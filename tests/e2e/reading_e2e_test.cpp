// Start-up and the complete reading of the camera, end to end: the tool in this process,
// lumora-camsim on a pseudo-terminal, and the simulator's traffic log as the witness.
#include "E2eTool.h"
#include "ReadingCamera.h"
#include "Reload.h"

#include "QtUserNotice.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

namespace {

// The walk's own queries: as many lines as expected, from the first after the model check.
Lines Walk(const E2eTool& tool, size_t count)
{
    Lines after = tool.LinesAfterModelCheck();
    if (after.size() > count)
        after.resize(count);
    return after;
}

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
        const Lines args = {"--model", model.toStdString()};
        QVERIFY(tool.Start(&args, mode));
        QCOMPARE(tool.window->Connected(), 1);
        // LUMORA_E2E_RECORD=1 writes what this start-up sent as the new list, to be read
        // against the start-up steps before it is committed.
        if (qEnvironmentVariableIsSet("LUMORA_E2E_RECORD")) {
            golden.close();
            QVERIFY(golden.open(QIODevice::WriteOnly | QIODevice::Truncate));
            for (const std::string& line : tool.sim.Received())
                golden.write((line + "\n").c_str());
            golden.close();
            return;
        }
        COMPARE_LINES(tool.sim.Received(), expected);

