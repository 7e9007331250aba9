#include "CommunicationWindow.h"

#include "Camera.h"
#include "CommLink.h"
#include "ControlIdTag.h"
#include "ControlMode.h"
#include "DeviceChooser.h"
#include "Ids.h"
#include "LineListModel.h"
#include "LineListView.h"
#include "LinkEvents.h"
#include "OnlineStatusNotifier.h"
#include "PortDescriptions.h"
#include "ProcessLifetime.h"
#include "SettingsStore.h"
#include "WindowLockList.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// Every control of the window that has an id carries it as the pages' controls do.
template <typename W>
W* tagged(W* widget, int id)
{
    tagControlId(widget, id);
    return widget;
}

// The line status icons: a lamp, grey-red when the camera is silent, green when it answers.
QPixmap statusLamp(bool online)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor core = online ? QColor(0, 170, 0) : QColor(200, 30, 30);
    QRadialGradient gradient(QPointF(9, 9), 12);
    gradient.setColorAt(0, core.lighter(170));
    gradient.setColorAt(1, core.darker(130));
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(gradient);
    painter.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    return pixmap;
}

const char* const kCategories[] = {"Com Port", "Camera Link spec. 2000", "Camera Link spec. 2001",
                                   "Camera Link spec. ver.1.1"};
const char* const kBaudRates[] = {"9600bps", "19200bps", "38400bps", "57600bps", "115200bps"};
const char* const kUserSets[] = {"Default", "UserSet1", "UserSet2", "UserSet3"};

} // namespace

CommunicationWindow::CommunicationWindow(Camera& camera, QWidget* parent)
    : QDialog(parent), OnlineStatusUpdater(this), m_camera(camera), m_messages(new LineListModel(kMaxMessages, this))
{
    // The connect step that follows uses the serial port when the previous run did not end
    // normally.
    ApplyShutdownFallback(m_camera.Link());
    setWindowTitle(QStringLiteral("Communication"));
    buildWindow();
    m_camera.Events().SetMessageListSink([this](const std::string& line) { AddMessage(line); });
}

CommunicationWindow::~CommunicationWindow()
{
    m_camera.Events().SetMessageListSink(nullptr);
    WindowLockList::Instance().Unregister(this);
}

namespace {

// A scroll area that asks for all of its contents: Qt's own caps its wish at a couple of dozen
// text lines and its least size at almost nothing, which squeezed the window into scrolling
// even where the screen had room, also after a list grew wider. It needs at least what its
// contents need, as far as the screen has room (less the window's frame and the strip below);
// only a smaller screen makes it scroll.
class WholeContentsScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    void setContents(QWidget* contents)
    {
        setWidget(contents);
        contents->installEventFilter(this);
    }
    QSize sizeHint() const override { return withFrame(widget()->sizeHint()); }
    QSize minimumSizeHint() const override
    {
        QSize least = withFrame(widget()->minimumSizeHint());
        if (const QScreen* shown = screen())
            least = least.boundedTo(shown->availableGeometry().size() - kOutside);
        return least;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The contents' needs changed: the window's least size follows.
        if (watched == widget() && event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(watched, event);
    }

private:
    static constexpr QSize kOutside{40, 80};
    QSize withFrame(QSize size) const { return size + QSize(2 * frameWidth(), 2 * frameWidth()); }
};

} // namespace

