// The communication dialog driven through its real widgets, with the camera's end of the
// serial line on pseudo-terminals reached through the port map.
#include "CommLink.h"
#include "CommunicationWindow.h"
#include "ControlMode.h"
#include "LineListModel.h"
#include "LinkEvents.h"
#include "OnlineStatusNotifier.h"
#include "ProgressBarWindow.h"
#include "PtyCamera.h"
#include "Ser2netProcess.h"
#include "SerialDevices.h"
#include "SettingsStore.h"
#include "UserNotice.h"
#include "WindowCamera.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>


namespace {

// Records the message of every progress window that is shown.
class ProgressWatch : public QObject {
public:
    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && ProgressBarWindow::Instance().Window() == watched)
            messages << ProgressBarWindow::Instance().Message();
        return false;
    }
    QStringList messages;
};

template <typename W>
W* control(QWidget& dialog, int id)
{
    return dialog.findChild<W*>(QStringLiteral("ctrl_%1").arg(id));
}

using Lines = std::vector<std::string>;

// Runs steps on the network port window once it is open (it is modal); a window the steps left
// open (a failed check) is cancelled so that the test goes on.
void whenNetworkPortEditorOpens(std::function<void(QDialog&)> steps)
{
    QTimer::singleShot(0, [steps] {
        auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(editor);
        QCOMPARE(editor->objectName(), QStringLiteral("networkPortEditor"));
        steps(*editor);
        if (editor->isVisible())
            editor->reject();
    });
}

QLineEdit* field(QDialog& editor, const char* name)
{
    return editor.findChild<QLineEdit*>(QString::fromLatin1(name));
}

} // namespace

class CommunicationDialogTest : public QObject {
    Q_OBJECT

    MemorySettings m_settings;
    std::unique_ptr<ScopedRecordingNotice> m_notice;
    std::unique_ptr<QTemporaryDir> m_dir;

    // The dialog on the link opened to COM1, which the peer answers.
    void openOnPty(PtyPeer& peer, CommunicationWindow& dialog)
    {
        m_settings.ports["COM1"] = peer.SlavePath();
        dialog.Initialize();
        QCOMPARE(WindowCamera::Get().Link().Open(0, 9600, 0), 1);
    }

    // A camera as a fresh run sees it, whose online state the strips follow, as the main
    // window has it.
    void freshCamera()
    {
        OnlineStatusNotifier::Instance().Follow(&WindowCamera::Fresh().Events());
    }

private slots:
    void init()
    {
        m_settings = MemorySettings();
        SetSettingsStore(&m_settings);
        m_notice = std::make_unique<ScopedRecordingNotice>();
        m_dir = std::make_unique<QTemporaryDir>();
        // Every port leads nowhere unless the test maps one.
        for (int n = 1; n <= 32; ++n)
            m_settings.ports["COM" + std::to_string(n)] = m_dir->filePath(QStringLiteral("no-such-device")).toStdString();
        ControlMode::ForgetForTest();
        freshCamera();
    }

    void cleanup()
    {
        OnlineStatusNotifier::Instance().Follow(nullptr);
        WindowCamera::Get().Link().Close();
        m_notice.reset();
        SetSettingsStore(nullptr);
    }

