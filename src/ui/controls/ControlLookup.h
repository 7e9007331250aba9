#pragma once
// How the parameter controls see the window's controls: found by control id on the pages in
// page order, then on the main window; classified by kind. Every control carries its id in
// the property "ctrlId" and the object name "ctrl_<id>".
class QWidget;

enum class ControlClass {
    None = 0,
    NumberBox = 1,  // any QLineEdit: a NumberBox, or a read-only box (a plain QLineEdit)
    Spin = 2,       // UpDownControl
    DropDown = 3,   // QComboBox with item data
    PushButton = 5, // QPushButton
    CheckBox = 6,   // QCheckBox
    Radio = 7       // QRadioButton; the group's first button has the property "groupStart" = true
};

// What happened to a control, in the terms of the window's notifications.
enum class ControlEvent {
    Clicked,          // a push button, check box or radio button was clicked
    FocusLost,        // a number box is to be committed (focus lost, or Enter)
    SelectionChanged, // a person chose an entry of a drop-down list
    SpinStep,         // an up/down control was asked to step
};

class ControlLookup {
public:
    virtual ~ControlLookup() = default;
    // The control with that id, or nullptr.
    virtual QWidget* FindControl(int ctrlId) const = 0;
};

ControlClass ClassOfControl(const QWidget* control);
