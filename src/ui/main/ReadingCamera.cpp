#include "ReadingCamera.h"

#include "CProgressBarDialog.h"
#include "CameraModel.h"
#include "Command.h"
#include "ControlLookup.h"
#include "ParameterControls.h"
#include "ParameterTable.h"
#include "ReloadData.h"
#include "SettingsStore.h"
#include "UpDownControl.h"
#include "WindowLockList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>

using namespace ReloadData;

CReadingCamera::CReadingCamera(QWidget* mainWindow, ParameterControls& controls,
                               const ControlLookup& lookup, ClOutputFormat& format)
    : m_mainWindow(mainWindow), m_controls(controls), m_lookup(lookup), m_format(format)
{
    // The parameter controls call back for the lists this feature builds.
    m_controls.hooks().fillClConfigurationLists = [this] { FillClConfigurationLists(); };
    m_controls.hooks().rebuildBaudRateList = [this] { RebuildBaudRateList(); };
}

unsigned CReadingCamera::controlMode()
{
    if (m_controlMode)
        return m_controlMode();
    if (m_settingsMode < 0) {
        uint32_t mode = 0;
        Settings().ReadInt(kControlMode, mode, 0);
        m_settingsMode = static_cast<int>(mode);
    }
    return static_cast<unsigned>(m_settingsMode);
}

std::vector<int> CReadingCamera::ReloadRows(uint32_t modelType, unsigned controlMode)
{
    ParameterTable& table = ParameterTable::Instance();
    std::vector<int> rows;
    for (int i = 0; i < table.RowCount(); ++i) {
        const ParameterRow& row = table.Row(i);
        if (row.cmdId == ParameterTable::kTerminator)
            continue;
        if (!InReloadSet(row) || (modelType == 1 && IsMultiRoiRow(row.ctrlId)))
            continue;
        if (row.paramClass == kFactoryClass && controlMode == 0)
            continue;
        if (!table.IsReadable(i))
            continue;
        rows.push_back(i);
    }
    return rows;
}

int CReadingCamera::ReadAllParameters()
{
    ParameterTable& table = ParameterTable::Instance();
    const unsigned mode = controlMode();
    // The divisor counts every readable row of the mode, so the bar ends short of 100 and
    // jumps there when the window closes.
    const int divisor = mode == 1 ? table.CountReadable() : table.CountReadableUser();

    CProgressBarDialog& progress = CProgressBarDialog::Instance();
    progress.Show(m_mainWindow, QStringLiteral("Now, reading camera settings."));

    int attempts = 0;
    for (int i : ReloadRows(CameraModel::Instance().modelType, mode)) {
        const ParameterRow& row = table.Row(i);
        uint32_t value = 0;
        if (Command::Instance().QueryInt(static_cast<int>(row.cmdId), value, kQueryTimeoutMs))
            storeAnswer(row.ctrlId, static_cast<int32_t>(value));
        ++attempts;
        if (divisor > 0)
            progress.SetPos((100 * attempts) / divisor);
        QCoreApplication::processEvents();
    }
    progress.Close();

    if (m_mainWindow) {
        if (!m_mainWindow->isActiveWindow())
            m_mainWindow->activateWindow();
        m_mainWindow->raise();
    }
    ShowCameraMode();
    return 1;
}

void CReadingCamera::storeAnswer(uint32_t ctrlId, int32_t value)
{
    ParameterTable& table = ParameterTable::Instance();
    table.SetDataValue(ctrlId, value);
    switch (ctrlId) {
    case IDC_CBO_GAMMA:
        selectItem(IDC_CBO_GAMMA, ItemForValue(GammaValues(), value));
        break;
    case IDC_CBO_FACTORY_BAUD:
        selectItem(IDC_CBO_FACTORY_BAUD, ItemForValue(FactoryBaudValues(), value));
        break;
    case IDC_CBO_HB:
    case IDC_CBO_VB:
        // The camera counts the binning factor (1, 2); the row keeps the list position.
        table.SetDataValue(ctrlId, value - 1);
        break;
    case IDC_CBO_CL_CONFIGURATION:
        m_format.m_ClConfguration = value;
        break;
    case IDC_CBO_BIT_ALLOCATION:
        m_format.m_BitAllocation = value;
        break;
    case IDC_CBO_SENS_CLK_FREQ:
        m_format.m_SensClkFreq = value;
        break;
    default:
        break;
    }
}