    // The stored port and rate are selected; "Store" waits for a user set, also after a
    // Control Mode change; the setting-file buttons wait for their commands; the area group is
    // there but never shown.
    void initialisationSelectsStoredSettings()
    {
        m_settings.ints[kComPortNo] = 6;
        m_settings.ints[kBaudrate] = 57600;
        WindowCamera::Get().Link().ReloadSettingsForTest();
        CommunicationWindow dialog(WindowCamera::Get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(control<QComboBox>(dialog, 1011)->currentIndex(), 0);
        QCOMPARE(control<QComboBox>(dialog, 1005)->currentText(), QStringLiteral("COM7"));
        QCOMPARE(control<QComboBox>(dialog, 1030)->currentText(), QStringLiteral("57600bps"));
        QCOMPARE(control<QLabel>(dialog, 1155)->text(), QStringLiteral("Offline"));
        auto* sets = control<QComboBox>(dialog, 1029);
        auto* store = control<QPushButton>(dialog, 1168);
        QCOMPARE(sets->currentText(), QStringLiteral("UserSet1"));
        QVERIFY(store->isEnabled());
        for (int selection : {0, 2, 0, 3, 1}) {
            sets->setCurrentIndex(selection);
            emit sets->activated(selection);
            QCOMPARE(store->isEnabled(), selection != 0);
        }
        sets->setCurrentIndex(0);
        dialog.UpdateForControlMode();
        QVERIFY(!store->isEnabled());

        auto* write = control<QPushButton>(dialog, 1164);
        QVERIFY(!write->isEnabled() && !control<QPushButton>(dialog, 1165)->isEnabled());
        QVERIFY(!control<QPushButton>(dialog, 1166)->isVisible() && !control<QPushButton>(dialog, 1166)->isEnabled());
        QVERIFY(!control<QLabel>(dialog, 1167)->isVisible());
        QSignalSpy saves(&dialog, &CommunicationWindow::saveSettingFileRequested);
        QSignalSpy loads(&dialog, &CommunicationWindow::loadSettingFileRequested);
        dialog.EnableSettingFileCommands(true);
        QVERIFY(write->isEnabled() && control<QPushButton>(dialog, 1165)->isEnabled());
        QTest::mouseClick(write, Qt::LeftButton);
        QCOMPARE(saves.count(), 1);
        QCOMPARE(loads.count(), 0);
    }

    // "Store" sends SA with the list position under the progress window; "Load" on Default
    // asks, then sends LD=0 and reads the camera again, unless the camera refuses it; the
    // nameless area query is never sent.
    void storeAndLoadTheUserSets()
    {
        PtyPeer peer;
        CommunicationWindow dialog(WindowCamera::Get());
        openOnPty(peer, dialog);
        ProgressBarWindow::Instance().SetClosePause(0);
        QSignalSpy reloads(&dialog, &CommunicationWindow::reloadRequested);
        auto* sets = control<QComboBox>(dialog, 1029);
        sets->setCurrentIndex(2);
        emit sets->activated(2);
        {
            ProgressWatch watch;
            PtyCamera camera(peer);
            QTest::mouseClick(control<QPushButton>(dialog, 1168), Qt::LeftButton);
            QCOMPARE(camera.lines(), Lines{"SA=2\r\n"});
            QCOMPARE(watch.messages, QStringList{QStringLiteral("Now, Storing camera data.")});
        }
        QVERIFY(!ProgressBarWindow::Instance().IsVisible());
        QVERIFY(dialog.isEnabled());
        QCOMPARE(m_notice->recorder.messages.size(), size_t(1));
        QCOMPARE(m_notice->recorder.messages[0].text, std::string("Completed to store current setting data!"));
        QCOMPARE(m_notice->recorder.messages[0].icon, NoticeIcon::Information);
        // Both directions are in the message list, newest on top.
        QCOMPARE(dialog.Messages().lineAt(0), QStringLiteral("COMPLETE"));
        QCOMPARE(dialog.Messages().lineAt(1), QStringLiteral("SA=2"));
        QCOMPARE(reloads.count(), 0);

        sets->setCurrentIndex(0);
        emit sets->activated(0);
        PtyCamera camera(peer);
        // The load asks first: No sends nothing.
        m_notice->recorder.answers = {false, true, true};
        QTest::mouseClick(control<QPushButton>(dialog, 1169), Qt::LeftButton);
        QCOMPARE(m_notice->recorder.questions,
                 std::vector<std::string>{"Replace the camera's current settings with the settings stored in \"Default\"?"});
        QCOMPARE(camera.lines(), Lines{});
        QTest::mouseClick(control<QPushButton>(dialog, 1169), Qt::LeftButton);
        QCOMPARE(camera.lines(), Lines{"LD=0\r\n"});
        QCOMPARE(reloads.count(), 1);
        camera.refuseSet("LD", "ERROR");
        QTest::mouseClick(control<QPushButton>(dialog, 1169), Qt::LeftButton);
        QCOMPARE(camera.lines().size(), size_t(2));
        QCOMPARE(reloads.count(), 1);

        camera.clearLines();
        dialog.GetArea();
        QCOMPARE(control<QLabel>(dialog, 1167)->text(), QStringLiteral("Unkown"));
        QCOMPARE(camera.lines(), Lines{});
    }

    // Without a camera the search tries all 32 ports quietly, then says in one box what it
    // tried, goes offline and keeps the port it had; with one it stops there, goes online and
    // reads the camera, and never reaches a port after it.
    void portSearch()
    {
        PtyPeer silent; // opens, but nothing answers: costs the model query's time-out
        m_settings.ports["COM32"] = silent.SlavePath();
        m_settings.ints[kComPortNo] = 4;
        WindowCamera::Get().Link().ReloadSettingsForTest();
        CommunicationWindow dialog(WindowCamera::Get());
        dialog.Initialize();
        QSignalSpy reloads(&dialog, &CommunicationWindow::reloadRequested);
        OnlineStatusNotifier::Instance().SetOnline();
        m_notice->recorder.Clear();

        QCOMPARE(dialog.SearchPorts(), -1);
        QCOMPARE(silent.Read(5, 100), std::string("MD?\r\n"));
        const auto& messages = m_notice->recorder.messages;
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages.back().text,
                 std::string("No answer from Camera! (Timeout error)\nCheck power on Camera or serial cable connection."
                             "\n\nNo camera answered on COM1\u2013COM32: 1 port present, none answered."));
        QCOMPARE(messages.back().caption, std::string("Communication Error"));
        QCOMPARE(messages.back().icon, NoticeIcon::Exclamation);
        QVERIFY(!OnlineStatusNotifier::Instance().IsOnline());
        QCOMPARE(control<QLabel>(dialog, 1155)->text(), QStringLiteral("Offline"));
        QCOMPARE(reloads.count(), 0);
        // No port that failed is kept as the one to use next time.
        QCOMPARE(WindowCamera::Get().Link().SelectedPort(), 4u);
        QCOMPARE(control<QComboBox>(dialog, 1005)->currentText(), QStringLiteral("COM5"));
        WindowCamera::Get().Link().SaveSettings();
        QCOMPARE(m_settings.ints[kComPortNo], 4u);

        PtyPeer camera;
        PtyPeer beyond; // a second camera after it must never be reached
        m_settings.ports["COM20"] = camera.SlavePath();
        m_settings.ports["COM21"] = beyond.SlavePath();
        WindowCamera::Get().Link().ReloadSettingsForTest();
        m_notice->recorder.Clear();
        int found = -2;
        {
            PtyCamera answering(camera);
            answering.setValue("MD", "KT-5100W-QBCL");
            found = dialog.SearchPorts();
            QCOMPARE(answering.lines(), Lines{"MD?\r\n"});
        }
        QCOMPARE(found, 19);
        QCOMPARE(WindowCamera::Get().Link().SelectedPort(), 19u);
        QCOMPARE(control<QComboBox>(dialog, 1005)->currentText(), QStringLiteral("COM20"));
        QVERIFY(OnlineStatusNotifier::Instance().IsOnline());
        QCOMPARE(control<QLabel>(dialog, 1155)->text(), QStringLiteral("Online"));
        QCOMPARE(reloads.count(), 1);
        QCOMPARE(beyond.Read(1, 50), std::string());
        // The ports before COM20 that could not be opened told nothing.
        QVERIFY(messages.empty());
    }

