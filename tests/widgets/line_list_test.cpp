// The line list view under a stream of lines, as a long walk logs them: it follows the model
// without a repaint per line.
#include "LineListModel.h"
#include "LineListView.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QtTest>

namespace {

class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

} // namespace

class LineListTest : public QObject {
    Q_OBJECT

private slots:
    void followsAStreamOfLinesWithoutARepaintPerLine()
    {
        LineListModel model(500);
        LineListView view(&model);
        view.resize(300, 120);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::qWait(50);
        PaintCount paints(view.viewport());

        // The first line after a quiet spell shows at once.
        model.addLine(QStringLiteral("first"));
        QCoreApplication::processEvents();
        QCOMPARE(paints.count, 1);

        // Then one line per dispatch, as fast as they come, for a while.
        QElapsedTimer clock;
        clock.start();
        int lines = 1;
        while (clock.elapsed() < 300) {
            model.addLine(QStringLiteral("line %1").arg(++lines));
            QCoreApplication::processEvents();
        }
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(lines > 50, "too few lines to tell");
        QVERIFY2(paints.count <= 2 + elapsed / 90, qPrintable(QStringLiteral("%1 paints for %2 lines in %3 ms")
                                                                   .arg(paints.count).arg(lines).arg(elapsed)));

        // The last lines are not left behind: the scroll range comes to cover every line held.
        const int visible = view.viewport()->height() / view.rowHeight();
        QTRY_COMPARE(view.verticalScrollBar()->maximum(), model.count() - visible);
    }
};

QTEST_MAIN(LineListTest)
#include "line_list_test.moc"
