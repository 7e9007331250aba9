#include "SequencerFeature.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "DeferredProgressWindow.h"
#include "ErrorReport.h"
#include "Ids.h"
#include "ParameterControls.h"
#include "ParameterTable.h"
#include "Reload.h"
#include "Sequencer.h"
#include "UpDownControl.h"

#include <QComboBox>
#include <QWidget>

#include <algorithm>

namespace {

// The exposure mode list's entry that allows sequencing, and the video send modes it offers.
constexpr int kExposureTimed = 1;
constexpr int kTriggerSequence = 1;
constexpr int kSequencerOn = 1;

struct SendMode {
    const char* text;
    int value;
};
constexpr SendMode kSendModes[] = {{"Normal", 0}, {"Trigger Sequence", 1}, {"Command Sequence", 2}};

// Shows what a set's read brings: every field's control, and the set-dependent ranges once
// the binning is known.
class PageSetView : public Sequencer::SetView {
public:
    PageSetView(ControlAdapter& controls, ParameterControls& parameters) : m_controls(controls), m_parameters(parameters) {}
    void showRow(int ctrlId, int32_t value) override { m_controls.SetControlValue(ctrlId, value); }
    void binningRead() override { m_parameters.ApplySpinRanges(); }

private:
    ControlAdapter& m_controls;
    ParameterControls& m_parameters;
};

} // namespace

SequencerFeature::SequencerFeature(Camera& camera, QWidget* mainWindow, ControlAdapter& controls, ParameterControls& parameters)
    : m_camera(camera), m_mainWindow(mainWindow), m_controls(controls), m_parameters(parameters)
{
}

std::vector<Feature::Claim> SequencerFeature::Claims()
{
    const Handler readIndexBoxSet = [this] { ReadIndexBoxSet(); };
    const Handler fitRegion = [this] { fitRegionToBinning(); };
    return {
        {CtrlId::SequencerMode, When::Instead, [this] { OnSequencerModeChanged(); }},
        {CtrlId::SequencerModeSelect, When::Instead, [this] { OnSequencerSelectChanged(); }},
        {CtrlId::SequencerWrite, When::Instead, [this] { WriteSequencerSet(); }},
        {CtrlId::MultiRoiEnable, When::Instead, [this] { ToggleSensorMultiRoi(); }},
        {CtrlId::SequencerReadIndex, When::Instead, [this] { ReadActiveSetIndex(); }},
        {CtrlId::SequencerReset, When::Instead, [this] { ResetSequencer(); }},
        // The generic path keeps the index within 1...128; then that set is read.
        {CtrlId::SequencerIndex, When::After, readIndexBoxSet},
        {CtrlId::SequencerIndexSpin, When::After, readIndexBoxSet},
        {CtrlId::SequencerHorizontalBinning, When::Before, fitRegion},
        {CtrlId::SequencerVerticalBinning, When::Before, fitRegion},
        {CtrlId::ExposureMode, When::After, [this] { RebuildVideoSendModeList(); }},
    };
}

std::vector<Feature::MomentClaim> SequencerFeature::Moments()
{
    return {{Moment::ListValuesAttached, [this] { ReadIndexBoxSet(); }}};
}

void SequencerFeature::ReadIndexBoxSet()
{
    ReadSequencerSet(IndexBoxSet());
}

void SequencerFeature::StartAtFirstSet()
{
    ShowVideoSendMode();
    m_controls.SetControlValue(CtrlId::SequencerIndex, Sequencer::kFirstSet);
    ReadSequencerSet(Sequencer::kFirstSet);
}

int SequencerFeature::IndexBoxSet() const
{
    return std::clamp(m_controls.GetControlValue(CtrlId::SequencerIndex), Sequencer::kFirstSet, Sequencer::kLastSet);
}

bool SequencerFeature::individualGain() const
{
    return m_controls.ListSelection(CtrlId::IndividualGainMode) == 1;
}

bool SequencerFeature::ReadSequencerSet(int set)
{
    DeferredProgressWindow progress(m_mainWindow);
    PageSetView view(m_controls, m_parameters);
    return Sequencer::ReadSet(m_camera, set, Sequencer::ConditionsFor(m_camera, individualGain()), progress, &view);
}

