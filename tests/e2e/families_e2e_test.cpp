// The camera's values on the pages, command-line families and push buttons, end to end: a
// person's choice or click on the real pages, the line the simulated camera received, and what
// the window shows afterwards.
#include "../cli/CliRun.h"
#include "E2eTool.h"
#include "PushButtons.h"
#include "StatusLine.h"

namespace {

std::vector<int32_t> RowValues(const ParameterTable& table)
{
    std::vector<int32_t> values;
    for (int i = 0; i < table.RowCount(); ++i)
        values.push_back(table.Row(i).value);
    return values;
}

} // namespace

class FamiliesE2eTest : public QObject {
    Q_OBJECT

    E2eTool m_tool;

private slots:
    // One tool for all cases, in factory mode so that every page has its tab.
    void initTestCase()
    {
        QVERIFY(m_tool.StartShared({"--model", "KT-5100W-QBCL", "--set", "PE=4321", "--set", "GMA=45", "--set",
                                    "HB=2", "--set", "CLCFG=0", "--set", "BA=5", "--set", "SBDRT=63", "--set",
                                    "FCBDRT=32"}, 1));
    }
    void init() { m_tool.Clear(); }

    // First, before anything is changed: the values the camera held reached rows and controls.
    void cameraValuesReachRowsAndControls()
    {
        ParameterTable& table = m_tool.Cam().Table();
        QCOMPARE(table.GetDataValue(1338), 4321);
        QCOMPARE(m_tool.Box(1338)->text(), QString("4321"));
        // Gamma 45 is the first item.
        QCOMPARE(m_tool.List(2575)->currentIndex(), 0);
        // The binning factor 2 is kept as the list position 1 and shown as "x2".
        QCOMPARE(table.GetDataValue(1406), 1);
        QCOMPARE(m_tool.List(1406)->currentIndex(), 1);
        // Base configuration with a 12-bit request: only RGB8 (the lists' rules are unit tested).
        QCOMPARE(m_tool.List(1354)->count(), 1);
        // The KT-5100W-QBCL's smaller sensor limits the blemish positions (which rows: the
        // parameter table's test).
        int32_t lo = 0, hiX = 0, hiY = 0;
        QVERIFY(table.GetRange(1424, lo, hiX) && table.GetRange(1438, lo, hiY));
        QCOMPARE(QPair(hiX, hiY), QPair(1455, 1087));
        // The supported rates: text and list follow the mask; the current rate is selected.
        QCOMPARE(m_tool.Box(2898)->text(), QString("BaudRateMax 230400"));
        QComboBox* bauds = m_tool.List(1422);
        QCOMPARE(bauds->count(), 6);
        QCOMPARE(bauds->itemText(5), QString("Baud230400"));
        QCOMPARE(bauds->currentIndex(), 5);
        // The multi-ROI controls are for this model only.
        QVERIFY(m_tool.Control(2872)->isEnabled());
    }

