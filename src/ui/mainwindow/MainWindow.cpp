#include "MainWindow.h"

#include "Camera.h"
#include "ChangeRouter.h"
#include "CommLink.h"
#include "ControlIdTag.h"
#include "ControlMode.h"
#include "ErrorReport.h"
#include "Ids.h"
#include "OnlineStatusNotifier.h"
#include "ParameterPage.h"
#include "ParameterTable.h"
#include "ProgramInfo.h"
#include "SerialDevices.h"
#include "SettingsStore.h"
#include "StatusLine.h"
#include "StatusLineBar.h"
#include "UserNotice.h"
#include "Walk.h"
#include "WindowLockList.h"
#include "WindowPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kCaption = ProgramInfo::kName;
constexpr const char* kVersion = ProgramInfo::kVersion;
// Fits a 1366 x 768 screen with its task bar; on a smaller screen the window fits itself to
// it when first shown, and the pages scroll.
constexpr QSize kStartSize(1300, 700);

// The factory-mode switch, for maintainers: hold Ctrl and Shift and press F12, release them,
// then type the letters L, C, T (for Lumora Control Tool). Any other key in between cancels
// the gesture; pressing Ctrl+Shift+F12 again starts it over.
constexpr int kGestureStartKey = Qt::Key_F12;
constexpr int kGestureCode[3] = {Qt::Key_L, Qt::Key_C, Qt::Key_T};

// The application icon (resource 500 of the original): a lens in the program's colours.
QIcon MakeIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x20, 0x40, 0x70));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(2, 6, 28, 22, 4, 4);
    p.setBrush(QColor(0xd0, 0xe0, 0xf0));
    p.drawEllipse(QPointF(16, 17), 8, 8);
    p.setBrush(QColor(0x30, 0x60, 0xa0));
    p.drawEllipse(QPointF(16, 17), 4, 4);
    return QIcon(pixmap);
}

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr;
}

// The drop-down list whose open popup contains the widget, if any.
QComboBox* ComboOfPopup(QWidget* w)
{
    if (w->window()->windowType() != Qt::Popup)
        return nullptr;
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (auto* combo = qobject_cast<QComboBox*>(p))
            return p == w ? nullptr : combo; // the popup lives below its combo box
    }
    return nullptr;
}

} // namespace

MainWindow::MainWindow(Camera& camera, QWidget* parent)
    : QDialog(parent), OnlineStatusUpdater(this), m_camera(camera)
{
    // The strip and every updater follow this window's camera.
    OnlineStatusNotifier::Instance().Follow(&camera.Events());
    // Construction: icon, the seven pages in page order.
    setWindowIcon(MakeIcon());
    setObjectName(QStringLiteral("CCtrlToolDlg"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->setSpacing(0);

    BuildMenu();
    layout->setMenuBar(m_menuBar);

    m_offlineBar = BuildOfflineBar();
    layout->addWidget(m_offlineBar);

    m_tabBar = new QTabBar(this);
    tagControlId(m_tabBar, CtrlId::TabControl);
    m_tabBar->setExpanding(false);
    m_tabBar->setDrawBase(true);
    m_tabBar->setAccessibleName(tr("Parameter pages"));
    m_ownControls.insert(CtrlId::TabControl, m_tabBar);
    layout->addWidget(m_tabBar);

    m_stack = new QStackedWidget(this);
    m_stack->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_stack, 1);
    for (int i = 0; i < kPageCount; ++i) {
        m_pages[i] = new ParameterPage(i, this, m_stack);
        m_stack->addWidget(m_pages[i]);
    }
    connect(m_tabBar, &QTabBar::currentChanged, this, &MainWindow::OnTabChanged);

    // Port, line state, camera and the last action's result, just above the strip.
    m_statusBar = new StatusLineBar(this);
    layout->addWidget(m_statusBar);
    connect(&StatusLine::Instance(), &StatusLine::actionReported, this, &MainWindow::ShowConnection);

    // The online strip along the bottom: red until an exchange succeeds.
    QLabel* strip = OnlineStrip();
    tagControlId(strip, CtrlId::OnlineStrip);
    m_ownControls.insert(CtrlId::OnlineStrip, strip);
    layout->addSpacing(4);
    layout->addWidget(strip);

    // Nothing is pending before the first exchange.
    m_camera.Table().CommitAll();

    // Every change of a control on the pages goes through the router to the features.
    m_router = new ChangeRouter(*this, m_features, this);
    m_router->Attach(this);

    resize(kStartSize);
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // A number box that loses the focus as the window goes (it was the active window) would
    // commit through the router to features that are already gone.
    delete m_router;
    m_router = nullptr;
    WindowLockList::Instance().Unregister(this);
    // On destroy: the link goes with the window.
    m_camera.Link().Close();
    OnlineStatusNotifier::Instance().Follow(nullptr);
}

void MainWindow::Initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    // The Camera Link output format starts as configuration 1, bit allocation 3, clock 2
    // until the camera reports its own.
    m_camera.Format() = ClOutputFormat{};
    OnlineStatusNotifier::Instance().Register(this);
    WindowLockList::Instance().Register(this);
    setWindowTitle(QStringLiteral("%1  Ver %2").arg(QLatin1String(kCaption), QLatin1String(kVersion)));

    // The windows beside this one join the lists (the communication window shows at once;
    // setting its lists opens and sends nothing), the spin ranges are applied.
    m_features.Raise(Moment::StartupWindowsReady);
    // The start-up is one action: its first communication error is shown, the rest counted.
    ErrorReport errors(m_camera, "settings");

    // The start-up connection: open the stored link and check the camera's model.
    m_linkReadyByDialog = 0;
    m_connected = m_camera.Connect();
    const bool readAtStartup = m_connected == 1;
    if (m_connected == 1)
        m_features.Raise(Moment::StartupConnected);
    // A camera that fell silent during the first reading is treated as one that never answered.
    if (!m_camera.Responsive())
        m_connected = 0;
    if (m_linkReadyByDialog == 1)
        m_connected = 1;
    if (!readAtStartup && m_connected != 1)
        BlankPageControls();
    m_linkTried = true;
    UpdateOfflineState();

    BuildTabs();
    SetUtilityMenu();
    m_features.Raise(Moment::StartupTabsBuilt);
    if (m_connected == 1)
        m_features.Raise(Moment::StartupCompleted);
    ShowConnection();
}