void CommunicationWindow::buildWindow()
{
    // The groups scroll when the screen is smaller than the window wants to be; the strip
    // stays along the bottom edge.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new WholeContentsScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* contents = new QWidget(scroll);
    auto* root = new QVBoxLayout(contents);

    auto* statusGroup = new QGroupBox(QStringLiteral("Line Status"), this);
    auto* statusRow = new QHBoxLayout(statusGroup);
    m_statusIcon = tagged(new QLabel(statusGroup), CtrlId::LineStatusIcon);
    m_statusIcon->setFixedSize(24, 24);
    m_statusText = tagged(new QLabel(statusGroup), CtrlId::LineStatusText);
    statusRow->addWidget(m_statusIcon);
    statusRow->addWidget(m_statusText, 1);
    OnOnlineStateChanged(0);

    auto* portGroup = new QGroupBox(QStringLiteral("Communication Port"), this);
    auto* portGrid = new QGridLayout(portGroup);
    m_category = tagged(new QComboBox(portGroup), CtrlId::CommunicationMode);
    for (const char* text : kCategories)
        m_category->addItem(QString::fromLatin1(text));
    m_portList = tagged(new QComboBox(portGroup), CtrlId::PortName);
    m_portList->setMinimumContentsLength(8);
    m_portDevice = new QLabel(portGroup);
    m_portDevice->setObjectName(QStringLiteral("portDevice"));
    m_portDevice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_baudLabel = tagged(new QLabel(QStringLiteral("Baud Rate"), portGroup), CtrlId::BaudRateLabel);
    m_baudList = tagged(new QComboBox(portGroup), CtrlId::BaudRate);
    for (const char* text : kBaudRates)
        m_baudList->addItem(QString::fromLatin1(text));
    m_auto = tagged(new QPushButton(QStringLiteral("Auto"), portGroup), CtrlId::SearchPorts);
    portGrid->addWidget(new QLabel(QStringLiteral("Category"), portGroup), 0, 0);
    portGrid->addWidget(m_category, 0, 1, 1, 3);
    portGrid->addWidget(new QLabel(QStringLiteral("Port Name"), portGroup), 1, 0);
    portGrid->addWidget(m_portList, 1, 1);
    portGrid->addWidget(m_portDevice, 1, 2);
    portGrid->addWidget(m_auto, 1, 3);
    m_portStableName = MakeStableNameLabel(portGroup);
    portGrid->addWidget(m_portStableName, 2, 1, 1, 3);
    // The device the selected COM name opens, chosen among those present.
    m_deviceLabel = new QLabel(QStringLiteral("Device"), portGroup);
    m_device = new DeviceChooser(portGroup);
    m_deviceLabel->setBuddy(m_device);
    portGrid->addWidget(m_deviceLabel, 3, 0);
    portGrid->addWidget(m_device, 3, 1, 1, 3);
    portGrid->addWidget(m_baudLabel, 4, 0);
    portGrid->addWidget(m_baudList, 4, 1);
    portGrid->setColumnStretch(2, 1);

    auto* filesGroup = new QGroupBox(QStringLiteral("Files"), this);
    auto* filesRow = new QHBoxLayout(filesGroup);
    m_writeFile = tagged(new QPushButton(QStringLiteral("Write To File..."), filesGroup), CtrlId::WriteSettingFile);
    m_readFile = tagged(new QPushButton(QStringLiteral("Read To FIle...."), filesGroup), CtrlId::ReadSettingFile);
    // Enabled once the main window hands over its setting file commands.
    m_writeFile->setEnabled(false);
    m_readFile->setEnabled(false);
    filesRow->addWidget(m_writeFile);
    filesRow->addWidget(m_readFile);

    m_areaGroup = new QGroupBox(QStringLiteral("Current Area"), this);
    auto* areaRow = new QHBoxLayout(m_areaGroup);
    m_areaText = tagged(new QLabel(m_areaGroup), CtrlId::CurrentArea);
    m_getArea = tagged(new QPushButton(QStringLiteral("Get Area"), m_areaGroup), CtrlId::GetArea);
    areaRow->addWidget(m_areaText, 1);
    areaRow->addWidget(m_getArea);
    m_areaText->setEnabled(false);
    m_getArea->setEnabled(false);
    m_areaGroup->hide();

    auto* userGroup = new QGroupBox(QStringLiteral("User Set Control"), this);
    auto* userRow = new QHBoxLayout(userGroup);
    m_userSet = tagged(new QComboBox(userGroup), CtrlId::UserSet);
    for (const char* text : kUserSets)
        m_userSet->addItem(QString::fromLatin1(text));
    m_userSet->setCurrentIndex(-1);
    m_store = tagged(new QPushButton(QStringLiteral("Store"), userGroup), CtrlId::StoreUserSet);
    m_store->setEnabled(false);
    m_load = tagged(new QPushButton(QStringLiteral("Load"), userGroup), CtrlId::LoadUserSet);
    userRow->addWidget(m_userSet, 1);
    userRow->addWidget(m_store);
    userRow->addWidget(m_load);

    auto* messageGroup = new QGroupBox(QStringLiteral("ZavoravAdod Message"), this);
    auto* messageGrid = new QGridLayout(messageGroup);
    m_messageView = tagged(new LineListView(m_messages, messageGroup), CtrlId::MessageList);
    m_messageView->setMinimumHeight(160);
    m_messageWrite = tagged(new QPushButton(QStringLiteral("Write To File"), messageGroup), CtrlId::SaveMessages);
    m_messageClear = tagged(new QPushButton(QStringLiteral("Clear"), messageGroup), CtrlId::ClearMessages);
    messageGrid->addWidget(m_messageView, 0, 0, 1, 3);
    messageGrid->addWidget(m_messageWrite, 1, 1);
    messageGrid->addWidget(m_messageClear, 1, 2);
    messageGrid->setColumnStretch(0, 1);

    root->addWidget(statusGroup);
    root->addWidget(portGroup);
    root->addWidget(filesGroup);
    root->addWidget(m_areaGroup);
    root->addWidget(userGroup);
    root->addWidget(messageGroup, 1);
    scroll->setContents(contents);
    outer->addWidget(scroll, 1);
    tagged(OnlineStrip(), CtrlId::CommunicationOnlineStrip);
    outer->addWidget(OnlineStrip());

    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    // A person's choice only: the lists are also set from the program.
    connect(m_category, &QComboBox::activated, this, &CommunicationWindow::OnCategoryChanged);
    connect(m_portList, &QComboBox::activated, this, &CommunicationWindow::OnPortChanged);
    connect(m_portList, &QComboBox::currentIndexChanged, this, [this] { updatePortDevice(); });
    connect(m_device, &DeviceChooser::entryChosen, this, &CommunicationWindow::MapSelectedPort);
    connect(m_baudList, &QComboBox::activated, this, &CommunicationWindow::OnBaudRateChanged);
    connect(m_userSet, &QComboBox::activated, this, &CommunicationWindow::OnUserSetChanged);
    connect(m_auto, &QPushButton::clicked, this, [this] { SearchPorts(); });
    connect(m_store, &QPushButton::clicked, this, &CommunicationWindow::StoreUserSet);
    connect(m_load, &QPushButton::clicked, this, &CommunicationWindow::LoadUserSet);
    connect(m_getArea, &QPushButton::clicked, this, &CommunicationWindow::GetArea);
    connect(m_messageWrite, &QPushButton::clicked, this, &CommunicationWindow::SaveMessages);
    connect(m_messageClear, &QPushButton::clicked, this, &CommunicationWindow::ClearMessages);
    connect(m_writeFile, &QPushButton::clicked, this, &CommunicationWindow::saveSettingFileRequested);
    connect(m_readFile, &QPushButton::clicked, this, &CommunicationWindow::loadSettingFileRequested);
}

