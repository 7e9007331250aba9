// What the controls of the communication dialog do: link changes, the port search, the user
// sets of the camera's flash memory and the message list file.
#include "CommunicationWindow.h"

#include "Camera.h"
#include "CommLink.h"
#include "FlashAreas.h"
#include "FlashStatus.h"
#include "LineListModel.h"
#include "LinkEvents.h"
#include "LogFile.h"
#include "ProgressBarWindow.h"
#include "UserNotice.h"

#include <QComboBox>

#include <algorithm>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kSearchedPorts = 32;
} // namespace

int CommunicationWindow::checkModel()
{
    return m_camera.CheckModel();
}

void CommunicationWindow::reloadAfterAnswer()
{
    // The reload begins with the model check the camera has just answered: one MD query
    // per change is enough.
    CameraModel::ReuseAnswer reuse(m_camera.Model());
    emit reloadRequested();
}

void CommunicationWindow::OnCategoryChanged(int mode)
{
    const int result = m_camera.OpenLink(
        [mode](CommLink& link) { return link.ChangeMode(static_cast<unsigned>(mode)); }, "Failed to initialize!");
    emit linkChanged(result);
    FillPortList();
    if (checkModel() == 1)
        reloadAfterAnswer();
}

void CommunicationWindow::OnPortChanged(int index)
{
    // One box for a port that does not open, and one for a camera that does not answer on it.
    const int result = m_camera.OpenLink(
        [index](CommLink& link) { return link.ChangePort(static_cast<unsigned>(index)); }, "Failed to Com Port!");
    emit linkChanged(result);
    const int answered = result == 1 ? m_camera.CheckModelOrSay() : checkModel();
    if (answered == 1)
        reloadAfterAnswer();
}

void CommunicationWindow::Reconnect()
{
    OnPortChanged(static_cast<int>(m_camera.Link().SelectedPort()));
}

void CommunicationWindow::OnBaudRateChanged(int baudIndex)
{
    // A refused rate is reported by the transport itself.
    m_camera.Link().ChangeBaudRate(CommLink::IndexToBaud(baudIndex));
    if (checkModel() == 1)
        reloadAfterAnswer();
}

int CommunicationWindow::SearchPorts()
{
    CommLink& link = m_camera.Link();
    const unsigned before = link.SelectedPort();
    int found = -1;
    int present = 0;
    {
        // The search tells its outcome once, at the end: a port that cannot be opened only
        // counts as absent. An open port without a camera costs the model query's time-out.
        QuietNotices quiet;
        for (int index = 0; index < kSearchedPorts && found < 0; ++index) {
            if (link.ChangePort(static_cast<unsigned>(index)) != 1)
                continue;
            ++present;
            if (checkModel() == 1)
                found = index;
        }
        // A port without a camera is not kept as the one to use: the link goes back to the
        // port it had before.
        if (found < 0)
            link.ChangePort(before);
    }
    if (found < 0) {
        const int last = std::min(kSearchedPorts, std::max(1, link.PortCount())) - 1;
        const std::string tried = link.PortName(0) + "\u2013" + link.PortName(last) + ": "
            + std::to_string(present) + (present == 1 ? " port" : " ports") + " present, none answered";
        Notices().Message(Camera::NoAnswerText(tried), "Communication Error", NoticeIcon::Exclamation);
        m_camera.Events().ReportOffline();
        emit linkChanged(0);
        return -1;
    }
    m_camera.Events().ReportOnline();
    emit linkChanged(1);
    m_portList->setCurrentIndex(found);
    reloadAfterAnswer();
    return found;
}

void CommunicationWindow::OnUserSetChanged(int selection)
{
    // No selection at all counts as a user set: "Store" is only barred for "Default".
    m_store->setEnabled(selection != 0);
}

void CommunicationWindow::StoreUserSet()
{
    const int area = m_userSet->currentIndex();
    // "Default" (the factory area) is never stored from here: "Store" is off while it is chosen.
    if (area == FlashAreas::kFactoryArea)
        return;
    // Writing flash memory takes the camera long; the progress window also keeps this window
    // from starting a second exchange meanwhile.
    ProgressBarWindow::Instance().Show(this, QStringLiteral("Now, Storing camera data."));
    const bool stored = FlashAreas::StoreArea(m_camera, area) == 1;
    if (stored)
        Notices().Message("Completed to store current setting data!", "", NoticeIcon::Information);
    ProgressBarWindow::Instance().Close();
    ReportAreaStored(area, stored);
}

void CommunicationWindow::LoadUserSet()
{
    const int area = m_userSet->currentIndex();
    // A load throws the camera's current settings away: the person says so first.
    if (!Notices().AskYesNoDefaultNo(FlashAreas::LoadQuestion(m_userSet->currentText().toStdString()), "Confirm"))
        return;
    // Every parameter may have changed with the loaded set.
    const bool loaded = FlashAreas::LoadArea(m_camera, area) == 1;
    if (loaded)
        emit reloadRequested();
    ReportAreaLoaded(area, loaded);
}

void CommunicationWindow::GetArea()
{
    static const char* const kAreaNames[] = {"Factory Data", "User 1 Data", "User 2 Data", "User 3 Data"};
    const int area = FlashAreas::CurrentArea(m_camera);
    m_areaText->setText(QString::fromLatin1(area != FlashAreas::kInvalidArea ? kAreaNames[area] : "Unkown"));
}

void CommunicationWindow::SaveMessages()
{
    LogSaveOptions options{"Save", "txt file (*.txt) | *.txt||", QStringLiteral("txt"), false, false,
                           "Communication"};
    if (SaveLogWithDialog(*m_messages, options) == LogSaveResult::Saved)
        AddMessage(QStringLiteral("Writing file has been done!"));
}

void CommunicationWindow::ClearMessages()
{
    m_messages->clear();
}
