// The link end to end, against the simulated camera: the communication dialog as the main
// window owns it (built and shown during start-up without sending anything of its own, shown
// again from the Help menu, adapted to the Control Mode, a port change that reopens the link and
// reads the camera again), and a camera that misbehaves: one that falls silent, a line that is
// pulled, answers that are garbage, and a person who cancels. Each time the window must come
// back quickly, say once what happened, and stay usable and closable.
#include "CommunicationWindow.h"
#include "E2eTool.h"
#include "LineListModel.h"
#include "OnlineStatusNotifier.h"
#include "QtUserNotice.h"
#include "Walk.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>


namespace {

std::vector<std::string> Texts(const E2eTool& tool)
{
    std::vector<std::string> texts;
    for (const auto& m : tool.notices.recorder.messages)
        texts.push_back(m.text);
    return texts;
}

QString LineStatus(const E2eTool& tool)
{
    return tool.Communication()->findChild<QLabel*>(QStringLiteral("ctrl_1155"))->text();
}

QString OfflineText(const E2eTool& tool)
{
    return tool.window->OfflineBar()->findChild<QLabel*>(QStringLiteral("offlineText"))->text();
}

// Closes the window as a person does, answering the question with Yes.
bool CloseNormally(E2eTool& tool)
{
    tool.notices.recorder.answers = {true};
    tool.window->close();
    return !tool.window->isVisible();
}

} // namespace

class CommunicationE2eTest : public QObject {
    Q_OBJECT

private slots:
    // This run starts after a killed one that had chosen a Camera Link mode: that mode is set
    // aside before the link opens. COM2 leads to the same camera, COM3 to no device.
    void startUpShowsTheDialogAndAPortChangeReadsTheCameraAgain()
    {
        QTemporaryDir empty;
        E2eTool tool;
        tool.configure = [&empty](MemorySettings& settings) {
            settings.ints[kShutdownStatus] = 0;
            settings.ints[kCommunicationMode] = 2;
            settings.ports["COM2"] = settings.ports["COM1"];
            settings.ports["COM3"] = empty.filePath("no-such-device").toStdString();
        };
        QVERIFY(tool.Start({"--model", "KT-5100W-QBCL"}, 0));
        QCOMPARE(tool.Cam().Link().GetMode(), 0u);
        QCOMPARE(tool.window->Connected(), 1);
        // Building, filling and showing the dialog sent nothing before the start-up check, and
        // the camera was read.
        QVERIFY(StartsWith(tool.sim.Received(), {"MD?"}));
        QVERIFY(Count(tool.sim.Received(), "PE?") >= 1);

        CommunicationWindow* dialog = tool.Communication();
        const auto list = [dialog](int id) { return dialog->findChild<QComboBox*>(QStringLiteral("ctrl_%1").arg(id)); };
        const auto label = [dialog](int id) { return dialog->findChild<QLabel*>(QStringLiteral("ctrl_%1").arg(id)); };
        QVERIFY(dialog->isVisible());
        QCOMPARE(list(1011)->currentText(), QString("Com Port"));
        QCOMPARE(list(1005)->currentText(), QString("COM1"));
        QCOMPARE(label(1155)->text(), QString("Online"));
        // The dialog's message list carries the traffic, newest on top.
        const LineListModel& messages = dialog->Messages();
        QVERIFY(messages.count() > 0);
        QCOMPARE(messages.lineAt(messages.count() - 1), QString("MD?"));
        QVERIFY(tool.notices.recorder.messages.empty());

        // Its close box only hides it; the Help menu shows it again without reinitialising it
        // or talking to the camera.
        dialog->close();
        QVERIFY(!dialog->isVisible());
        QAction* open = tool.window->MenuAction(MenuCommand::CommunicationDialog);
        QCOMPARE(open->text(), QString("&Open Communication Dialog"));
        const int lines = messages.count();
        tool.sim.ClearLog();
        open->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(messages.count(), lines);
        QVERIFY(tool.sim.Received().empty());

        // The baud-rate controls are for the factory Control Mode only.
        QVERIFY(list(1030)->isHidden() && label(1018)->isHidden());
        tool.window->ToggleControlMode();
        QVERIFY(!list(1030)->isHidden() && list(1030)->isEnabled() && !label(1018)->isHidden());
        tool.window->ToggleControlMode();
        QVERIFY(list(1030)->isHidden());

        // A person's choice of the next port reopens the link, checks the model once and reads
        // the camera again.
        QComboBox* ports = list(1005);
        const auto next = [&] {
            tool.Clear();
            ports->setFocus();
            QTest::keyClick(ports, Qt::Key_Down);
        };
        next();
        QCOMPARE(ports->currentText(), QString("COM2"));
        QCOMPARE(tool.Cam().Link().SelectedPort(), 1u);
        const Lines rx = tool.sim.Received();
        QVERIFY(StartsWith(rx, {"MD?"}));
        QCOMPARE(Count(rx, "MD?"), size_t(1));
        QVERIFY(Count(rx, "PE?") >= 1);
        QCOMPARE(tool.window->Connected(), 1);
        QVERIFY(tool.notices.recorder.messages.empty());
        QCOMPARE(tool.Cam().Model().modelType, 0u);

        // Without a camera nothing reaches it, so there is no answer and no reload; the list
        // keeps the person's choice.
        // One box tells both what failed and why, and the window goes offline at once, not
        // only after the model query that follows has timed out.
        bool onlineWhenTold = true;
        QObject::connect(dialog, &CommunicationWindow::linkChanged,
                         [&onlineWhenTold] { onlineWhenTold = OnlineStatusNotifier::Instance().IsOnline(); });
        next();
        QVERIFY(!onlineWhenTold);
        QCOMPARE(ports->currentText(), QString("COM3"));
        QCOMPARE(tool.Cam().Link().SelectedPort(), 2u);
        QVERIFY(tool.sim.Received().empty());
        const auto texts = Texts(tool);
        QCOMPARE(texts.size(), size_t(1));
        QVERIFY2(texts[0].rfind("Failed to Com Port!\n\nFailed to initialize COM3 port!", 0) == 0, texts[0].c_str());
        QCOMPARE(LineStatus(tool), QString("Offline"));
        QVERIFY(tool.window->IsOfflineShown());
        QVERIFY(OfflineText(tool).startsWith("No camera answers on COM3 ("));
    }

