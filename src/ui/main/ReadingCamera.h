#pragma once
// Bringing the parameter table and every control of the main window into agreement with the
// connected camera: the read of every setting under the progress window (ReadAllParameters),
// the reload around it (ReloadFromCamera), the three Camera Link format lists and the factory
// baud-rate list. The main window owns one and forwards its operations of the same names.
// User-interface thread only; every query blocks while it waits.
#include "ControlFeatureHooks.h"

#include <QPointer>

#include <cstdint>
#include <functional>

class ControlLookup;
class ParameterControls;
class QComboBox;
class QWidget;

class CReadingCamera {
public:
    // Control ids this feature writes itself.
    enum : int {
        IDC_CBO_CAMERA_MODEL = 1855,
        IDC_CBO_TEST_PATTERN = 1386,
        IDC_CBO_SHADING_MODE = 1868,
        IDC_CBO_GAMMA = 2575,
        IDC_CBO_FACTORY_BAUD = 1422,
        IDC_CBO_HB = 1406,
        IDC_CBO_VB = 1408,
        IDC_CBO_CL_CONFIGURATION = 1407,
        IDC_CBO_BIT_ALLOCATION = 1354,
        IDC_CBO_SENS_CLK_FREQ = 2573,
        IDC_EDT_CAMERA_MODE = 2903,
        IDC_EDT_SUPPORTED_BAUD = 2898,
        IDC_EDT_SEQUENCER_INDEX = 2779,
        IDC_SPN_SEQUENCER_INDEX = 2780,
    };
    static constexpr int kLutIndexSpins[3] = {2519, 2525, 2531};
    // Command indexes of the status queries.
    static constexpr int kCmdVsm = 206;
    static constexpr int kCmdSbdrt = 614;
    static constexpr int kCmdFcbdrt = 613;
    static constexpr uint32_t kQueryTimeoutMs = 2500;

    CReadingCamera(QWidget* mainWindow, ParameterControls& controls, const ControlLookup& lookup,
                   ClOutputFormat& format);

    // The Control Mode as the program keeps it in memory. Without a source the setting
    // "Control Mode" is read once, on first use.
    void SetControlModeSource(std::function<unsigned()> source) { m_controlMode = std::move(source); }

    // Queries every row of the reload set in table order under the progress window, then
    // the camera-mode box. Returns 1.
    int ReadAllParameters();
    // The whole reload: model check, model-dependent presentation, ReadAllParameters, the
    // controls refreshed and committed, the rules, lists and status boxes. A call while a
    // reload runs (from an event dispatched by the read) does nothing.
    void ReloadFromCamera();
    void FillClConfigurationLists();
    // The last start-up step once the link is up: list values attached, rules applied,
    // controls refreshed and committed, ranges set, the status boxes read.
    void CompleteStartup();
    // The camera-mode box from a VSM query.
    void ShowCameraMode();
    // The supported-baud-rate box from an SBDRT query; the text stays without an answer.
    void ShowSupportedBaudRate();
    // The factory baud-rate list rebuilt from a second SBDRT query and selected from FCBDRT.
    void RebuildBaudRateList();

    // The rows ReadAllParameters queries, as row indexes in table order, for a model type
    // and Control Mode.
    static std::vector<int> ReloadRows(uint32_t modelType, unsigned controlMode);
    bool IsReloading() const { return m_reloading; }

private:
    unsigned controlMode();
    QComboBox* list(int ctrlId) const;
    void selectItem(int listId, int item);
    void setText(int ctrlId, const char* text);
    void presentModel(uint32_t modelType);
    void storeAnswer(uint32_t ctrlId, int32_t value);

    QPointer<QWidget> m_mainWindow;
    ParameterControls& m_controls;
    const ControlLookup& m_lookup;
    ClOutputFormat& m_format;
    std::function<unsigned()> m_controlMode;
    int m_settingsMode = -1;
    bool m_reloading = false;
};
