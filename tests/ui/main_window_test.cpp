// The main window driven as a person would: tabs per Control Mode, the factory-mode gesture,
// the keyboard rules (Tab reaches every usable control of a page once, in reading order),
// names and control ids for assistive tools (on every window the tool opens), closing, and
// menu entries served by features.
#include "AboutDialog.h"
#include "CameraIdDialog.h"
#include "CommLink.h"
#include "CompareDialog.h"
#include "ControlLookup.h"
#include "ControlMode.h"
#include "Feature.h"
#include "FlashAreaDialog.h"
#include "Ids.h"
#include "LineListView.h"
#include "LutEditorWindow.h"
#include "MainWindowSupport.h"
#include "MotorLensWindow.h"
#include "NumberBox.h"
#include "OnlineStatusNotifier.h"
#include "ParameterListWindow.h"
#include "ParameterPage.h"
#include "ParameterTable.h"
#include "ProgressBarWindow.h"
#include "SettingsStore.h"
#include "UserIdDialog.h"
#include "UserNotice.h"
#include "WindowCamera.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <memory>

namespace {

MemorySettings& TestSettings()
{
    static MemorySettings settings;
    return settings;
}

// Settings for one window: the Control Mode, and COM1 leading nowhere.
void UseSettings(int controlMode)
{
    MemorySettings& s = TestSettings();
    s.ints.clear();
    s.ports.clear();
    s.ints[kControlMode] = uint32_t(controlMode);
    s.ports["COM1"] = "/nonexistent/lumora-port";
    SetSettingsStore(&s);
    ControlMode::ForgetForTest();
    WindowCamera::Fresh();
}

QStringList TabTexts(const MainWindow& w)
{
    QStringList texts;
    for (int i = 0; i < w.TabBar()->count(); ++i)
        texts << w.TabBar()->tabText(i);
    return texts;
}

bool UtilityEnabled(const MainWindow& w)
{
    QAction* userId = w.MenuAction(MenuCommand::EditUserId);
    const QMenu* menu = userId ? qobject_cast<QMenu*>(userId->parent()) : nullptr;
    return menu && menu->menuAction()->isEnabled();
}

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

using ClaimedControls = std::vector<std::pair<int, When>>;

// Records what the window hands to a feature: its menu commands and every moment.
class ProbeFeature : public Feature {
public:
    explicit ProbeFeature(std::vector<int> commands = {}, ClaimedControls controls = {})
        : commands(std::move(commands)), controls(std::move(controls)) {}
    std::vector<Claim> Claims() override
    {
        std::vector<Claim> claims;
        for (const auto& [id, when] : controls)
            claims.push_back({id, when, [] {}});
        return claims;
    }
    std::vector<MenuClaim> MenuClaims() override
    {
        std::vector<MenuClaim> claims;
        for (int command : commands)
            claims.push_back({command, [this, command] { menus.push_back(command); }});
        return claims;
    }
    std::vector<MomentClaim> Moments() override
    {
        std::vector<MomentClaim> claims;
        for (int m = 0; m <= int(Moment::ListValuesAttached); ++m)
            claims.push_back({Moment(m), [this, m] { moments.push_back(Moment(m)); }});
        return claims;
    }
    std::vector<int> commands;
    ClaimedControls controls;
    std::vector<int> menus;
    std::vector<Moment> moments;
};

// What a control with an id is to a person: the window templates' kinds of control.
enum class Kind { Button, DropDown, List, Box, Static, Line, Tabs, Other };

Kind KindOf(QWidget* w)
{
    if (qobject_cast<QTabBar*>(w))
        return Kind::Tabs;
    if (qobject_cast<QComboBox*>(w))
        return Kind::DropDown;
    if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<LineListView*>(w))
        return Kind::List;
    if (qobject_cast<QAbstractButton*>(w))
        return Kind::Button;
    if (qobject_cast<QLineEdit*>(w))
        return Kind::Box;
    if (qobject_cast<QLabel*>(w))
        return Kind::Static;
    if (auto* frame = qobject_cast<QFrame*>(w); frame && frame->frameShape() == QFrame::HLine)
        return Kind::Line;
    return Kind::Other;
}

