#include "FlashFeature.h"

#include "Camera.h"
#include "FlashAreaDialog.h"
#include "FlashAreas.h"
#include "FlashStatus.h"
#include "Ids.h"
#include "ReadingCamera.h"
#include "UserNotice.h"

#include <QDialog>

FlashFeature::FlashFeature(Camera& camera, QWidget* mainWindow, ReadingCamera& reading) : m_camera(camera), m_mainWindow(mainWindow), m_reading(reading)
{
}

std::vector<Feature::Claim> FlashFeature::Claims()
{
    return {{CtrlId::StoreAllAreas, When::Instead, [this] { StoreToAllUserAreas(); }}};
}

std::vector<Feature::MenuClaim> FlashFeature::MenuClaims()
{
    return {{MenuCommand::LoadSettings, [this] { LoadSettingsFromArea(); }},
            {MenuCommand::StoreSettings, [this] { StoreSettingsToArea(); }}};
}

void FlashFeature::LoadSettingsFromArea()
{
    FlashAreaDialog dialog(m_mainWindow, FlashAreas::Purpose::Load);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int area = dialog.Area();
    // A load throws the camera's current settings away: the person says so first.
    if (!Notices().AskYesNoDefaultNo(FlashAreas::LoadQuestion(dialog.AreaName()), "Confirm"))
        return;
    const bool loaded = FlashAreas::LoadArea(m_camera, area) == 1;
    if (loaded)
        m_reading.ReloadFromCamera();
    ReportAreaLoaded(area, loaded);
}

void FlashFeature::StoreSettingsToArea()
{
    FlashAreaDialog dialog(m_mainWindow, FlashAreas::Purpose::Store);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int area = dialog.Area();
    const bool stored = FlashAreas::StoreArea(m_camera, area) == 1;
    if (stored)
        Notices().Message(FlashAreas::kStoredText, "", NoticeIcon::Information);
    ReportAreaStored(area, stored);
}

void FlashFeature::StoreToAllUserAreas()
{
    if (!Notices().AskYesNo(FlashAreas::StoreAllQuestion(), ""))
        return;
    const int failed = FlashAreas::StoreAllUserAreas(m_camera);
    if (failed)
        Notices().Message("Couldn't store current setting data!", "", NoticeIcon::Warning);
    else
        Notices().Message("Completed to store current setting data!", "", NoticeIcon::Information);
    ReportAllUserSetsStored(failed);
}
