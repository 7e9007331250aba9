// The LUT editor and the LUT menu end to end: the program as main() builds it against the
// simulated camera, driven through its button, menu and editor; the camera's traffic log is
// the witness of what was sent.
#include "CLUTDlg.h"
#include "E2eTool.h"
#include "GammaCsv.h"
#include "LutFeature.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace {

Lines repeated(const std::string& line, int count)
{
    return Lines(size_t(count), line);
}

Lines joined(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The simulator's green table: entry j holds 4095 - 64 j.
std::string greenSeed()
{
    std::string values;
    for (int j = 0; j < Lut::kEntries; ++j)
        values += (j ? "," : "") + std::to_string(4095 - 64 * j);
    return "LUTSG=" + values;
}

} // namespace

class LutE2eTest : public QObject {
    Q_OBJECT

    E2eTool* m_tool = nullptr;

    LutFeature& lut() const { return m_tool->Feature<LutFeature>(); }
    void trigger(int command) const { m_tool->window->MenuAction(command)->trigger(); }

private slots:
    void initTestCase()
    {
        m_tool = new E2eTool;
        const Lines args = {"--model", "KT-5100W-QBCL", "--set", greenSeed()};
        QVERIFY(m_tool->Start(&args, 0));
        QCOMPARE(m_tool->window->Connected(), 1);
        CProgressBarDialog::Instance().SetClosePause(0);
    }
    void cleanupTestCase()
    {
        CProgressBarDialog::Instance().SetClosePause(1000);
        delete m_tool;
    }
    void init()
    {
        m_tool->sim.ClearLog();
        m_tool->notices.recorder.Clear();
    }

    void menuEntriesAreServed()
    {
        for (int command : {MenuCommand::OpenLutFile, MenuCommand::SaveLutFile, MenuCommand::LoadAllLut})
            QVERIFY(m_tool->window->MenuAction(command)->isEnabled());
    }

    // The LUT mode opens the editor's button; "Off" puts the editor away again.
    void lutModeOpensTheEditorOffHidesIt()
    {
        QVERIFY(m_tool->Choose(CtrlId::LutMode, 2));
        QVERIFY(m_tool->Control(CtrlId::OpenLutTable)->isEnabled());
        QVERIFY(!m_tool->Control(CtrlId::Gamma)->isEnabled());
        QVERIFY(m_tool->Click(CtrlId::OpenLutTable));
        CLUTDlg& green = lut().Editor(Lut::Green);
        QVERIFY(green.isVisible());
        QCOMPARE(green.windowTitle(), QString("LUT Setting for Monochrome"));
        QVERIFY(!lut().Editor(Lut::Red).isVisible() && !lut().Editor(Lut::Blue).isVisible());
        QVERIFY(m_tool->Choose(CtrlId::LutMode, 1)); // "Gamma" leaves it open
        QVERIFY(green.isVisible());
        QVERIFY(m_tool->Choose(CtrlId::LutMode, 0));
        QVERIFY(!green.isVisible());
        QVERIFY(!m_tool->Control(CtrlId::OpenLutTable)->isEnabled());
        const Lines rx = m_tool->sim.Received();
        QVERIFY(std::find(rx.begin(), rx.end(), "LUTC=2") != rx.end());
        QCOMPARE(Lines(rx.end() - 2, rx.end()), (Lines{"LUTC=0", "LUTC?"}));
    }

    void loadAllReadsTheThreeTablesInOrder()
    {
        trigger(MenuCommand::LoadAllLut);
        QCOMPARE(m_tool->sim.Received(),
                 joined({repeated("LUTSR?", 32), repeated("LUTSG?", 32), repeated("LUTSB?", 32)}));
        for (int c = 0; c < 3; ++c) {
            const Lut::Table& table = lut().Editor(c).Curve().Table();
            QCOMPARE(table[1], c == Lut::Green ? 4031u : 128u);
            QCOMPARE(lut().Editor(c).ModeText(), QString("View Mode"));
        }
        QVERIFY(m_tool->notices.recorder.messages.empty());
        QVERIFY(m_tool->window->isEnabled());
    }