void CReadingCamera::ShowCameraMode()
{
    uint32_t vsm = 0;
    if (!Command::Instance().QueryInt(kCmdVsm, vsm, kQueryTimeoutMs))
        return;
    setText(IDC_EDT_CAMERA_MODE, CameraModeText(static_cast<int32_t>(vsm)));
    if (m_mainWindow)
        m_mainWindow->repaint();
}

void CReadingCamera::ReloadFromCamera()
{
    if (m_reloading)
        return;
    m_reloading = true;
    CWindowLockList& locks = CWindowLockList::Instance();
    locks.DisableAll();

    CameraModel& model = CameraModel::Instance();
    CheckCameraModel(model);
    presentModel(model.modelType);

    ReadAllParameters();
    m_controls.RefreshAllControls();
    ParameterTable::Instance().CommitAll();
    m_controls.ApplyReloadEnableRules();
    locks.EnableAll();

    FillClConfigurationLists();
    m_controls.ApplyEnableRule(ParamRules::EnableRule::LutMode);
    ShowSupportedBaudRate();
    RebuildBaudRateList();

    if (m_controls.hooks().readSequencerSet && m_lookup.FindControl(IDC_EDT_SEQUENCER_INDEX))
        m_controls.hooks().readSequencerSet(m_controls.GetControlValue(IDC_EDT_SEQUENCER_INDEX));

    ParameterTable::Instance().AdjustRangesForModel(model.modelType == 0);
    m_controls.ApplySpinRanges();
    m_controls.ApplyEnableRule(ParamRules::EnableRule::ExposureTimeMode);
    m_controls.AttachListValues();
    m_reloading = false;
}

void CReadingCamera::CompleteStartup()
{
    ParameterTable& table = ParameterTable::Instance();
    ControlFeatureHooks& hooks = m_controls.hooks();
    m_controls.AttachListValues();
    m_controls.ApplyEnableRule(ParamRules::EnableRule::ImageGainMode);
    table.CommitAll();
    m_controls.RefreshAllControls();
    m_controls.ApplyEnableRule(ParamRules::EnableRule::LutMode);
    FillClConfigurationLists();
    int32_t low = 0;
    int32_t high = 0;
    if (hooks.exposureTimeLimits && hooks.exposureTimeLimits(low, high))
        for (int row : ParamRules::ExposureRows())
            table.SetRange(static_cast<uint32_t>(row), low, high);
    m_controls.ApplyEnableRule(ParamRules::EnableRule::GainRange);
    m_controls.ApplySpinRanges();
    if (hooks.refreshExposureTimes)
        hooks.refreshExposureTimes();
    if (auto* spin = qobject_cast<UpDownControl*>(m_lookup.FindControl(IDC_SPN_SEQUENCER_INDEX)))
        spin->setRange(1, 128);
    if (hooks.readSequencerSet)
        hooks.readSequencerSet(1);
    ShowSupportedBaudRate();
    // The refresh above selects a binning list by item value, which reads the stored
    // position 1 ("x2") as the value of "Off"; the lists show the rows' positions again.
    for (int listId : {IDC_CBO_HB, IDC_CBO_VB})
        if (table.CtrlId2TblIndex(static_cast<uint32_t>(listId)) >= 0)
            selectItem(listId, table.GetDataValue(static_cast<uint32_t>(listId)) == 1 ? 1 : 0);
}

