#pragma once
// The program's only main window: a tab control hosting the seven parameter pages, the online
// strip along the bottom, menu 601, the keyboard rules and the factory-mode switch. It opens
// the camera link when it initialises, builds the tabs for the Control Mode and closes the
// program only after a confirmation. The features registered with it (the windows beside it
// among them) serve its controls and menu entries and join its start-up at the moments it
// raises (Feature.h); every change of a control is routed to them by its ChangeRouter.
#include "Camera.h"
#include "ControlAdapter.h"
#include "ControlLookup.h"
#include "FeatureRegistry.h"
#include "OnlineStatusUpdater.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <memory>

class Camera;
class ParameterPage;
class ChangeRouter;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStackedWidget;
class QTabBar;
class StatusLineBar;

class MainWindow : public QDialog, public OnlineStatusUpdater, public ControlLookup {
    Q_OBJECT
public:
    static constexpr int kPageCount = 7;
    static constexpr int kLensIrisPage = 4; // created, never given a tab

    // The camera is the program's; it outlives the window.
    explicit MainWindow(Camera& camera, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Registers a feature: its menu entries are enabled and it is called for its claims and
    // the moments from now on. Throws FeatureClash (and keeps nothing of the feature) when
    // its claims clash with a registered feature's.
    void AddFeature(std::unique_ptr<Feature> feature);
    FeatureRegistry& Features() { return m_features; }
    // The window's controls by id, for the features.
    ControlAdapter& Controls() { return m_controls; }
    Camera& Cam() { return m_camera; }

    // The initialisation steps (link, first reading, tabs); run once, at the latest when the
    // window is first shown.
    void Initialize();
    // 1 when the start-up connection succeeded.
    int Connected() const { return m_connected; }

    // ControlLookup: the pages in page order, then the window itself; first match wins.
    QWidget* FindControl(int ctrlId) const override;

    ParameterPage* Page(int pageIndex) const { return m_pages[pageIndex]; }
    QTabBar* TabBar() const { return m_tabBar; }
    // The status bar above the online strip: port, line state, camera model, last action.
    StatusLineBar* StatusBar() const { return m_statusBar; }
    // The page that the selected tab shows.
    ParameterPage* CurrentPage() const;

    // Tabs for the current Control Mode: every page but the lens iris page, the factory page
    // only in Control Mode 1; tab 0 selected.
    void BuildTabs();
    // The Utility menu is usable only in Control Mode 1.
    void SetUtilityMenu();
    // The factory-mode switch: Control Mode 0 <-> 1, then tabs and menu follow and the
    // features take part (pending rows sent and committed, the communication window adapts).
    void ToggleControlMode();
    int ControlMode() const;

    // The menu entry with that command id (nullptr for an unknown id). Entries are enabled
    // while a registered feature carries them (Exit: always).
    QAction* MenuAction(int commandId) const;

    // After a successful camera reset: the window closes at once, without asking.
    void CloseWithoutConfirm();

    // OnlineStatusUpdater: while no camera answers (after the start-up's connection attempt) a bar above the pages
    // says so and offers "Reconnect", and the pages take no edits.
    void OnOnlineStateChanged(int online) override;
    bool IsOfflineShown() const;
    QWidget* OfflineBar() const { return m_offlineBar; }

signals:
    // The offline bar's "Reconnect": the port is to be opened again.
    void reconnectRequested();

public slots:
    // A link change made in the communication window, with its result (1 ok): a link opened
    // there counts as connected, also in the middle of the start-up.
    void OnLinkChanged(int result);
    // The OK action does nothing, so Enter never closes the window.
    void accept() override {}
    // The Cancel action: closing after a confirmation (Exit, close box, Alt+F4).
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    void OnTabChanged(int tabIndex);
    // The keyboard rule for one key press anywhere in this window; true when it used the key.
    bool KeyboardRule(QWidget* target, QKeyEvent* event);
    bool Owns(const QWidget* widget) const;
    void enableMenuEntries();
    QWidget* BuildOfflineBar();
    void UpdateOfflineState();
    // Before the camera was ever read the controls show nothing rather than the table's
    // initial values, which are no camera's.
    void BlankPageControls();
    // Port, device and camera model into the status line.
    void ShowConnection();

    std::array<ParameterPage*, kPageCount> m_pages{};
    QTabBar* m_tabBar = nullptr;
    QStackedWidget* m_stack = nullptr;
    StatusLineBar* m_statusBar = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_utilityMenu = nullptr;
    QWidget* m_offlineBar = nullptr;
    QLabel* m_offlineText = nullptr;
    QPushButton* m_reconnect = nullptr;
    bool m_linkTried = false; // the start-up's connection attempt is over
    QHash<int, QAction*> m_actions;
    QHash<int, QWidget*> m_ownControls;
    Camera& m_camera;
    ControlAdapter m_controls{*this, m_camera};
    FeatureRegistry m_features;
    ChangeRouter* m_router = nullptr;

    int m_closeWithoutConfirm = 0;
    int m_linkReadyByDialog = 0;
    int m_connected = 0;
    int m_shownOnline = -1; // the online state the status line last followed
    bool m_initialized = false;
    bool m_closing = false;

    // Factory-mode switch: armed by the start key, then the number of code letters matched.
    int m_gestureArmed = 0;
    int m_gestureMatched = 0;
};