    void listSets_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("line");
        QTest::newRow("x2 in the horizontal binning list") << 1406 << 1 << "HB=2";
        QTest::newRow("Off in the horizontal binning list") << 1406 << 0 << "HB=1";
        QTest::newRow("factory baud-rate list item 3") << 1422 << 3 << "FCBDRT=8";
        QTest::newRow("factory baud-rate list item 5") << 1422 << 5 << "FCBDRT=32";
        QTest::newRow("factory baud-rate list item 0") << 1422 << 0 << "FCBDRT=1";
        QTest::newRow("counter 1 enable, second item") << 2815 << 1 << "CE1=1";
        QTest::newRow("line source 0 item 6") << 1356 << 6 << "LS0=10";
        QTest::newRow("NAND input item 15") << 2339 << 15 << "ND0IN1=21";
    }
    void listSets()
    {
        QFETCH(int, list);
        QFETCH(int, item);
        QFETCH(QString, line);
        QComboBox* combo = m_tool.List(list);
        QVERIFY(combo && item < combo->count());
        // Start from another item, so choosing the wanted one is a change.
        QVERIFY(m_tool.Choose(list, item == 0 ? 1 : 0));
        m_tool.sim.ClearLog();
        QVERIFY(m_tool.Choose(list, item));
        QVERIFY2(Count(m_tool.sim.Received(), line.toStdString()), line.toLatin1().constData());
        // The person's choice stays on show.
        QCOMPARE(combo->currentIndex(), item);
    }

    // Each parameter control tells its label, command, range as it stands and unit; the width's
    // range and rounding follow the binning list as soon as it changes.
    void tooltipsTellTheRangesAsTheyStand()
    {
        const QString width = "Image format Operation Width, WTC — %1 … 1 456 px, in steps of %2";
        QVERIFY(m_tool.Choose(1406, 1));
        QCOMPARE(m_tool.Box(2515)->toolTip(), width.arg(48).arg(8));
        QCOMPARE(m_tool.Control(2516)->toolTip(), width.arg(48).arg(8));
        QVERIFY(m_tool.Choose(1406, 0));
        QCOMPARE(m_tool.Box(2515)->toolTip(), width.arg(96).arg(16));
        QCOMPARE(m_tool.Box(1055)->toolTip(), QString("Manual Analog All, FGA — 100 … 800"));
        QCOMPARE(m_tool.List(1406)->toolTip(), QString("Image format Operation H Binning, HB"));
        const QString exposure = m_tool.Box(1338)->toolTip();
        QVERIFY2(exposure.startsWith("Exposure Time Common, PE — ") && exposure.endsWith(" µs"), qPrintable(exposure));
    }

    // A typed number on a real page takes the generic road: set, read back, shown. A number
    // that the box's rules or range change on the way goes out changed, and the status bar
    // says how; a region off the sensor sends nothing and says so. lumora-cli's "set" of the
    // same number, against a camera in the same state, sends the same setting line, or, where
    // the window clamps into the range or keeps a region on the sensor, refuses and sends none.
    void typedNumbersSayWhatWasSent_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("cliSends");
        QTest::newRow("as typed") << 1338 << "500" << "PE=500" << "" << true;
        QTest::newRow("above the range") << 1055 << "99999" << "FGA=800"
                                         << "Manual Analog All: 99999 is above 800; 800 sent" << false;
        QTest::newRow("masked") << 2515 << "1001" << "WTC=992"
                                << "Image format Operation Width: 1001 is not a multiple of 16; 992 sent" << true;
        QTest::newRow("above the model's sensor") << 2515 << "1504" << "WTC=1456"
                                                  << "Image format Operation Width: 1504 is above 1456; 1456 sent"
                                                  << false;
        QTest::newRow("masked, then below the range")
            << 2515 << "10" << "WTC=96"
            << "Image format Operation Width: 10 is not a multiple of 16, and 0 is below 96; 96 sent" << false;
        QTest::newRow("back to the full width") << 2515 << "1456" << "WTC=1456" << "" << true;
        QTest::newRow("above the range of the gain mode")
            << 1787 << "5000" << "FGR=400" << "Manual Gain Red: 5000 is above 400; 400 sent" << false;
        QTest::newRow("odd, and off the sensor")
            << 1357 << "7" << ""
            << "Image format Operation Offset Y: 6 would reach past the sensor's edge; 0 kept, nothing sent" << false;
    }
    void typedNumbersSayWhatWasSent()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        QFETCH(QString, said);
        QFETCH(bool, cliSends);
        QVERIFY(m_tool.Choose(1406, 0));
        m_tool.sim.ClearLog();
        StatusLine::Instance().ReportAction("before");
        QLineEdit* edit = m_tool.Box(box);
        QVERIFY(m_tool.ShowPageOf(edit));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        const Lines sent = SettingLines(m_tool.sim.Received());
        QCOMPARE(sent, line.isEmpty() ? Lines{} : Lines{line.toStdString()});
        if (said.isEmpty())
            QCOMPARE(edit->text(), typed);
        QCOMPARE(m_tool.LastAction(), said.isEmpty() ? QString("before") : said);

        // The same number through lumora-cli, against a camera as the window found this one.
        CamSimProcess camera;
        QVERIFY(camera.Start({"--model", "KT-5100W-QBCL", "--set", "HB=1"}));
        const std::string mnemonic = CommandTable::Instance().GetMnemonic(m_tool.Cam().Table().ToCmdId(box));
        const CliResult cli = RunCli({"--port", camera.DevicePath(), "set", mnemonic + "=" + typed.toStdString()});
        QCOMPARE(cli.status, cliSends ? 0 : 2);
        QCOMPARE(SettingLines(camera.Received()), cliSends ? sent : Lines{});
    }

    // The pair goes out as set; the query's answer is what box 1424 and its row show; the index
    // goes out as the box's number, whatever was typed.
    void blemishPairSetAndQueried()
    {
        m_tool.Type(1417, "5");
        m_tool.Type(1424, "100");
        QVERIFY(m_tool.Click(1430));
        QCOMPARE(m_tool.sim.Received(), Lines{"BMPXWR=5,100"});
        m_tool.sim.ClearLog();
        m_tool.Type(1417, "5\r\nCRS00=1");
        m_tool.Type(1424, "");
        QVERIFY(m_tool.Click(1512));
        QCOMPARE(m_tool.sim.Received(), Lines{"BMPXWR?5"});
        QCOMPARE(m_tool.Box(1424)->text(), QString("100"));
        QCOMPARE(m_tool.Cam().Table().GetDataValue(1424), 100);
    }

    // A counter reset changes no row, an unlisted button sends nothing, a recalibration reports
    // its completion; read buttons fill their boxes.
    void buttonsSendTheirLine()
    {
        const std::vector<int32_t> before = RowValues(m_tool.Cam().Table());
        QVERIFY(m_tool.Click(2811));
        QCOMPARE(m_tool.Feature<PushButtons>().OnPushButton(4242), 0);
        QVERIFY(m_tool.Click(1413)); // BlemishStore
        QCOMPARE(m_tool.sim.Received(), (Lines{"CR0=1", "BMS=1"}));
        QVERIFY(RowValues(m_tool.Cam().Table()) == before);
        QCOMPARE(m_tool.notices.recorder.messages.size(), size_t(1));
        QCOMPARE(m_tool.notices.recorder.messages[0].text, std::string("Completed"));
        QVERIFY(m_tool.notices.recorder.messages[0].icon == NoticeIcon::Information);

        m_tool.sim.ClearLog();
        QVERIFY(m_tool.Click(2581)); // blemish count of red
        QCOMPARE(m_tool.sim.Received(), Lines{"BNUMR?"});
        QCOMPARE("BNUMR=" + m_tool.Box(2583)->text().toStdString(), m_tool.sim.LoggedLines().back().line);

        m_tool.sim.ClearLog();
        QVERIFY(m_tool.Click(1432)); // temperature, in 1/128 degrees
        QCOMPARE(m_tool.sim.Received(), Lines{"TMP0?"});
        const int raw = std::stoi(m_tool.sim.LoggedLines().back().line.substr(5));
        QCOMPARE(m_tool.Box(1134)->text(), QString::asprintf("%0.2f", raw / 128.0f));

        // The automatic level status by name.
        m_tool.sim.ClearLog();
        QVERIFY(m_tool.Click(CtrlId::AlcStatusRead));
        QCOMPARE(m_tool.sim.Received(), Lines{"ALCST?"});
        const char* const names[] = {"OFF", "AIC", "ASC", "AGC"};
        const int state = std::stoi(m_tool.sim.LoggedLines().back().line.substr(6));
        QVERIFY(state >= 0 && state < 4);
        QCOMPARE(m_tool.Box(CtrlId::AlcStatusBox)->text(), QString(names[state]));
    }
};

QTEST_MAIN(FamiliesE2eTest)
#include "families_e2e_test.moc"
