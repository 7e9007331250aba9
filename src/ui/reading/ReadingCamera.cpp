#include "ReadingCamera.h"

#include "AutomaticFunctions.h"
#include "Camera.h"
#include "ControlAdapter.h"
#include "ControlMode.h"
#include "ErrorReport.h"
#include "FeatureRegistry.h"
#include "Ids.h"
#include "ParameterControls.h"
#include "ParameterTable.h"
#include "ProgressWindow.h"
#include "Reload.h"
#include "RowView.h"
#include "SequencerFeature.h"
#include "WindowLockList.h"

#include <QComboBox>
#include <QWidget>

using namespace ReloadData;
using ControlRules::EnableRule;

namespace {

constexpr int kLutIndexSpins[] = {CtrlId::LutIndexSpinRed, CtrlId::LutIndexSpinGreen, CtrlId::LutIndexSpinBlue};
constexpr int kSequencerSets = 128;

// During the walk the lists whose items stand for camera values other than their positions
// show the answer at once; every other control follows with the refresh after the walk.
class WalkView : public RowView {
public:
    explicit WalkView(ControlAdapter& controls) : m_controls(controls) {}
    void showRow(int ctrlId, int32_t value) override
    {
        if (ctrlId == CtrlId::Gamma)
            m_controls.SelectItem(ctrlId, ItemForValue(GammaValues(), value));
        else if (ctrlId == CtrlId::FactoryBaudRate)
            m_controls.SelectItem(ctrlId, ItemForValue(FactoryBaudValues(), value));
    }

private:
    ControlAdapter& m_controls;
};

void fill(QComboBox* combo, const std::vector<ListItem>& items)
{
    combo->clear();
    for (const ListItem& item : items)
        combo->addItem(QString::fromLatin1(item.text), item.value);
}

} // namespace

ReadingCamera::ReadingCamera(Camera& camera, QWidget* mainWindow, ControlAdapter& controls, ParameterControls& parameters,
                             FeatureRegistry& features, SequencerFeature& sequencer, AutomaticFunctions& automatic)
    : m_camera(camera), m_mainWindow(mainWindow), m_controls(controls), m_parameters(parameters), m_features(features),
      m_sequencer(sequencer), m_automatic(automatic)
{
}

std::vector<Feature::Claim> ReadingCamera::Claims()
{
    // The clock decides which configurations the format lists offer.
    return {{CtrlId::SensorClockFrequency, When::After, [this] { FillClConfigurationLists(); }}};
}

std::vector<Feature::MenuClaim> ReadingCamera::MenuClaims()
{
    return {{MenuCommand::Reload, [this] { ReloadFromCamera(); }}};
}

std::vector<Feature::MomentClaim> ReadingCamera::Moments()
{
    return {
        {Moment::StartupConnected, [this] { ReloadFromCamera(); }},
        {Moment::StartupCompleted, [this] { CompleteStartup(); }},
        {Moment::ListValuesAttached, [this] { RebuildBaudRateList(); }},
    };
}

int ReadingCamera::ReadAllParameters()
{
    ProgressWindow progress(m_mainWindow);
    WalkView view(m_controls);
    m_readComplete = Reload::ReadAllParameters(m_camera, ControlMode::Get(), progress, &view);
    if (m_mainWindow) {
        if (!m_mainWindow->isActiveWindow())
            m_mainWindow->activateWindow();
        m_mainWindow->raise();
    }
    if (m_readComplete)
        ShowCameraMode();
    return 1;
}

void ReadingCamera::ShowCameraMode()
{
    std::string text;
    if (!Reload::ReadCameraMode(m_camera, text))
        return;
    m_controls.SetText(CtrlId::CameraModeBox, QString::fromLatin1(text.c_str()));
    if (m_mainWindow)
        m_mainWindow->repaint();
}

void ReadingCamera::ReloadFromCamera()
{
    if (m_reloading)
        return;
    m_reloading = true;
    // The whole reload is one action: its first communication error is shown, the rest counted.
    ErrorReport errors(m_camera, "settings");
    WindowLockList& locks = WindowLockList::Instance();
    locks.DisableAll();

    Camera& camera = m_camera;
    camera.CheckModel();
    presentModel(camera.Model().modelType);

    ReadAllParameters();
    m_controls.RefreshAllControls();
    m_camera.Table().CommitAll();
    m_parameters.ApplyReloadEnableRules();
    locks.EnableAll();
    // A reading that stopped early (the camera fell silent, the link went, the person
    // cancelled) asks nothing more: the rest of the reload is status the camera did not give.
    if (!m_readComplete) {
        m_reloading = false;
        return;
    }

    FillClConfigurationLists();
    m_parameters.ApplyEnableRule(EnableRule::LutMode);
    ShowSupportedBaudRate();
    RebuildBaudRateList();
    m_sequencer.ReadIndexBoxSet();

    m_camera.Table().AdjustRangesForModel(camera.Model().modelType == 0);
    m_parameters.ApplySpinRanges();
    m_parameters.ApplyEnableRule(EnableRule::ExposureTimeMode);
    m_automatic.RebuildWhiteBalanceList();
    m_parameters.AttachListValues();
    m_reloading = false;
}

