// The sequencer page, the automatic functions and the LUT editor with the LUT menu, end to end:
// a person's choices and clicks on the real pages, buttons, menus and editor, the lines the
// simulated camera received, and what the window shows.
#include "E2eTool.h"
#include "GammaCsv.h"
#include "LutEditorWindow.h"
#include "LutFeature.h"
#include "UpDownControl.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <sstream>

namespace {

// The simulator's green table: entry j holds 4095 - 64 j.
std::string greenSeed()
{
    std::string values;
    for (int j = 0; j < Lut::kEntries; ++j)
        values += (j ? "," : "") + std::to_string(4095 - 64 * j);
    return "LUTSG=" + values;
}

QStringList Items(QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// Picks an entry straight away, as with the mouse: no entry in between is chosen on the way
// (stepping through "Once" would start a run).
bool Pick(E2eTool& tool, int listId, int index)
{
    QComboBox* list = tool.List(listId);
    if (!list || index < 0 || index >= list->count() || !tool.ShowPageOf(list))
        return false;
    list->setCurrentIndex(index);
    emit list->activated(index);
    return true;
}

// Presses Enter in a box, as a person does to commit what was typed.
void Commit(E2eTool& tool, int boxId, const QString& text)
{
    tool.Type(boxId, text);
    QTest::keyClick(tool.Box(boxId), Qt::Key_Return);
}

// While a one-shot run polls: whether the progress window was up with its Cancel button, and
// what it was called. A press of Cancel after a while, when asked.
struct RunWatch {
    QTimer timer;
    bool shown = false;
    bool cancellable = false;
    QString name;
    int cancelAfterTicks = -1;
    int ticks = 0;
    RunWatch()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QDialog* window = ProgressBarWindow::Instance().Window();
            if (!window || !window->isVisible())
                return;
            shown = true;
            name = window->accessibleName();
            auto* cancel = window->findChild<QPushButton*>(QStringLiteral("progressCancel"));
            cancellable = cancel != nullptr;
            if (cancel && ++ticks == cancelAfterTicks)
                QTest::mouseClick(cancel, Qt::LeftButton);
        });
        timer.start(100);
    }
};

} // namespace

class SequencerAutoLutE2eTest : public QObject {
    Q_OBJECT

    E2eTool m_tool;

    const RecordingNotice::Entry& lastMessage() const { return m_tool.notices.recorder.messages.back(); }
    LutFeature& lut() const { return m_tool.Feature<LutFeature>(); }
    void trigger(int command) const { m_tool.window->MenuAction(command)->trigger(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tool.StartShared({"--model", "KT-5100W-QBCL", "--busy-polls", "2", "--result", "agc=9", "--set",
                                    "SMRMD=1", "--set", greenSeed()}, 0));
    }
    void init() { m_tool.Clear(); }

