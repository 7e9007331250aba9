#pragma once
// The parameter controls: what a change on a page means for the camera, and how the camera's
// answers get back onto the pages. A control is found by id through the window's
// ControlLookup and classified by kind; most controls are bound to a row of the parameter
// table by that id and take one generic path (store the value, send every pending row, read
// each back, commit). Lists and buttons that need more are handed to their feature through
// ControlFeatureHooks. User-interface thread only; every exchange blocks while it waits.
#include "ControlFeatureHooks.h"
#include "ParameterControlRules.h"

#include <QObject>

#include <cstdint>
#include <functional>

class ControlLookup;
class QWidget;
class QComboBox;
class QRadioButton;
class UpDownControl;

struct SensorSize {
    int32_t width;
    int32_t height;
};

class ParameterControls : public QObject {
    Q_OBJECT
public:
    // What happened to a control, in the terms of the window's notifications.
    enum class ControlEvent {
        Clicked,          // a push button, check box or radio button was clicked
        FocusLost,        // a number box is to be committed (focus lost, or Enter)
        SelectionChanged, // a person chose an entry of a drop-down list
        SpinStep,         // an up/down control was asked to step
    };

    // The lookup and the format members belong to the main window and outlive this object.
    ParameterControls(const ControlLookup& lookup, ClOutputFormat& format, QObject* parent = nullptr);

    ControlFeatureHooks& hooks() { return m_hooks; }
    // Where the sensor size comes from (the camera model unless a test says otherwise).
    void setSensorSizeSource(std::function<SensorSize()> source) { m_sensorSize = std::move(source); }

    // Connects every control under root that carries a control id to RouteNotification:
    // NumberBox::commitRequested, UpDownControl::stepRequested, QComboBox::activated and the
    // clicks of push buttons, check boxes and radio buttons. Connecting twice is harmless.
    void attach(QWidget* root);

    // The one entry point for control notifications. The event must fit the control's class
    // (a click on a button, a commit of a number box, ...); anything else is ignored, as is
    // every notification that arrives while another one is still being handled.
    void RouteNotification(int ctrlId, ControlEvent event, int position = 0, int step = 0);

    // Control operations; nothing happens for an id without a control.
    void SetControlValue(int ctrlId, int32_t value);
    // -1 when no control has the id.
    int32_t GetControlValue(int ctrlId) const;
    void RefreshAllControls();
    void RefreshPendingControls();
    // Sends every pending row and reads it back; stops at the first failed set. 1 when all
    // sets went through, 0 when one failed.
    int SendPendingRows(uint32_t timeoutMs);
    // Reads the row of the control from the camera; 1 on an answer.
    int RefreshControl(int ctrlId);
    void ApplySpinRanges();
    void AttachListValues();

    void ApplyEnableRule(ParamRules::EnableRule rule);
    // The rules a complete reading applies, in their order.
    void ApplyReloadEnableRules();

    // Handlers by control class (RouteNotification calls them).
    void OnNumberBox(int ctrlId);
    void OnSpinStep(int spinId, int position, int step);
    void OnCheckBox(int ctrlId);
    void OnRadioButton(int ctrlId);
    void OnPushButton(int ctrlId);
    void OnList(int ctrlId);

private:
    QWidget* find(int ctrlId) const;
    QComboBox* findList(int ctrlId) const;
    int listSelection(int listId) const; // -1 without a list or selection
    void setEnabled(int ctrlId, bool enabled);
    bool hasRow(int ctrlId) const;
    SensorSize sensorSize() const;

    void commonCommit();
    void genericList(int ctrlId);
    void afterFormatChange(int ctrlId);
    void storeExposureLimits(const std::vector<int>& rows);
    void onExposureModeList();
    void onGammaList();
    bool checkRegion(int ctrlId, int32_t value);
    void rereadRegionRows();
    bool binningOn(int listId, int rowId) const;
    void spinLimitsFor(int ctrlId, int32_t& minimum, int32_t& maximum) const;

    static QRadioButton* groupStart(QRadioButton* button);
    static QList<QRadioButton*> radioGroup(QRadioButton* first);

    const ControlLookup& m_lookup;
    ClOutputFormat& m_format;
    ControlFeatureHooks m_hooks;
    std::function<SensorSize()> m_sensorSize;
    bool m_busy = false;
};
