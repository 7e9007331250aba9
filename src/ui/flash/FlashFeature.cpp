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
    m_lastArea = dialog.Area();
    // A load throws the camera's current settings away: the person says so first.
    if (!Notices().AskYesNoDefaultNo(FlashAreas::LoadQuestion(dialog.AreaName()), "Confirm"))
        return;
    const bool loaded = FlashAreas::LoadArea(m_camera, m_lastArea) == 1;
    if (loaded)
        m_reading.ReloadFromCamera();
    ReportAreaLoaded(m_lastArea, loaded);
}

void FlashFeature::StoreSettingsToArea()
{
    FlashAreaDialog dialog(m_mainWindow, FlashAreas::Purpose::Store);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_lastArea = dialog.Area();
    const bool stored = FlashAreas::StoreArea(m_camera, m_lastArea) == 1;
    if (stored)
        Notices().Message(FlashAreas::kStoredText, "", NoticeIcon::Information);
    ReportAreaStored(m_lastArea, stored);
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
