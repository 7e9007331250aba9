// The online-status strip, its notifier and the window lock list, on real widgets.
#include "LinkEvents.h"
#include "OnlineStatusNotifier.h"
#include "OnlineStatusUpdater.h"
#include "WindowLockList.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A dialog as the program builds them: the dialog first, the updater as second base.
class StatusDialog : public QDialog, public COnlineStatusUpdater {
public:
    StatusDialog() : COnlineStatusUpdater(this) {}
    void OnOnlineStateChanged(int online) override { seen.append(online); }
    QList<int> seen;
};

QColor stripColour(const COnlineStatusUpdater& updater)
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
    void init() { COnlineStatusNotifier::Instance().SetOffline(); }

    void newWindowIsRedUntilRegistered()
    {
        COnlineStatusNotifier::Instance().SetOnline();
        StatusDialog dialog;
        QCOMPARE(stripColour(dialog), QColor(255, 0, 0));
        QCOMPARE(dialog.OnlineStrip()->pixmap().size(), QSize(4, 4));
    }

    void registeredWhileOnlineIsGreenAtOnce()
    {
        COnlineStatusNotifier& notifier = COnlineStatusNotifier::Instance();
        notifier.SetOnline();
        StatusDialog dialog;
        notifier.Register(&dialog);
        QCOMPARE(stripColour(dialog), QColor(0, 128, 0));
        QVERIFY(dialog.seen.isEmpty()); // registering paints, it does not notify
        notifier.Unregister(&dialog);
    }

    void linkReportsReachEveryRegisteredWindow()
    {
        COnlineStatusNotifier& notifier = COnlineStatusNotifier::Instance();
        StatusDialog first;
        StatusDialog second;
        StatusDialog outside;
        notifier.Register(&first);
        notifier.Register(&second);
        notifier.Register(&second);
        notifier.Unregister(&second); // removes both entries
        notifier.Register(&second);

        LinkEvents::Instance().ReportOnline();
        QCOMPARE(stripColour(first), QColor(0, 128, 0));
        QCOMPARE(stripColour(second), QColor(0, 128, 0));
        QCOMPARE(stripColour(outside), QColor(255, 0, 0));
        QCOMPARE(first.seen, QList<int>{1});
        QCOMPARE(second.seen, QList<int>{1});

        LinkEvents::Instance().ReportOffline();
        QCOMPARE(stripColour(first), QColor(255, 0, 0));
        QCOMPARE(first.seen, (QList<int>{1, 0}));
        QCOMPARE(second.seen, (QList<int>{1, 0}));
        QVERIFY(outside.seen.isEmpty());
        notifier.Unregister(&first);
        notifier.Unregister(&second);
    }

    void destroyedWindowLeavesTheNotifier()
    {
        COnlineStatusNotifier& notifier = COnlineStatusNotifier::Instance();
        StatusDialog kept;
        notifier.Register(&kept);
        {
            StatusDialog gone;
            notifier.Register(&gone);
        }
        notifier.SetOnline(); // must not touch the destroyed one
        QCOMPARE(kept.seen, QList<int>{1});
        notifier.Unregister(&kept);
    }

    void stripFollowsTheBottomEdge()
    {
        StatusDialog bare;
        bare.resize(300, 200);
        bare.show();
        QTRY_COMPARE(bare.OnlineStrip()->geometry(), QRect(0, 200 - COnlineStatusUpdater::kStripHeight, 300,
                                                           COnlineStatusUpdater::kStripHeight));

        StatusDialog laidOut;
        auto* layout = new QVBoxLayout(&laidOut);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(new QLabel(QStringLiteral("content")), 1);
        layout->addWidget(laidOut.OnlineStrip());
        laidOut.resize(240, 160);
        laidOut.show();
        QTRY_COMPARE(laidOut.OnlineStrip()->geometry().bottom(), 159);
        QCOMPARE(laidOut.OnlineStrip()->width(), 240);
        QCOMPARE(laidOut.OnlineStrip()->height(), COnlineStatusUpdater::kStripHeight);
    }

    void disableAllSkipsDestroyedWindows()
    {
        CWindowLockList& locks = CWindowLockList::Instance();
        QWidget first;
        QWidget second;
        auto* gone = new QWidget;
        QPointer<QWidget> watch(gone);
        locks.Register(&first);
        locks.Register(gone);
        locks.Register(&second);
        delete gone;
        QVERIFY(watch.isNull());

        locks.DisableAll();
        QVERIFY(!first.isEnabled());
        QVERIFY(!second.isEnabled());
        locks.EnableAll();
        QVERIFY(first.isEnabled());
        QVERIFY(second.isEnabled());

        locks.Register(&first);
        locks.Unregister(&first); // every entry of it, and the dead one on the way
        QCOMPARE(locks.Count(), 1);
        locks.DisableAll();
        QVERIFY(first.isEnabled());
        QVERIFY(!second.isEnabled());
        locks.Unregister(&second);
        QCOMPARE(locks.Count(), 0);
    }
};

QTEST_MAIN(OnlineStatusTest)
#include "online_status_test.moc"