    // Each COM name shows what it leads to as a Linux user knows serial devices: the device node
    // and its stable name under /dev/serial/by-id (here a folder of the test's own); a port
    // mapped to a bare stable name opens; an unmapped COM n leads to /dev/ttyS(n-1).
    void eachComNameShowsItsDeviceAndItsStableName()
    {
        QTemporaryDir byId;
        SetSerialByIdFolder(byId.path().toStdString());
        PtyPeer adapter; // a USB adapter with a stable name
        PtyPeer onboard; // a port without one
        const QString adapterPath = QString::fromStdString(adapter.SlavePath());
        const QString stableName = QStringLiteral("usb-Lumora_Test_Adapter_0001-if00-port0");
        const QString stable = byId.filePath(stableName);
        QVERIFY(QFile::link(adapterPath, stable));
        const QString gone = byId.filePath(QStringLiteral("usb-Unplugged-if00-port0"));

        m_settings.ports["COM1"] = adapter.SlavePath(); // by its node: the stable name is found
        m_settings.ports["COM2"] = stableName.toStdString(); // by the bare stable name
        m_settings.ports["COM3"] = onboard.SlavePath();
        m_settings.ports["COM4"] = gone.toStdString();
        m_settings.ports.erase("COM6");
        m_settings.ints[kComPortNo] = 1;
        WindowCamera::Get().Link().ReloadSettingsForTest();

        {
            CommunicationWindow dialog(WindowCamera::Get());
            dialog.Initialize();
            auto* ports = dialog.findChild<QComboBox*>(QStringLiteral("ctrl_1005"));
            const QString both = adapterPath + " (" + stable + ")";
            const QStringList shown{both, both, QString::fromStdString(onboard.SlavePath()), gone + " (not present)"};
            for (int i = 0; i < shown.size(); ++i) {
                QCOMPARE(ports->itemText(i), QStringLiteral("COM%1").arg(i + 1));
                QCOMPARE(ports->itemData(i, Qt::ToolTipRole).toString(), shown[i]);
            }
            QCOMPARE(dialog.PortDeviceText(), adapterPath);
            QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("portStableName"))->toolTip(), stable);
            ports->setCurrentIndex(5);
            QCOMPARE(dialog.PortDeviceText(), QStringLiteral("/dev/ttyS5"));

