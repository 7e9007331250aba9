// The parameter controls on the real main window against the simulated camera: what a
// person types or chooses on a page, the lines the camera received, and what the page shows.
#include "E2eTool.h"

namespace {

using Lines = std::vector<std::string>;

// The answer the camera gave to the last query of this mnemonic, from its traffic log.
std::string LastAnswer(const CamSimProcess& sim, const std::string& mnemonic)
{
    std::string answer;
    const auto log = sim.LoggedLines();
    for (size_t i = 0; i + 1 < log.size(); ++i)
        if (log[i].dir == "rx" && log[i].line == mnemonic + "?" && log[i + 1].dir == "tx")
            answer = log[i + 1].line;
    return answer;
}

} // namespace

class ParamE2eTest : public QObject {
    Q_OBJECT

    E2eTool* m_tool = nullptr;

    // Types into a box and presses Enter, which commits it as leaving it does.
    void enter(int boxId, const QString& text)
    {
        QLineEdit* box = m_tool->Box(boxId);
        QVERIFY(box);
        QVERIFY(m_tool->ShowPageOf(box));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    // One keyboard step onto the item, so exactly one choice is reported.
    void chooseOnce(int listId, int index)
    {
        QComboBox* list = m_tool->List(listId);
        QVERIFY(list && index > 0 && m_tool->ShowPageOf(list));
        list->setCurrentIndex(index - 1);
        QTest::keyClick(list, Qt::Key_Down);
    }

private slots:
    void initTestCase()
    {
        m_tool = new E2eTool;
        const Lines args = {"--model", "KT-5200W-QBCL"};
        QVERIFY(m_tool->Start(&args, 0));
        QCOMPARE(m_tool->window->Connected(), 1);
    }
    void cleanupTestCase() { delete m_tool; }
    void init()
    {
        m_tool->sim.ClearLog();
        m_tool->notices.recorder.Clear();
    }

    void exposureBoxTakesTheRoadOfOneChange()
    {
        enter(1338, "500");
        QCOMPARE(m_tool->sim.Received(), (Lines{"PE=500", "PE?"}));
        const std::string answer = LastAnswer(m_tool->sim, "PE");
        QCOMPARE(QString::fromStdString(answer), QString("PE=500"));
        QCOMPARE(m_tool->Box(1338)->text(), QString("500"));
        QVERIFY(!ParameterTable::Instance().IsPending(ParameterTable::Instance().CtrlId2TblIndex(1338)));
    }

    void exposureModeWaitsForExposureAutoOff()
    {
        QComboBox* mode = m_tool->List(1337);
        QVERIFY(mode && mode->count() >= 3);
        chooseOnce(1337, 1); // "Timed": the exposure may now be automatic
        QVERIFY(m_tool->List(2538)->isEnabled());
        chooseOnce(2538, 1); // "Continuous"
        QCOMPARE(m_tool->List(2538)->currentText(), QString("Continuous"));
        const int committed = mode->currentIndex();
        m_tool->sim.ClearLog();
        chooseOnce(1337, 2);
        const auto& messages = m_tool->notices.recorder.messages;
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, std::string("Please Set Exposure Auto to Off"));
        QCOMPARE(mode->currentIndex(), committed);
        QCOMPARE(m_tool->sim.Received(), Lines{});
    }
};

QTEST_MAIN(ParamE2eTest)
#include "param_e2e_test.moc"
