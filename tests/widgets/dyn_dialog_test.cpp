// Run-time dialogs: controls made from their items, standard buttons, the way a dialog ends,
// data exchange, fallbacks and reported failures, on real widgets.
#include "DialogUnits.h"
#include "RuntimeDialog.h"
#include "UserNotice.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using Item = RuntimeDialogItem;

namespace {

// Runs the dialog modally, does `act` once it is up, and returns how it ended. A dialog that
// `act` leaves open ends with -1 after a few seconds, so a failing test cannot hang.
int runWith(RuntimeDialog& dialog, const std::function<void()>& act)
{
    QTimer::singleShot(0, &dialog, act);
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.endDialog(-1); });
    return dialog.doModal();
}

QPushButton* button(RuntimeDialog& dialog, int id)
{
    return qobject_cast<QPushButton*>(dialog.control(id));
}

} // namespace

class DynDialogTest : public QObject {
    Q_OBJECT

private slots:
    void dialogUnitsFollowTheFont_data()
    {
        QTest::addColumn<int>("pixelSize");
        for (int size : {9, 13, 20})
            QTest::addRow("%d px", size) << size;
    }
    void dialogUnitsFollowTheFont()
    {
        QFETCH(int, pixelSize);
        QFont font;
        font.setPixelSize(pixelSize);
        const QFontMetrics metrics(font);
        // Eight vertical units are one line; four horizontal units one average letter.
        QCOMPARE(dialogUnitsToPixels(QRect(0, 0, 0, 8), font).height(), metrics.height());
        const int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        QVERIFY(qAbs(dialogUnitsToPixels(QRect(0, 0, 4 * 52, 0), font).width() - letters) <= 26);
        // Controls that touch in units touch in pixels, whatever the rounding.
        const QRect first = dialogUnitsToPixels(QRect(3, 5, 17, 9), font);
        const QRect second = dialogUnitsToPixels(QRect(20, 14, 11, 3), font);
        QCOMPARE(first.right() + 1, second.left());
        QCOMPARE(first.bottom() + 1, second.top());
    }

    // Other buttons report their id and leave the dialog open.
    void standardButtonsSitBelowTheLowestControl()
    {
        RuntimeDialog dialog;
        dialog.addDlgControl("EDIT", "", Item::NoStyle, Item::ClientEdge, QRect(7, 7, 100, 12), {}, 1001);
        dialog.addDlgControl("STATIC", "Notes", Item::NoStyle, Item::NoExStyle, QRect(7, 30, 150, 20));
        dialog.addDlgControl(Item::classCode("BUTTON"), "Apply", Item::NoStyle, Item::NoExStyle, QRect(110, 7, 50, 14), {}, 1005);
        dialog.setUseStandardButtons(true);
        QList<int> seen;
        connect(&dialog, &RuntimeDialog::commandButton, this, [&](int id) { seen.append(id); });
        const int result = runWith(dialog, [&] {
            button(dialog, 1005)->click();
            QVERIFY(dialog.isVisible());
            QPushButton* ok = button(dialog, RuntimeDialog::kIdOk);
            QPushButton* cancel = button(dialog, RuntimeDialog::kIdCancel);
            QVERIFY(ok && cancel);
            QCOMPARE(ok->text(), QString("OK"));
            QCOMPARE(cancel->text(), QString("Cancel"));
            QVERIFY(ok->isDefault());
            QCOMPARE(ok->geometry(), dialogUnitsToPixels(QRect(10, 56, 50, 14), dialog.font()));
            QCOMPARE(cancel->geometry(), dialogUnitsToPixels(QRect(65, 56, 50, 14), dialog.font()));
            QVERIFY(dialog.rect().contains(dialog.control(1001)->geometry().bottomRight() + QPoint(4, 4)));
            QVERIFY(dialog.rect().contains(cancel->geometry().bottomRight() + QPoint(4, 4)));
            cancel->click();
        });
        QCOMPARE(result, RuntimeDialog::kIdCancel);
        QCOMPARE(seen, QList<int>{1005});
    }