    // Enter in the index box reads that set; Write sends the set's values and reads them back,
    // a width the camera refuses is not stored; binning halves the region and is written as the
    // factor; the spin reads the sets up to the last one.
    void sequencerSetsAreReadAndWritten()
    {
        Commit(m_tool, CtrlId::SequencerIndex, "5");
        QVERIFY(StartsWith(m_tool.sim.Received(), {"SQF5?", "SQNI5?", "SQHB5?", "SQVB5?", "SQW5?"}));
        m_tool.sim.ClearLog();
        m_tool.Type(CtrlId::SequencerWidth, "1456");
        QVERIFY(m_tool.Click(CtrlId::SequencerWrite));
        Lines rx = m_tool.sim.Received();
        QCOMPARE(Count(rx, "SQW5=1456"), size_t(1));
        QCOMPARE(Count(rx, "SQW5?"), size_t(1));
        QVERIFY(std::find(rx.begin(), rx.end(), "SQW5=1456") < std::find(rx.begin(), rx.end(), "SQW5?"));
        QCOMPARE(m_tool.Box(CtrlId::SequencerWidth)->text(), QString("1456"));

        m_tool.sim.ClearLog();
        m_tool.Type(CtrlId::SequencerWidth, "0");
        QVERIFY(m_tool.Click(CtrlId::SequencerWrite));
        QCOMPARE(Count(m_tool.sim.Received(), "SQW5=0"), size_t(0));
        // The camera kept its width, which the read-back shows.
        QCOMPARE(m_tool.Box(CtrlId::SequencerWidth)->text(), QString("1456"));
        QVERIFY(m_tool.notices.recorder.messages.empty());

        // The width follows the binned sensor before anything is written.
        QVERIFY(m_tool.Choose(CtrlId::SequencerHorizontalBinning, 1));
        QCOMPARE(m_tool.Box(CtrlId::SequencerWidth)->text(), QString("728"));
        m_tool.sim.ClearLog();
        QVERIFY(m_tool.Click(CtrlId::SequencerWrite));
        rx = m_tool.sim.Received();
        QCOMPARE(Count(rx, "SQHB5=2"), size_t(1));
        QCOMPARE(Count(rx, "SQW5=728"), size_t(1));
        QCOMPARE(m_tool.List(CtrlId::SequencerHorizontalBinning)->currentIndex(), 1);
        QCOMPARE(m_tool.Cam().Table().GetDataValue(CtrlId::SequencerHorizontalBinning), 1);
        QVERIFY(m_tool.Choose(CtrlId::SequencerHorizontalBinning, 0));

        Commit(m_tool, CtrlId::SequencerIndex, "127");
        m_tool.sim.ClearLog();
        auto* spin = qobject_cast<UpDownControl*>(m_tool.Control(CtrlId::SequencerIndexSpin));
        spin->step(+1);
        spin->step(+1); // the last set is 128
        rx = m_tool.sim.Received();
        QCOMPARE(Count(rx, "SQF128?"), size_t(2));
        QCOMPARE(Count(rx, "SQF129?"), size_t(0));
        QCOMPARE(m_tool.Box(CtrlId::SequencerIndex)->text(), QString("128"));
    }

    void individualGainModeGoesOutOnceAndDecidesGainsAndBalance()
    {
        QVERIFY(m_tool.Choose(CtrlId::IndividualGainMode, 1));
        Lines rx = m_tool.sim.Received();
        QCOMPARE(Count(rx, "IGM=1"), size_t(1));
        QVERIFY(StartsWith(rx, {"IGM=1", "FGR?", "FGG?", "FGB?"}));
        int32_t low = 0, high = 0;
        QVERIFY(m_tool.Cam().Table().GetRange(CtrlId::GainRed, low, high));
        QCOMPARE(QPair(low, high), QPair(100, 6400));
        // Gain Auto is out of use; so is the white balance with a common exposure time.
        QVERIFY(!m_tool.Control(CtrlId::GainAuto)->isEnabled());
        QVERIFY(!m_tool.Control(CtrlId::WhiteBalanceAuto)->isEnabled());

        m_tool.sim.ClearLog();
        QVERIFY(m_tool.Click(CtrlId::SequencerWrite));
        rx = m_tool.sim.Received();
        for (const char* line : {"SQGR128=", "SQGG128=", "SQGB128="})
            QVERIFY2(std::any_of(rx.begin(), rx.end(), [&](const std::string& l) { return l.rfind(line, 0) == 0; }), line);
        QVERIFY(std::none_of(rx.begin(), rx.end(), [](const std::string& l) { return l.rfind("SQGA128=", 0) == 0; }));

        // The white balance offers what the modes allow: with individual gains and exposure
        // times only the exposure modes.
        QVERIFY(m_tool.Choose(CtrlId::ExposureTimeMode, 1));
        QComboBox* balance = m_tool.List(CtrlId::WhiteBalanceAuto);
        QVERIFY(balance->isEnabled());
        QCOMPARE(Items(balance), (QStringList{"Off", "ExposureOnce", "ExposureContinuous"}));
        m_tool.sim.ClearLog();
        QVERIFY(Pick(m_tool, CtrlId::WhiteBalanceAuto, 2));
        QCOMPARE(m_tool.sim.Received(), (Lines{"AWB=3", "AWRS?"}));
        QCOMPARE(m_tool.Box(CtrlId::WhiteBalanceStatus)->text(), QString("8"));

        QVERIFY(m_tool.Choose(CtrlId::IndividualGainMode, 0));
        QVERIFY(m_tool.Choose(CtrlId::ExposureTimeMode, 0));
        QVERIFY(m_tool.Control(CtrlId::GainAuto)->isEnabled());
        QCOMPARE(balance->count(), 7);
        m_tool.sim.ClearLog();
        QVERIFY(Pick(m_tool, CtrlId::WhiteBalanceAuto, balance->findText("Preset5000K")));
        QCOMPARE(m_tool.sim.Received(), (Lines{"AWB=6", "AWRS?"}));
    }