            QSignalSpy changes(&dialog, &CommunicationWindow::linkChanged);
            emit ports->activated(1);
            QCOMPARE(changes.count(), 1);
            QCOMPARE(changes.at(0).at(0).toInt(), 1);

            // Mapping COM6 to a device through the list below the ports: the devices present
            // by their stable names (a link whose device is gone is no device), then "Other
            // path…". The choice is stored and the port opens it at once.
            ports->setCurrentIndex(5);
            emit ports->activated(5);
            adapter.Read(64, 50); // the model query of the change to COM2, which nobody answered
            dialog.show();
            auto* devices = dialog.findChild<QComboBox*>(QStringLiteral("deviceChooser"));
            QVERIFY(devices->isVisible());
            const int adapterItem = devices->findData(stable);
            QVERIFY(adapterItem >= 0);
            QCOMPARE(devices->itemText(adapterItem), stableName);
            QCOMPARE(devices->findText(QStringLiteral("usb-Unplugged-if00-port0"), Qt::MatchStartsWith), -1);
            QCOMPARE(devices->itemText(devices->count() - 1), QStringLiteral("Other path\u2026"));
            QSignalSpy reloads(&dialog, &CommunicationWindow::reloadRequested);
            m_notice->recorder.Clear();
            {
                PtyCamera camera(adapter);
                camera.setValue("MD", "KT-5100W-QBCL");
                devices->setFocus();
                while (devices->currentIndex() != adapterItem)
                    QTest::keyClick(devices, devices->currentIndex() < adapterItem ? Qt::Key_Down : Qt::Key_Up);
                QCOMPARE(camera.lines(), Lines{"MD?\r\n"});
            }
            QCOMPARE(m_settings.ports["COM6"], stable.toStdString());
            QCOMPARE(WindowCamera::Get().Link().SelectedPort(), 5u);
            QCOMPARE(dialog.PortDeviceText(), adapterPath);
            QCOMPARE(ports->itemData(5, Qt::ToolTipRole).toString(), both);
            QCOMPARE(reloads.count(), 1);
            QVERIFY(m_notice->recorder.messages.empty());