    // A camera silent from the first line: the start-up says once that no camera answered on
    // the port, and the pages stay empty (nothing was read) and take no edits. Or it falls
    // silent after five answered lines (the two model checks and three rows): the reading
    // stops after three unanswered queries and the start-up asks nothing more. Or the line is
    // pulled after twenty lines: the reading stops at once. Each time the line status and the
    // bar above the pages show it; once the camera is back, Reconnect on the bar or choosing
    // the port again reads it, and a slow reload then stops on Cancel.
    void cameraFailsDuringStartupAndComesBack_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("message"); // empty: no camera answered on the port
        QTest::newRow("silent from the first line") << "silent-after=0" << 1 << "";
        QTest::newRow("falls silent") << "silent-after=5" << 5 + Walk::kSilentLimit
                                      << "The camera stopped answering after 6 of ";
        QTest::newRow("line pulled") << "hangup-after=20" << 20 << "The connection to the camera was lost after ";
    }
    void cameraFailsDuringStartupAndComesBack()
    {
        QFETCH(QString, fault);
        QFETCH(int, lines);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const std::string link = folder.filePath("camera").toStdString();
        E2eTool tool;
        tool.configure = [&link](MemorySettings& settings) { settings.ports["COM1"] = link; };
        QVERIFY(tool.Start({"--model", "KT-5100W-QBCL", "--link", link, "--fault", fault.toStdString()}, 0));
        QCOMPARE(tool.sim.Received().size(), size_t(lines));
        const QFileInfo device(QString::fromStdString(link)); // gone with a pulled line
        const QString path = device.exists() ? device.canonicalFilePath() : device.filePath();
        const std::string port = "COM1 (" + path.toStdString() + ")";
        const auto texts = Texts(tool);
        QCOMPARE(texts.size(), size_t(1));
        if (message.isEmpty()) {
            QCOMPARE(texts[0], Camera::NoAnswerText(port));
            QCOMPARE(tool.notices.recorder.messages[0].caption, std::string("Communication Error"));
        } else {
            QVERIFY2(QString::fromStdString(texts[0]).startsWith(message), texts[0].c_str());
        }
        QCOMPARE(tool.window->Connected(), 0);
        QVERIFY(tool.window->isEnabled() && !ProgressBarWindow::Instance().IsVisible());
        QCOMPARE(LineStatus(tool), QString("Offline"));
        QVERIFY(tool.window->IsOfflineShown());
        QCOMPARE(OfflineText(tool), QString::fromStdString("No camera answers on " + port
                                                          + ". Check power and cable, then Reconnect."));
        QLineEdit* exposure = tool.Box(CtrlId::ExposureTime);
        if (message.isEmpty()) {
            QVERIFY(tool.ShowPageOf(exposure));
            QCOMPARE(exposure->text(), QString());
            QVERIFY(!exposure->isEnabled());
            QTest::keyClicks(exposure, "500");
            QTest::keyClick(exposure, Qt::Key_Return);
            QCOMPARE(exposure->text(), QString());
            QCOMPARE(tool.sim.Received(), Lines{"MD?"});
        }

        tool.sim.Stop();
        QVERIFY(tool.sim.Start({"--model", "KT-5100W-QBCL", "--link", link, "--baud", "9600"}));
        tool.Clear();
        auto* reconnect = tool.window->OfflineBar()->findChild<QPushButton*>(QStringLiteral("reconnect"));
        QCOMPARE(reconnect->text(), QString("Reconnect"));
        auto* ports = tool.Communication()->findChild<QComboBox*>(QStringLiteral("ctrl_1005"));
        if (message.isEmpty())
            QTest::mouseClick(reconnect, Qt::LeftButton);
        else
            emit ports->activated(ports->currentIndex());
        const Lines rx = tool.sim.Received();
        QVERIFY(rx.size() > 150);
        QCOMPARE(rx.front(), std::string("MD?"));
        QCOMPARE(LineStatus(tool), QString("Online"));
        QVERIFY(!tool.window->IsOfflineShown());
        QVERIFY(exposure->isEnabled());
        QCOMPARE(exposure->text().toInt(), tool.Ascii("PE"));
        QVERIFY(Texts(tool).empty());

        // Cancel in the progress window ends a slow reload after the exchange in flight.
        tool.Clear();
        ProgressBarWindow::Instance().SetClosePause(0);
        QTimer press;
        QObject::connect(&press, &QTimer::timeout, [&] {
            QDialog* window = ProgressBarWindow::Instance().Window();
            if (window && tool.sim.Received().size() >= 10)
                if (auto* cancel = window->findChild<QPushButton*>(QStringLiteral("progressCancel")))
                    cancel->click();
        });
        press.start(5);
        tool.window->MenuAction(MenuCommand::Reload)->trigger();
        const size_t sent = tool.sim.Received().size();
        QVERIFY2(sent >= 10 && sent < 30, qPrintable(QString::number(sent)));
        QCOMPARE(Texts(tool).size(), size_t(1));
        QVERIFY2(Texts(tool)[0].rfind("Stopped after ", 0) == 0, Texts(tool)[0].c_str());
        QVERIFY(tool.window->isEnabled());
        QVERIFY(CloseNormally(tool));
    }

    // Garbage or error texts instead of answers, in real message boxes each answered with Enter
    // as a person does, from the same call depth every time (the key filter must not trip over
    // the box that went before): the first error shows its box, the others are counted once and
    // are in the message list; closing still asks, and Enter on the question ends the window.
    void badAnswersDuringAReloadAreReportedOnce_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("garbage") << "garbage-after=8";
        QTest::newRow("error texts") << "error-replies-after=30";
    }
    void badAnswersDuringAReloadAreReportedOnce()
    {
        QFETCH(QString, fault);
        QtUserNotice boxes(QStringLiteral("Lumora Control Tool"));
        E2eTool tool;
        SetNotices(&boxes);
        QStringList captions, texts;
        QTimer enter;
        QObject::connect(&enter, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QWidget* focus = box ? box->focusWidget() : nullptr;
            if (!focus || !box->isVisible())
                return;
            captions << box->windowTitle();
            texts << box->text();
            QTest::keyClick(focus, Qt::Key_Return);
        });
        enter.start(0);
        QVERIFY(tool.Start({"--model", "KT-5100W-QBCL", "--fault", fault.toStdString()}, 0));
        QCOMPARE(captions, (QStringList{"Communication Error<1>", "Communication Error"}));
        QVERIFY2(texts[1].contains(" more settings were answered with errors."), qPrintable(texts[1]));
        const LineListModel& list = tool.Communication()->Messages();
        int counted = 0;
        for (int i = 0; i < list.count(); ++i)
            counted += list.lineAt(i).startsWith("Communication Error<1>: ");
        QCOMPARE(QString::number(counted) + " more", texts[1].section(' ', 0, 1));
        QVERIFY(tool.window->isEnabled());

        QSignalSpy finished(tool.window, &QDialog::finished);
        QMetaObject::invokeMethod(tool.window, &MainWindow::reject, Qt::QueuedConnection);
        QVERIFY(finished.wait(5000));
        QCOMPARE(captions.back(), QString("Confirm"));
        QVERIFY(!tool.window->isVisible());
        SetNotices(&tool.notices.recorder);
    }
};

QTEST_MAIN(CommunicationE2eTest)
#include "communication_e2e_test.moc"