void MainWindow::AddFeature(std::unique_ptr<Feature> feature)
{
    m_features.Add(std::move(feature));
    enableMenuEntries();
}

void MainWindow::OnLinkChanged(int result)
{
    if (result == 1) {
        m_linkReadyByDialog = 1;
        m_connected = 1;
    }
    // The bar names the port now chosen.
    UpdateOfflineState();
    ShowConnection();
}

QWidget* MainWindow::BuildOfflineBar()
{
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("offlineBar"));
    bar->setFrameShape(QFrame::StyledPanel);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(0xff, 0xe8, 0xb0));
    palette.setColor(QPalette::WindowText, Qt::black);
    bar->setPalette(palette);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 4, 8, 4);
    auto* icon = new QLabel(bar);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    m_offlineText = new QLabel(bar);
    m_offlineText->setObjectName(QStringLiteral("offlineText"));
    m_offlineText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_reconnect = new QPushButton(QStringLiteral("Reconnect"), bar);
    m_reconnect->setObjectName(QStringLiteral("reconnect"));
    m_reconnect->setAutoDefault(false);
    // The button right after the text: the communication window may cover the bar's far end.
    row->addWidget(icon);
    row->addWidget(m_offlineText);
    row->addSpacing(8);
    row->addWidget(m_reconnect);
    row->addStretch(1);
    connect(m_reconnect, &QPushButton::clicked, this, &MainWindow::reconnectRequested);
    bar->hide();
    return bar;
}

void MainWindow::OnOnlineStateChanged(int online)
{
    UpdateOfflineState();
    // Every exchange reports its state; only a change may mean another port or camera.
    if (online == m_shownOnline)
        return;
    m_shownOnline = online;
    ShowConnection();
}

bool MainWindow::IsOfflineShown() const
{
    return !m_offlineBar->isHidden();
}

void MainWindow::UpdateOfflineState()
{
    // Told after every exchange: the port text is only worked out while the bar shows.
    const bool offline = m_linkTried && !OnlineStatusNotifier::Instance().IsOnline();
    if (offline)
        m_offlineText->setText(QStringLiteral("No camera answers on %1. Check power and cable, then Reconnect.")
                                   .arg(QString::fromStdString(m_camera.Link().SelectedPortText())));
    m_offlineBar->setVisible(offline);
    m_stack->setEnabled(!offline);
}

void MainWindow::BlankPageControls()
{
    for (ParameterPage* page : m_pages) {
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            const QSignalBlocker blocker(widget);
            if (auto* box = qobject_cast<QLineEdit*>(widget)) {
                if (!qobject_cast<QComboBox*>(box->parentWidget()))
                    box->clear();
            } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
                list->setCurrentIndex(-1);
            } else if (auto* check = qobject_cast<QAbstractButton*>(widget); check && check->isCheckable()) {
                const bool exclusive = check->autoExclusive();
                check->setAutoExclusive(false);
                check->setChecked(false);
                check->setAutoExclusive(exclusive);
            }
        }
    }
}

