// The program against a camera that misbehaves: one that falls silent, a line that is pulled,
// answers that are garbage, and a person who cancels. Each time the window must come back
// quickly, say once what happened, and stay usable and closable.
#include "CCommunicationDialog.h"
#include "E2eTool.h"
#include "LineListModel.h"
#include "Walk.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> Texts(const E2eTool& tool)
{
    std::vector<std::string> texts;
    for (const auto& m : tool.notices.recorder.messages)
        texts.push_back(m.text);
    return texts;
}

bool StartsWith(const std::string& text, const char* start)
{
    return text.rfind(start, 0) == 0;
}

QString LineStatus(const E2eTool& tool)
{
    return tool.window->CommunicationDialog()->findChild<QLabel*>(QStringLiteral("ctrl_1155"))->text();
}

// Closes the window as a person does, answering the question with Yes.
bool CloseNormally(E2eTool& tool)
{
    tool.notices.recorder.answers = {true};
    tool.window->close();
    return !tool.window->isVisible();
}

} // namespace

class FaultsE2eTest : public QObject {
    Q_OBJECT

private slots:
    // Five lines are answered (the two model checks and three rows), then nothing: the reading
    // stops after three unanswered queries and the start-up asks nothing more.
    void cameraFallsSilentDuringStartup()
    {
        E2eTool tool;
        const Lines args = {"--model", "KT-5100W-QBCL", "--fault", "silent-after=5"};
        QVERIFY(tool.Start(&args, 0));
        QCOMPARE(tool.sim.Received().size(), size_t(5 + Walk::kSilentLimit));
        const auto texts = Texts(tool);
        QCOMPARE(texts.size(), size_t(1));
        QVERIFY2(StartsWith(texts[0], "The camera stopped answering after 6 of "), texts[0].c_str());
        QCOMPARE(tool.window->Connected(), 0);
        QVERIFY(tool.window->isEnabled());
        QVERIFY(!CProgressBarDialog::Instance().IsVisible());
        QCOMPARE(LineStatus(tool), QString("Offline"));
        QVERIFY(CloseNormally(tool));
    }

    // The line is pulled after twenty lines: the reading stops at once, the line status shows
    // it, and choosing the port again once the camera is back reconnects and reads it.
    void lineHangsUpAndComesBack()
    {
        QTemporaryDir folder;
        const std::string link = folder.filePath("camera").toStdString();
        E2eTool tool;
        tool.configure = [&link](MemorySettings& settings) { settings.ports["COM1"] = link; };
        const Lines args = {"--link", link, "--fault", "hangup-after=20"};
        QVERIFY(tool.Start(&args, 0));
        QCOMPARE(tool.sim.Received().size(), size_t(20));
        const auto texts = Texts(tool);
        QCOMPARE(texts.size(), size_t(1));
        QVERIFY2(StartsWith(texts[0], "The connection to the camera was lost after "), texts[0].c_str());
        QCOMPARE(LineStatus(tool), QString("Offline"));

        tool.sim.Stop();
        QVERIFY(tool.sim.Start({"--link", link}));
        auto* ports = tool.window->CommunicationDialog()->findChild<QComboBox*>(QStringLiteral("ctrl_1005"));
        emit ports->activated(ports->currentIndex());
        const Lines rx = tool.sim.Received();
        QVERIFY(rx.size() > 150);
        QCOMPARE(rx.front(), std::string("MD?"));
        QCOMPARE(LineStatus(tool), QString("Online"));
        QVERIFY(CloseNormally(tool));
    }

    // Garbage instead of answers: the first error shows its box, the others are counted once.
    void garbageDuringAReloadIsReportedOnce()
    {
        E2eTool tool;
        const Lines args = {"--model", "KT-5100W-QBCL", "--fault", "garbage-after=30"};
        QVERIFY(tool.Start(&args, 0));
        const auto& messages = tool.notices.recorder.messages;
        QCOMPARE(messages.size(), size_t(2));
        QCOMPARE(messages[0].caption, std::string("Communication Error<1>"));
        QCOMPARE(messages[1].caption, std::string("Communication Error"));
        QVERIFY2(messages[1].text.find(" more settings were answered with errors.") != std::string::npos,
                 messages[1].text.c_str());
        // The ones not shown are in the message list, each once.
        const LineListModel& list = tool.window->CommunicationDialog()->Messages();
        int counted = 0;
        for (int i = 0; i < list.count(); ++i)
            counted += list.lineAt(i).startsWith("Communication Error<1>: ");
        QCOMPARE(QString::number(counted) + " more", QString::fromStdString(messages[1].text).section(' ', 0, 1));
        QVERIFY(CloseNormally(tool));
    }

    // Cancel in the progress window ends a slow reload after the exchange in flight.
    void cancelStopsAReload()
    {
        E2eTool tool;
        const Lines args = {"--model", "KT-5100W-QBCL", "--baud", "9600"};
        QVERIFY(tool.Start(&args, 0));
        tool.sim.ClearLog();
        tool.notices.recorder.Clear();
        CProgressBarDialog::Instance().SetClosePause(0);
        QTimer press;
        QObject::connect(&press, &QTimer::timeout, [&] {
            QDialog* window = CProgressBarDialog::Instance().Window();
            if (window && tool.sim.Received().size() >= 10)
                if (auto* cancel = window->findChild<QPushButton*>(QStringLiteral("progressCancel")))
                    cancel->click();
        });
        press.start(5);
        tool.window->MenuAction(MenuCommand::Reload)->trigger();
        press.stop();
        CProgressBarDialog::Instance().SetClosePause(1000);
        const size_t sent = tool.sim.Received().size();
        QVERIFY2(sent >= 10 && sent < 30, qPrintable(QString::number(sent)));
        const auto texts = Texts(tool);
        QCOMPARE(texts.size(), size_t(1));
        QVERIFY2(StartsWith(texts[0], "Stopped after "), texts[0].c_str());
        QVERIFY(tool.window->isEnabled());
        QVERIFY(CloseNormally(tool));
    }
};

QTEST_MAIN(FaultsE2eTest)
#include "faults_e2e_test.moc"
