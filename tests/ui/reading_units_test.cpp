// The fixed data of reading the camera against the counts the tables must give, the progress
// window's contract with its owner, the Camera Link format lists and the list-set encodings.
#include "CProgressBarDialog.h"
#include "CommandFamilies.h"
#include "ControlLookup.h"
#include "ParameterControls.h"
#include "ParameterTable.h"
#include "ReadingCamera.h"
#include "ReloadData.h"

#include <QComboBox>
#include <QVBoxLayout>
#include <QtTest>

#include <set>

namespace {

// A window with the Camera Link format lists, found by id as on the pages.
class FormatPage : public QWidget, public ControlLookup {
public:
    FormatPage()
    {
        auto* layout = new QVBoxLayout(this);
        for (int id : {1407, 1354, 2573, 1422}) {
            auto* list = new QComboBox(this);
            list->setObjectName(QStringLiteral("ctrl_%1").arg(id));
            list->setProperty("ctrlId", id);
            layout->addWidget(list);
        }
    }
    QWidget* FindControl(int ctrlId) const override
    {
        return findChild<QWidget*>(QStringLiteral("ctrl_%1").arg(ctrlId));
    }
    QComboBox* List(int id) const { return qobject_cast<QComboBox*>(FindControl(id)); }
};

} // namespace

class ReadingUnitsTest : public QObject {
    Q_OBJECT

private slots:
    void reloadSetCounts()
    {
        ParameterTable& table = ParameterTable::Instance();
        table.Reset();
        const auto& excluded = ReloadData::ExcludedControls();
        QCOMPARE(std::set<uint32_t>(excluded.begin(), excluded.end()).size(), size_t(83));
        for (uint32_t id : excluded)
            QVERIFY2(table.CtrlId2TblIndex(id) >= 0, qPrintable(QString::number(id)));
        for (uint32_t id : ReloadData::MultiRoiRows()) {
            const int row = table.CtrlId2TblIndex(id);
            QVERIFY(row >= 0);
            QVERIFY(ReloadData::InReloadSet(table.Row(row)));
        }
        QCOMPARE(ReloadData::MultiRoiRows().size(), size_t(13));
        // 222 rows in all, 209 without multi-ROI, of which 22 factory rows.
        QCOMPARE(CReadingCamera::ReloadRows(0, 1).size(), size_t(222));
        QCOMPARE(CReadingCamera::ReloadRows(1, 1).size(), size_t(209));
        QCOMPARE(CReadingCamera::ReloadRows(1, 0).size(), size_t(209 - 22));
        QCOMPARE(CReadingCamera::ReloadRows(2, 0).size(), size_t(200));
        // The progress divisors.
        QCOMPARE(table.CountReadable(), 305);
        QCOMPARE(table.CountReadableUser(), 242);
    }

    void itemMappings()
    {
        using namespace ReloadData;
        const std::pair<int32_t, int> gamma[] = {{45, 0}, {50, 1}, {65, 4}, {100, 8}, {70, 0}, {-1, 0}};
        for (auto [value, item] : gamma)
            QCOMPARE(ItemForValue(GammaValues(), value), item);
        const std::pair<int32_t, int> baud[] = {{1, 0}, {2, 1}, {8, 3}, {128, 7}, {3, 0}};
        for (auto [value, item] : baud)
            QCOMPARE(ItemForValue(FactoryBaudValues(), value), item);
        QCOMPARE(SupportedBaudText(31), std::string("BaudRateMax 115200"));
        QCOMPARE(SupportedBaudText(30), std::string("BaudRateMax 9600"));
        QCOMPARE(BaudRateItems(0).size(), size_t(5));
        QCOMPARE(BaudRateItems(63).size(), size_t(6));
        QCOMPARE(BaudRateItems(254).size(), size_t(7));
        QCOMPARE(BaudRateItems(255).back().value, 128);
        QCOMPARE(std::string(CameraModeText(4)), std::string("SensorMultiRoiMode"));
        QCOMPARE(std::string(CameraModeText(3)), std::string("Normal Mode"));
    }

