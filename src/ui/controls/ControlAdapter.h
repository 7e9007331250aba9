#pragma once
// The window side of a control id: finds the control through the window's ControlLookup and
// reads or writes its value by kind (number box, spin, drop-down list, check box, radio
// group), its enabled state, a spin's range, a box's text. It is also the RowView through
// which the camera layer shows the values the camera answered. It knows no camera command.
#include "ControlLookup.h"
#include "RowView.h"

#include <QList>
#include <QString>

#include <cstdint>

class NumberBox;
class Camera;
class QComboBox;
class QRadioButton;
class UpDownControl;

class ControlAdapter : public RowView {
public:
    // The lookup belongs to the main window, the camera to the program; both outlive this
    // object.
    ControlAdapter(const ControlLookup& lookup, Camera& camera) : m_lookup(lookup), m_camera(camera) {}

    // The camera whose parameter table the controls show.
    Camera& Cam() const { return m_camera; }

    QWidget* Find(int ctrlId) const;
    QComboBox* FindList(int ctrlId) const;
    // The box's up/down control, or nullptr for a box without one.
    UpDownControl* SpinOf(int boxId) const;
    // -1 without a list or without a selection.
    int ListSelection(int listId) const;
    // Selects the item, or nothing when item is outside the list.
    void SelectItem(int listId, int item);
    void SetEnabled(int ctrlId, bool enabled);
    // The text of a box (read-only boxes show texts and numbers alike).
    void SetText(int ctrlId, const QString& text);
    void SetSpinRange(int spinId, int32_t minimum, int32_t maximum);

    // Control values by kind; nothing happens for an id without a control.
    void SetControlValue(int ctrlId, int32_t value);
    // -1 when no control has the id.
    int32_t GetControlValue(int ctrlId) const;

    // Every row's value, or only the pending rows' values, into their controls.
    void RefreshAllControls();
    void RefreshPendingControls();

    // RowView
    void showRow(int ctrlId, int32_t value) override { SetControlValue(ctrlId, value); }

    // Radio groups run from the button marked "groupStart" through the radio buttons that
    // follow it under the same parent, up to the next group's first button.
    static QRadioButton* GroupStart(QRadioButton* button);
    static QList<QRadioButton*> RadioGroup(QRadioButton* first);

private:
    const ControlLookup& m_lookup;
    Camera& m_camera;
};
