// The online-status strip, its notifier, the window lock list and the line list view, on real
// widgets.
#include "LineListModel.h"
#include "LineListView.h"
#include "LinkEvents.h"
#include "OnlineStatusNotifier.h"
#include "OnlineStatusUpdater.h"
#include "WindowLockList.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A dialog as the program builds them: the dialog first, the updater as second base.
class StatusDialog : public QDialog, public OnlineStatusUpdater {
public:
    StatusDialog() : OnlineStatusUpdater(this) {}
    void OnOnlineStateChanged(int online) override { seen.append(online); }
    QList<int> seen;
};

const QColor kRed(Qt::red), kGreen(Qt::darkGreen);

// Counts the paint events a widget receives.
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

QColor stripColour(const OnlineStatusUpdater& updater)
{
    const QPixmap picture = updater.OnlineStrip()->pixmap();
    if (picture.isNull())
        return {};
    return picture.toImage().pixelColor(0, 0);
}

} // namespace

class OnlineStatusTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        OnlineStatusNotifier::Instance().Follow(&m_events);
        OnlineStatusNotifier::Instance().SetOffline();
    }
    void cleanup() { OnlineStatusNotifier::Instance().Follow(nullptr); }

    void stripsFollowTheLinkOnceRegistered()
    {
        OnlineStatusNotifier& notifier = OnlineStatusNotifier::Instance();
        StatusDialog first, second, late;
        notifier.Register(&first);
        notifier.Register(&second);
        notifier.Register(&second);
        notifier.Unregister(&second); // removes both entries
        notifier.Register(&second);
        {
            StatusDialog gone; // a destroyed window leaves the notifier
            notifier.Register(&gone);
        }
        m_events.ReportOnline();
        QCOMPARE(stripColour(first), kGreen);
        QCOMPARE(stripColour(late), kRed); // red until registered, whatever the state
        QCOMPARE(late.OnlineStrip()->pixmap().size(), QSize(4, 4));
        notifier.Register(&late);
        QCOMPARE(stripColour(late), kGreen); // registering paints, it does not notify
        m_events.ReportOffline();
        QCOMPARE(stripColour(first), kRed);
        QCOMPARE(first.seen, (QList<int>{1, 0}));
        QCOMPARE(second.seen, (QList<int>{1, 0}));
        QCOMPARE(late.seen, QList<int>{0});
        for (StatusDialog* dialog : {&first, &second, &late})
            notifier.Unregister(dialog);
    }

    // Each exchange reports the state and logs its lines: a walk of hundreds must repaint
    // neither the strip for an unchanged state (the window is still told) nor a line list per line.
    void aWalkDoesNotRepaintPerExchange()
    {
        StatusDialog dialog;
        LineListModel model(500);
        LineListView view(&model);
        for (QWidget* window : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(&view)}) {
            window->resize(300, 120);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
        OnlineStatusNotifier::Instance().Register(&dialog);
        m_events.ReportOnline();
        QTest::qWait(150);
        PaintCount strip(dialog.OnlineStrip()), list(view.viewport());
        model.addLine(QStringLiteral("first"));
        QCoreApplication::processEvents();
        QCOMPARE(list.count, 1); // the first line after a quiet spell shows at once
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 300) {
            m_events.ReportOnline();
            model.addLine(QStringLiteral("line"));
            QCoreApplication::processEvents();
        }
        QCOMPARE(strip.count, 0);
        QVERIFY2(list.count <= 2 + clock.elapsed() / 90, qPrintable(QString::number(list.count)));
        QVERIFY(dialog.seen.size() > 50);
        const int visible = view.viewport()->height() / view.rowHeight();
        QTRY_COMPARE(view.verticalScrollBar()->maximum(), model.count() - visible); // none left behind
        m_events.ReportOffline();
        QTRY_VERIFY(strip.count > 0);
        OnlineStatusNotifier::Instance().Unregister(&dialog);
    }

    void stripFollowsTheBottomEdge()
    {
        const int height = OnlineStatusUpdater::kStripHeight;
        StatusDialog bare; // without a layout the strip is kept along the bottom edge
        bare.resize(300, 200);
        bare.show();
        QTRY_COMPARE(bare.OnlineStrip()->geometry(), QRect(0, 200 - height, 300, height));

        StatusDialog laidOut;
        auto* layout = new QVBoxLayout(&laidOut);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(new QLabel(QStringLiteral("content")), 1);
        layout->addWidget(laidOut.OnlineStrip());
        laidOut.resize(240, 160);
        laidOut.show();
        QTRY_COMPARE(laidOut.OnlineStrip()->geometry(), QRect(0, 160 - height, 240, height));
    }

    void disableAllSkipsDestroyedWindows()
    {
        WindowLockList& locks = WindowLockList::Instance();
        QWidget first, second;
        auto* gone = new QWidget;
        for (QWidget* window : {&first, gone, &second})
            locks.Register(window);
        delete gone;
        locks.DisableAll();
        QVERIFY(!first.isEnabled() && !second.isEnabled());
        locks.EnableAll();
        QVERIFY(first.isEnabled() && second.isEnabled());
        locks.Register(&first);
        locks.Unregister(&first); // every entry of it, and the dead one on the way
        QCOMPARE(locks.Count(), 1);
        locks.DisableAll();
        QVERIFY(first.isEnabled() && !second.isEnabled());
        locks.Unregister(&second);
        QCOMPARE(locks.Count(), 0);
    }

private:
    LinkEvents m_events;
};

QTEST_MAIN(OnlineStatusTest)
#include "online_status_test.moc"
