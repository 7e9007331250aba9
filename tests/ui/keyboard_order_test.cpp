// Keyboard navigation of the main window, driven with real Tab presses: on every page that
// has a tab, Tab from the tab bar reaches every usable control of that page once, in reading
// order (columns left to right, each top to bottom, a row left to right), and comes back to
// the tab bar.
#include "CCtrlToolDlg.h"
#include "CTabSheetDialog.h"
#include "CommLink.h"
#include "ControlMode.h"
#include "ParameterTable.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <QScrollArea>
#include <QTabBar>
#include <QTest>

namespace {

// True when b comes after a for a reader of the page: a later column (the x of the group that
// holds the control), a lower row, or further right in the same row.
bool ReadsAfter(QWidget* a, QWidget* b, QWidget* page)
{
    auto column = [page](QWidget* w) {
        while (w->parentWidget() != page)
            w = w->parentWidget();
        return w->x();
    };
    const QRect ra(a->mapTo(page, QPoint()), a->size()), rb(b->mapTo(page, QPoint()), b->size());
    if (column(a) != column(b))
        return column(b) > column(a);
    if (std::abs(ra.center().y() - rb.center().y()) <= 3)
        return rb.left() > ra.left();
    return rb.center().y() > ra.center().y();
}

} // namespace

class KeyboardOrderTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetSettingsStore(nullptr); }

    void tabReachesEveryControlInReadingOrder()
    {
        ScopedRecordingNotice notice;
        static MemorySettings settings;
        settings.ints[kControlMode] = 1; // every page but the lens iris page has a tab
        settings.ports["COM1"] = "/nonexistent/lumora-port";
        SetSettingsStore(&settings);
        ControlMode::ForgetForTest();
        CommLink::Instance().ReloadSettingsForTest();
        ParameterTable::Instance().Reset();

        CCtrlToolDlg window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTabBar* tabs = window.TabBar();
        QVERIFY(tabs->count() >= 6);

        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            const QString page = tabs->tabText(tab);
            QWidget* content = window.CurrentPage()->findChild<QScrollArea*>()->widget();
            tabs->setFocus(Qt::TabFocusReason);
            QList<QWidget*> visited;
            for (int step = 0; step < 1000; ++step) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* now = QApplication::focusWidget();
                if (now == tabs || visited.contains(now))
                    break;
                visited << now;
            }
            QVERIFY2(QApplication::focusWidget() == tabs, qPrintable(page + ": Tab never returns to the tabs"));

            QList<QWidget*> usable;
            for (QWidget* w : content->findChildren<QWidget*>())
                if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&window) && w->isEnabled())
                    usable << w;
            for (QWidget* w : usable)
                QVERIFY2(visited.contains(w), qPrintable(page + ": Tab never reaches " + w->objectName()));
            for (QWidget* w : visited)
                QVERIFY2(usable.contains(w), qPrintable(page + ": Tab stops on " + w->metaObject()->className()));
            for (int i = 1; i < visited.size(); ++i) // every stop is one of the page's controls
                QVERIFY2(ReadsAfter(visited[i - 1], visited[i], content),
                         qPrintable(page + ": " + visited[i]->objectName() + " after " + visited[i - 1]->objectName()));
        }
    }
};

QTEST_MAIN(KeyboardOrderTest)
#include "keyboard_order_test.moc"
