// The property grid on real widgets: the value text of every row kind, each editor driven by
// mouse or keys, and the change report: once per accepted edit, the value changed or not,
// never after a cancel.
#include "PropertyGrid.h"
#include "PropertyGridCalendar.h"
#include "PropertyGridListEditor.h"
#include "PropertyGridTextEditor.h"
#include "PushButtonItem.h"
#include "RuntimeDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

using ItemId = PropertyGrid::ItemId;

namespace {

// A window with the grid and one other box to move the focus to.
struct GridWindow {
    QWidget window;
    PropertyGrid* grid = new PropertyGrid;
    QLineEdit* elsewhere = new QLineEdit;
    PropertyGrid::SectionId section = grid->addSection("Camera");

    GridWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(elsewhere);
        window.resize(420, 320);
        window.show();
        window.activateWindow();
    }
    void clickValue(ItemId item)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->valueRect(item).center());
    }
    // Clicks the value of a row whose editor is a modal dialog, doing `act` while it runs.
    void clickValueWithDialog(ItemId item, const std::function<void(QWidget*)>& act)
    {
        QTimer::singleShot(0, grid, [act] { act(QApplication::activeModalWidget()); });
        QTimer::singleShot(5000, grid, [] {
            if (QWidget* stuck = QApplication::activeModalWidget())
                stuck->close();
        });
        clickValue(item);
    }
};

} // namespace

class PropertyGridTest : public QObject {
    Q_OBJECT

private slots:
    void everyKindShowsItsValueText()
    {
        using Add = std::function<ItemId(PropertyGrid&, PropertyGrid::SectionId)>;
        const struct {
            Add add;
            QString shown;
        } cases[] = {
            {[](auto& g, auto s) { return g.addBoolItem(s, "on", true); }, "True"},
            {[](auto& g, auto s) { return g.addBoolItem(s, "off", false); }, "False"},
            {[](auto& g, auto s) { return g.addIntegerItem(s, "gain", -42); }, "-42"},
            {[](auto& g, auto s) { return g.addDoubleItem(s, "small", 0.000012345); }, "1.2345e-05"},
            {[](auto& g, auto s) { return g.addDoubleItem(s, "rounded", 2.0 / 3.0); }, "0.666667"},
            {[](auto& g, auto s) { return g.addStringItem(s, "name", "KT-5100W"); }, "KT-5100W"},
            {[](auto& g, auto s) { return g.addTextItem(s, "notes", "a\nb"); }, "a\nb"},
            {[](auto& g, auto s) { return g.addComboItem(s, "mode", QStringList{"Off", "On", "Auto"}, 2); }, "Auto"},
            {[](auto& g, auto s) { return g.addDateItem(s, "day", QDate(2024, 2, 29)); }, "2024-02-29"},
            {[](auto& g, auto s) { return g.addDateTimeItem(s, "at", QDateTime(QDate(2024, 2, 29), QTime(13, 5, 9))); },
             "2024-02-29 13:05:09"},
            {[](auto& g, auto s) { return g.addColorItem(s, "tint", QColor(10, 20, 255)); }, "10; 20; 255"},
            {[](auto& g, auto s) { return g.addFontItem(s, "face", QFont("Courier", 9)); }, "Courier; 9pt"},
            {[](auto& g, auto s) { return g.addFolderItem(s, "dir", "/tmp/lut"); }, "/tmp/lut"},
            {[](auto& g, auto s) { return g.addCustomItem(s, "run", std::make_unique<PushButtonItem>()); }, " Push ..."},
        };
        PropertyGrid grid;
        const auto section = grid.addSection("All");
        std::vector<ItemId> items;
        for (const auto& c : cases) {
            items.push_back(c.add(grid, section));
            QVERIFY2(items.back() != 0, qPrintable(c.shown));
            QCOMPARE(grid.valueText(items.back()), c.shown);
        }
        // Hex mode and the grid's own texts change what the rows show.
        const ItemId address = grid.addIntegerItem(section, "address", 255);
        grid.setHexMode(true);
        grid.setBoolTexts("Yes", "No");
        QCOMPARE(grid.valueText(address), QString("H' FF"));
        QCOMPARE(grid.valueText(items[2]), QString("H' FFFFFFD6"));
        QCOMPARE(grid.valueText(items[0]), QString("Yes"));
    }

