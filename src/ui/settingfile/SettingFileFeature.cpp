#include "SettingFileFeature.h"

#include "Camera.h"
#include "CommunicationWindow.h"
#include "CompareDialog.h"
#include "ControlAdapter.h"
#include "ControlMode.h"
#include "FeatureRegistry.h"
#include "Ids.h"
#include "LogFile.h"
#include "ParameterControls.h"
#include "ParameterTable.h"
#include "ProgressWindow.h"
#include "SequencerFeature.h"
#include "SettingCompare.h"
#include "SettingFile.h"
#include "SettingsStore.h"
#include "StatusLine.h"
#include "UserNotice.h"
#include "WindowLockList.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr const char* kFilter = "Camera setting data (*.cam) | *.cam||";
constexpr const char* kOpenErrorCaption = "File Open Error";
// Lists whose row keeps the position while the camera takes the factor (position + 1).
constexpr int kBinningLists[] = {CtrlId::HorizontalBinning, CtrlId::VerticalBinning};

std::string cameraFileFolder()
{
    std::string folder;
    Settings().ReadPath(kCameraFilePath, folder);
    return folder;
}

void rememberFolder(const QString& path)
{
    Settings().WriteString(kCameraFilePath, DirectoryPart(path).toStdString());
}

QString fileNameOf(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).fileName();
}

// The number of settings a saved file holds: its lines, read back from the disk.
int savedLines(const std::string& path)
{
    std::string text;
    std::string reason;
    if (!SettingFile::ReadWhole(path, text, reason))
        return 0;
    return int(std::count(text.begin(), text.end(), '\n'));
}

// What a load came to, for the status line.
QString loadResultText(const std::string& path, const SettingFile::LoadResult& result)
{
    const QString name = fileNameOf(path);
    if (!result.read)
        return QStringLiteral("Could not read %1").arg(name);
    if (result.lines == 0)
        return QStringLiteral("%1 holds no lines to apply").arg(name);
    QString text = QStringLiteral("Applied %1 of %2 lines of %3").arg(result.sent - result.refused).arg(result.lines).arg(name);
    if (result.refused > 0)
        text += QStringLiteral(" — %1 refused, see the message list").arg(result.refused);
    if (!result.complete)
        text += QStringLiteral(" — stopped after %1 lines").arg(result.sent);
    return text;
}

} // namespace

// What the window does while a file is applied, after the rows that other displays follow.
class SettingFileFeature::LoadFollowUp : public SettingFile::FollowUp {
public:
    explicit LoadFollowUp(SettingFileFeature& feature) : m_feature(feature) {}

    void applied(int ctrlId) override
    {
        if (ctrlId == CtrlId::ExposureMode) {
            // The list is rebuilt from the mode the file just set, not the one shown before.
            m_feature.m_controls.SetControlValue(
                ctrlId, m_feature.m_camera.Table().GetDataValue(uint32_t(CtrlId::ExposureMode)));
            m_feature.m_sequencer.RebuildVideoSendModeList();
            return;
        }
        // The output format decides the shortest frame: the exposure limits follow it.
        m_feature.m_features.Raise(Moment::ExposureLimitsDue);
        m_feature.m_parameters.ApplySpinRanges();
        m_feature.m_features.Raise(Moment::ExposureTimesDue);
    }

private:
    SettingFileFeature& m_feature;
};

SettingFileFeature::SettingFileFeature(Camera& camera, QWidget* mainWindow, ControlAdapter& controls, ParameterControls& parameters,
                                       FeatureRegistry& features, SequencerFeature& sequencer,
                                       CommunicationWindow* communication)
    : m_camera(camera), m_mainWindow(mainWindow), m_controls(controls), m_parameters(parameters), m_features(features),
      m_sequencer(sequencer)
{
    if (!communication)
        return;
    connect(communication, &CommunicationWindow::saveSettingFileRequested, this, &SettingFileFeature::SaveAllDataAs);
    connect(communication, &CommunicationWindow::loadSettingFileRequested, this,
            &SettingFileFeature::OpenSettingFile);
    communication->EnableSettingFileCommands(true);
}