void CommunicationWindow::Initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    OnlineStatusNotifier::Instance().Register(this);
    // Registering paints only the strip; the line status must not claim "Offline" when the
    // link came up before this window did.
    OnOnlineStateChanged(OnlineStatusNotifier::Instance().IsOnline() ? 1 : 0);
    WindowLockList::Instance().Register(this);
    CommLink& link = m_camera.Link();
    m_category->setCurrentIndex(static_cast<int>(link.GetMode()));
    FillPortList();
    m_baudList->setCurrentIndex(CommLink::BaudToIndex(link.GetBaudRate()));
    // Runs while the user set list has no selection yet, which leaves "Store" enabled.
    UpdateForControlMode();
    m_userSet->setCurrentIndex(1);
}

void CommunicationWindow::showEvent(QShowEvent* event)
{
    Initialize();
    QDialog::showEvent(event);
}

void CommunicationWindow::EnableSettingFileCommands(bool enabled)
{
    m_writeFile->setEnabled(enabled);
    m_readFile->setEnabled(enabled);
}

void CommunicationWindow::AddMessage(const std::string& line)
{
    m_messages->addLine(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
}

void CommunicationWindow::AddMessage(const QString& line)
{
    m_messages->addLine(line);
}

void CommunicationWindow::UpdateForControlMode()
{
    const bool factory = ControlMode::Get() != ControlMode::kNormal;
    m_baudLabel->setVisible(factory);
    m_baudLabel->setEnabled(factory);
    m_baudList->setVisible(factory);
    m_baudList->setEnabled(factory);
    OnUserSetChanged(m_userSet->currentIndex());
}

void CommunicationWindow::FillPortList()
{
    CommLink& link = m_camera.Link();
    m_portList->clear();
    const int count = link.PortCount();
    for (int i = 0; i < count; ++i)
        m_portList->addItem(QString::fromStdString(link.PortName(i)));
    DescribeComPorts(m_portList, link.GetMode() == 0);
    const unsigned stored = link.SelectedPort();
    if (stored < static_cast<unsigned>(count)) {
        m_portList->setCurrentIndex(static_cast<int>(stored));
    } else {
        link.ChangePort(0);
        m_portList->setCurrentIndex(0);
    }
    updatePortDevice();
}

QString CommunicationWindow::PortDeviceText() const
{
    return m_portDevice->text();
}

void CommunicationWindow::updatePortDevice()
{
    // Only the native ports go through the port map; Camera Link names are the library's own.
    const bool native = m_camera.Link().GetMode() == 0;
    ShowPortDevice(m_portDevice, m_portStableName, native ? m_portList->currentText() : QString());
    m_deviceLabel->setVisible(native);
    m_device->setVisible(native);
    if (native && m_portList->currentIndex() >= 0)
        m_device->Refresh(QString::fromStdString(Settings().PortDevice(m_portList->currentText().toStdString())));
}

void CommunicationWindow::MapSelectedPort(const QString& device)
{
    const int index = m_portList->currentIndex();
    if (index < 0)
        return;
    Settings().SetPortDevice(m_portList->currentText().toStdString(), device.toStdString());
    DescribeComPorts(m_portList, true);
    updatePortDevice();
    // At once: the port opens its new device as choosing it again would.
    OnPortChanged(index);
}

void CommunicationWindow::OnOnlineStateChanged(int online)
{
    // Told after every exchange; the lamp is drawn and set only when the state changed.
    if (online != m_lampShown) {
        m_statusIcon->setPixmap(statusLamp(online != 0));
        m_lampShown = online;
    }
    m_statusText->setText(online ? QStringLiteral("Online") : QStringLiteral("Offline"));
}