    void valuesGoInAndOutAsPlainCpp()
    {
        PropertyGrid grid;
        const auto section = grid.addSection(std::string("Identity"));
        const ItemId name = grid.addStringItem(section, std::string("User ID"), std::string("Gain \xc2\xb5"));
        const ItemId mode = grid.addComboItem(section, "Mode", std::vector<std::string>{"Off", "On"}, 0);
        std::string text;
        QVERIFY(grid.getItemValue(name, text));
        QCOMPARE(text, std::string("Gain \xc2\xb5"));
        QVERIFY(grid.setItemValue(mode, std::string("On")));
        int index = -1;
        QVERIFY(grid.getItemValue(mode, index));
        QCOMPARE(index, 1);
        QVERIFY(!grid.setItemValue(mode, "Auto")); // not one of the choices
        QVERIFY(!grid.setItemValue(name, 2.5));    // a text row holds no number
        QVERIFY(!grid.setItemValue(ItemId(9999), 1));
        // Whole numbers of a register's width keep its whole range, in decimal and in hex.
        using Range = PropertyGrid::IntegerRange;
        const ItemId counter = grid.addIntegerItem(section, "Counter", Range::UInt32);
        const ItemId stamp = grid.addIntegerItem(section, "Stamp", Range::UInt64);
        const ItemId offset = grid.addIntegerItem(section, "Offset", Range::Int64);
        QVERIFY(grid.setItemValue(counter, std::int64_t(4294967294)));
        QVERIFY(grid.setItemValue(stamp, std::int64_t(-2)));
        QVERIFY(grid.setItemValue(offset, std::int64_t(-5000000000)));
        QCOMPARE(grid.valueText(counter), QString("4294967294"));
        QCOMPARE(grid.valueText(stamp), QString("18446744073709551614"));
        QCOMPARE(grid.valueText(offset), QString("-5000000000"));
        std::uint64_t bits = 0;
        QVERIFY(grid.getItemValue(counter, bits));
        QCOMPARE(bits, std::uint64_t(4294967294));
        std::int64_t number = 0;
        QVERIFY(grid.getItemValue(stamp, number));
        QCOMPARE(number, std::int64_t(-2));
        grid.setHexMode(true);
        QCOMPARE(grid.valueText(counter), QString("H' FFFFFFFE"));
        QCOMPARE(grid.valueText(stamp), QString("H' FFFFFFFFFFFFFFFE"));
        grid.setHexMode(false);
        QCOMPARE(grid.addIntegerItem(PropertyGrid::SectionId(77), "lost", 1), ItemId(0));
        grid.clear();
        QVERIFY(!grid.getItemValue(name, text)); // ids are not handed out again
        const ItemId fresh = grid.addIntegerItem(grid.addSection("Again"), "x", 1);
        QVERIFY(fresh != name && fresh != mode);
    }