void SequencerFeature::WriteSequencerSet()
{
    // Writing and reading back are one action: one report of communication errors.
    ErrorReport errors(m_camera, "fields");
    const int set = IndexBoxSet();
    const auto controlValue = [this](const Sequencer::Field& field) {
        return field.kind == Sequencer::FieldKind::Number ? m_controls.GetControlValue(field.ctrlId)
                                                          : m_controls.ListSelection(field.ctrlId);
    };
    Walk::Stop stop = Walk::Stop::None;
    {
        DeferredProgressWindow progress(m_mainWindow);
        stop = Sequencer::WriteSet(m_camera, set, Sequencer::ConditionsFor(m_camera, individualGain()), controlValue, progress);
    }
    // A camera that fell silent or a lost link has nothing to read back.
    if (stop == Walk::Stop::None || stop == Walk::Stop::Cancelled)
        ReadSequencerSet(set);
}

void SequencerFeature::OnSequencerModeChanged()
{
    const int position = m_controls.ListSelection(CtrlId::SequencerMode);
    if (Sequencer::SetSequencerMode(m_camera, position)) {
        m_camera.Table().SetDataValue(CtrlId::SequencerMode, position);
        m_camera.Table().CommitAll();
    }
    ShowVideoSendMode();
    // The sensor multi-ROI and a running sequencer exclude each other; the multi-ROI exists
    // on the KT-5100W-QBCL only.
    const bool multiRoiModel = m_camera.Model().modelType == 0;
    m_controls.SetEnabled(CtrlId::MultiRoiEnable, multiRoiModel && position != kSequencerOn);
}

void SequencerFeature::OnSequencerSelectChanged()
{
    const int position = m_controls.ListSelection(CtrlId::SequencerModeSelect);
    if (Sequencer::SetSequencerSelect(m_camera, position)) {
        m_camera.Table().SetDataValue(CtrlId::SequencerModeSelect, position);
        m_camera.Table().CommitAll();
    }
    ShowVideoSendMode();
}

void SequencerFeature::ToggleSensorMultiRoi()
{
    const Sequencer::MultiRoiToggle toggle = Sequencer::ToggleMultiRoi(m_camera);
    if (!toggle.asked)
        return;
    ShowVideoSendMode();
    // The sequencer mode list follows only a change the camera made.
    if (toggle.acknowledged)
        m_controls.SetEnabled(CtrlId::SequencerMode, !toggle.nowOn);
    int32_t mode = 0;
    if (Sequencer::ReadMultiRoiMode(m_camera, mode)) {
        m_controls.SetText(CtrlId::MultiRoiModeBox, QString::number(mode));
        m_camera.Table().SetDataValue(CtrlId::MultiRoiModeBox, mode);
        m_camera.Table().CommitAll();
    }
}

void SequencerFeature::ShowVideoSendMode()
{
    std::string text;
    if (Reload::ReadCameraMode(m_camera, text))
        m_controls.SetText(CtrlId::CameraModeBox, QString::fromLatin1(text.c_str()));
}

void SequencerFeature::RebuildVideoSendModeList()
{
    QComboBox* list = m_controls.FindList(CtrlId::VideoSendModeList);
    if (!list)
        return;
    const int selected = list->currentIndex();
    const int count = list->count();
    const bool timed = m_controls.ListSelection(CtrlId::ExposureMode) == kExposureTimed;
    list->clear();
    for (const SendMode& mode : kSendModes) {
        list->addItem(QString::fromLatin1(mode.text), mode.value);
        if (!timed)
            break;
    }
    // A single "Normal" is the only choice left; the three modes keep the one chosen before.
    list->setCurrentIndex(timed && selected >= 0 && selected < list->count() ? selected : 0);
    const bool triggerSequence = count == int(std::size(kSendModes)) && selected == kTriggerSequence;
    m_controls.SetEnabled(CtrlId::TriggerMode, !triggerSequence);
}

void SequencerFeature::ReadActiveSetIndex()
{
    int32_t set = 0;
    if (Sequencer::ReadActiveSetIndex(m_camera, set))
        m_controls.SetText(CtrlId::SequencerActiveSet, QString::number(set));
}

void SequencerFeature::ResetSequencer()
{
    Sequencer::ResetSequencer(m_camera);
}

void SequencerFeature::fitRegionToBinning()
{
    m_parameters.ApplySpinRanges();
    for (int box : {CtrlId::SequencerWidth, CtrlId::SequencerHeight}) {
        const UpDownControl* spin = m_controls.SpinOf(box);
        const int32_t value = m_controls.GetControlValue(box);
        // A size of 0 stands for "not written" and stays.
        if (!spin || value == 0)
            continue;
        const int32_t fitted = std::clamp(value, std::min(spin->minimum(), spin->maximum()),
                                          std::max(spin->minimum(), spin->maximum()));
        if (fitted != value)
            m_controls.SetControlValue(box, fitted);
    }
}
