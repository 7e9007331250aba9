// The Qt message boxes and questions, driven through real widgets.
#include "QtUserNotice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
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
    void messageShowsPlainTextWithTheIconOfItsKind()
    {
        const struct {
            NoticeIcon kind;
            QMessageBox::Icon icon;
            const char* caption; // none: the program's name
        } cases[] = {
            {NoticeIcon::Information, QMessageBox::Information, "Communication Error"},
            {NoticeIcon::Warning, QMessageBox::Warning, "Warning"},
            {NoticeIcon::Exclamation, QMessageBox::Warning, ""},
            {NoticeIcon::Error, QMessageBox::Critical, "Error"},
            {NoticeIcon::None, QMessageBox::NoIcon, ""},
        };
        QtUserNotice notice("Lumora Control Tool");
        for (const auto& c : cases) {
            Seen seen;
            answerNextBox(seen, QMessageBox::Ok);
            notice.Message("<b>GA=100</b> %s\nsecond line", c.caption, c.kind);
            QCOMPARE(seen.text, QString("<b>GA=100</b> %s\nsecond line")); // data, never markup or a format
            QCOMPARE(seen.format, Qt::PlainText);
            QCOMPARE(seen.title, *c.caption ? QString(c.caption) : QString("Lumora Control Tool"));
            QCOMPARE(seen.icon, c.icon);
            QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
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
        // A question whose Yes throws something away offers No first.
        answerNextBox(seen, QMessageBox::Yes);
        QVERIFY(notice.AskYesNoDefaultNo("Replace ?", "Confirm"));
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen.defaultButton, QMessageBox::No);
    }

    // Choosing a file that exists hands its name back without a question of the dialog's own:
    // every save asks once, in its own words, after the dialog (a second question before it
    // asked the same twice).
    void saveDialogLeavesTheOverwriteQuestionToTheSave()
    {
        const QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("taken.cam"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QStringList asked;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile(existing);
            QTimer::singleShot(0, this, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    asked << box->text();
                    box->button(QMessageBox::Yes)->click();
                }
            });
            static_cast<QDialog*>(dialog)->accept(); // as its Save button does
        });
        QTimer::singleShot(10000, this, [] { // never hang on a window left open
            while (QWidget* stuck = QApplication::activeModalWidget())
                stuck->close();
        });
        QtUserNotice notice("Lumora Control Tool");
        const std::string chosen = notice.SaveFileName("", dir.path().toStdString(), "Camera files (*.cam)|*.cam||");
        QCOMPARE(QString::fromStdString(chosen), existing);
        QCOMPARE(asked, QStringList());
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
        notice.BeginWait();
        notice.BeginWait();
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        notice.EndWait();
        QVERIFY(QApplication::overrideCursor()); // the calls nest
        notice.EndWait();
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(QtUserNoticeTest)
#include "QtUserNotice_test.moc"
