// The communication dialog as the main window owns it, against the simulated camera: built
// and shown during start-up without sending anything of its own, shown again from the Help
// menu, adapted to the Control Mode, and a port change made in it that reopens the link,
// asks for the model once and reads the camera again.
#include "CCommunicationDialog.h"
#include "E2eTool.h"
#include "LineListModel.h"

#include <QLabel>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

class CommunicationE2eTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_tool = std::make_unique<E2eTool>();
        // This run starts after a killed one that had chosen a Camera Link mode; the same
        // camera is also behind a second port name.
        m_tool->configure = [](MemorySettings& settings) {
            settings.ints[kShutdownStatus] = 0;
            settings.ints[kCommunicationMode] = 2;
            settings.ports["COM2"] = settings.ports["COM1"];
        };
    }

    void cleanup() { m_tool.reset(); }

    void startUpAsksForTheModelFirstAndShowsTheDialog()
    {
        // The killed run's Camera Link mode is set aside before the link opens.
        start();
        QCOMPARE(CommLink::Instance().GetMode(), 0u);
        QCOMPARE(m_tool->window->Connected(), 1);
        const Lines rx = m_tool->sim.Received();
        QVERIFY(!rx.empty());
        // Building, filling and showing the dialog sent nothing before the start-up check.
        QCOMPARE(QString::fromStdString(rx.front()), QString("MD?"));
        QVERIFY(Count(rx, "PE?") >= 1); // and the camera was read

        QVERIFY(dialog()->isVisible());
        QCOMPARE(list(1011)->currentText(), QString("Com Port"));
        QCOMPARE(list(1005)->currentText(), QString("COM1"));
        QCOMPARE(label(1155)->text(), QString("Online"));
        // The dialog's message list carries the traffic, newest on top.
        const LineListModel& messages = dialog()->Messages();
        QVERIFY(messages.count() > 0);
        QCOMPARE(messages.lineAt(messages.count() - 1), QString("MD?"));
        QVERIFY(m_tool->notices.recorder.messages.empty());

        // Its close box only hides it; the Help menu shows it again without reinitialising it
        // or talking to the camera.
        dialog()->close();
        QVERIFY(!dialog()->isVisible());
        QAction* open = m_tool->window->MenuAction(MenuCommand::CommunicationDialog);
        QCOMPARE(open->text(), QString("&Open Communication Dialog"));
        const int lines = messages.count();
        m_tool->sim.ClearLog();
        open->trigger();
        QVERIFY(dialog()->isVisible());
        QCOMPARE(messages.count(), lines);
        QVERIFY(m_tool->sim.Received().empty());

        // The baud-rate controls are for the factory Control Mode only.
        QVERIFY(list(1030)->isHidden() && label(1018)->isHidden());
        m_tool->window->ToggleControlMode();
        QVERIFY(!list(1030)->isHidden() && list(1030)->isEnabled() && !label(1018)->isHidden());
        m_tool->window->ToggleControlMode();
        QVERIFY(list(1030)->isHidden());
    }

    void portChangeReopensChecksTheModelOnceAndReloads()
    {
        start();
        m_tool->sim.ClearLog();
        QComboBox* ports = list(1005);
        ports->setFocus();
        QTest::keyClick(ports, Qt::Key_Down); // a person's choice: COM2

        QCOMPARE(ports->currentText(), QString("COM2"));
        QCOMPARE(CommLink::Instance().SelectedPort(), 1u);
        const Lines rx = m_tool->sim.Received();
        QVERIFY(!rx.empty());
        QCOMPARE(QString::fromStdString(rx.front()), QString("MD?"));
        QCOMPARE(Count(rx, "MD?"), size_t(1));
        // The reload read the camera again, and the window counts as connected.
        QVERIFY(Count(rx, "PE?") >= 1);
        QCOMPARE(m_tool->window->Connected(), 1);
        QVERIFY(m_tool->notices.recorder.messages.empty());
        QCOMPARE(CameraModel::Instance().modelType, 0u);
    }

    void portChangeWithoutCameraDoesNotReload()
    {
        QTemporaryDir empty;
        m_tool->configure = [&empty](MemorySettings& settings) {
            settings.ports["COM2"] = empty.filePath("no-such-device").toStdString();
        };
        start();
        m_tool->sim.ClearLog();
        QComboBox* ports = list(1005);
        ports->setFocus();
        QTest::keyClick(ports, Qt::Key_Down);

        // Nothing reached the camera, so there was no answer and no reload; the list keeps
        // the person's choice.
        QVERIFY(m_tool->sim.Received().empty());
        QCOMPARE(ports->currentText(), QString("COM2"));
        QCOMPARE(CommLink::Instance().SelectedPort(), 1u);
        const auto& messages = m_tool->notices.recorder.messages;
        QVERIFY(std::any_of(messages.begin(), messages.end(),
                            [](const auto& m) { return m.text == "Failed to Com Port!"; }));
    }

private:
    void start()
    {
        const Lines args = {"--model", "KT-5100W-QBCL"};
        QVERIFY(m_tool->Start(&args, 0));
    }
    CCommunicationDialog* dialog() const { return m_tool->window->CommunicationDialog(); }
    QComboBox* list(int id) const { return dialog()->findChild<QComboBox*>(QStringLiteral("ctrl_%1").arg(id)); }
    QLabel* label(int id) const { return dialog()->findChild<QLabel*>(QStringLiteral("ctrl_%1").arg(id)); }

    std::unique_ptr<E2eTool> m_tool;
};

QTEST_MAIN(CommunicationE2eTest)
#include "communication_e2e_test.moc"
