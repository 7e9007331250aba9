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

#include <memory>

namespace {

// Where a control sits for a reader: the column of its group, then its place on the page.
struct Place {
    int column;
    QRect rect;
};

Place PlaceOf(QWidget* w, QWidget* content)
{
    QWidget* group = w;
    while (group->parentWidget() != content)
        group = group->parentWidget();
    return {group->mapTo(content, QPoint(0, 0)).x(), QRect(w->mapTo(content, QPoint(0, 0)), w->size())};
}

// True when b comes after a in reading order.
bool ReadsAfter(const Place& a, const Place& b)
{
    if (a.column != b.column)
        return b.column > a.column;
    if (std::abs(a.rect.center().y() - b.rect.center().y()) <= 3)
        return b.rect.left() > a.rect.left();
    return b.rect.center().y() > a.rect.center().y();
}

QString Name(QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
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
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTabBar* tabs = window.TabBar();
        QVERIFY(tabs->count() >= 6);

        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QWidget* content = window.CurrentPage()->findChild<QScrollArea*>()->widget();
            tabs->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), tabs);

            QList<QWidget*> visited;
            for (int step = 0; step < 1000; ++step) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* now = QApplication::focusWidget();
                if (now == tabs || visited.contains(now))
                    break;
                visited << now;
            }
            QVERIFY2(QApplication::focusWidget() == tabs, qPrintable(tabs->tabText(tab) + ": Tab never returns to the tabs"));

            QList<QWidget*> usable;
            for (QWidget* w : content->findChildren<QWidget*>())
                if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&window) && w->isEnabled())
                    usable << w;
            for (QWidget* w : usable)
                QVERIFY2(visited.contains(w), qPrintable(tabs->tabText(tab) + ": Tab never reaches " + Name(w)));
            for (QWidget* w : visited)
                QVERIFY2(usable.contains(w), qPrintable(tabs->tabText(tab) + ": Tab stops on " + Name(w)));
            for (int i = 1; i < visited.size(); ++i) // every stop is one of the page's controls
                QVERIFY2(ReadsAfter(PlaceOf(visited[i - 1], content), PlaceOf(visited[i], content)),
                         qPrintable(tabs->tabText(tab) + ": " + Name(visited[i]) + " after " + Name(visited[i - 1])));
        }
    }
};

QTEST_MAIN(KeyboardOrderTest)
#include "keyboard_order_test.moc"