    void progressWindowDisablesItsOwner()
    {
        QWidget owner;
        owner.show();
        CProgressBarDialog& progress = CProgressBarDialog::Instance();
        progress.SetClosePause(0);
        progress.SetPos(40); // not shown: nothing happens
        QVERIFY(!progress.IsVisible());

        progress.Show(&owner, "Now, reading camera settings.");
        QVERIFY(progress.IsVisible());
        QVERIFY(!owner.isEnabled());
        QVERIFY(progress.Window()->isEnabled());
        QCOMPARE(progress.Message(), QString("Now, reading camera settings."));
        progress.SetPos(40);
        QCOMPARE(progress.Position(), 40);
        progress.Close();
        QVERIFY(!progress.IsVisible());
        QVERIFY(progress.Window() == nullptr);
        QVERIFY(owner.isEnabled());

        // An owner that was disabled before stays disabled.
        owner.setEnabled(false);
        progress.Show(&owner, "x");
        progress.Close();
        QVERIFY(!owner.isEnabled());
        progress.SetClosePause(1000);
    }

    void clConfigurationLists_data()
    {
        QTest::addColumn<int>("config");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("clock");
        QTest::addColumn<int>("configItem");
        QTest::addColumn<int>("bitItems");
        QTest::addColumn<int>("bitItem");
        QTest::addColumn<int>("clockItem");
        QTest::newRow("Base asking for 12 bits: RGB8 only, nothing selected") << 0 << 5 << 2 << 0 << 1 << -1 << 2;
        QTest::newRow("Medium with 12 bits") << 1 << 5 << 0 << 1 << 3 << 2 << 0;
        QTest::newRow("Medium with an unknown depth counts as RGB8") << 1 << 9 << 1 << 1 << 3 << 0 << 1;
        QTest::newRow("Full") << 2 << 3 << 2 << 2 << 1 << 0 << 2;
        QTest::newRow("unknown configuration keeps the list's selection") << 7 << 3 << 5 << 0 << 1 << 0 << -1;
    }
    void clConfigurationLists()
    {
        QFETCH(int, config);
        QFETCH(int, bits);
        QFETCH(int, clock);
        QFETCH(int, configItem);
        QFETCH(int, bitItems);
        QFETCH(int, bitItem);
        QFETCH(int, clockItem);
        FormatPage page;
        ClOutputFormat format{config, bits, clock};
        ParameterControls controls(page, format);
        CReadingCamera reading(&page, controls, page, format);
        reading.FillClConfigurationLists();
        QCOMPARE(page.List(1407)->count(), 4);
        QCOMPARE(page.List(1407)->itemData(3).toInt(), 3);
        QCOMPARE(page.List(1407)->currentIndex(), configItem);
        QCOMPARE(page.List(1354)->count(), bitItems);
        QCOMPARE(page.List(1354)->itemText(0), QString("RGB8"));
        QCOMPARE(page.List(1354)->currentIndex(), bitItem);
        QCOMPARE(page.List(2573)->count(), 3);
        QCOMPARE(page.List(2573)->currentIndex(), clockItem);
        // The parameter controls reach the same lists through their hook.
        QVERIFY(bool(controls.hooks().fillClConfigurationLists));
    }

    void listSetEncodings_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("selection");
        QTest::addColumn<int>("value");
        QTest::newRow("FCBDRT item 3") << 1422 << 3 << 8;
        QTest::newRow("FCBDRT item 0") << 1422 << 0 << 1;
        QTest::newRow("FCBDRT no selection") << 1422 << -1 << 1;
        QTest::newRow("HB x2") << 1406 << 1 << 2;
        QTest::newRow("VB off") << 1408 << 0 << 1;
        QTest::newRow("CE0 second") << 2810 << 1 << 1;
        QTest::newRow("CE2 first") << 2820 << 0 << 0;
        QTest::newRow("ND1IN2 item 19") << 2342 << 19 << 27;
        QTest::newRow("ND0IN1 item 20") << 2339 << 20 << 0;
        QTest::newRow("LS1 item 6") << 2907 << 6 << 10;
        QTest::newRow("LS0 item 18") << 1356 << 18 << 27;
        QTest::newRow("IGM selection") << 2542 << 1 << 1;
        QTest::newRow("not a member") << 1338 << 1 << -1;
    }
    void listSetEncodings()
    {
        QFETCH(int, list);
        QFETCH(int, selection);
        QFETCH(int, value);
        FormatPage page;
        ClOutputFormat format;
        ParameterControls controls(page, format);
        CCommandFamilies families(controls, page);
        QCOMPARE(families.ListSetValue(list, selection), value);
    }
};

QTEST_MAIN(ReadingUnitsTest)
#include "reading_units_test.moc"