            // Any other device is chosen in a file dialog.
            m_notice->recorder.fileNames = {onboard.SlavePath()};
            QTest::keyClick(devices, Qt::Key_End);
            QCOMPARE(m_settings.ports["COM6"], onboard.SlavePath());
            QCOMPARE(dialog.PortDeviceText(), QString::fromStdString(onboard.SlavePath()));
            QCOMPARE(devices->currentText(), QString::fromStdString(onboard.SlavePath()));
        }
        SetSerialByIdFolder("/dev/serial/by-id");
    }

    // A COM name mapped to a serial port on the network shows its address like a device that is
    // there. "Network port…" in the device list adds one: nothing is stored while host or port
    // number make no address; a good one is stored, shown and opened at once (here through
    // ser2net, to a camera on a pty); choosing it again starts from the entry in use.
    void networkPortsAreAddedAndEditedInTheDeviceList()
    {
        if (Ser2netProcess::Program().empty())
            QSKIP("ser2net is not installed (scripts/setup installs it)");
        PtyPeer peer;
        Ser2netProcess server;
        QVERIFY2(server.Start(peer.SlavePath()), server.Error().c_str());
        const std::string remote = "rfc2217://line7-pc:4001";
        m_settings.ports["COM5"] = remote;
        m_settings.ints[kComPortNo] = 5;
        WindowCamera::Get().Link().ReloadSettingsForTest();
        const std::string unmapped = m_settings.ports["COM6"];

        CommunicationWindow dialog(WindowCamera::Get());
        dialog.show();
        auto* ports = control<QComboBox>(dialog, 1005);
        auto* devices = dialog.findChild<QComboBox*>(QStringLiteral("deviceChooser"));
        QCOMPARE(ports->itemData(4, Qt::ToolTipRole).toString(), QString::fromStdString(remote));
        ports->setCurrentIndex(4);
        QCOMPARE(dialog.PortDeviceText(), QString::fromStdString(remote));
        QCOMPARE(devices->currentText(), QString::fromStdString(remote));
        ports->setCurrentIndex(5);
        QVERIFY(devices->findText(QStringLiteral("Network port\u2026")) == devices->currentIndex() + 1);
        devices->setFocus();

        // Cancelled: nothing stored, the list shows the entry in use again.
        whenNetworkPortEditorOpens([](QDialog& editor) {
            QCOMPARE(field(editor, "networkHost")->text(), QString());
            QCOMPARE(field(editor, "networkPortNumber")->text(), QString());
            QTest::keyClicks(field(editor, "networkHost"), QStringLiteral("line7-pc"));
            QTest::keyClick(field(editor, "networkHost"), Qt::Key_Escape);
            QVERIFY(!editor.isVisible());
        });
        QTest::keyClick(devices, Qt::Key_Down);
        QCOMPARE(m_settings.ports["COM6"], unmapped);
        QCOMPARE(devices->currentText(), QString::fromStdString(unmapped) + QStringLiteral(" (not present)"));

        const std::string telnet = server.TelnetAddress();
        const std::string raw = server.RawAddress();
        const QString telnetPort = QString::fromStdString(telnet.substr(telnet.rfind(':') + 1));
        const QString rawPort = QString::fromStdString(raw.substr(raw.rfind(':') + 1));
        QSignalSpy reloads(&dialog, &CommunicationWindow::reloadRequested);
        m_notice->recorder.Clear();
        PtyCamera camera(peer);
        camera.setValue("MD", "KT-5100W-QBCL");
        whenNetworkPortEditorOpens([this, unmapped, telnetPort](QDialog& editor) {
            QLineEdit* host = field(editor, "networkHost");
            QLineEdit* port = field(editor, "networkPortNumber");
            auto* problem = editor.findChild<QLabel*>(QStringLiteral("networkPortProblem"));
            const struct {
                const char* host;
                const char* port;
                QLineEdit* wrong;
            } refused[] = {{"", "4001", host},        {"line 7", "4001", host},       {"tcp://line7-pc", "4001", host},
                           {"line7-pc:4001", "", host}, {"line7/pc", "4001", host},     {"line7-pc", "", port},
                           {"line7-pc", "0", port},     {"line7-pc", "65536", port},    {"line7-pc", "4O01", port}};
            for (const auto& row : refused) {
                host->clear();
                port->clear();
                QTest::keyClicks(host, QString::fromLatin1(row.host));
                QTest::keyClicks(port, QString::fromLatin1(row.port));
                QTest::keyClick(port, Qt::Key_Return);
                QVERIFY2(editor.isVisible(), row.host);
                QVERIFY2(problem->isVisible() && !problem->text().isEmpty(), row.host);
                QVERIFY2(editor.focusWidget() == row.wrong, row.port);
                QCOMPARE(m_settings.ports["COM6"], unmapped);
            }
            host->clear();
            port->clear();
            QTest::keyClicks(host, QStringLiteral("127.0.0.1"));
            QTest::keyClicks(port, telnetPort);
            QTest::keyClick(port, Qt::Key_Return);
            QVERIFY(!editor.isVisible());
        });
        QTest::keyClick(devices, Qt::Key_Down);
        QCOMPARE(m_settings.ports["COM6"], telnet);
        QCOMPARE(ports->itemData(5, Qt::ToolTipRole).toString(), QString::fromStdString(telnet));
        QCOMPARE(dialog.PortDeviceText(), QString::fromStdString(telnet));
        QCOMPARE(devices->currentText(), QString::fromStdString(telnet));
        QCOMPARE(camera.lines(), Lines{"MD?\r\n"});
        QCOMPARE(reloads.count(), 1);
        QVERIFY(m_notice->recorder.messages.empty());

        // Edited: the window starts from the address in use; raw TCP on the other port. (Whether
        // ser2net has let the device go by the time the port opens again is its own affair.)
        whenNetworkPortEditorOpens([telnetPort, rawPort](QDialog& editor) {
            auto* protocol = editor.findChild<QComboBox*>(QStringLiteral("networkProtocol"));
            QLineEdit* port = field(editor, "networkPortNumber");
            QCOMPARE(protocol->currentIndex(), 0);
            QCOMPARE(field(editor, "networkHost")->text(), QStringLiteral("127.0.0.1"));
            QCOMPARE(port->text(), telnetPort);
            QTest::keyClick(protocol, Qt::Key_Down);
            port->selectAll();
            QTest::keyClicks(port, rawPort);
            QTest::keyClick(port, Qt::Key_Return);
            QVERIFY(!editor.isVisible());
        });
        QTest::keyClick(devices, Qt::Key_Down);
        QCOMPARE(m_settings.ports["COM6"], raw);
        QCOMPARE(devices->currentText(), QString::fromStdString(raw));
    }

    // The list keeps the newest 4096 lines and saves them oldest first; an existing file is
    // replaced only on Yes, and a folder in the way is reported without a success line.
    void messageListKeepsNewest4096AndSavesOldestFirst()
    {
        CommunicationWindow dialog(WindowCamera::Get());
        dialog.Initialize();
        for (int i = 1; i <= 4097; ++i)
            WindowCamera::Get().Events().LogReceived("R" + std::to_string(i));
        QCOMPARE(dialog.Messages().count(), 4096);
        QCOMPARE(dialog.Messages().lineAt(0), QStringLiteral("R4097"));
        QCOMPARE(dialog.Messages().lineAt(4095), QStringLiteral("R2"));

        const QString chosen = m_dir->filePath(QStringLiteral("messages"));
        m_notice->recorder.fileNames = {chosen.toStdString()};
        QTest::mouseClick(control<QPushButton>(dialog, 1171), Qt::LeftButton);
        QFile file(chosen + QStringLiteral(".txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        file.close();
        const QList<QByteArray> lines = saved.split('\n');
        QCOMPARE(lines.size(), 4097);
        QCOMPARE(lines.first(), QByteArray("R2"));
        QCOMPARE(lines[4095], QByteArray("R4097"));
        QCOMPARE(lines.last(), QByteArray());
        QCOMPARE(dialog.Messages().lineAt(0), QStringLiteral("Writing file has been done!"));
        std::string folder;
        QCOMPARE(m_settings.ReadPath(kCommandLogFilePath, folder), 1);
        QCOMPARE(QString::fromStdString(folder), m_dir->path());
        QVERIFY(m_notice->recorder.questions.empty());

        dialog.AddMessage(std::string("GA=10"));
        m_notice->recorder.fileNames = {file.fileName().toStdString()};
        dialog.SaveMessages(); // No to replacing
        QCOMPARE(m_notice->recorder.questions.size(), size_t(1));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
        QCOMPARE(dialog.Messages().lineAt(0), QStringLiteral("GA=10"));
        const QString blocked = m_dir->filePath(QStringLiteral("folder.txt"));
        QVERIFY(QDir().mkpath(blocked));
        m_notice->recorder.fileNames = {blocked.toStdString()};
        m_notice->recorder.answers = {true};
        m_notice->recorder.Clear();
        dialog.SaveMessages();
        QCOMPARE(m_notice->recorder.messages.size(), size_t(1));
        QVERIFY(m_notice->recorder.messages[0].text.rfind("File open error !", 0) == 0);
        QCOMPARE(m_notice->recorder.messages[0].icon, NoticeIcon::Error);
        QCOMPARE(dialog.Messages().lineAt(0), QStringLiteral("GA=10")); // no success line

        QTest::mouseClick(control<QPushButton>(dialog, 1172), Qt::LeftButton);
        QCOMPARE(dialog.Messages().count(), 0);
    }

    // A link that came up before the window shows at once; the icon follows the state too.
    void onlineStateShowsInLineStatus()
    {
        OnlineStatusNotifier::Instance().SetOnline();
        CommunicationWindow dialog(WindowCamera::Get());
        dialog.Initialize();
        auto* icon = control<QLabel>(dialog, 1163);
        QCOMPARE(control<QLabel>(dialog, 1155)->text(), QStringLiteral("Online"));
        const QImage onlineIcon = icon->pixmap().toImage();
        OnlineStatusNotifier::Instance().SetOffline();
        QCOMPARE(control<QLabel>(dialog, 1155)->text(), QStringLiteral("Offline"));
        QVERIFY(icon->pixmap().toImage() != onlineIcon);
    }
};

QTEST_MAIN(CommunicationDialogTest)
#include "commdlg_dialog_test.moc"