    void endsWithTheButtonIdAndKeepsValuesOnlyOnOk_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("kept");
        QTest::newRow("OK") << "ok" << 1 << "edited";
        QTest::newRow("Enter") << "enter" << 1 << "edited";
        QTest::newRow("Cancel") << "cancel" << 2 << "start";
        QTest::newRow("Escape") << "escape" << 2 << "start";
        QTest::newRow("close button") << "close" << 2 << "start";
    }
    void endsWithTheButtonIdAndKeepsValuesOnlyOnOk()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(QString, kept);
        QString text = "start";
        RuntimeDialog dialog;
        dialog.setUseStandardButtons(true);
        dialog.addDlgControl("EDIT", "", Item::NoStyle, Item::ClientEdge, QRect(7, 7, 100, 12), &text, 1001);
        const int ended = runWith(dialog, [&] {
            auto* edit = qobject_cast<QLineEdit*>(dialog.control(1001));
            QCOMPARE(edit->text(), QString("start"));
            edit->setText("edited");
            if (how == "ok")
                button(dialog, 1)->click();
            else if (how == "cancel")
                button(dialog, 2)->click();
            else if (how == "enter")
                QTest::keyClick(edit, Qt::Key_Return);
            else if (how == "escape")
                QTest::keyClick(edit, Qt::Key_Escape);
            else
                dialog.close();
        });
        QCOMPARE(ended, result);
        QCOMPARE(text, kept);
    }

    void enterInAMultiLineEditGoesToTheDialogUnlessItWantsIt_data()
    {
        QTest::addColumn<bool>("wantReturn");
        QTest::newRow("dialog takes Enter") << false;
        QTest::newRow("edit takes Enter") << true;
    }
    void enterInAMultiLineEditGoesToTheDialogUnlessItWantsIt()
    {
        QFETCH(bool, wantReturn);
        QString text = "one";
        RuntimeDialog dialog; // no buttons at all: Enter still means OK
        const Item::Style style = Item::Multiline | (wantReturn ? Item::WantReturn : Item::NoStyle);
        dialog.addDlgControl("EDIT", "", style, Item::NoExStyle, QRect(7, 7, 100, 40), &text, 1001);
        const int ended = runWith(dialog, [&] {
            auto* edit = qobject_cast<QPlainTextEdit*>(dialog.control(1001));
            edit->moveCursor(QTextCursor::End);
            QTest::keyClick(edit, Qt::Key_Return);
            if (wantReturn) {
                QCOMPARE(edit->toPlainText(), QString("one\n"));
                dialog.accept();
            }
        });
        QCOMPARE(ended, RuntimeDialog::kIdOk);
        QCOMPARE(text, wantReturn ? QString("one\n") : QString("one"));
    }

    void fontComesFromTheDialogOwnerOrActiveWindowElseMsSansSerif()
    {
        QWidget owner;
        owner.setFont(QFont("Courier", 15));
        QCOMPARE(RuntimeDialog(&owner).dialogFont(), owner.font());
        RuntimeDialog own(&owner);
        own.setDialogFont("Helvetica", 11);
        QCOMPARE(own.dialogFont(), QFont("Helvetica", 11));
        const QFont fallback = RuntimeDialog().dialogFont();
        QCOMPARE(fallback.family(), QString("MS Sans Serif"));
        QCOMPARE(fallback.pointSize(), 8);
        QWidget main;
        main.setFont(QFont("Times", 13));
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QCOMPARE(RuntimeDialog().dialogFont(), main.font());
    }

    void controlsCarryTheirIdsAndALabelNamesTheControlAfterIt()
    {
        RuntimeDialog dialog;
        dialog.addDlgControl("STATIC", "Name", Item::NoStyle, Item::NoExStyle, QRect(7, 9, 30, 8), {}, -1);
        dialog.addDlgControl("EDIT", "", Item::NoStyle, Item::ClientEdge, QRect(40, 7, 80, 12), {}, 1001);
        dialog.show();
        QWidget* edit = dialog.findChild<QWidget*>("ctrl_1001");
        QVERIFY(edit);
        QCOMPARE(edit->property("ctrlId").toInt(), 1001);
        QCOMPARE(edit->accessibleDescription(), QString("Control 1001"));
        auto* label = dialog.findChild<QLabel*>();
        QCOMPARE(label->buddy(), edit);
        QVERIFY(!label->property("ctrlId").isValid());
    }

    // Every known class, by name or by its code, makes the same control without a complaint
    // (which control each is: the dialogs that use them).
    void everyKnownClassMakesItsControl()
    {
        ScopedRecordingNotice notices;
        RuntimeDialog dialog;
        for (int code = Item::kFirstClassCode; code <= Item::kLastClassCode; ++code) {
            const QString name = Item::className(code);
            QCOMPARE(Item::classCode(name), code);
            dialog.addDlgControl(name, "", Item::NoStyle, Item::NoExStyle, QRect(7, 7, 60, 40), {}, 2 * code);
            dialog.addDlgControl(code, "", Item::NoStyle, Item::NoExStyle, QRect(7, 50, 60, 40), {}, 2 * code + 1);
        }
        dialog.show();
        QVERIFY(notices.recorder.messages.empty());
        for (int code = Item::kFirstClassCode; code <= Item::kLastClassCode; ++code) {
            QVERIFY2(dialog.control(2 * code), qPrintable(Item::className(code)));
            QCOMPARE(dialog.control(2 * code + 1)->metaObject(), dialog.control(2 * code)->metaObject());
        }
    }

    // The rest of the dialog still works; a cleared date is refused on OK and the dialog
    // stays open with the value untouched.
    void failuresAreReported_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown class") << "NoSuchClass" << QRect(7, 7, 50, 12) << "Failed to create DlgItem.";
        QTest::newRow("negative width") << "EDIT" << QRect(7, 7, -50, 12) << "Failed SetWindowPos for control EDIT.";
        QTest::newRow("cleared date") << "SysDateTimePick32" << QRect(7, 7, 70, 13) << "Invalid DateTime";
    }
    void failuresAreReported()
    {
        QFETCH(QString, className);
        QFETCH(QRect, rect);
        QFETCH(QString, message);
        ScopedRecordingNotice notices;
        QDate date(2024, 5, 17);
        RuntimeDialog dialog;
        const bool isDate = className == "SysDateTimePick32";
        dialog.addDlgControl(className, "", Item::NoStyle, Item::NoExStyle, rect, isDate ? Item::Binding(&date) : Item::Binding(), 1001);
        dialog.setUseStandardButtons(true);
        const int ended = runWith(dialog, [&] {
            if (isDate) {
                auto* picker = qobject_cast<QDateTimeEdit*>(dialog.control(1001));
                QCOMPARE(picker->date(), date);
                picker->findChild<QLineEdit*>()->setText("");
                button(dialog, 1)->click();
                QVERIFY(dialog.isVisible());
            }
            button(dialog, 2)->click();
        });
        QCOMPARE(ended, RuntimeDialog::kIdCancel);
        QCOMPARE(date, QDate(2024, 5, 17));
        QCOMPARE(notices.recorder.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(notices.recorder.messages[0].text), message);
    }
};

QTEST_MAIN(DynDialogTest)
#include "dyn_dialog_test.moc"