        QVERIFY(!CProgressBarDialog::Instance().IsVisible());
        QVERIFY(tool.window->isEnabled());
        QVERIFY(!ParameterTable::Instance().IsPending(0));
        QCOMPARE(tool.Box(CtrlId::CameraModeBox)->text(), QString("Normal Mode"));
        QComboBox* models = tool.List(CtrlId::CameraModelList);
        QCOMPARE(models->count(), 2);
        QCOMPARE(models->currentText(), model);
        QCOMPARE(Strip(tool), QColor(0, 128, 0));
    }

    void startupWithACameraThatNeverAnswersSendsOnlyTheModelQuery()
    {
        E2eTool tool;
        const Lines args = {"--fault", "silent-after=0"};
        QVERIFY(tool.Start(&args, 1));
        QCOMPARE(tool.window->Connected(), 0);
        QCOMPARE(tool.sim.Received(), Lines{"MD?"});
        QVERIFY(tool.window->isEnabled());
        QCOMPARE(Strip(tool), QColor(255, 0, 0));
    }

    void cameraValuesReachRowsAndControls()
    {
        E2eTool tool;
        const Lines args = {"--model", "KT-5100W-QBCL", "--set", "PE=4321", "--set", "GMA=45", "--set", "HB=2",
                            "--set", "CLCFG=0", "--set", "BA=5", "--set", "SBDRT=63", "--set", "FCBDRT=32"};
        QVERIFY(tool.Start(&args, 1));
        ParameterTable& table = ParameterTable::Instance();

        QCOMPARE(table.GetDataValue(1338), 4321);
        QCOMPARE(tool.Box(1338)->text(), QString("4321"));
        // Gamma 45 is the first item.
        QCOMPARE(tool.List(2575)->currentIndex(), 0);
        // The binning factor 2 is kept as the list position 1 and shown as "x2".
        QCOMPARE(table.GetDataValue(1406), 1);
        QCOMPARE(tool.List(1406)->currentIndex(), 1);
        // Base configuration with a 12-bit request: only RGB8 (the lists' rules are unit tested).
        QCOMPARE(tool.List(1354)->count(), 1);
        // The KT-5100W-QBCL's smaller sensor limits the blemish positions (which rows: the
        // parameter table's test).
        int32_t lo = 0, hiX = 0, hiY = 0;
        QVERIFY(table.GetRange(1424, lo, hiX) && table.GetRange(1438, lo, hiY));
        QCOMPARE(QPair(hiX, hiY), QPair(1455, 1087));
        // The supported rates: text and list follow the mask; the current rate is selected.
        QCOMPARE(tool.Box(2898)->text(), QString("BaudRateMax 230400"));
        QComboBox* bauds = tool.List(1422);
        QCOMPARE(bauds->count(), 6);
        QCOMPARE(bauds->itemText(5), QString("Baud230400"));
        QCOMPARE(bauds->currentIndex(), 5);
        // The multi-ROI controls are for this model only.
        QVERIFY(tool.Control(2872)->isEnabled());
    }

    void unsupportedModelIsReadWithoutModelItems()
    {
        E2eTool tool;
        const Lines args = {"--model", "KT-9999X"};
        QVERIFY(tool.Start(&args, 0));
        QCOMPARE(tool.window->Connected(), 1);
        QVERIFY(!tool.notices.recorder.messages.empty());
        QCOMPARE(tool.notices.recorder.messages[0].text, std::string("Unsupported model: \"KT-9999X\""));
        // The reading goes on, multi-ROI rows included; the model's own items are gone.
        COMPARE_LINES(Walk(tool, E2eTool::ReloadQueries(2, 0).size()), E2eTool::ReloadQueries(2, 0));
        QCOMPARE(tool.List(1855)->count(), 0);
        QCOMPARE(tool.List(1386)->findText("Moving Colorbar"), -1);
        QCOMPARE(tool.List(1868)->findText("Color Shading"), -1);
        QVERIFY(!tool.Control(2872)->isEnabled());
    }

    void silentCameraMidReload()
    {
        // The camera answers the model query and all but the last two rows of the walk.
        const Lines expected = E2eTool::ReloadQueries(0, 0);
        const int answered = 1 + int(expected.size()) - 2;
        E2eTool tool;
        const Lines args = {"--model", "KT-5100W-QBCL", "--fault",
                            "silent-after=" + std::to_string(answered)};
        ParameterTable::Instance().Reset();
        // The last two rows of the walk that have a line to send.
        std::vector<ParameterRow> sent;
        for (int i : Reload::ReloadRows(0, 0)) {
            const ParameterRow& row = ParameterTable::Instance().Row(i);
            if (!CommandTable::Instance().GetMnemonic(int(row.cmdId)).empty())
                sent.push_back(row);
        }
        QCOMPARE(sent.size(), expected.size());
        const ParameterRow lastBefore = sent[sent.size() - 1];
        const ParameterRow secondLast = sent[sent.size() - 2];
        QVERIFY(tool.Start(&args, 0));

        QVERIFY(tool.window->isVisible());
        QVERIFY(tool.window->isEnabled());
        QVERIFY(!CProgressBarDialog::Instance().IsVisible());
        QVERIFY(!tool.Feature<ReadingCamera>().IsReloading());
        ParameterTable& table = ParameterTable::Instance();
        QCOMPARE(table.GetDataValue(lastBefore.ctrlId), lastBefore.value);
        QCOMPARE(table.GetDataValue(secondLast.ctrlId), secondLast.value);
        COMPARE_LINES(Walk(tool, expected.size()), expected);
    }

    void garbageMidReadingWithEveryBoxDismissedByEnter()
    {
        // Real message boxes, each answered with Enter as a person does, from the same call
        // depth every time: the key filter must not trip over the box that went before.
        QtUserNotice boxes(QStringLiteral("Lumora Control Tool"));
        E2eTool tool;
        SetNotices(&boxes);
        QStringList captions;
        QTimer enter;
        enter.setInterval(0);
        QObject::connect(&enter, &QTimer::timeout, [&captions] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QWidget* focus = box ? box->focusWidget() : nullptr;
            if (!focus || !box->isVisible())
                return;
            captions << box->windowTitle();
            QTest::keyClick(focus, Qt::Key_Return);
        });
        enter.start();
        const Lines args = {"--model", "KT-5100W-QBCL", "--fault", "garbage-after=8"};
        QVERIFY(tool.Start(&args, 0));
        QVERIFY(captions.size() >= 2);
        QCOMPARE(captions.front(), QString("Communication Error<1>"));
        QVERIFY(tool.window->isEnabled());

        // Closing still asks, and Enter on the question ends the window normally.
        QSignalSpy finished(tool.window, &QDialog::finished);
        QMetaObject::invokeMethod(tool.window, &CCtrlToolDlg::reject, Qt::QueuedConnection);
        QVERIFY(finished.wait(5000));
        QCOMPARE(captions.back(), QString("Confirm"));
        QVERIFY(!tool.window->isVisible());
        enter.stop();
        SetNotices(&tool.notices.recorder);
    }

    void withoutCameraTheWindowStartsWithTableValues()
    {
        E2eTool tool;
        QVERIFY(tool.Start(nullptr, 0));
        QCOMPARE(tool.window->Connected(), 0);
        QVERIFY(tool.window->isVisible());
        QVERIFY(tool.window->isEnabled());
        // The port's own failure may come first; the start-up ends with its message.
        QVERIFY(!tool.notices.recorder.messages.empty());
        QCOMPARE(tool.notices.recorder.messages.back().text, std::string("Failed to initialize!"));
        ParameterTable fresh = ParameterTable::Instance();
        fresh.Reset();
        for (int i = 0; i < fresh.RowCount(); ++i)
            QCOMPARE(ParameterTable::Instance().Row(i).value, fresh.Row(i).value);
        QCOMPARE(tool.Box(1338)->text(), QString::number(fresh.GetDataValue(1338)));
    }

    void reloadMenuReadsTheCameraAgain()
    {
        E2eTool tool;
        // A millisecond per answer, so that the walk lasts long enough for the bar to move.
        const Lines args = {"--model", "KT-5100W-QBCL", "--latency-ms", "1"};
        QVERIFY(tool.Start(&args, 1));
        tool.sim.ClearLog();
        QAction* reload = tool.window->MenuAction(MenuCommand::Reload);
        QVERIFY(reload && reload->isEnabled());
        // Events are dispatched during the read: a timer samples the progress window.
        struct Sample {
            bool visible;
            int position;
            bool ownerEnabled;
        };
        std::vector<Sample> samples;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            CProgressBarDialog& p = CProgressBarDialog::Instance();
            samples.push_back({p.IsVisible(), p.Position(), tool.window->isEnabled()});
        });
        sampler.start(0);
        reload->trigger();
        sampler.stop();
        const Lines expected = E2eTool::ReloadQueries(0, 1);
        const Lines rx = tool.sim.Received();
        QVERIFY(!rx.empty());
        QCOMPARE(rx.front(), std::string("MD?"));
        COMPARE_LINES(Walk(tool, expected.size()), expected);
        QVERIFY(!CProgressBarDialog::Instance().IsVisible());
        QVERIFY(tool.window->isEnabled());

        // Sampled while reading: shown, its owner disabled, the bar rising by attempts over
        // the 305 readable rows, so it ends the walk at 100 * 222 / 305 = 72 at most (it moves
        // at most about thirty times a second, so its last position may be lower).
        std::vector<Sample> during;
        for (const Sample& s : samples)
            if (s.visible && s.position < 100)
                during.push_back(s);
        QVERIFY2(during.size() > 50, qPrintable(QString::number(during.size())));
        int last = 0;
        for (const Sample& s : during) {
            QVERIFY(!s.ownerEnabled);
            QVERIFY(s.position >= last);
            last = s.position;
        }
        QVERIFY(last > 0 && last <= 72);
    }
};

QTEST_MAIN(ReadingE2eTest)
#include "reading_e2e_test.moc"