    // The editor's own buttons: a shaped curve written to its channel, then to all three,
    // and read back.
    void editorWritesItsCurveAndReadsItBack()
    {
        QVERIFY(m_tool->Choose(CtrlId::LutMode, 2));
        QVERIFY(m_tool->Click(CtrlId::OpenLutTable));
        CLUTDlg& green = lut().Editor(Lut::Green);
        QVERIFY(QTest::qWaitForWindowExposed(&green));
        QTest::mouseClick(green.findChild<QPushButton*>("clearTable"), Qt::LeftButton);
        const QPoint at(CLUTDlg::kGraphLeft + 64, CLUTDlg::kGraphTop + 100);
        QTest::mousePress(&green, Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), green.mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&green, &move);
        QTest::mouseRelease(&green, Qt::LeftButton, Qt::NoModifier, at);
        const Lut::Table shaped = green.Curve().Table();
        QCOMPARE(green.Curve().Points().size(), size_t(3));
        m_tool->sim.ClearLog();

        QTest::mouseClick(green.findChild<QPushButton*>("writeTable"), Qt::LeftButton);
        Lines expected;
        for (uint32_t v : shaped)
            expected.push_back("LUTSG=" + std::to_string(v));
        QCOMPARE(m_tool->sim.Received(), expected);

        m_tool->sim.ClearLog();
        QTest::mouseClick(green.findChild<QPushButton*>("writeAllTables"), Qt::LeftButton);
        QCOMPARE(m_tool->sim.Received().size(), size_t(96));
        QCOMPARE(m_tool->sim.Received()[0], std::string("LUTSR=0"));
        QCOMPARE(m_tool->sim.Received()[64], std::string("LUTSB=0"));

        green.Curve().Table().fill(1);
        QTest::mouseClick(green.findChild<QPushButton*>("readTable"), Qt::LeftButton);
        QCOMPARE(green.Curve().Table(), shaped);
        QCOMPARE(green.ModeText(), QString("View Mode"));
        trigger(MenuCommand::LoadAllLut);
        QCOMPARE(lut().Editor(Lut::Red).Curve().Table(), shaped);
        QCOMPARE(lut().Editor(Lut::Blue).Curve().Table(), shaped);
        QVERIFY(m_tool->notices.recorder.messages.empty());
    }

    // "Save LUT file" reads the camera first, asks before replacing, writes header and 32 lines.
    void saveWritesWhatTheCameraHolds()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath("tables").toStdString();
        std::ofstream(path + ".csv") << "old";
        m_tool->notices.recorder.fileNames = {path};
        m_tool->notices.recorder.answers = {true};
        trigger(MenuCommand::SaveLutFile);
        QCOMPARE(m_tool->sim.Received().size(), size_t(96));
        QCOMPARE(m_tool->notices.recorder.questions.size(), size_t(1));
        QCOMPARE(m_tool->notices.recorder.questions[0],
                 path + ".csv\nThis file already exists.\nReplace existing file?");
        std::ifstream in(path + ".csv", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        Lut::Tables tables;
        for (int c = 0; c < 3; ++c)
            tables[size_t(c)] = lut().Editor(c).Curve().Table();
        QCOMPARE(text.str(), FormatGammaCsv(tables));

        // Declining keeps the file.
        m_tool->notices.recorder.fileNames = {path + ".csv"};
        m_tool->notices.recorder.answers = {false};
        std::ofstream(path + ".csv") << "kept";
        trigger(MenuCommand::SaveLutFile);
        std::ifstream kept(path + ".csv");
        std::string word;
        kept >> word;
        QCOMPARE(word, std::string("kept"));
    }
};

QTEST_MAIN(LutE2eTest)
#include "lut_e2e_test.moc"
