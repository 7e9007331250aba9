#include "LutFeature.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "ErrorReport.h"
#include "GammaCsv.h"
#include "Ids.h"
#include "LogFile.h"
#include "LutEditorWindow.h"
#include "LutTransferScope.h"
#include "StatusLine.h"
#include "UserNotice.h"
#include "WindowPlacement.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr const char* kOpenFilter = "Camera gamma data (*.csv) | *.csv ||";
constexpr const char* kSaveFilter = "Camera gamm data (*.csv) | *.csv";
constexpr const char* kMonochromeTitle = "LUT Setting for Monochrome";
// The LUT-mode list's items that keep the editor: "Gamma" and "LUT".
constexpr int kGammaItem = 1;
constexpr int kTableItem = 2;

std::string currentFolder()
{
    return QDir::currentPath().toStdString();
}

void report(const QString& text)
{
    StatusLine::Instance().ReportAction(text);
}

QString fileNameOf(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).fileName();
}

} // namespace

LutFeature::LutFeature(Camera& camera, QWidget* mainWindow, ControlAdapter& controls) : m_camera(camera), m_mainWindow(mainWindow), m_controls(controls)
{
    for (int channel = 0; channel < Lut::kChannels; ++channel) {
        m_editors[size_t(channel)] = std::make_unique<LutEditorWindow>(m_camera, channel);
        m_editors[size_t(channel)]->SetProgressOwner(mainWindow);
        // The editors stand in steps from the screen's corner (they place themselves); a
        // place the person chose is kept.
        WindowPlacement::Track(m_editors[size_t(channel)].get(), mainWindow,
                               QStringLiteral("Lut%1").arg(channel).toLatin1().constData(), false);
    }
}

LutFeature::~LutFeature() = default;

std::vector<Feature::Claim> LutFeature::Claims()
{
    return {{CtrlId::OpenLutTable, When::Instead, [this] { OpenTable(); }}};
}

std::vector<Feature::MenuClaim> LutFeature::MenuClaims()
{
    return {
        {MenuCommand::OpenLutFile, [this] { OpenLutFile(); }},
        {MenuCommand::SaveLutFile, [this] { saveLutFile(); }},
        {MenuCommand::LoadAllLut,
         [this] {
             report(LoadAll() ? QStringLiteral("Read the red, green and blue LUT tables from the camera")
                              : QStringLiteral("Reading the LUT tables from the camera stopped before its end"));
         }},
    };
}

std::vector<Feature::MomentClaim> LutFeature::Moments()
{
    return {{Moment::StartupWindowsReady, [this] {
                 for (const auto& editor : m_editors)
                     editor->Initialize();
             }}};
}

void LutFeature::FollowLutMode()
{
    const int item = m_controls.ListSelection(CtrlId::LutMode);
    if (item != kGammaItem && item != kTableItem)
        Editor(Lut::Green).hide();
}

void LutFeature::OpenTable()
{
    LutEditorWindow& editor = Editor(Lut::Green);
    editor.Initialize();
    editor.show();
    editor.setWindowTitle(QString::fromLatin1(kMonochromeTitle));
    editor.raise();
    editor.activateWindow();
}

bool LutFeature::LoadAll()
{
    LutTransferScope scope;
    ErrorReport errors(m_camera, "entries");
    for (const auto& editor : m_editors)
        if (!editor->ReadFromCamera())
            return false;
    return true;
}

bool LutFeature::LoadFile(const std::string& path)
{
    GammaCsv parsed;
    if (!GammaFile::Load(path, parsed, Notices()))
        return false;
    for (int channel = 0; channel < Lut::kChannels; ++channel) {
        LutEditorWindow& editor = Editor(channel);
        for (int row = 0; row < parsed.rows; ++row)
            editor.Curve().Table()[size_t(row)] = parsed.tables[size_t(channel)][size_t(row)];
        editor.SetMode(LutCurve::Mode::View);
        editor.Invalidate();
    }
    return true;
}

bool LutFeature::writeTables(const std::string& path) const
{
    Lut::Tables tables{};
    for (int channel = 0; channel < Lut::kChannels; ++channel)
        tables[size_t(channel)] = Editor(channel).Curve().Table();
    return GammaFile::Save(path, tables, Notices());
}

void LutFeature::OpenLutFile()
{
    const std::string path = Notices().OpenFileName("", currentFolder(), kOpenFilter);
    if (path.empty())
        return;
    report(LoadFile(path) ? QStringLiteral("Loaded LUT file %1 into the LUT editors").arg(fileNameOf(path))
                          : QStringLiteral("LUT file %1 was not loaded").arg(fileNameOf(path)));
}

void LutFeature::saveLutFile()
{
    if (!LoadAll()) {
        report(QStringLiteral("LUT file not saved: reading the LUT tables from the camera stopped"));
        return;
    }
    const std::string chosen = Notices().SaveFileName("", currentFolder(), kSaveFilter);
    if (chosen.empty())
        return;
    const QString path = WithDefaultSuffix(QString::fromStdString(chosen), QStringLiteral("csv"));
    if (QFileInfo::exists(path)
        && !Notices().AskYesNo(path.toStdString() + "\nThis file already exists." + "\nReplace existing file?", ""))
        return;
    report(writeTables(path.toStdString()) ? QStringLiteral("Saved the LUT tables to %1").arg(QFileInfo(path).fileName())
                                           : QStringLiteral("Could not save %1").arg(QFileInfo(path).fileName()));
}
