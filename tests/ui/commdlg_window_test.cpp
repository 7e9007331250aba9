// The communication dialog as the main window owns it, against the simulated camera: built
// and shown during start-up without sending anything of its own, shown again from the Help
// menu, adapted to the Control Mode, and a port change made in it that reopens the link,
// asks for the model once and reads the camera again.
#include "AppSettings.h"
#include "CCommunicationDialog.h"
#include "CCtrlToolDlg.h"
#include "CamSimProcess.h"
#include "CameraModel.h"
#include "CommLink.h"
#include "ControlMode.h"
#include "LineListModel.h"
#include "MainWindowFeatures.h"
#include "ParameterTable.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

using Lines = std::vector<std::string>;

int CountOf(const Lines& lines, const std::string& line)
{
    return int(std::count(lines.begin(), lines.end(), line));
}

} // namespace

class CommunicationInWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // This process starts after a killed run that had chosen a Camera Link mode: the
        // program's settings file says so, and it is read once, by the dialog's construction.
        qputenv("XDG_CONFIG_HOME", m_configHome.path().toLocal8Bit());
        QSettings file(QString::fromStdString(AppSettings::FilePath()), QSettings::NativeFormat);
        file.setValue(QString::fromStdString(AppSettings::ValueName(kShutdownStatus)), 0);
        file.sync();
        QVERIFY(m_sim.Start({"--model", "KT-5100W-QBCL"}));
    }

    void init()
    {
        m_settings = MemorySettings();
        m_settings.ints[kShutdownStatus] = 0;
        m_settings.ints[kCommunicationMode] = 2; // what the killed run had chosen
        m_settings.ints[kComPortNo] = 0;
        m_settings.ints[kBaudrate] = 9600;
        m_settings.ints[kControlMode] = 0;
        m_settings.ports["COM1"] = m_sim.DevicePath();
        m_settings.ports["COM2"] = m_sim.DevicePath(); // the same camera behind a second name
        SetSettingsStore(&m_settings);
        ControlMode::ForgetForTest();
        CommLink::Instance().ReloadSettingsForTest();
        ParameterTable::Instance().Reset();
        CameraModel::Instance() = CameraModel();
        m_notice = std::make_unique<ScopedRecordingNotice>();
        m_sim.ClearLog();
        m_window = std::make_unique<CCtrlToolDlg>();
        m_features = std::make_unique<CMainWindowFeatures>(*m_window);
    }

    void cleanup()
    {
        m_features.reset();
        m_window.reset();
        CommLink::Instance().Close();
        m_notice.reset();
        SetSettingsStore(nullptr);
    }

    void startUpAsksForTheModelFirstAndShowsTheDialog()
    {
        // Built with the window: the killed run's Camera Link mode is already set aside.
        QVERIFY(dialog());
        QCOMPARE(CommLink::Instance().GetMode(), 0u);
        QVERIFY(!dialog()->isVisible());

        m_window->show();
        QCOMPARE(m_window->Connected(), 1);
        const Lines rx = m_sim.Received();
        QVERIFY(!rx.empty());
        // Building, filling and showing the dialog sent nothing before the start-up check.
        QCOMPARE(QString::fromStdString(rx.front()), QString("MD?"));
        QVERIFY(CountOf(rx, "PE?") >= 1); // and the camera was read

        QVERIFY(dialog()->isVisible());
        QCOMPARE(list(1011)->currentText(), QString("Com Port"));
        QCOMPARE(list(1005)->currentText(), QString("COM1"));
        QCOMPARE(label(1155)->text(), QString("Online"));
        // The dialog's message list carries the traffic, newest on top.
        const LineListModel& messages = dialog()->Messages();
        QVERIFY(messages.count() > 0);
        QCOMPARE(messages.lineAt(messages.count() - 1), QString("MD?"));
        QVERIFY(m_notice->recorder.messages.empty());
    }

    void helpMenuShowsTheDialogAgain()
    {
        m_window->show();
        QVERIFY(dialog()->isVisible());
        dialog()->close(); // its close box only hides it
        QVERIFY(!dialog()->isVisible());
        QAction* open = m_window->MenuAction(CCtrlToolDlg::kCmdCommunicationDialog);
        QVERIFY(open);
        QCOMPARE(open->text(), QString("&Open Communication Dialog"));
        QVERIFY(open->isEnabled());
        const int lines = dialog()->Messages().count();
        open->trigger();
        QVERIFY(dialog()->isVisible());
        // Showing it again neither reinitialises it nor talks to the camera.
        QCOMPARE(dialog()->Messages().count(), lines);
        QCOMPARE(list(1005)->currentText(), QString("COM1"));
    }

    void baudRateControlsFollowTheControlMode()
    {
        m_window->show();
        QVERIFY(list(1030)->isHidden());
        QVERIFY(label(1018)->isHidden());
        m_window->ToggleControlMode();
        QVERIFY(!list(1030)->isHidden());
        QVERIFY(list(1030)->isEnabled());
        QVERIFY(!label(1018)->isHidden());
        m_window->ToggleControlMode();
        QVERIFY(list(1030)->isHidden());
    }

    void portChangeReopensChecksTheModelOnceAndReloads()
    {
        m_window->show();
        QCOMPARE(m_window->Connected(), 1);
        m_sim.ClearLog();
        QComboBox* ports = list(1005);
        ports->setFocus();
        QTest::keyClick(ports, Qt::Key_Down); // a person's choice: COM2

        QCOMPARE(ports->currentText(), QString("COM2"));
        QCOMPARE(CommLink::Instance().SelectedPort(), 1u);
        const Lines rx = m_sim.Received();
        QVERIFY(!rx.empty());
        QCOMPARE(QString::fromStdString(rx.front()), QString("MD?"));
        QCOMPARE(CountOf(rx, "MD?"), 1);
        // The reload read the camera again, and the window counts as connected.
        QVERIFY(CountOf(rx, "PE?") >= 1);
        QCOMPARE(m_window->Connected(), 1);
        QVERIFY(m_notice->recorder.messages.empty());
        QCOMPARE(CameraModel::Instance().modelType, 0u);
    }

    void portChangeWithoutCameraDoesNotReload()
    {
        m_settings.ports["COM2"] = m_configHome.filePath("no-such-device").toStdString();
        m_window->show();
        m_sim.ClearLog();
        QComboBox* ports = list(1005);
        ports->setFocus();
        QTest::keyClick(ports, Qt::Key_Down);

        // Nothing reached the camera, so there was no answer and no reload; the list keeps
        // the person's choice.
        QVERIFY(m_sim.Received().empty());
        QCOMPARE(ports->currentText(), QString("COM2"));
        const auto& messages = m_notice->recorder.messages;
        QVERIFY(std::any_of(messages.begin(), messages.end(),
                            [](const auto& m) { return m.text == "Failed to Com Port!"; }));
    }

private:
    CCommunicationDialog* dialog() const { return m_window->CommunicationDialog(); }
    QComboBox* list(int id) const { return dialog()->findChild<QComboBox*>(QStringLiteral("ctrl_%1").arg(id)); }
    QLabel* label(int id) const { return dialog()->findChild<QLabel*>(QStringLiteral("ctrl_%1").arg(id)); }

    QTemporaryDir m_configHome;
    CamSimProcess m_sim;
    MemorySettings m_settings;
    std::unique_ptr<ScopedRecordingNotice> m_notice;
    std::unique_ptr<CCtrlToolDlg> m_window;
    std::unique_ptr<CMainWindowFeatures> m_features;
};

QTEST_MAIN(CommunicationInWindowTest)
#include "commdlg_window_test.moc"