std::vector<Feature::MenuClaim> SettingFileFeature::MenuClaims()
{
    return {
        {MenuCommand::Open, [this] { OpenSettingFile(); }},
        {MenuCommand::CompareWithCamera, [this] { CompareWithCamera(); }},
        {MenuCommand::SaveAllData, [this] { SaveAllDataAs(); }},
        {MenuCommand::SaveShippingData, [this] { SaveShippingDataAs(); }},
    };
}

void SettingFileFeature::SaveAllDataAs()
{
    saveAs(true);
}

void SettingFileFeature::SaveShippingDataAs()
{
    saveAs(false);
}

void SettingFileFeature::saveAs(bool allData)
{
    const std::string chosen = Notices().SaveFileName("", cameraFileFolder(), kFilter);
    if (chosen.empty())
        return;
    const QString path = WithDefaultSuffix(QString::fromStdString(chosen), QStringLiteral("cam"));
    const std::string file = path.toStdString();
    if (QFileInfo::exists(path)
        && !Notices().AskYesNo(file + "\nThis file already exists." + "\nReplace existing file?", ""))
        return;
    SettingFile::WindowState shown;
    shown.exposureModeFirst = m_controls.ListSelection(CtrlId::ExposureMode) == 0;
    for (int listId : kBinningLists) {
        const int selection = m_controls.ListSelection(listId);
        if (selection >= 0)
            shown.cameraValues[listId] = selection + 1;
    }
    const int written = allData ? SettingFile::WriteAllData(m_camera, file, shown) : SettingFile::WriteShippingData(m_camera, file, shown);
    StatusLine::Instance().ReportAction(written == 1 ? QStringLiteral("Saved %1 settings to %2").arg(savedLines(file)).arg(fileNameOf(file))
                                                     : QStringLiteral("Could not save %1").arg(fileNameOf(file)));
    rememberFolder(path);
}

void SettingFileFeature::OpenSettingFile()
{
    const std::string chosen = Notices().OpenFileName("", cameraFileFolder(), kFilter);
    if (chosen.empty())
        return;
    ReadSettingFile(chosen);
    rememberFolder(QString::fromStdString(chosen));
}

void SettingFileFeature::ReadSettingFile(const std::string& path)
{
    // Nothing may start another exchange while the file is applied, the communication
    // dialog included.
    WindowLockList& locks = WindowLockList::Instance();
    locks.DisableAll();
    LoadFollowUp followUp(*this);
    ProgressWindow progress(m_mainWindow);
    const SettingFile::LoadResult result = SettingFile::ReadSettingFile(m_camera, path, progress, &followUp);
    if (result.read) {
        m_controls.RefreshAllControls();
        m_parameters.ApplyReloadEnableRules();
        m_parameters.ApplySpinRanges();
    }
    locks.EnableAll();
    StatusLine::Instance().ReportAction(loadResultText(path, result));
}

void SettingFileFeature::CompareWithCamera()
{
    const std::string chosen = Notices().OpenFileName("", cameraFileFolder(), kFilter);
    if (chosen.empty())
        return;
    rememberFolder(QString::fromStdString(chosen));
    std::string text;
    std::string reason;
    if (!SettingFile::ReadWhole(chosen, text, reason)) {
        Notices().Message(SettingFile::OpenErrorText(chosen) + "\n" + reason, kOpenErrorCaption, NoticeIcon::Warning);
        return;
    }
    SettingFile::Comparison comparison;
    {
        // As for a load: no other exchange may start while the camera is asked.
        WindowLockList& locks = WindowLockList::Instance();
        locks.DisableAll();
        ProgressWindow progress(m_mainWindow);
        comparison = SettingFile::Compare(m_camera, SettingFile::Parse(text, ControlMode::Get()), progress);
        locks.EnableAll();
    }
    // Closing the program stops the comparison; then there is no one to show it to.
    if (!m_mainWindow || !m_mainWindow->isVisible())
        return;
    CompareDialog dialog(m_mainWindow, QString::fromStdString(chosen), comparison);
    if (dialog.exec() == QDialog::Accepted)
        ReadSettingFile(chosen);
}