void CReadingCamera::presentModel(uint32_t modelType)
{
    const bool supported = modelType < 2;
    if (QComboBox* models = list(IDC_CBO_CAMERA_MODEL)) {
        models->clear();
        if (supported) {
            models->addItem(QString::fromLatin1(CameraModel::kModel5100));
            models->addItem(QString::fromLatin1(CameraModel::kModel5200));
        }
        models->setCurrentIndex(supported ? static_cast<int>(modelType) : -1);
    }

    for (int spinId : kLutIndexSpins)
        if (auto* spin = qobject_cast<UpDownControl*>(m_lookup.FindControl(spinId)))
            spin->setRange(0, 255);
    for (int id : MultiRoiControls())
        if (QWidget* control = m_lookup.FindControl(id))
            control->setEnabled(modelType == 0);

    auto present = [supported](QComboBox* combo, const ListItem& item) {
        const int at = combo->findText(QString::fromLatin1(item.text));
        if (supported && at < 0)
            combo->insertItem(item.value, QString::fromLatin1(item.text));
        else if (!supported && at >= 0)
            combo->removeItem(at);
    };
    if (QComboBox* patterns = list(IDC_CBO_TEST_PATTERN))
        for (const ListItem& item : ModelTestPatternItems())
            present(patterns, item);
    if (QComboBox* shading = list(IDC_CBO_SHADING_MODE))
        present(shading, ModelShadingItem());
}

void CReadingCamera::FillClConfigurationLists()
{
    auto fill = [](QComboBox* combo, const std::vector<ListItem>& items) {
        combo->clear();
        for (const ListItem& item : items)
            combo->addItem(QString::fromLatin1(item.text), item.value);
    };
    if (QComboBox* config = list(IDC_CBO_CL_CONFIGURATION)) {
        fill(config, ClConfigurationItems());
        if (m_format.m_ClConfguration >= 0 && m_format.m_ClConfguration <= 3)
            config->setCurrentIndex(m_format.m_ClConfguration);
    }
    if (list(IDC_CBO_SENS_CLK_FREQ)) {
        fill(list(IDC_CBO_SENS_CLK_FREQ), ClockItems());
        selectItem(IDC_CBO_SENS_CLK_FREQ, m_format.m_SensClkFreq);
    }
    if (list(IDC_CBO_BIT_ALLOCATION)) {
        fill(list(IDC_CBO_BIT_ALLOCATION), BitAllocationItems(m_format.m_ClConfguration));
        const int32_t bits = m_format.m_BitAllocation;
        // Only Medium carries the deeper formats; asking for one of them on a single-item
        // list leaves no item selected, which shows the mismatch.
        selectItem(IDC_CBO_BIT_ALLOCATION, (bits >= 3 && bits <= 5) ? bits - 3 : 0);
    }
}

void CReadingCamera::ShowSupportedBaudRate()
{
    uint32_t mask = 0;
    if (Command::Instance().QueryInt(kCmdSbdrt, mask, kQueryTimeoutMs))
        setText(IDC_EDT_SUPPORTED_BAUD, SupportedBaudText(mask).c_str());
}

void CReadingCamera::RebuildBaudRateList()
{
    QComboBox* bauds = list(IDC_CBO_FACTORY_BAUD);
    if (!bauds)
        return;
    // Without an answer the mask counts as 0: the five rates every camera has.
    uint32_t mask = 0;
    Command::Instance().QueryInt(kCmdSbdrt, mask, kQueryTimeoutMs);
    bauds->clear();
    for (const ListItem& item : BaudRateItems(mask))
        bauds->addItem(QString::fromLatin1(item.text), item.value);
    // Without an answer the row's value (the last one the camera reported) decides.
    uint32_t current = 0;
    int32_t value = ParameterTable::Instance().GetDataValue(IDC_CBO_FACTORY_BAUD);
    if (Command::Instance().QueryInt(kCmdFcbdrt, current, kQueryTimeoutMs))
        value = static_cast<int32_t>(current);
    selectItem(IDC_CBO_FACTORY_BAUD, ItemForValue(FactoryBaudValues(), value));
}

QComboBox* CReadingCamera::list(int ctrlId) const
{
    return qobject_cast<QComboBox*>(m_lookup.FindControl(ctrlId));
}

void CReadingCamera::selectItem(int listId, int item)
{
    if (QComboBox* combo = list(listId))
        combo->setCurrentIndex(item >= 0 && item < combo->count() ? item : -1);
}

void CReadingCamera::setText(int ctrlId, const char* text)
{
    if (auto* box = qobject_cast<QLineEdit*>(m_lookup.FindControl(ctrlId)))
        box->setText(QString::fromLatin1(text));
}
