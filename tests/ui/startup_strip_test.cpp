// Start-up as the program arranges it: the main window's strip is registered before the link
// connects, the model check runs as part of the connection, and the strip turns green when
// the camera answers and red when it does not.
#include "CCtrlToolDlg.h"
#include "CameraModel.h"
#include "CommLink.h"
#include "ControlMode.h"
#include "OnlineStatusNotifier.h"
#include "OnlineStatusUpdater.h"
#include "PtyPeer.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <QImage>
#include <QtTest>
#include <thread>

namespace {

QColor stripColour(const COnlineStatusUpdater& updater)
{
    return updater.OnlineStrip()->pixmap().toImage().pixelColor(0, 0);
}

} // namespace

class StartupStripTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_peer.IsOpen());
        m_settings.ports["COM1"] = m_peer.SlavePath();
        SetSettingsStore(&m_settings);
        ControlMode::ForgetForTest();
        CommLink::Instance().ReloadSettingsForTest();
        CommLink::Instance().SetModelCheck([] { return CheckCameraModel(CameraModel::Instance()); });
        COnlineStatusNotifier::Instance().SetOffline();
    }

    void cleanup()
    {
        CommLink::Instance().Close();
        SetSettingsStore(nullptr);
    }

    void answeringCameraTurnsTheStripGreen()
    {
        ScopedRecordingNotice notices;
        CCtrlToolDlg window;
        QCOMPARE(stripColour(window), QColor(255, 0, 0));

        std::string first;
        std::thread camera([&] {
            first = m_peer.ReadUntil('\n', 5000);
            m_peer.Write("MD=KT-5200W-QBCL\r\n");
        });
        window.Initialize();
        camera.join();
        QCOMPARE(window.Connected(), 1);
        QCOMPARE(QString::fromStdString(first), QStringLiteral("MD?\r\n"));
        QCOMPARE(stripColour(window), QColor(0, 128, 0));
        QCOMPARE(int(CameraModel::Instance().modelType), 1);
        QVERIFY(notices.recorder.messages.empty());
    }

    void silentCameraLeavesItRed()
    {
        ScopedRecordingNotice notices;
        CCtrlToolDlg window;
        COnlineStatusNotifier::Instance().SetOnline();
        window.Initialize(); // the port opens, nobody answers MD
        QCOMPARE(window.Connected(), 0);
        QCOMPARE(stripColour(window), QColor(255, 0, 0));
        QCOMPARE(QString::fromStdString(m_peer.ReadUntil('\n', 5000)), QStringLiteral("MD?\r\n"));
    }

private:
    PtyPeer m_peer;
    MemorySettings m_settings;
};

QTEST_MAIN(StartupStripTest)
#include "startup_strip_test.moc"