void ReadingCamera::CompleteStartup()
{
    ParameterTable& table = m_camera.Table();
    m_parameters.AttachListValues();
    m_parameters.ApplyEnableRule(EnableRule::ImageGainMode);
    table.CommitAll();
    m_controls.RefreshAllControls();
    m_parameters.ApplyEnableRule(EnableRule::LutMode);
    FillClConfigurationLists();
    m_features.Raise(Moment::ExposureLimitsDue);
    m_parameters.ApplyEnableRule(EnableRule::GainRange);
    m_parameters.ApplySpinRanges();
    m_features.Raise(Moment::ExposureTimesDue);
    m_controls.SetSpinRange(CtrlId::SequencerIndexSpin, 1, kSequencerSets);
    m_sequencer.StartAtFirstSet();
    ShowSupportedBaudRate();
    // The refresh above selects a binning list by item value, which reads the stored
    // position 1 ("x2") as the value of "Off"; the lists show the rows' positions again.
    for (int listId : {CtrlId::HorizontalBinning, CtrlId::VerticalBinning})
        if (table.CtrlId2TblIndex(static_cast<uint32_t>(listId)) >= 0)
            m_controls.SelectItem(listId, table.GetDataValue(static_cast<uint32_t>(listId)) == 1 ? 1 : 0);
}

void ReadingCamera::presentModel(uint32_t modelType)
{
    const bool supported = modelType < 2;
    if (QComboBox* models = m_controls.FindList(CtrlId::CameraModelList)) {
        models->clear();
        if (supported) {
            models->addItem(QString::fromLatin1(CameraModel::kModel5100));
            models->addItem(QString::fromLatin1(CameraModel::kModel5200));
        }
        models->setCurrentIndex(supported ? static_cast<int>(modelType) : -1);
    }

    for (int spinId : kLutIndexSpins)
        m_controls.SetSpinRange(spinId, 0, 255);
    for (int id : MultiRoiControls())
        m_controls.SetEnabled(id, modelType == 0);

    auto present = [supported](QComboBox* combo, const ListItem& item) {
        const int at = combo->findText(QString::fromLatin1(item.text));
        if (supported && at < 0)
            combo->insertItem(item.value, QString::fromLatin1(item.text));
        else if (!supported && at >= 0)
            combo->removeItem(at);
    };
    if (QComboBox* patterns = m_controls.FindList(CtrlId::TestPattern))
        for (const ListItem& item : ModelTestPatternItems())
            present(patterns, item);
    if (QComboBox* shading = m_controls.FindList(CtrlId::ShadingMode))
        present(shading, ModelShadingItem());
}

void ReadingCamera::FillClConfigurationLists()
{
    const ClOutputFormat& format = m_camera.Format();
    if (QComboBox* config = m_controls.FindList(CtrlId::ClConfiguration)) {
        fill(config, ClConfigurationItems());
        if (format.m_ClConfguration >= 0 && format.m_ClConfguration <= 3)
            config->setCurrentIndex(format.m_ClConfguration);
    }
    if (QComboBox* clock = m_controls.FindList(CtrlId::SensorClockFrequency)) {
        fill(clock, ClockItems());
        m_controls.SelectItem(CtrlId::SensorClockFrequency, format.m_SensClkFreq);
    }
    if (QComboBox* bits = m_controls.FindList(CtrlId::BitAllocation)) {
        fill(bits, BitAllocationItems(format.m_ClConfguration));
        // Only Medium carries the deeper formats; asking for one of them on a single-item
        // list leaves no item selected, which shows the mismatch.
        const int32_t allocation = format.m_BitAllocation;
        m_controls.SelectItem(CtrlId::BitAllocation, (allocation >= 3 && allocation <= 5) ? allocation - 3 : 0);
    }
}

void ReadingCamera::ShowSupportedBaudRate()
{
    std::string text;
    if (Reload::ReadSupportedBaudRate(m_camera, text))
        m_controls.SetText(CtrlId::SupportedBaudBox, QString::fromLatin1(text.c_str()));
}

void ReadingCamera::RebuildBaudRateList()
{
    QComboBox* bauds = m_controls.FindList(CtrlId::FactoryBaudRate);
    if (!bauds)
        return;
    const Reload::BaudRateList list = Reload::ReadFactoryBaudRates(m_camera);
    fill(bauds, list.items);
    m_controls.SelectItem(CtrlId::FactoryBaudRate, list.selected);
}
