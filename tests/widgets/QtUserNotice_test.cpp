// The Qt message boxes and questions, driven through real widgets.
#include "QtUserNotice.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

class QtUserNoticeTest : public QObject {
    Q_OBJECT

    struct Seen {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    // Once the box is up, note what it shows and press `press` on it.
    void answerNextBox(Seen& seen, QMessageBox::StandardButton press)
    {
        QTimer::singleShot(0, this, [&seen, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = {box->text(), box->windowTitle(), box->icon(), box->textFormat(), box->standardButtons(),
                    box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton};
            box->button(press)->click();
        });
    }

private slots:
    void messageShowsPlainTextWithTheIconOfItsKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::newRow("information") << int(NoticeIcon::Information) << int(QMessageBox::Information);
        QTest::newRow("warning") << int(NoticeIcon::Warning) << int(QMessageBox::Warning);
        QTest::newRow("exclamation") << int(NoticeIcon::Exclamation) << int(QMessageBox::Warning);
        QTest::newRow("error") << int(NoticeIcon::Error) << int(QMessageBox::Critical);
        QTest::newRow("none") << int(NoticeIcon::None) << int(QMessageBox::NoIcon);
    }
    void messageShowsPlainTextWithTheIconOfItsKind()
    {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QtUserNotice notice("Lumora Control Tool");
        Seen seen;
        answerNextBox(seen, QMessageBox::Ok);
        notice.Message("<b>GA=100</b> %s\nsecond line", "Communication Error", NoticeIcon(kind));
        QCOMPARE(seen.text, QString("<b>GA=100</b> %s\nsecond line"));
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.title, QString("Communication Error"));
        QCOMPARE(int(seen.icon), icon);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void messageWithoutCaptionCarriesTheProgramName()
    {
        QtUserNotice notice("Lumora Control Tool");
        Seen seen;
        answerNextBox(seen, QMessageBox::Ok);
        notice.Message("Failed to initialize!", "", NoticeIcon::Exclamation);
        QCOMPARE(seen.title, QString("Lumora Control Tool"));
    }

    void questionAnswersYesOrNo()
    {
        QtUserNotice notice("Lumora Control Tool");
        Seen seen;
        answerNextBox(seen, QMessageBox::Yes);
        QVERIFY(notice.AskYesNo("Are you sure to terminate the Camera Control Tool ?", "Confirm"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.title, QString("Confirm"));
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen.defaultButton, QMessageBox::Yes);
        answerNextBox(seen, QMessageBox::No);
        QVERIFY(!notice.AskYesNo("Again ?", "Confirm"));
    }

    void filtersInBothForms()
    {
        const std::pair<const char*, const char*> cases[] = {
            {"Camera gamma data (*.csv) | *.csv ||", "Camera gamma data (*.csv)"},
            {"Camera files (*.cam)|*.cam|All files (*.*)|*.*||", "Camera files (*.cam);;All files (*.*)"},
            {"Text|*.txt;*.log||", "Text (*.txt *.log)"},
            {"Camera files (*.cam)", "Camera files (*.cam)"},
            {"", ""},
        };
        for (auto [mfc, qt] : cases)
            QCOMPARE(QtUserNotice::ToQtFilter(mfc), QString(qt));
    }

    void waitCursorNests()
    {
        QtUserNotice notice("Lumora Control Tool");
        QVERIFY(!QApplication::overrideCursor());
        notice.BeginWait();
        notice.BeginWait();
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        notice.EndWait();
        QVERIFY(QApplication::overrideCursor());
        notice.EndWait();
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(QtUserNoticeTest)

#include "QtUserNotice_test.moc"
