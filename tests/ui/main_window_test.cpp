// The main window driven as a person would: tabs per Control Mode, the factory-mode gesture,
// the keyboard rules, closing, the automatic level status against a device on a
// pseudo-terminal, and the page contents checked against the published page tables.
#include "CCtrlToolDlg.h"
#include "CTabSheetDialog.h"
#include "CommLink.h"
#include "ControlLookup.h"
#include "ControlMode.h"
#include "NumberBox.h"
#include "ParameterTable.h"
#include "PtyPeer.h"
#include "SettingsStore.h"
#include "UpDownControl.h"
#include "UserNotice.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <memory>
#include <thread>

namespace {

MemorySettings& TestSettings()
{
    static MemorySettings settings;
    return settings;
}

// Settings for one window: the Control Mode, and COM1 leading nowhere unless a test gives
// it a pseudo-terminal.
void UseSettings(int controlMode, const std::string& com1 = "/nonexistent/lumora-port")
{
    MemorySettings& s = TestSettings();
    s.ints.clear();
    s.ports.clear();
    s.ints[kControlMode] = uint32_t(controlMode);
    s.ports["COM1"] = com1;
    SetSettingsStore(&s);
    ControlMode::ForgetForTest();
    CommLink::Instance().ReloadSettingsForTest();
}

QStringList TabTexts(const CCtrlToolDlg& w)
{
    QStringList texts;
    for (int i = 0; i < w.TabBar()->count(); ++i)
        texts << w.TabBar()->tabText(i);
    return texts;
}

bool UtilityEnabled(const CCtrlToolDlg& w)
{
    QAction* userId = w.MenuAction(CCtrlToolDlg::kCmdEditUserId);
    return userId && userId->parentWidget() && static_cast<QMenu*>(userId->parentWidget())->menuAction()->isEnabled();
}

// How the page tables name a control: by its parameter row's kind ('r'), as a captioned
// control of a row ('c': a check box for a check-box row, otherwise a push button), as a
// push button of the Buttons column ('b'), or as a row whose value is only shown ('x').
struct Expected {
    int id;
    char how;
};

struct PageContents {
    int page;
    std::vector<const char*> groups;
    std::vector<const char*> labels;
    std::vector<Expected> controls;
};

std::vector<Expected> Rows(std::initializer_list<int> ids, char how = 'r')
{
    std::vector<Expected> out;
    for (int id : ids)
        out.push_back({id, how});
    return out;
}

std::vector<Expected> Join(std::initializer_list<std::vector<Expected>> parts)
{
    std::vector<Expected> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

const std::vector<PageContents>& Published()
{
    static const std::vector<PageContents> pages = {
        {0,
         {"Trigger control Operation", "Acquisition control Operation", "Gain", "Manual", "Balance White Auto",
          "AGC Continuous", "Exposure Control Operation", "Video Process Bypass", "Image format Operation",
          "Exposure Time", "Black Level", "ASC Continuous", "Alc Reference", "Test Image Selector",
          "CL Clock Frequency", "Temperature", "Binning Mode"},
         {"Mode", "Trigger Source", "Trigger Activation", "Trigger Overlap", "TriggerDelay", "Total Frame  Period",
          "Maximum Gain", "Minimum Gain", "ExposureTimeMode", "Exposure Mode", "Exposure Auto",
          "Exposure Mode Option", "Sensor Digitization Taps", "ClConfiguration", "Pixel Format", "Offset X", "Width",
          "Common", "Red", "Green", "Blue", "Exposure time auto Max", "Exposure time auto Min", "C"},
         Join({Rows({1341, 1349, 1350, 1352, 1382, 1363, 2542, 2539, 1055, 1782, 1786, 1787, 1789, 1791, 1580,
                     1369, 1370, 1368, 1337, 2538, 2541, 2594, 2870, 1407, 1354, 1357, 1359, 2513, 2515, 1406,
                     1408, 1338, 1343, 1345, 1347, 1797, 1754, 1759, 1376, 1377, 1366, 1386, 2573, 2661, 2664}),
               Rows({1882, 1432}, 'b')})},
        {1,
         {"ALC Channel Area", "AWB Channel Area", "Shading Correction", "ALC Status", "LUT"},
         {"High", "Mid-High", "Mid-Low", "Low", "Left", "Mid-Left", "Mid-Right", "Right", "Correction Mode", "Index",
          "Data", "LUT Mode", "ALC Speed"},
         Join({Rows({1958, 1957, 1956, 1955, 1954, 1953, 1952, 1951, 1950, 1949, 1948, 1947, 1946, 1945, 1944,
                     1943, 1974, 1973, 1972, 1971, 1970, 1969, 1968, 1967, 1966, 1965, 1964, 1963, 1962, 1961,
                     1960, 1959, 1404, 1868, 1381, 2518, 2520, 2524, 2526, 2575, 2530, 2532, 1885, 2703}),
               Rows({2540, 2543, 1405, 1871}, 'c'),
               Rows({2522, 2523, 1573, 2528, 2529, 2534, 2535}, 'b')})},
        {2,
         {"Pulse Generator 0", "Pulse Generator 1", "Pulse Generator 2", "Pulse Generator 3", "Counter 0",
          "Counter 1", "Counter 2", "NAND0 Input", "UserOutput", "Line1", "Line2", "NAND1 Input", "OptIn Filter"},
         {"Length", "Start", "End", "Repeat", "Clear", "Sync", "Input", "Invert", "Event Source", "Source1",
          "Invert1", "Invert2", "Source2", "UserOputput0", "UserOputput1", "UserOputput2", "UserOputput3", "Source",
          "ClockPreScaler"},
         Join({Rows({2296, 2304, 2312, 2321, 2329, 2335, 2345, 2349, 2298, 2306, 2314, 2323, 2330, 2336, 2346,
                     2350, 2300, 2308, 2316, 2325, 2332, 2337, 2347, 2351, 2302, 2310, 2319, 2327, 2334, 2338,
                     2348, 2352, 2810, 2815, 2820, 2339, 2353, 2340, 2354, 2868, 2869, 2871, 2873, 1356, 1361,
                     2907, 2908, 2341, 2355, 2342, 2356, 2909, 2343}),
               Rows({2811, 2814, 2816, 2819, 2821, 2824}, 'c'),
               // The counter values are list rows in the parameter table, but the "Read"
               // buttons show the camera's count in them: read-only boxes.
               Rows({2812, 2817, 2822}, 'x')})},
        {3,
         {"Sequencer Control Setting", "Sequencer Control", "Multi ROI", "Sequencer Contlol Setting(Exposure Time)"},
         {"FrameNumber", "SetNext", "Width", "Height", "OffsetX", "OffsetY", "Lut Enable", "Black Level",
          "GainAnalogAll ", "LUT mode", "Sequencer Mode", "SequencerModeSel", "Video Send Mode",
          "Command Sequence Index", "SequencerSetActive", "Sequencer Reset", "SequencerSetStart", "Common", "Red",
          "Green", "Blue"},
         Join({Rows({2779, 2781, 2783, 2785, 2787, 2789, 2791, 2551, 2797, 2798, 2799, 2800, 2793, 2802, 2918,
                     2804, 2572, 2901, 2902, 2517, 2807, 2910, 2712, 2714, 2720, 2722, 2728, 2730, 2736, 2738,
                     2744, 2746, 2752, 2754, 2906, 2795, 2912, 2914, 2916}),
               Rows({2806, 2569, 2571, 2872}, 'c')})},
        {4,
         {"P-IRIS"},
         {},
         Join({Rows({2770, 2771, 2760, 2762, 2772, 2773, 2774, 2764, 2766, 2768, 2775, 2776}),
               Rows({2778, 2777}, 'c')})},
        {5,
         {"Blemis White(Red)", "Color Transformation Control", "Compensation number", "Edge Enhancer", "Index",
          "Horizontal", "Color Matrix Value", "Color Enhancer", "Vertical", "Value", "Blemis White(Green)",
          "Blemis White(Blue)", "Blemish"},
         {"Color Transformation Mode", "Color Transformation RGB Mode", "Edge Enhancer Enable",
          "Edge Enhancer Level", "Color Matrix R-R", "Color Matrix R-G", "Color Matrix R-B", "Color Matrix G-R",
          "Color Matrix G-G", "Color Matrix G-B", "Color Matrix B-R", "Color Matrix B-G", "Color Matrix B-B",
          "Color Enhancer Enable", "Color Enhancer(Red)", "Color Enhancer(Cyan)", "Color Enhancer(Green)",
          "Color Enhancer(Magenta)", "Color Enhancer(Blue)", "Color Enhancer(Yellow)"},
         Join({Rows({1410, 2660, 2662, 2665, 2675, 1417, 1424, 2631, 2633, 2635, 2637, 2640, 2643, 2646, 2649,
                     2652, 2667, 1438, 2655, 2657, 2659, 2669, 2671, 2673, 1415, 1423, 1427, 1441, 1445, 1387,
                     1456, 1449, 1460}),
               Rows({2581, 2882, 2585, 2883, 2589, 1413, 2884}, 'c'),
               Rows({1430, 1512, 1431, 1513, 1433, 1515, 1437, 1517, 1409, 1453, 1519, 1464, 1521}, 'b')})},
        {6,
         {"Factory Gain", "Blemish White", "Blemish Black", "DeviceSerialPort", "HightSpeedCom Mode",
          "SupportedBaudRate", "Horizontal", "Temperature Factor", "Black Level for Factory", "Vertical",
          "Compensation number", "Boot Area Set", "Camera Model", "XML Version"},
         {"Factory Gain Analog All", "Factory Gain Digital All", "Threshold", "Baud Rate", "No", "H Position",
          "Factroy Black Offset All", "Factroy Black Level Raw All", "V Position"},
         Join({Rows({2825, 2827, 2829, 2831, 2833, 2835, 2555, 1448, 1422, 2898, 2557, 2559, 1452, 1457, 2708,
                     2837, 2411, 2839, 2841, 2843, 2845, 2563, 2565, 1461, 1465, 1470}),
               Rows({2553, 1650, 2876, 2584, 2588}, 'c'),
               Rows({2561, 2562, 1520, 1522, 2567, 2568, 1523, 1524, 1016, 2606, 2605, 1014, 1012, 1024}, 'b')})},
    };
    return pages;
}

ControlClass ExpectedClass(const Expected& e)
{
    int kind = -1;
    ParameterTable& table = ParameterTable::Instance();
    for (int i = 0; i < table.RowCount(); ++i)
        if (table.Row(i).ctrlId == uint32_t(e.id))
            kind = int(table.Row(i).ctrlKind);
    switch (e.how) {
    case 'b':
        return ControlClass::PushButton;
    case 'x':
        return ControlClass::NumberBox;
    case 'c':
        return kind == kCheckBox ? ControlClass::CheckBox : ControlClass::PushButton;
    default:
        switch (kind) {
        case kCheckBox: return ControlClass::CheckBox;
        case kDropDown: return ControlClass::DropDown;
        case kNumberBox: return ControlClass::NumberBox;
        case kAction: return ControlClass::PushButton;
        default: return ControlClass::None; // the id has no row: the table data is wrong
        }
    }
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        notice = std::make_unique<ScopedRecordingNotice>();
        ParameterTable::Instance().Reset();
    }
    void cleanup()
    {
        window.reset();
        notice.reset();
    }

    void tabsFollowTheControlMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("normal") << 0 << QStringList{"User A", "User B", "User C", "User D", "User E"};
        QTest::newRow("factory") << 1 << QStringList{"User A", "User B", "User C", "User D", "User E", "Factory A"};
    }
    void tabsFollowTheControlMode()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, tabs);
        UseSettings(mode);
        makeWindow();
        QCOMPARE(TabTexts(*window), tabs);
        for (int i = 0; i < window->TabBar()->count(); ++i)
            QVERIFY(window->TabBar()->tabData(i).toInt() != CCtrlToolDlg::kLensIrisPage);
        QCOMPARE(UtilityEnabled(*window), mode == 1);
        QCOMPARE(window->CurrentPage(), window->Page(0));
    }

    void fifthTabShowsPageFive()
    {
        UseSettings(0);
        makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->TabBar()->setCurrentIndex(4);
        QCOMPARE(window->CurrentPage(), window->Page(5));
        QVERIFY(window->Page(5)->isVisible());
        QVERIFY(!window->Page(4)->isVisible());
        QVERIFY(!window->Page(0)->isVisible());
        // The lens iris page is still there to be found by id.
        QCOMPARE(window->FindControl(2770), window->Page(4)->control(2770));
    }

    void factoryGestureTogglesTabsAndUtilityMenu()
    {
        UseSettings(0);
        makeWindow();
        auto* box = qobject_cast<NumberBox*>(window->FindControl(1338));
        QVERIFY(box);
        box->setFocus();
        const QString before = box->text();

        // A wrong letter cancels the gesture; the letters that follow are ordinary keys.
        QTest::keyClick(box, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_L);
        QTest::keyClick(box, Qt::Key_X);
        QTest::keyClick(box, Qt::Key_C);
        QTest::keyClick(box, Qt::Key_T);
        QCOMPARE(window->TabBar()->count(), 5);
        box->setText(before);

        int followUps = 0;
        window->SetControlModeFollowUp([&followUps] { ++followUps; });
        gesture(box);
        QCOMPARE(ControlMode::Get(), ControlMode::kFactory);
        QCOMPARE(followUps, 1);
        QCOMPARE(window->TabBar()->count(), 6);
        QCOMPARE(window->TabBar()->tabText(5), QString("Factory A"));
        QVERIFY(UtilityEnabled(*window));
        QCOMPARE(box->text(), before); // the code letters were not typed into the box

        // From anywhere in the window, also with the modifier keys pressed on their own.
        QTest::keyClick(window->TabBar(), Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(window->TabBar(), Qt::Key_Shift);
        QTest::keyClick(window->TabBar(), Qt::Key_L);
        QTest::keyClick(window->TabBar(), Qt::Key_C);
        QTest::keyClick(window->TabBar(), Qt::Key_T);
        QCOMPARE(window->TabBar()->count(), 5);
        QVERIFY(!UtilityEnabled(*window));
    }

    void everyPublishedControlExistsOnceWithItsKind()
    {
        UseSettings(1);
        makeWindow();
        for (const PageContents& pc : Published()) {
            CTabSheetDialog* page = window->Page(pc.page);
            QVERIFY2(page->repeatedIds().isEmpty(), qPrintable(QString("page %1").arg(pc.page)));
            for (const Expected& e : pc.controls) {
                const QString where = QString("page %1 control %2").arg(pc.page).arg(e.id);
                QWidget* w = page->control(e.id);
                QVERIFY2(w, qPrintable(where + " missing"));
                QCOMPARE(window->FindControl(e.id), w);
                QCOMPARE(w->objectName(), QString("ctrl_%1").arg(e.id));
                QCOMPARE(w->property("ctrlId").toInt(), e.id);
                const ControlClass expected = ExpectedClass(e);
                QVERIFY2(expected != ControlClass::None, qPrintable(where + " has no row"));
                QVERIFY2(ClassOfControl(w) == expected, qPrintable(where + " has the wrong kind"));
                int copies = 0;
                for (QWidget* any : window->findChildren<QWidget*>())
                    copies += any->property("ctrlId").toInt() == e.id;
                QVERIFY2(copies == 1, qPrintable(where + QString(" exists %1 times").arg(copies)));
            }
            QStringList titles, labels;
            for (QGroupBox* g : page->findChildren<QGroupBox*>())
                titles << g->title();
            for (QLabel* l : page->findChildren<QLabel*>())
                labels << l->text();
            for (const char* title : pc.groups)
                QVERIFY2(titles.contains(title), qPrintable(QString("page %1 group %2").arg(pc.page).arg(title)));
            for (const char* text : pc.labels)
                QVERIFY2(labels.contains(text), qPrintable(QString("page %1 label %2").arg(pc.page).arg(text)));
        }
    }

    void controlsIdsThatOtherFeaturesNameExist_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("kind");
        const int spin = int(ControlClass::Spin), box = int(ControlClass::NumberBox), none = int(ControlClass::None);
        for (int id : {1339, 1344, 1346, 1348, 1358, 1364, 1373, 1374, 1379, 1380, 1579, 2514, 2516, 2519, 2525,
                       2531, 2780, 2786, 2788, 2790, 2792, 1059, 1796, 2794, 2796, 2919, 2713, 2755})
            QTest::newRow(qPrintable(QString::number(id))) << id << spin;
        for (int id : {1134, 1873, 1875, 2570, 2903, 2904, 2583, 2587, 2592, 2586, 2590, 2602, 2603, 2604})
            QTest::newRow(qPrintable(QString::number(id))) << id << box;
        for (int id : {1020, 1803, 1843, 1848, 2886, 2887, 2894})
            QTest::newRow(qPrintable(QString::number(id))) << id << none;
        QTest::newRow("1855") << 1855 << int(ControlClass::DropDown);
        QTest::newRow("2550") << 2550 << int(ControlClass::DropDown);
    }
    void controlsIdsThatOtherFeaturesNameExist()
    {
        QFETCH(int, id);
        QFETCH(int, kind);
        if (!window) {
            UseSettings(1);
            makeWindow();
        }
        QWidget* w = window->FindControl(id);
        QVERIFY(w);
        QCOMPARE(int(ClassOfControl(w)), kind);
    }

    void spinsAreLinkedToTheirBoxes()
    {
        UseSettings(0);
        makeWindow();
        struct Pair { int box, spin; };
        for (Pair p : {Pair{1338, 1339}, Pair{1359, 1579}, Pair{1357, 1358}, Pair{2515, 2516}, Pair{2779, 2780},
                       Pair{1789, 1796}, Pair{2518, 2519}}) {
            auto* box = qobject_cast<NumberBox*>(window->FindControl(p.box));
            auto* spin = qobject_cast<UpDownControl*>(window->FindControl(p.spin));
            QVERIFY(box && spin);
            QCOMPARE(spin->buddy(), box);
            QCOMPARE(box->spinId(), p.spin);
        }
    }

    void controlsDescribeThemselves()
    {
        UseSettings(0);
        makeWindow();
        QWidget* exposure = window->FindControl(1338);
        QCOMPARE(exposure->toolTip(), QString("Camera command PE, control 1338"));
        QCOMPARE(exposure->accessibleDescription(), exposure->toolTip());
        QCOMPARE(exposure->accessibleName(), QString("Exposure Time Common"));
        QCOMPARE(window->FindControl(2553)->toolTip(), QString("Control 2553"));
        QCOMPARE(window->FindControl(1341)->accessibleName(), QString("Trigger control Operation Mode"));
        QCOMPARE(window->FindControl(1958)->accessibleName(), QString("ALC Channel Area High Left"));
        QCOMPARE(window->FindControl(2714)->accessibleName(), QString("Multi ROI Width Index 2"));
        // Every label with a control beside it names that control.
        bool found = false;
        for (QLabel* l : window->Page(0)->findChildren<QLabel*>())
            if (l->text() == "Common") {
                QCOMPARE(l->buddy(), exposure);
                found = true;
            }
        QVERIFY(found);
        for (CTabSheetDialog* page : {window->Page(0), window->Page(1), window->Page(2), window->Page(3),
                                       window->Page(5), window->Page(6)})
            for (QWidget* w : page->controls())
                if (ClassOfControl(w) != ControlClass::None && ClassOfControl(w) != ControlClass::Spin)
                    QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }

    void enterAndEscapeNeverCloseTheWindow()
    {
        UseSettings(0);
        makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        auto* box = qobject_cast<NumberBox*>(window->FindControl(1338));
        QSignalSpy commits(box, &NumberBox::commitRequested);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter);
        QCOMPARE(commits.count(), 2);
        QCOMPARE(commits.at(0).at(0).toInt(), 1338);
        QTest::keyClick(box, Qt::Key_Escape);

        auto* button = qobject_cast<QPushButton*>(window->FindControl(1882));
        QSignalSpy clicks(button, &QPushButton::clicked);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Escape);
        QCOMPARE(clicks.count(), 0); // Enter on a button does nothing

        auto* list = qobject_cast<QComboBox*>(window->FindControl(1341));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Escape);
        QTest::keyClick(window.get(), Qt::Key_Return);
        QTest::keyClick(window.get(), Qt::Key_Escape);

        QVERIFY(window->isVisible());
        QVERIFY(notice->recorder.questions.empty());
    }

    void enterOrEscapeCloseAnOpenListWithTheHighlightedEntry_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("escape") << int(Qt::Key_Escape);
    }
    void enterOrEscapeCloseAnOpenListWithTheHighlightedEntry()
    {
        QFETCH(int, key);
        UseSettings(0);
        makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* list = qobject_cast<QComboBox*>(window->FindControl(1350));
        QSignalSpy chosen(list, &QComboBox::activated);
        list->setFocus();
        list->showPopup();
        QAbstractItemView* view = list->view();
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key(key));
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(chosen.count(), 1);
        QVERIFY(window->isVisible());
        QVERIFY(notice->recorder.questions.empty());
    }

    void closingAsksAndNoKeepsTheWindow()
    {
        UseSettings(0);
        makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        notice->recorder.answers = {false};
        window->close();
        QVERIFY(window->isVisible());
        QCOMPARE(notice->recorder.questions.size(), size_t(1));
        QCOMPARE(notice->recorder.questions[0], std::string("Are you sure to terminate the Camera Control Tool ?"));

        // Exit asks the same question; Yes ends the dialog.
        notice->recorder.answers = {true};
        window->MenuAction(CCtrlToolDlg::kCmdExit)->trigger();
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QCOMPARE(notice->recorder.questions.size(), size_t(2));
    }

    void afterACameraResetTheWindowClosesWithoutAsking()
    {
        UseSettings(0);
        makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->SetCloseWithoutConfirm(true);
        window->close();
        QVERIFY(!window->isVisible());
        QVERIFY(notice->recorder.questions.empty());
    }

    void aRequestToEndTheProgramClosesWithoutAsking()
    {
        UseSettings(0);
        makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QEvent quit(QEvent::Quit); // what a termination signal's quit() sends
        QCoreApplication::sendEvent(qApp, &quit);
        QVERIFY(!window->isVisible());
        QVERIFY(notice->recorder.questions.empty());
    }

    void menuCarriesEveryCommand()
    {
        UseSettings(0);
        makeWindow();
        for (int id : {32781, 32786, 32787, 2, 32775, 32777, 32776, 32773, 32778, 32779, 32780, 32784, 32774, 32785})
            QVERIFY2(window->MenuAction(id), qPrintable(QString::number(id)));
        QVERIFY(window->MenuAction(CCtrlToolDlg::kCmdExit)->isEnabled());
        int calls = 0;
        window->SetMenuHandler(CCtrlToolDlg::kCmdReload, [&calls] { ++calls; });
        QVERIFY(window->MenuAction(CCtrlToolDlg::kCmdReload)->isEnabled());
        window->MenuAction(CCtrlToolDlg::kCmdReload)->trigger();
        QCOMPARE(calls, 1);
    }

    void startWithoutALinkTellsTheOperator()
    {
        UseSettings(0);
        makeWindow();
        QCOMPARE(window->windowTitle(), QString("Lumora Control Tool  Ver 0.14"));
        QCOMPARE(window->Connected(), 0);
        // The transport may explain first what went wrong with the port.
        QVERIFY(!notice->recorder.messages.empty());
        QCOMPARE(notice->recorder.messages.back().text, std::string("Failed to initialize!"));
    }

    void automaticLevelStatusShowsTheCameraAnswer_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("shown");
        QTest::newRow("off") << "ALCST=0" << "OFF";
        QTest::newRow("aic") << "ALCST=1" << "AIC";
        QTest::newRow("asc") << "ALCST=2" << "ASC";
        QTest::newRow("agc") << "ALCST=3" << "AGC";
        QTest::newRow("unknown") << "ALCST=7" << "";
    }
    void automaticLevelStatusShowsTheCameraAnswer()
    {
        QFETCH(QString, reply);
        QFETCH(QString, shown);
        PtyPeer camera;
        QVERIFY(camera.IsOpen());
        UseSettings(0, camera.SlavePath());
        makeWindow();
        QCOMPARE(window->Connected(), 1);
        auto* box = qobject_cast<QLineEdit*>(window->FindControl(1873));
        box->setText("stale");
        std::string line;
        std::thread device([&] {
            line = camera.ReadUntil('\n', 5000);
            camera.Write(reply.toStdString() + "\r\n");
        });
        qobject_cast<QPushButton*>(window->FindControl(1871))->click();
        device.join();
        QCOMPARE(line, std::string("ALCST?\r\n"));
        QCOMPARE(box->text(), shown);
    }

private:
    void makeWindow()
    {
        window = std::make_unique<CCtrlToolDlg>();
        window->Initialize();
    }
    void gesture(QWidget* target)
    {
        QTest::keyClick(target, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(target, Qt::Key_L);
        QTest::keyClick(target, Qt::Key_C);
        QTest::keyClick(target, Qt::Key_T);
    }

    std::unique_ptr<ScopedRecordingNotice> notice;
    std::unique_ptr<CCtrlToolDlg> window;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
