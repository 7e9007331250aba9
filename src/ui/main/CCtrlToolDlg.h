#pragma once
// The program's only main window: a tab control hosting the seven parameter pages, the online
// strip along the bottom, menu 601, the keyboard rules and the factory-mode switch. It opens
// the camera link when it initialises, builds the tabs for the Control Mode and closes the
// program only after a confirmation.
#include "ControlLookup.h"
#include "OnlineStatusUpdater.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <functional>

class CCommunicationDialog;
class CTabSheetDialog;
class CTerminalDialog;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStackedWidget;
class QTabBar;

class CCtrlToolDlg : public QDialog, public COnlineStatusUpdater, public ControlLookup {
    Q_OBJECT
public:
    static constexpr int kPageCount = 7;
    static constexpr int kLensIrisPage = 4; // created, never given a tab
    static constexpr int kTabControlId = 1244;
    static constexpr int kOnlineStripId = 1161;
    static constexpr int kAlcStatusButton = 1871;
    static constexpr int kAlcStatusBox = 1873;

    // Menu 601: command ids of the entries.
    enum MenuCommand : int {
        kCmdOpen = 32781,
        kCmdSaveAllData = 32786,
        kCmdSaveShippingData = 32787,
        kCmdExit = 2,
        kCmdReload = 32775,
        kCmdLoadSettings = 32777,
        kCmdStoreSettings = 32776,
        kCmdEditUserId = 32773,
        kCmdEditCameraId = 32778,
        kCmdOpenLutFile = 32779,
        kCmdSaveLutFile = 32780,
        kCmdLoadAllLut = 32784,
        kCmdAbout = 32774,
        kCmdCommunicationDialog = 32785,
    };

    explicit CCtrlToolDlg(QWidget* parent = nullptr);
    ~CCtrlToolDlg() override;

    // The process-wide main window; nullptr when none exists.
    static CCtrlToolDlg* Instance();

    // The initialisation steps (link, first reading, tabs); run once, at the latest when the
    // window is first shown.
    void Initialize();
    bool IsInitialized() const { return m_initialized; }
    // 1 when the start-up connection succeeded.
    int Connected() const { return m_connected; }
    // Set by the communication dialog when it opened the link during start-up.
    void SetLinkReadyByDialog(int ready) { m_linkReadyByDialog = ready; }

    // ControlLookup: the pages in page order, then the window itself; first match wins.
    QWidget* FindControl(int ctrlId) const override;

    CTabSheetDialog* Page(int pageIndex) const { return m_pages[pageIndex]; }
    // The tool dialogs the window owns: created with it, kept until it goes.
    CCommunicationDialog* CommunicationDialog() const { return m_communication; }
    CTerminalDialog* Terminal() const { return m_terminal; }
    QTabBar* TabBar() const { return m_tabBar; }
    // The page that the selected tab shows.
    CTabSheetDialog* CurrentPage() const;

    // Tabs for the current Control Mode: every page but the lens iris page, the factory page
    // only in Control Mode 1; tab 0 selected.
    void BuildTabs();
    // The Utility menu is usable only in Control Mode 1.
    void SetUtilityMenu();
    // The factory-mode switch: Control Mode 0 <-> 1, then tabs and menu follow, and the
    // follow-up (pending rows sent and committed, the communication dialog adapted) runs.
    void ToggleControlMode();
    int ControlMode() const;
    // What the camera features do after the Control Mode changed.
    void SetControlModeFollowUp(std::function<void()> followUp) { m_modeFollowUp = std::move(followUp); }

    // The menu entry with that command id (nullptr for an unknown id).
    QAction* MenuAction(int commandId) const;
    // Gives a menu entry its action and enables it; entries without one stay disabled.
    void SetMenuHandler(int commandId, std::function<void()> handler);

    // The start-up steps that the camera features carry, run by Initialize: afterConnect
    // right after the start-up connection (the first reading), atEnd after the tabs are
    // built (pending rows, the last initialisation step). Both get the connected flag.
    void SetStartupSteps(std::function<void(int connected)> afterConnect,
                         std::function<void(int connected)> atEnd)
    {
        m_afterConnect = std::move(afterConnect);
        m_atEnd = std::move(atEnd);
    }

    // Button 1871: asks the camera for the automatic level status and shows it in box 1873.
    void ReadAlcStatus();

    // After a successful camera reset the window closes without asking.
    void SetCloseWithoutConfirm(bool skip) { m_closeWithoutConfirm = skip; }


public slots:
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
    // Help, "&Open Communication Dialog": brings the communication window back.
    void ShowCommunicationDialog();
    // Puts the communication window beside this one, on the same screen.
    void PlaceCommunicationDialog();
    // The keyboard rule for one key press anywhere in this window; true when it used the key.
    bool KeyboardRule(QWidget* target, QKeyEvent* event);
    bool Owns(const QWidget* widget) const;

    std::array<CTabSheetDialog*, kPageCount> m_pages{};
    CCommunicationDialog* m_communication = nullptr;
    CTerminalDialog* m_terminal = nullptr;
    QTabBar* m_tabBar = nullptr;
    QStackedWidget* m_stack = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_utilityMenu = nullptr;
    QHash<int, QAction*> m_actions;
    QHash<int, std::function<void()>> m_handlers;
    std::function<void(int)> m_afterConnect;
    std::function<void(int)> m_atEnd;
    QHash<int, QWidget*> m_ownControls;

    int m_selectedFlashArea = 0;
    int m_closeWithoutConfirm = 0;
    int m_linkReadyByDialog = 0;
    int m_connected = 0;
    bool m_initialized = false;
    bool m_closing = false;
    std::function<void()> m_modeFollowUp;

    // Factory-mode switch: armed by the start key, then the number of code letters matched.
    int m_gestureArmed = 0;
    int m_gestureMatched = 0;
};