    // A one-shot run polls under the progress window with its Cancel, then shows the camera's
    // end status and goes back to "Off".
    void oneShotRunsPollThenShowTheResult()
    {
        QComboBox* balance = m_tool.List(CtrlId::WhiteBalanceAuto);
        RunWatch watch;
        QVERIFY(Pick(m_tool, CtrlId::WhiteBalanceAuto, balance->findText("Once")));
        QCOMPARE(m_tool.sim.Received(), (Lines{"AWB=2", "AWRS?", "AWRS?", "AWRS?", "PGR?", "PGB?"}));
        QVERIFY(watch.shown && watch.cancellable && watch.name.startsWith("Balance White Auto"));
        QCOMPARE(lastMessage().text, std::string("Complete"));
        QCOMPARE(lastMessage().caption, std::string("Balance White Auto Result"));
        QVERIFY(lastMessage().icon == NoticeIcon::None);
        QCOMPARE(balance->currentIndex(), 0);
        QCOMPARE(m_tool.Box(CtrlId::WhiteBalanceStatus)->text(), QString("0"));
        QVERIFY(m_tool.window->isEnabled());
        QVERIFY(!m_tool.Cam().Table().IsPending(m_tool.Cam().Table().CtrlId2TblIndex(CtrlId::WhiteBalanceAuto)));

        m_tool.sim.ClearLog();
        QVERIFY(Pick(m_tool, CtrlId::GainAuto, 2));
        QVERIFY(StartsWith(m_tool.sim.Received(), {"AGC=2", "ATCS?", "ATCS?", "ATCS?", "FGA?"}));
        QCOMPARE(lastMessage().text, std::string("Condition Error"));
        QCOMPARE(lastMessage().caption, std::string("Gain Auto Result"));
        QCOMPARE(m_tool.List(CtrlId::GainAuto)->currentIndex(), 0);
    }

    void cameraModesFollowTheCamera()
    {
        m_tool.Control(CtrlId::SequencerMode)->setEnabled(false);
        QVERIFY(m_tool.Click(CtrlId::MultiRoiEnable));
        QCOMPARE(m_tool.sim.Received(), (Lines{"SMRMD?", "SMRMD=0", "VSM?", "SMRMD?"}));
        QVERIFY(m_tool.Control(CtrlId::SequencerMode)->isEnabled());
        QCOMPARE(m_tool.Box(CtrlId::MultiRoiModeBox)->text(), QString("0"));

        // Sequencer on: the camera reports it, and the multi-ROI button rests.
        m_tool.sim.ClearLog();
        QVERIFY(m_tool.Choose(CtrlId::SequencerModeSelect, 1));
        QVERIFY(m_tool.Choose(CtrlId::SequencerMode, 1));
        QCOMPARE(m_tool.sim.Received(), (Lines{"SQSEL=1", "VSM?", "SQM=1", "VSM?"}));
        QCOMPARE(m_tool.Box(CtrlId::CameraModeBox)->text(), QString("CommandSeqencerMode"));
        QVERIFY(!m_tool.Control(CtrlId::MultiRoiEnable)->isEnabled());
        QVERIFY(m_tool.Choose(CtrlId::SequencerMode, 0));
        QVERIFY(m_tool.Control(CtrlId::MultiRoiEnable)->isEnabled());
    }

