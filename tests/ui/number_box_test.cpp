// The number box and its up/down control as the parameter controls rely on them: when a box
// asks to be committed, how a spin reads its position back from the box and clamps it, and
// who decides a step.
#include "ControlLookup.h"
#include "NumberBox.h"
#include "UpDownControl.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class NumberBoxTest : public QObject {
    Q_OBJECT

private slots:
    void enterAndLeavingCommitAnEditableBoxOnly()
    {
        QWidget window;
        auto* box = new NumberBox(1338, &window);
        auto* other = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy commits(box, &NumberBox::commitRequested);

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter);
        other->setFocus(); // leaving the box
        QCOMPARE(commits.count(), 3);
        QCOMPARE(commits.at(2).at(0).toInt(), 1338);

        box->setReadOnly(true);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        other->setFocus();
        QCOMPARE(commits.count(), 3);
        QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        // Plain line edits, as the pages' read-only status boxes are, count as number boxes too.
        QCOMPARE(ClassOfControl(other), ControlClass::NumberBox);
    }

    void positionIsReadBackFromTheBoxAndClamped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("plain") << "250" << 250;
        QTest::newRow("leading blanks") << "   42" << 42;
        QTest::newRow("digits then text") << "77abc" << 77;
        QTest::newRow("no digits") << "abc" << 0;
        QTest::newRow("negative below range") << "-5" << 0;
        QTest::newRow("above range") << "5000" << 1000;
        QTest::newRow("plus sign") << "+12" << 12;
        QTest::newRow("overflowing") << "99999999999999" << 1000;
    }
    void positionIsReadBackFromTheBoxAndClamped()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        NumberBox box(1338);
        UpDownControl spin(1339);
        spin.setBuddy(&box);
        spin.setRange(0, 1000);
        box.setText(text);
        QCOMPARE(spin.position(), position);
        QCOMPARE(box.spinId(), 1339);
    }

    // Without an owner listening the spin steps itself; setting a position clamps it and
    // writes the box, also with a range given upside down.
    void withoutAnOwnerTheSpinStepsAndClampsWithinItsRange()
    {
        NumberBox box(2515);
        UpDownControl spin(2516);
        spin.setBuddy(&box);
        spin.setRange(96, 2064);
        spin.setPosition(10);
        QCOMPARE(box.text(), QString("96"));
        spin.setPosition(5000);
        QCOMPARE(box.text(), QString("2064"));
        spin.step(1);
        QCOMPARE(box.text(), QString("2064"));
        spin.step(-1);
        QCOMPARE(box.text(), QString("2063"));
        spin.setRange(100, -100);
        spin.setPosition(-500);
        QCOMPARE(box.text(), QString("-100"));
    }

    void theOwnerDecidesAStepWhenItListens()
    {
        NumberBox box(1338);
        UpDownControl spin(1339);
        spin.setBuddy(&box);
        spin.setRange(1, 10);
        spin.setPosition(5);
        QSignalSpy steps(&spin, &UpDownControl::stepRequested);
        spin.findChildren<QToolButton*>().at(0)->click(); // up
        QCOMPARE(steps.count(), 1);
        QCOMPARE(steps.at(0), (QList<QVariant>{1339, 5, 1}));
        QCOMPARE(box.text(), QString("5")); // unchanged: the owner sets the new position

        QTest::keyClick(&box, Qt::Key_Down);
        QCOMPARE(steps.count(), 2);
        QCOMPARE(steps.at(1).at(2).toInt(), -1);

        spin.setEnabled(false);
        spin.step(1);
        QCOMPARE(steps.count(), 2);
    }
};

QTEST_MAIN(NumberBoxTest)
#include "number_box_test.moc"