// The controls of one window (not those of the pages, which have templates of their own, nor
// those of the windows it owns) that carry a control id, by id.
QMultiMap<int, QWidget*> ControlsWithIds(QWidget* window)
{
    QMultiMap<int, QWidget*> found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        bool onPage = false;
        for (QWidget* up = w; up && !onPage; up = up->parentWidget())
            onPage = qobject_cast<ParameterPage*>(up) != nullptr;
        const int id = w->property("ctrlId").toInt(); // 0: none
        if (w->window() == window && !onPage && id != 0)
            found.insert(id, w);
    }
    return found;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        notice = std::make_unique<ScopedRecordingNotice>();
        WindowCamera::Get().Table().Reset();
        OnlineStatusNotifier::Instance().SetOffline();
    }
    void cleanup()
    {
        window.reset();
        notice.reset();
    }

    void tabsFollowTheControlMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("normal") << 0 << QStringList{"User A", "User B", "User C", "User D", "User E"};
        QTest::newRow("factory") << 1 << QStringList{"User A", "User B", "User C", "User D", "User E", "Factory A"};
    }
    void tabsFollowTheControlMode()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, tabs);
        makeWindow(mode);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(TabTexts(*window), tabs);
        QCOMPARE(UtilityEnabled(*window), mode == 1);
        // A progress window disables the main window and enables it again; the menu stays as it was.
        window->setEnabled(false);
        window->setEnabled(true);
        QCOMPARE(UtilityEnabled(*window), mode == 1);
        QCOMPARE(window->CurrentPage(), window->Page(0));
        // The lens iris page has no tab: the fifth tab shows page five, and the lens page's
        // controls are still found by id.
        window->TabBar()->setCurrentIndex(4);
        QCOMPARE(window->CurrentPage(), window->Page(5));
        QVERIFY(window->Page(5)->isVisible() && !window->Page(4)->isVisible() && !window->Page(0)->isVisible());
        QCOMPARE(window->FindControl(2770), window->Page(4)->control(2770));
    }

    // The factory gesture works from anywhere in the window, also with the modifier keys
    // pressed on their own; a wrong letter cancels it. The feature that carries menu entries
    // enables them and hears of them, from the menu or by the usual keys shown beside them,
    // and of the Control Mode change.
    void factoryGestureAndFeatureMenus()
    {
        makeWindow(0);
        QAction* reload = window->MenuAction(MenuCommand::Reload);
        QVERIFY(window->MenuAction(MenuCommand::Exit)->isEnabled());
        QVERIFY(window->MenuAction(MenuCommand::CommunicationDialog)->isEnabled());
        QVERIFY(!reload->isEnabled());
        auto probe = std::make_unique<ProbeFeature>(
            std::vector<int>{MenuCommand::Reload, MenuCommand::Open, MenuCommand::SaveAllData, MenuCommand::About});
        ProbeFeature& seen = *probe;
        window->AddFeature(std::move(probe));
        QVERIFY(reload->isEnabled());
        reload->trigger();
        QCOMPARE(window->MenuAction(MenuCommand::Open)->text(), QString("&Open"));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* box = qobject_cast<NumberBox*>(window->FindControl(1338));
        box->setFocus();
        for (QKeyCombination key : {Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_S, QKeyCombination(Qt::Key_F5),
                                    QKeyCombination(Qt::Key_F1)})
            QTest::keyClick(box, key.key(), key.keyboardModifiers());
        QCOMPARE(seen.menus, (std::vector<int>{MenuCommand::Reload, MenuCommand::Open, MenuCommand::SaveAllData,
                                               MenuCommand::Reload, MenuCommand::About}));

        const QString before = box->text();
        gesture(box, {Qt::Key_L, Qt::Key_X, Qt::Key_C, Qt::Key_T});
        QCOMPARE(window->TabBar()->count(), 5);
        box->setText(before);
        gesture(box, {Qt::Key_L, Qt::Key_C, Qt::Key_T});
        QCOMPARE(ControlMode::Get(), ControlMode::kFactory);
        QCOMPARE(seen.moments, std::vector<Moment>{Moment::ControlModeChanged});
        QCOMPARE(TabTexts(*window).value(5), QString("Factory A"));
        QVERIFY(UtilityEnabled(*window));
        QCOMPARE(box->text(), before); // the code letters were not typed into the box
        gesture(window->TabBar(), {Qt::Key_Shift, Qt::Key_L, Qt::Key_C, Qt::Key_T});
        QCOMPARE(window->TabBar()->count(), 5);
        QVERIFY(!UtilityEnabled(*window));
    }

    // A feature whose claims clash with those of a feature registered before stops the
    // program's start: nothing of it is kept, and the message names both and the claim.
    // Claims before and after the parameter path may be shared.
    void aClashStopsTheStart_data()
    {
        QTest::addColumn<std::vector<int>>("commands");
        QTest::addColumn<ClaimedControls>("controls");
        QTest::addColumn<QString>("message");
        const QString probe = "(anonymous namespace)::ProbeFeature";
        QTest::newRow("a menu entry") << std::vector<int>{MenuCommand::Reload, MenuCommand::CommunicationDialog}
                                      << ClaimedControls{}
                                      << "CommunicationFeature and " + probe + " both claim menu command 32785.";
        QTest::newRow("a control instead of the parameter path")
            << std::vector<int>{} << ClaimedControls{{1338, When::Before}, {1012, When::Instead}}
            << "TerminalFeature and " + probe + " both claim control 1012 instead of the parameter path.";
        QTest::newRow("one feature's control twice in one phase")
            << std::vector<int>{} << ClaimedControls{{1338, When::After}, {1338, When::After}}
            << probe + " claims control 1338 twice after the parameter path.";
        QTest::newRow("shared before and after") << std::vector<int>{}
                                                 << ClaimedControls{{1012, When::Before},
                                                                                      {1012, When::After}}
                                                 << QString();
    }
    void aClashStopsTheStart()
    {
        QFETCH(std::vector<int>, commands);
        QFETCH(ClaimedControls, controls);
        QFETCH(QString, message);
        makeWindow(0);
        QString thrown;
        try {
            window->AddFeature(std::make_unique<ProbeFeature>(commands, controls));
        } catch (const FeatureClash& clash) {
            thrown = QString::fromStdString(clash.what());
        }
        QCOMPARE(thrown, message.isEmpty() ? message : "The features clash, the program cannot start: " + message);
        QCOMPARE(window->Features().Find<ProbeFeature>() != nullptr, message.isEmpty());
        QCOMPARE(window->MenuAction(MenuCommand::Reload)->isEnabled(), false);
    }

    void controlsDescribeThemselves()
    {
        makeWindow(0);
        QWidget* exposure = window->FindControl(1338);
        QCOMPARE(exposure->toolTip(), QString("Camera command PE, control 1338"));
        QCOMPARE(exposure->accessibleDescription(), exposure->toolTip());
        QCOMPARE(exposure->accessibleName(), QString("Exposure Time Common"));
        QCOMPARE(window->FindControl(2553)->toolTip(), QString("Control 2553"));
        // Every label with a control beside it names that control.
        bool found = false;
        for (QLabel* l : window->Page(0)->findChildren<QLabel*>())
            if (l->text() == "Common") {
                QCOMPARE(l->buddy(), exposure);
                found = true;
            }
        QVERIFY(found);
        for (ParameterPage* page : {window->Page(0), window->Page(1), window->Page(2), window->Page(3),
                                       window->Page(5), window->Page(6)})
            for (QWidget* w : page->controls())
                if (ClassOfControl(w) != ControlClass::None && ClassOfControl(w) != ControlClass::Spin)
                    QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }

    // Each window the tool opens carries the control ids its template gives, each once, on a
    // control of the template's kind, told to assistive tools as "... control N"; and no
    // control carries an id the template does not give (the windows without a row of ids give
    // their controls none).
    void everyWindowCarriesItsControlIds()
    {
        using K = Kind;
        struct Window {
            const char* name;
            std::vector<std::pair<int, Kind>> ids;
        };
        const Window templates[] = {
            {"main window", {{1244, K::Tabs}, {1161, K::Static}}},
            {"Communication",
             {{1163, K::Static}, {1155, K::Static}, {1011, K::DropDown}, {1005, K::DropDown},
              {1018, K::Static}, {1030, K::DropDown}, {1243, K::Button}, {1164, K::Button},
              {1165, K::Button}, {1167, K::Static}, {1166, K::Button}, {1029, K::DropDown},
              {1168, K::Button}, {1169, K::Button}, {1170, K::List}, {1171, K::Button},
              {1172, K::Button}, {1158, K::Static}}},
            {"terminal", {}},
            {"LUT editor", {}},
            {"about", {}},
            {"user id", {}},
            {"camera id", {}},
            {"Motor Lens",
             {{40001, K::Button}, {40002, K::Button}, {40003, K::Button}, {40004, K::Button},
              {40005, K::Button}, {40006, K::Button}}},
            {"parameter list", {}},
            {"flash area selection",
             {{1023, K::Static}, {1017, K::DropDown}, {1, K::Button}, {2, K::Button}, {65535, K::Line},
              {1178, K::Static}}},
            {"comparison", {}},
            {"progress", {}},
        };

        makeWindow(1);
        LutEditorWindow lut(WindowCamera::Get(), 1);
        AboutDialog about(WindowCamera::Get(), window.get());
        UserIdDialog userId(WindowCamera::Get(), window.get());
        CameraIdDialog cameraId(WindowCamera::Get(), window.get());
        MotorLensWindow lens(WindowCamera::Get(), window.get());
        ParameterListWindow parameterList(WindowCamera::Get(), window.get());
        FlashAreaDialog area(window.get(), FlashAreas::Purpose::Store);
        CompareDialog comparison(window.get(), "settings.cam", SettingFile::Comparison{});
        // The progress window goes at the end whatever the outcome: it keeps its owner disabled.
        ProgressBarWindow& progress = ProgressBarWindow::Instance();
        const std::unique_ptr<ProgressBarWindow, void (*)(ProgressBarWindow*)> closing(&progress, [](auto* p) {
            const int pause = p->ClosePause();
            p->SetClosePause(0);
            p->Close();
            p->SetClosePause(pause);
        });
        progress.Show(window.get(), "Now, reading camera settings.");
        QWidget* const opened[] = {window.get(), CommunicationOf(*window), TerminalOf(*window), &lut,
                                   &about, &userId, &cameraId, &lens, &parameterList, &area, &comparison,
                                   ProgressBarWindow::Instance().Window()};
        static_assert(std::size(opened) == std::size(templates));

        for (size_t i = 0; i < std::size(templates); ++i) {
            const QString name = templates[i].name;
            QVERIFY2(opened[i], qPrintable(name));
            const QMultiMap<int, QWidget*> carried = ControlsWithIds(opened[i]);
            QSet<int> given;
            for (const auto& [id, kind] : templates[i].ids) {
                given.insert(id);
                const QString what = QString("%1, control %2").arg(name).arg(id);
                QVERIFY2(carried.count(id) == 1,
                         qPrintable(what + QString(" found %1 times").arg(carried.count(id))));
                QWidget* control = carried.value(id);
                QVERIFY2(KindOf(control) == kind, qPrintable(what + ": a " + control->metaObject()->className()));
                QCOMPARE(control->objectName(), QString("ctrl_%1").arg(id));
                const QString told = control->accessibleDescription();
                QVERIFY2(told.endsWith(QString("control %1").arg(id), Qt::CaseInsensitive),
                         qPrintable(what + ": described as \"" + told + "\""));
            }
            for (int id : carried.uniqueKeys())
                QVERIFY2(given.contains(id),
                         qPrintable(QString("%1 gives control %2 an id of its own").arg(name).arg(id)));
        }
    }

    void tabReachesEveryControlInReadingOrder()
    {
        makeWindow(1); // every page but the lens iris page has a tab
        window->show();
        // Without a camera the pages take no edits; as if one answered, they do.
        OnlineStatusNotifier::Instance().SetOnline();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTabBar* tabs = window->TabBar();
        QVERIFY(tabs->count() >= 6);

        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            const QString page = tabs->tabText(tab);
            QWidget* content = window->CurrentPage()->findChild<QScrollArea*>()->widget();
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
                if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window.get()) && w->isEnabled())
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

    // Enter and Escape never close the window, whichever control has the focus (Enter on a
    // button does nothing); on an open list they close it with the highlighted entry chosen.
    void enterAndEscapeNeverCloseTheWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter);
        QTest::newRow("escape") << int(Qt::Key_Escape);
    }
    void enterAndEscapeNeverCloseTheWindow()
    {
        QFETCH(int, key);
        QVERIFY(showWindow());
        OnlineStatusNotifier::Instance().SetOnline();
        auto* button = qobject_cast<QPushButton*>(window->FindControl(1882));
        QSignalSpy clicks(button, &QPushButton::clicked);
        for (QWidget* w : {window->FindControl(1338), window->FindControl(1882), window->FindControl(1341),
                           static_cast<QWidget*>(window.get())}) {
            w->setFocus();
            QTest::keyClick(w, Qt::Key(key));
        }
        QCOMPARE(clicks.count(), 0);

        auto* list = qobject_cast<QComboBox*>(window->FindControl(1350));
        list->setCurrentIndex(0); // nothing shows before the camera was read
        QSignalSpy chosen(list, &QComboBox::activated);
        list->setFocus();
        list->showPopup();
        QAbstractItemView* view = list->view();
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key(key));
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(chosen.count(), 1);
        QVERIFY(window->isVisible());
        QVERIFY(notice->recorder.questions.empty());
    }

    // Closing, Exit and its key ask first (No keeps the window); after a camera reset, or when a
    // termination signal asks the program to end (quit()), it closes without asking.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("closes");
        QTest::newRow("close, No") << "close" << false << true << false;
        QTest::newRow("Exit, Yes") << "exit" << true << true << true;
        QTest::newRow("Ctrl+Q, No") << "ctrl+q" << false << true << false;
        QTest::newRow("camera reset") << "reset" << false << false << true;
        QTest::newRow("request to end the program") << "quit" << false << false << true;
    }
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, answer);
        QFETCH(bool, asks);
        QFETCH(bool, closes);
        QVERIFY(showWindow());
        notice->recorder.answers = {answer};
        QEvent quit(QEvent::Quit);
        if (how == "close")
            window->close();
        else if (how == "exit")
            window->MenuAction(MenuCommand::Exit)->trigger();
        else if (how == "ctrl+q")
            QTest::keyClick(window->FindControl(1338), Qt::Key_Q, Qt::ControlModifier);
        else if (how == "reset")
            window->CloseWithoutConfirm();
        else
            QCoreApplication::sendEvent(qApp, &quit);
        QCOMPARE(window->isVisible(), !closes);
        QCOMPARE(notice->recorder.questions,
                 asks ? std::vector<std::string>{"Are you sure to terminate the Camera Control Tool ?"}
                      : std::vector<std::string>{});
        if (how == "exit")
            QCOMPARE(window->result(), int(QDialog::Rejected));
    }

private:
    void makeWindow(int controlMode)
    {
        UseSettings(controlMode);
        window = MakeMainWindow(WindowCamera::Get());
        window->Initialize();
    }
    // A Control Mode 0 window without a camera, shown.
    bool showWindow()
    {
        makeWindow(0);
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    void gesture(QWidget* target, std::initializer_list<Qt::Key> keys)
    {
        QTest::keyClick(target, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
        for (Qt::Key key : keys)
            QTest::keyClick(target, key);
    }

    std::unique_ptr<ScopedRecordingNotice> notice;
    std::unique_ptr<MainWindow> window;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