    void loadAllReadsTheThreeTablesInOrder()
    {
        for (int command : {MenuCommand::OpenLutFile, MenuCommand::SaveLutFile, MenuCommand::LoadAllLut})
            QVERIFY(m_tool.window->MenuAction(command)->isEnabled());
        trigger(MenuCommand::LoadAllLut);
        Lines expected;
        for (const char* query : {"LUTSR?", "LUTSG?", "LUTSB?"})
            expected.insert(expected.end(), 32, query);
        QCOMPARE(m_tool.sim.Received(), expected);
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(lut().Editor(c).Curve().Table()[1], c == Lut::Green ? 4031u : 128u);
            QCOMPARE(lut().Editor(c).ModeText(), QString("View Mode"));
        }
        QVERIFY(m_tool.notices.recorder.messages.empty() && m_tool.window->isEnabled());
    }

    // The LUT mode opens the editor's button; the editor's own buttons write a shaped curve to
    // its channel, then to all three, and read it back; "Off" puts the editor away again.
    void editorWritesItsCurveAndReadsItBack()
    {
        QVERIFY(m_tool.Choose(CtrlId::LutMode, 2));
        QCOMPARE(Count(m_tool.sim.Received(), "LUTC=2"), size_t(1));
        QVERIFY(m_tool.Control(CtrlId::OpenLutTable)->isEnabled());
        QVERIFY(!m_tool.Control(CtrlId::Gamma)->isEnabled());
        QVERIFY(m_tool.Click(CtrlId::OpenLutTable));
        LutEditorWindow& green = lut().Editor(Lut::Green);
        QVERIFY(QTest::qWaitForWindowExposed(&green));
        QCOMPARE(green.windowTitle(), QString("LUT Setting for Monochrome"));
        QVERIFY(!lut().Editor(Lut::Red).isVisible() && !lut().Editor(Lut::Blue).isVisible());

        QTest::mouseClick(green.findChild<QPushButton*>("clearTable"), Qt::LeftButton);
        const QPoint at(LutEditorWindow::kGraphLeft + 64, LutEditorWindow::kGraphTop + 100);
        QTest::mousePress(&green, Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), green.mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&green, &move);
        QTest::mouseRelease(&green, Qt::LeftButton, Qt::NoModifier, at);
        const Lut::Table shaped = green.Curve().Table();
        QCOMPARE(green.Curve().Points().size(), size_t(3));
        m_tool.sim.ClearLog();
        QTest::mouseClick(green.findChild<QPushButton*>("writeTable"), Qt::LeftButton);
        Lines expected;
        for (uint32_t v : shaped)
            expected.push_back("LUTSG=" + std::to_string(v));
        QCOMPARE(m_tool.sim.Received(), expected);
        QCOMPARE(m_tool.LastAction(), QString("LUT written: the green table is in the camera"));

        m_tool.sim.ClearLog();
        QTest::mouseClick(green.findChild<QPushButton*>("writeAllTables"), Qt::LeftButton);
        QCOMPARE(m_tool.sim.Received().size(), size_t(96));
        QCOMPARE(m_tool.sim.Received()[0], std::string("LUTSR=0"));
        QCOMPARE(m_tool.sim.Received()[64], std::string("LUTSB=0"));
        QCOMPARE(m_tool.LastAction(), QString("LUT written: the green table is now in all three tables"));

        green.Curve().Table().fill(1);
        QTest::mouseClick(green.findChild<QPushButton*>("readTable"), Qt::LeftButton);
        QCOMPARE(green.Curve().Table(), shaped);
        QCOMPARE(green.ModeText(), QString("View Mode"));
        QCOMPARE(m_tool.LastAction(), QString("Read the green LUT table from the camera"));
        trigger(MenuCommand::LoadAllLut);
        QCOMPARE(m_tool.LastAction(), QString("Read the red, green and blue LUT tables from the camera"));
        QCOMPARE(lut().Editor(Lut::Red).Curve().Table(), shaped);
        QCOMPARE(lut().Editor(Lut::Blue).Curve().Table(), shaped);
        QVERIFY(m_tool.notices.recorder.messages.empty());

        QVERIFY(m_tool.Choose(CtrlId::LutMode, 1)); // "Gamma" leaves it open
        QVERIFY(green.isVisible());
        QVERIFY(m_tool.Choose(CtrlId::LutMode, 0));
        QVERIFY(!green.isVisible() && !m_tool.Control(CtrlId::OpenLutTable)->isEnabled());
        const Lines rx = m_tool.sim.Received();
        QCOMPARE(Lines(rx.end() - 2, rx.end()), (Lines{"LUTC=0", "LUTC?"}));
    }

    // "Save LUT file" reads the camera first, asks before replacing, writes header and 32
    // lines; declining keeps the file.
    void saveWritesWhatTheCameraHolds()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath("tables").toStdString();
        const auto contents = [&] {
            std::stringstream text;
            text << std::ifstream(path + ".csv", std::ios::binary).rdbuf();
            return text.str();
        };
        std::ofstream(path + ".csv") << "old";
        m_tool.notices.recorder.fileNames = {path};
        m_tool.notices.recorder.answers = {true};
        trigger(MenuCommand::SaveLutFile);
        QCOMPARE(m_tool.sim.Received().size(), size_t(96));
        QCOMPARE(m_tool.notices.recorder.questions,
                 std::vector<std::string>{path + ".csv\nThis file already exists.\nReplace existing file?"});
        Lut::Tables tables;
        for (int c = 0; c < 3; ++c)
            tables[size_t(c)] = lut().Editor(c).Curve().Table();
        QCOMPARE(contents(), FormatGammaCsv(tables));
        QCOMPARE(m_tool.LastAction(), QString("Saved the LUT tables to tables.csv"));
        m_tool.notices.recorder.fileNames = {path + ".csv"};
        trigger(MenuCommand::OpenLutFile);
        QCOMPARE(m_tool.LastAction(), QString("Loaded LUT file tables.csv into the LUT editors"));

        m_tool.notices.recorder.fileNames = {path + ".csv"};
        m_tool.notices.recorder.answers = {false};
        std::ofstream(path + ".csv") << "kept";
        trigger(MenuCommand::SaveLutFile);
        QCOMPARE(contents(), std::string("kept"));
    }

    void refusedSettingsAreSentOnceAndChangeNothing()
    {
        E2eTool tool;
        QVERIFY(tool.Start({"--model", "KT-5100W-QBCL", "--fault", "error-replies"}, 0));
        tool.sim.ClearLog();
        QVERIFY(tool.Click(CtrlId::MultiRoiEnable));
        QVERIFY(StartsWith(tool.sim.Received(), {"SMRMD?", "SMRMD=1"}));
        QVERIFY(tool.Control(CtrlId::SequencerMode)->isEnabled());

        // A refused gain mode is not sent a second time by the generic path.
        tool.sim.ClearLog();
        QVERIFY(tool.Choose(CtrlId::IndividualGainMode, 1));
        QCOMPARE(Count(tool.sim.Received(), "IGM=1"), size_t(1));
        QCOMPARE(m_tool.Cam().Table().GetDataValue(CtrlId::IndividualGainMode), 0);
    }

    // Cancel stops a run at once and switches the function off in the camera, and the values
    // the run may have moved are read again. (Runs are waited for at least a minute: giving
    // up at the bound is auto_functions_test's.)
    void runsThatDoNotEndAreBoundedAndCancellable()
    {
        E2eTool tool;
        QVERIFY(tool.Start({"--model", "KT-5100W-QBCL", "--busy-polls", "never"}, 0));
        tool.sim.ClearLog();
        RunWatch watch; // presses Cancel once only
        watch.cancelAfterTicks = 10;
        QElapsedTimer took;
        took.start();
        QVERIFY(Pick(tool, CtrlId::WhiteBalanceAuto, 2));
        QVERIFY(took.elapsed() < 8000);
        Lines rx = tool.sim.Received();
        QCOMPARE(rx.front(), std::string("AWB=2"));
        QVERIFY(StartsWith(Lines(rx.end() - 3, rx.end()), {"AWB=0", "PGR?", "PGB?"}));
        QVERIFY(tool.notices.recorder.messages.empty());
        QCOMPARE(tool.List(CtrlId::WhiteBalanceAuto)->currentIndex(), 0);

        tool.sim.ClearLog();
        RunWatch exposureWatch;
        exposureWatch.cancelAfterTicks = 25;
        QVERIFY(Pick(tool, CtrlId::ExposureAuto, 2));
        rx = tool.sim.Received();
        QVERIFY(Count(rx, "ATCS?") >= 1);
        QVERIFY(StartsWith(Lines(std::find(rx.begin(), rx.end(), "ASC=0"), rx.end()),
                           {"ASC=0", "PE?", "PER?", "PEG?", "PEB?"}));
        QVERIFY(tool.notices.recorder.messages.empty());
        QCOMPARE(tool.List(CtrlId::ExposureAuto)->currentIndex(), 0);
    }
};

QTEST_MAIN(SequencerAutoLutE2eTest)
#include "sequencer_auto_lut_e2e_test.moc"