    void inPlaceEditReportsOnceWhenAcceptedAndNeverWhenCancelled_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("reports");
        QTest::newRow("whole number, Enter") << "int" << "42" << "enter" << "42" << 1;
        QTest::newRow("whole number, focus elsewhere") << "int" << "42" << "focus" << "42" << 1;
        QTest::newRow("whole number, Escape") << "int" << "42" << "escape" << "5" << 0;
        QTest::newRow("not a number") << "int" << "4x2" << "enter" << "5" << 0;
        QTest::newRow("hexadecimal typed") << "int" << "H' 1F" << "enter" << "31" << 1;
        QTest::newRow("whole number as it was") << "int" << "5" << "enter" << "5" << 1;
        QTest::newRow("beyond an int") << "int" << "2147483648" << "enter" << "5" << 0;
        QTest::newRow("unsigned 32-bit, top") << "uint32" << "4294967295" << "enter" << "4294967295" << 1;
        QTest::newRow("unsigned 32-bit, hexadecimal") << "uint32" << "H' 80000000" << "enter" << "2147483648" << 1;
        QTest::newRow("unsigned 32-bit, beyond") << "uint32" << "4294967296" << "enter" << "5" << 0;
        QTest::newRow("unsigned 32-bit, negative") << "uint32" << "-1" << "enter" << "5" << 0;
        QTest::newRow("unsigned 64-bit, top") << "uint64" << "18446744073709551615" << "enter"
                                              << "18446744073709551615" << 1;
        QTest::newRow("signed 64-bit, hexadecimal") << "int64" << "H' FFFFFFFFFFFFFFFF" << "enter" << "-1" << 1;
        QTest::newRow("real number") << "real" << "1e3" << "enter" << "1000" << 1;
        QTest::newRow("real number as it was") << "real" << "0.1" << "enter" << "0.1" << 1;
        QTest::newRow("text") << "text" << "xyz" << "enter" << "xyz" << 1;
        QTest::newRow("text, Escape") << "text" << "xyz" << "escape" << "abc" << 0;
    }
    void inPlaceEditReportsOnceWhenAcceptedAndNeverWhenCancelled()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QString, ending);
        QFETCH(QString, shown);
        QFETCH(int, reports);
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        PropertyGrid& grid = *w.grid;
        using Range = PropertyGrid::IntegerRange;
        const ItemId item = kind == "int" ? grid.addIntegerItem(w.section, "Gain", 5)
            : kind == "uint32"            ? grid.addIntegerItem(w.section, "Count", Range::UInt32)
            : kind == "uint64"            ? grid.addIntegerItem(w.section, "Stamp", Range::UInt64)
            : kind == "int64"             ? grid.addIntegerItem(w.section, "Offset", Range::Int64)
            : kind == "real"              ? grid.addDoubleItem(w.section, "Ratio", 0.1)
                                          : grid.addStringItem(w.section, "Name", "abc");
        if (kind.endsWith("32") || kind.endsWith("64"))
            QVERIFY(grid.setItemValue(item, 5));
        QSignalSpy changes(&grid, &PropertyGrid::itemChanged);
        w.clickValue(item);
        auto* edit = grid.findChild<PropertyGridTextEditor*>();
        QVERIFY(edit && edit->isVisible() && edit->hasFocus());
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        if (ending == "enter")
            QTest::keyClick(edit, Qt::Key_Return);
        else if (ending == "escape")
            QTest::keyClick(edit, Qt::Key_Escape);
        else
            w.elsewhere->setFocus();
        QTRY_VERIFY(!grid.findChild<PropertyGridTextEditor*>());
        QCOMPARE(grid.valueText(item), shown);
        QCOMPARE(changes.count(), reports);
        if (reports)
            QCOMPARE(changes.at(0).at(0).toUInt(), item);
    }

    // List rows open on their value, a calendar on its day; Enter takes the next entry or day,
    // Escape keeps the value.
    void pickersTakeTheChosenEntry_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("reports");
        QTest::newRow("bool, next entry") << "bool" << int(Qt::Key_Return) << "No" << 1;
        QTest::newRow("bool, Escape") << "bool" << int(Qt::Key_Escape) << "Yes" << 0;
        QTest::newRow("list, next entry") << "list" << int(Qt::Key_Return) << "Auto" << 1;
        QTest::newRow("list, Escape") << "list" << int(Qt::Key_Escape) << "On" << 0;
        QTest::newRow("date, next day") << "date" << int(Qt::Key_Return) << "2024-03-01" << 1;
        QTest::newRow("date, Escape") << "date" << int(Qt::Key_Escape) << "2024-02-29" << 0;
    }
    void pickersTakeTheChosenEntry()
    {
        QFETCH(QString, kind);
        QFETCH(int, key);
        QFETCH(QString, shown);
        QFETCH(int, reports);
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        PropertyGrid& grid = *w.grid;
        grid.setBoolTexts("Yes", "No");
        const ItemId item = kind == "bool" ? grid.addBoolItem(w.section, "Enabled", true)
            : kind == "list"               ? grid.addComboItem(w.section, "Mode", QStringList{"Off", "On", "Auto"}, 1)
                                           : grid.addDateItem(w.section, "Calibrated", QDate(2024, 2, 29));
        QSignalSpy changes(&grid, &PropertyGrid::itemChanged);
        w.clickValue(item);
        QAbstractItemView* view = nullptr;
        if (kind == "date") {
            auto* calendar = grid.findChild<PropertyGridCalendar*>();
            QVERIFY(calendar && calendar->isVisible());
            view = calendar->findChild<QAbstractItemView*>();
            QTest::keyClick(view, Qt::Key_Right);
        } else {
            auto* combo = grid.findChild<PropertyGridListEditor*>();
            QVERIFY(combo);
            QCOMPARE(combo->currentText(), grid.valueText(item));
            view = combo->view();
            QTRY_VERIFY(view->isVisible());
            QTest::keyClick(view, Qt::Key_Down);
        }
        QTest::keyClick(view, Qt::Key(key));
        QTRY_VERIFY(!grid.findChild<PropertyGridListEditor*>() && !grid.findChild<PropertyGridCalendar*>());
        QCOMPARE(grid.valueText(item), shown);
        QCOMPARE(changes.count(), reports);
    }

    // Rows edited in a dialog of their own, or in a chooser, report a change on OK (also when
    // the value stays as it was) and nothing on Cancel.
    void dialogEditorsReportOnOkAndNothingOnCancel_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("shown");
        QTest::newRow("long text, OK") << "text" << true << true << "first\nsecond";
        QTest::newRow("long text, Cancel") << "text" << true << false << "old";
        QTest::newRow("long text, OK unchanged") << "text" << false << true << "old";
        QTest::newRow("date and time, OK") << "dateTime" << true << true << "2025-12-31 23:59:58";
        QTest::newRow("date and time, Cancel") << "dateTime" << true << false << "2024-01-02 03:04:05";
        QTest::newRow("colour chosen") << "colour" << true << true << "1; 2; 3";
        QTest::newRow("folder chooser cancelled") << "folder" << true << false << "/tmp";
    }
    void dialogEditorsReportOnOkAndNothingOnCancel()
    {
        QFETCH(QString, kind);
        QFETCH(bool, edit);
        QFETCH(bool, accept);
        QFETCH(QString, shown);
        GridWindow w;
        PropertyGrid& grid = *w.grid;
        grid.setDateTimeCaptions("Datum", "Zeit");
        const ItemId item = kind == "dateTime"
            ? grid.addDateTimeItem(w.section, "Made", QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)))
            : kind == "text"   ? grid.addTextItem(w.section, "Notes", "old")
            : kind == "colour" ? grid.addColorItem(w.section, "Tint", Qt::black)
                               : grid.addFolderItem(w.section, "Folder", "/tmp");
        QSignalSpy changes(&grid, &PropertyGrid::itemChanged);
        QStringList captions;
        w.clickValueWithDialog(item, [&](QWidget* modal) {
            if (auto* colours = qobject_cast<QColorDialog*>(modal)) {
                colours->setCurrentColor(QColor(1, 2, 3));
                return colours->accept();
            }
            auto* dialog = qobject_cast<RuntimeDialog*>(modal);
            if (!dialog) {
                QCOMPARE(modal->windowTitle(), QString("Choose a directory"));
                return qobject_cast<QDialog*>(modal)->reject();
            }
            QCOMPARE(dialog->windowTitle(), kind == "dateTime" ? QString("Made") : QString("Notes"));
            if (kind == "dateTime") {
                for (QLabel* label : dialog->findChildren<QLabel*>())
                    captions << label->text();
                const QList<QDateTimeEdit*> pickers = dialog->findChildren<QDateTimeEdit*>();
                QCOMPARE(pickers.size(), 2);
                pickers[0]->setDate(QDate(2025, 12, 31));
                pickers[1]->setTime(QTime(23, 59, 58));
            } else if (edit) {
                dialog->findChild<QPlainTextEdit*>()->setPlainText("first\nsecond");
            }
            qobject_cast<QPushButton*>(dialog->control(accept ? 1 : 2))->click();
        });
        if (kind == "dateTime")
            QCOMPARE(captions, QStringList({"Datum", "Zeit"}));
        QCOMPARE(grid.valueText(item), shown);
        QCOMPARE(changes.count(), int(accept));
    }

    void buttonRowsReportEveryPushAndReadOnlyRowsNoEdit()
    {
        GridWindow w;
        const ItemId push = w.grid->addCustomItem(w.section, "Reset", std::make_unique<PushButtonItem>());
        const ItemId fixed = w.grid->addIntegerItem(w.section, "Serial", 7, false);
        QSignalSpy changes(w.grid, &PropertyGrid::itemChanged);
        w.clickValue(push);
        w.clickValue(push);
        QCOMPARE(changes.count(), 2);
        w.clickValue(fixed);
        QVERIFY(!w.grid->findChild<PropertyGridTextEditor*>());
        QVERIFY(!w.grid->editItem(fixed));
        QCOMPARE(changes.count(), 2);
    }

    void keysMoveAlongTheRowsOpenEditorsAndFoldSections()
    {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        PropertyGrid& grid = *w.grid;
        grid.addIntegerItem(w.section, "Gain", 1);
        const ItemId second = grid.addIntegerItem(w.section, "Offset", 2);
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Home);  // the heading
        QTest::keyClick(&grid, Qt::Key_Down);  // "Gain"
        QTest::keyClick(&grid, Qt::Key_Down);  // "Offset"
        QTest::keyClick(&grid, Qt::Key_Return);
        auto* edit = grid.findChild<PropertyGridTextEditor*>();
        QVERIFY(edit);
        QCOMPARE(edit->geometry().center().y(), grid.valueRect(second).center().y());
        QTest::keyClick(edit, Qt::Key_Escape);
        QTRY_VERIFY(grid.hasFocus()); // back to the grid, keys keep working
        QTest::keyClick(&grid, Qt::Key_Home);
        QTest::keyClick(&grid, Qt::Key_Left);
        QVERIFY(grid.valueRect(second).isEmpty());
        QTest::keyClick(&grid, Qt::Key_Right);
        QVERIFY(!grid.valueRect(second).isEmpty());
    }
};

QTEST_MAIN(PropertyGridTest)
#include "property_grid_test.moc"