void MainWindow::ShowConnection()
{
    CommLink& link = m_camera.Link();
    const std::string port = link.PortName(int(link.SelectedPort()));
    // A COM name stands for a device of this machine; a frame grabber's port is its own name.
    const std::string device = link.GetMode() == 0 ? DescribePortDevice(Settings().PortDevice(port)).path : "";
    StatusLine::Instance().SetConnection(QString::fromStdString(port), QString::fromStdString(device));
    const CameraModel& model = m_camera.Model();
    QString name = QString::fromStdString(model.modelName);
    if (!name.isEmpty() && model.modelType > 1)
        name += QStringLiteral(" (not supported)");
    StatusLine::Instance().SetModel(name);
}

void MainWindow::CloseWithoutConfirm()
{
    m_closeWithoutConfirm = 1;
    reject();
}

void MainWindow::showEvent(QShowEvent* event)
{
    const bool first = !m_initialized;
    // The window fits its screen before the communication window is placed beside it.
    if (first)
        WindowPlacement::FitToScreen(this);
    Initialize();
    QDialog::showEvent(event);
    // Windows shown while this one was still initialising come to the front once it is up,
    // so they do not start hidden behind the pages.
    if (first)
        QTimer::singleShot(0, this, [this] { m_features.Raise(Moment::StartupWindowShown); });
}

QWidget* MainWindow::FindControl(int ctrlId) const
{
    for (ParameterPage* page : m_pages) {
        if (page)
            if (QWidget* w = page->control(ctrlId))
                return w;
    }
    return m_ownControls.value(ctrlId, nullptr);
}

ParameterPage* MainWindow::CurrentPage() const
{
    return qobject_cast<ParameterPage*>(m_stack->currentWidget());
}

void MainWindow::BuildTabs()
{
    const QSignalBlocker blocker(m_tabBar);
    while (m_tabBar->count() > 0)
        m_tabBar->removeTab(0);
    for (int i = 0; i < kPageCount; ++i) {
        ParameterPage* page = m_pages[i];
        if ((ControlMode() != 0 || !page->isFactory()) && i != kLensIrisPage) {
            const int tab = m_tabBar->addTab(page->tabText());
            m_tabBar->setTabData(tab, i);
        }
    }
    m_tabBar->setCurrentIndex(0);
    m_stack->setCurrentWidget(m_pages[0]);
}

void MainWindow::OnTabChanged(int tabIndex)
{
    if (tabIndex < 0 || tabIndex >= m_tabBar->count())
        return;
    const int pageIndex = m_tabBar->tabData(tabIndex).toInt();
    if (pageIndex < 0 || pageIndex >= kPageCount)
        return;
    m_stack->setCurrentWidget(m_pages[pageIndex]);
}

int MainWindow::ControlMode() const { return int(::ControlMode::Get()); }

void MainWindow::SetUtilityMenu()
{
    // The menu itself, not only its entry in the bar: a menu that is disabled on its own stays
    // so when a progress window disables the main window and enables it again (the entry alone
    // would follow the menu back to enabled).
    m_utilityMenu->setEnabled(ControlMode() == 1);
}

void MainWindow::ToggleControlMode()
{
    ::ControlMode::Set(::ControlMode::Get() == 0 ? ::ControlMode::kFactory : ::ControlMode::kNormal);
    BuildTabs();
    SetUtilityMenu();
    m_features.Raise(Moment::ControlModeChanged);
}

