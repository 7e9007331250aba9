// Start-up and the complete reading of the camera, end to end: the tool in this process,
// lumora-camsim on a pseudo-terminal, and the simulator's traffic log as the witness.
#include "E2eTool.h"
#include "ReadingCamera.h"
#include "Reload.h"

#include <QFile>
#include <QTimer>

namespace {

// The colour of the main window's online strip: green online, red offline.
QColor Strip(const E2eTool& tool)
{
    return tool.window->OnlineStrip()->pixmap().toImage().pixelColor(0, 0);
}

} // namespace

class ReadingE2eTest : public QObject {
    Q_OBJECT

private slots:
    // Every line a start-up sends, in order, as the program sent it when these lists were
    // recorded: model check, the reading and every step around it.
    void startupSendsTheRecordedLines_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<unsigned>("mode");
        for (const char* model : {"KT-5100W-QBCL", "KT-5200W-QBCL"})
            for (unsigned mode : {0u, 1u})
                QTest::addRow("%s, Control Mode %u", model, mode) << QString(model) << mode;
    }
    void startupSendsTheRecordedLines()
    {
        QFETCH(QString, model);
        QFETCH(unsigned, mode);
        QFile golden(QStringLiteral("%1/golden/startup_%2_mode%3.txt").arg(qEnvironmentVariable("LUMORA_E2E_DIR"), model).arg(mode));
        QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
        Lines expected;
        for (const QByteArray& line : golden.readAll().split('\n'))
            if (!line.isEmpty())
                expected.push_back(line.toStdString());

        E2eTool tool;
        QVERIFY(tool.Start({"--model", model.toStdString()}, mode));
        QCOMPARE(tool.window->Connected(), 1);
        // LUMORA_E2E_RECORD=1 writes what this start-up sent as the new list, to be read
        // against the start-up steps before it is committed.
        if (qEnvironmentVariableIsSet("LUMORA_E2E_RECORD")) {
            golden.close();
            QVERIFY(golden.open(QIODevice::WriteOnly | QIODevice::Truncate));
            for (const std::string& line : tool.sim.Received())
                golden.write((line + "\n").c_str());
            return;
        }
        COMPARE_LINES(tool.sim.Received(), expected);

        QVERIFY(!ProgressBarWindow::Instance().IsVisible());
        QVERIFY(tool.window->isEnabled());
        QVERIFY(!tool.Cam().Table().IsPending(0));
        QCOMPARE(tool.Box(CtrlId::CameraModeBox)->text(), QString("Normal Mode"));
        QComboBox* models = tool.List(CtrlId::CameraModelList);
        QCOMPARE(models->count(), 2);
        QCOMPARE(models->currentText(), model);
        QCOMPARE(Strip(tool), QColor(0, 128, 0));
    }

    // No camera behind the port, or one that never answers (only the model query goes out and
    // the strip turns red): the window starts offline and usable after one box that says why;
    // the table keeps its values, and the pages show none of them as if the camera had.
    void startupWithoutAnAnsweringCamera_data()
    {
        QTest::addColumn<bool>("portOpens");
        QTest::addColumn<QString>("message");
        QTest::newRow("no device") << false << "Failed to initialize!\n\nFailed to initialize COM1 port!";
        QTest::newRow("a camera that never answers") << true << "No answer from Camera! (Timeout error)";
    }
    void startupWithoutAnAnsweringCamera()
    {
        QFETCH(bool, portOpens);
        QFETCH(QString, message);
        E2eTool tool;
        const Lines args = {"--fault", "silent-after=0"};
        QVERIFY(tool.Start(portOpens ? &args : nullptr, 1));
        QCOMPARE(tool.window->Connected(), 0);
        QVERIFY(tool.window->isVisible() && tool.window->isEnabled());
        if (portOpens) {
            QCOMPARE(tool.sim.Received(), Lines{"MD?"});
            // The status bar says the same in words, and that no camera is known.
            QCOMPARE(tool.LineState(), QString("Offline"));
            QCOMPARE(tool.window->StatusBar()->ModelLabel()->text(), QString("No camera"));
        }
        QCOMPARE(Strip(tool), QColor(255, 0, 0));
        QCOMPARE(tool.notices.recorder.messages.size(), size_t(1));
        const std::string& text = tool.notices.recorder.messages[0].text;
        QVERIFY2(text.rfind(message.toStdString(), 0) == 0, text.c_str());
        ParameterTable fresh = tool.Cam().Table();
        fresh.Reset();
        for (int i = 0; i < fresh.RowCount(); ++i)
            QCOMPARE(tool.Cam().Table().Row(i).value, fresh.Row(i).value);
        QVERIFY(tool.window->IsOfflineShown());
        QCOMPARE(tool.Box(1338)->text(), QString());
    }

    void unsupportedModelIsReadWithoutModelItems()
    {
        E2eTool tool;
        QVERIFY(tool.Start({"--model", "KT-9999X"}, 0));
        QCOMPARE(tool.window->Connected(), 1);
        QVERIFY(!tool.notices.recorder.messages.empty());
        QCOMPARE(tool.notices.recorder.messages[0].text, std::string("Unsupported model: \"KT-9999X\""));
        // The reading goes on, multi-ROI rows included; the model's own items are gone.
        const Lines walk = E2eTool::ReloadQueries(2, 0);
        COMPARE_LINES(tool.LinesAfterModelCheck(walk.size()), walk);
        QCOMPARE(tool.List(1855)->count(), 0);
        QCOMPARE(tool.List(1386)->findText("Moving Colorbar"), -1);
        QCOMPARE(tool.List(1868)->findText("Color Shading"), -1);
        QVERIFY(!tool.Control(2872)->isEnabled());
    }

    // The camera answers the model query and all but the last two rows of the walk: the walk
    // goes on to its end and those two rows keep their values.
    void silentCameraMidReload()
    {
        const Lines expected = E2eTool::ReloadQueries(0, 0);
        const ParameterTable& start = ParameterTable::Layout();
        std::vector<ParameterRow> walked;
        for (int i : Reload::ReloadRows(0, 0))
            if (!Camera::Mnemonic(int(start.Row(i).cmdId)).empty())
                walked.push_back(start.Row(i));
        E2eTool tool;
        const std::string answered = std::to_string(expected.size() - 1);
        QVERIFY(tool.Start({"--model", "KT-5100W-QBCL", "--fault", "silent-after=" + answered}, 0));
        QVERIFY(tool.window->isVisible() && tool.window->isEnabled());
        QVERIFY(!ProgressBarWindow::Instance().IsVisible());
        QVERIFY(!tool.Feature<ReadingCamera>().IsReloading());
        const ParameterTable& table = tool.Cam().Table();
        for (size_t i = walked.size() - 2; i < walked.size(); ++i)
            QCOMPARE(table.GetDataValue(walked[i].ctrlId), walked[i].value);
        COMPARE_LINES(tool.LinesAfterModelCheck(expected.size()), expected);
    }

    void reloadMenuReadsTheCameraAgain()
    {
        E2eTool tool;
        // A millisecond per answer, so that the walk lasts long enough for the bar to move.
        QVERIFY(tool.Start({"--model", "KT-5100W-QBCL", "--latency-ms", "1"}, 1));
        tool.sim.ClearLog();
        QAction* reload = tool.window->MenuAction(MenuCommand::Reload);
        QVERIFY(reload && reload->isEnabled());
        // Events are dispatched during the read: a timer samples the progress window while it
        // is shown and not yet full: its bar and whether its owner is enabled.
        std::vector<std::pair<int, bool>> during;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            const ProgressBarWindow& p = ProgressBarWindow::Instance();
            if (p.IsVisible() && p.Position() < 100)
                during.push_back({p.Position(), tool.window->isEnabled()});
        });
        sampler.start(0);
        reload->trigger();
        sampler.stop();
        const Lines expected = E2eTool::ReloadQueries(0, 1);
        QVERIFY(StartsWith(tool.sim.Received(), {"MD?"}));
        COMPARE_LINES(tool.LinesAfterModelCheck(expected.size()), expected);
        QVERIFY(!ProgressBarWindow::Instance().IsVisible() && tool.window->isEnabled());

        // The owner was disabled, and the bar rose by attempts over the 305 readable rows, so
        // it ends the walk at 100 * 222 / 305 = 72 at most (it moves at most about thirty times
        // a second, so its last position may be lower).
        QVERIFY2(during.size() > 50, qPrintable(QString::number(during.size())));
        int last = 0;
        for (const auto& [position, ownerEnabled] : during) {
            QVERIFY(!ownerEnabled && position >= last);
            last = position;
        }
        QVERIFY(last > 0 && last <= 72);
    }
};

QTEST_MAIN(ReadingE2eTest)
#include "reading_e2e_test.moc"