void MainWindow::BuildMenu()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menu_601"));
    auto add = [this](QMenu* menu, const QString& text, int commandId) {
        QAction* action = menu->addAction(text);
        action->setProperty("commandId", commandId);
        action->setEnabled(false); // until a feature carries it
        m_actions.insert(commandId, action);
        connect(action, &QAction::triggered, this, [this, commandId] {
            if (commandId == MenuCommand::Exit)
                reject();
            else
                m_features.RunMenu(commandId);
        });
        return action;
    };

    QMenu* file = m_menuBar->addMenu(tr("&File"));
    add(file, QStringLiteral("&Open"), MenuCommand::Open);
    add(file, QStringLiteral("Compare with Camera…"), MenuCommand::CompareWithCamera);
    QMenu* saveAs = file->addMenu(QStringLiteral("&Save as"));
    add(saveAs, QStringLiteral("All Data"), MenuCommand::SaveAllData);
    add(saveAs, QStringLiteral("Shipping Data"), MenuCommand::SaveShippingData);
    file->addSeparator();
    add(file, QStringLiteral("E&xit"), MenuCommand::Exit);

    QMenu* settings = m_menuBar->addMenu(tr("&Settings"));
    add(settings, QStringLiteral("&Reload"), MenuCommand::Reload);
    add(settings, QStringLiteral("&Load settings"), MenuCommand::LoadSettings);
    add(settings, QStringLiteral("&Store settings"), MenuCommand::StoreSettings);
    settings->addSeparator();
    add(settings, QStringLiteral("&Motor Lens"), MenuCommand::MotorLens);

    m_utilityMenu = m_menuBar->addMenu(tr("&Utility"));
    add(m_utilityMenu, QStringLiteral("Edit user id"), MenuCommand::EditUserId);
    add(m_utilityMenu, QStringLiteral("Edit camera id"), MenuCommand::EditCameraId);
    add(m_utilityMenu, QStringLiteral("&Parameter list (XML)"), MenuCommand::ParameterList);

    QMenu* lut = m_menuBar->addMenu(tr("&LUT"));
    add(lut, QStringLiteral("&Open LUT file"), MenuCommand::OpenLutFile);
    add(lut, QStringLiteral("&Save LUT file"), MenuCommand::SaveLutFile);
    add(lut, QStringLiteral("&Load all LUT table"), MenuCommand::LoadAllLut);

    QMenu* help = m_menuBar->addMenu(tr("&Help"));
    add(help, QStringLiteral("&About this application"), MenuCommand::About);
    add(help, QStringLiteral("&Open Communication Dialog"), MenuCommand::CommunicationDialog);

    // The usual keys beside the menu entries.
    const std::pair<int, QKeySequence> keys[] = {
        {MenuCommand::Open, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {MenuCommand::SaveAllData, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {MenuCommand::Reload, QKeySequence(Qt::Key_F5)},
        {MenuCommand::Exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {MenuCommand::About, QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [command, key] : keys)
        m_actions.value(command)->setShortcut(key);

    enableMenuEntries();
}

QAction* MainWindow::MenuAction(int commandId) const { return m_actions.value(commandId, nullptr); }

void MainWindow::enableMenuEntries()
{
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        const int command = it.key();
        it.value()->setEnabled(command == MenuCommand::Exit || m_features.HasMenu(command));
    }
}

void MainWindow::reject()
{
    if (m_closing)
        return;
    if (m_closeWithoutConfirm != 1
        && !Notices().AskYesNo("Are you sure to terminate the Camera Control Tool ?", "Confirm"))
        return;
    // Closing during a walk over the camera (the window's close box stays usable while the
    // walk disables it) stops the walk after its exchange in flight.
    m_camera.CancelWalks();
    m_closing = true;
    QDialog::done(QDialog::Rejected);
    m_closing = false;
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape that no control used end here: they never close the window.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool MainWindow::Owns(const QWidget* widget) const
{
    for (const QWidget* p = widget; p; p = p->parentWidget())
        if (p == this)
            return true;
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The program is asked to end (a termination signal, the session ending): the window
    // closes without a question nobody may be there to answer.
    if (watched == qApp && event->type() == QEvent::Quit) {
        m_closeWithoutConfirm = 1;
        // A walk over the camera in progress ends after its exchange in flight.
        m_camera.CancelWalks();
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QDialog::eventFilter(watched, event);
    auto* target = static_cast<QWidget*>(watched);
    // A key press that no widget accepted travels up to the parents and passes this filter
    // once per widget. Nothing is remembered between those passes (a widget or an event seen
    // before may be gone by the next one): the rule uses every key it acts on, which ends
    // the travel, and a key it leaves alone changes nothing when it is seen again.
    if (!Owns(target))
        return false;
    return KeyboardRule(target, static_cast<QKeyEvent*>(event));
}

bool MainWindow::KeyboardRule(QWidget* target, QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();

    // 1. The factory-mode switch.
    if (key == kGestureStartKey && (mods & Qt::ControlModifier) && (mods & Qt::ShiftModifier)) {
        m_gestureArmed = 1;
        m_gestureMatched = 0;
        return true;
    }
    if (m_gestureArmed && !IsModifierKey(key)) {
        if (key == kGestureCode[m_gestureMatched]) {
            if (++m_gestureMatched == 3) {
                m_gestureArmed = 0;
                m_gestureMatched = 0;
                ToggleControlMode();
            }
            return true; // a code letter is part of the gesture, not typing
        }
        m_gestureArmed = 0;
        m_gestureMatched = 0;
    }

    // 2. and 3. Enter and Escape in an open drop-down list close it with the highlighted entry.
    if (key == Qt::Key_Escape && ComboOfPopup(target)) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        return true;
    }
    // Enter in a number box commits it (the box itself does that and keeps the key); Enter
    // anywhere else, and Escape, reach keyPressEvent above and go no further.
    return false;
}
