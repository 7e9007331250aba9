#include "LutEditorWindow.h"

#include "Camera.h"
#include "ErrorReport.h"
#include "LutGraph.h"
#include "LutTransfer.h"
#include "LutTransferScope.h"
#include "NumberBox.h"
#include "OnlineStatusNotifier.h"
#include "StatusLine.h"
#include "UpDownControl.h"
#include "WindowLockList.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kTitles[Lut::kChannels] = {"LUT Setting for Red", "LUT Setting for Green", "LUT Setting for Blue"};
const char* const kChannelNames[Lut::kChannels] = {"red", "green", "blue"};

// What a transfer of the editor's buttons came to, for the status line.
void reportTransfer(bool done, const char* doneText, const char* stoppedText, int channel)
{
    const QString name = QLatin1String(kChannelNames[std::clamp(channel, 0, Lut::kChannels - 1)]);
    StatusLine::Instance().ReportAction(QString::fromLatin1(done ? doneText : stoppedText).arg(name));
}

// The window's own layout, in client pixels; the graph's place is fixed, the rest is ours.
constexpr int kClientWidth = 740;
constexpr int kClientHeight = 310; // at least: the graph and its axis labels
constexpr int kMargin = 8;
constexpr int kLeftColumnWidth = 110;
constexpr int kRightColumn = 440;
constexpr int kRightColumnWidth = 290;
constexpr int kAxisLabelWidth = 34;
constexpr int kAxisLabelHeight = 16;
constexpr int kPlacementStep = 50; // each editor 50 pixels further right and down

QLabel* plainLabel(const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The axis labels: value 4095, 2048 and 0 at their heights left of the graph, entries 0, 16
// and 31 at their places below it.
void addAxisLabels(QWidget* parent)
{
    const struct {
        const char* text;
        uint32_t value;
    } values[] = {{"4095", Lut::kMaxValue}, {"2048", (Lut::kMaxValue + 1) / 2}, {"0", 0}};
    for (const auto& v : values) {
        QLabel* label = plainLabel(v.text, parent);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int y = LutEditorWindow::kGraphTop + LutCurve::kBottom - int(v.value / 16);
        label->setGeometry(LutEditorWindow::kGraphLeft - 4 - kAxisLabelWidth, y - kAxisLabelHeight / 2, kAxisLabelWidth,
                           kAxisLabelHeight);
    }
    const struct {
        const char* text;
        int entry;
    } entries[] = {{"0", 0}, {"16", 16}, {"31", 31}};
    for (const auto& e : entries) {
        QLabel* label = plainLabel(e.text, parent);
        label->setAlignment(Qt::AlignCenter);
        const int x = LutEditorWindow::kGraphLeft + int(Lut::InputLevel(e.entry) / 16);
        label->setGeometry(x - kAxisLabelWidth / 2, LutEditorWindow::kGraphTop + LutCurve::kGraphSize + 2, kAxisLabelWidth,
                           kAxisLabelHeight);
    }
}

} // namespace

LutEditorWindow::LutEditorWindow(Camera& camera, int channel) : QDialog(nullptr), OnlineStatusUpdater(this), m_camera(camera), m_channel(channel)
{
    setObjectName(QStringLiteral("CLUTDlg%1").arg(channel));
    buildControls();
    setFixedSize(kClientWidth, m_height);
}

LutEditorWindow::~LutEditorWindow()
{
    WindowLockList::Instance().Unregister(this);
}

QPushButton* LutEditorWindow::addButton(const char* text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter on a focused control never presses a button of its own accord.
    button->setAutoDefault(false);
    return button;
}

void LutEditorWindow::buildControls()
{
    // Left of the graph: how many points "Convert Editable" makes.
    auto* countLabel = plainLabel("Edit Point\nCount To Add", this);
    countLabel->setGeometry(kMargin, kGraphTop, kLeftColumnWidth, 32);
    m_pointCount = new NumberBox(0, this);
    m_pointCount->setObjectName(QStringLiteral("pointCount"));
    m_pointCount->setReadOnly(true);
    m_pointCount->setAccessibleName(QStringLiteral("Edit Point Count To Add"));
    m_pointCount->setGeometry(kMargin, kGraphTop + 36, 48, 24);
    m_pointCount->installEventFilter(this);
    countLabel->setBuddy(m_pointCount);
    m_spin = new UpDownControl(0, this);
    m_spin->setObjectName(QStringLiteral("pointCountSpin"));
    m_spin->setGeometry(kMargin + 48, kGraphTop + 36, 16, 24);
    m_spin->setBuddy(m_pointCount);
    m_spin->setRange(LutCurve::kMinConvertPoints, LutCurve::kMaxConvertPoints);
    m_spin->setPosition(kInitialConvertPoints);
    QPushButton* convert = addButton("Convert Editable", "convertEditable", this);
    convert->setGeometry(kMargin, kGraphTop + 68, kLeftColumnWidth, 26);
    connect(convert, &QPushButton::clicked, this, &LutEditorWindow::ConvertEditable);

    m_graph = new LutGraph(m_curve, m_channel, this);
    m_graph->move(kGraphLeft, kGraphTop);
    addAxisLabels(this);

    // Right of the graph: the mode, the operations and how the mouse edits.
    auto* modeGroup = new QGroupBox(QStringLiteral("Current Mode Status"), this);
    m_modeText = plainLabel("Edit Mode", modeGroup);
    m_modeText->setObjectName(QStringLiteral("modeText"));
    (new QVBoxLayout(modeGroup))->addWidget(m_modeText);
    modeGroup->setGeometry(kRightColumn, kMargin, kRightColumnWidth, modeGroup->sizeHint().height());

    auto* operations = new QGroupBox(QStringLiteral("Operation"), this);
    auto* column = new QVBoxLayout(operations);
    QPushButton* read = addButton("Read Table Data", "readTable", operations);
    QPushButton* write = addButton("Write Table Data", "writeTable", operations);
    QPushButton* clear = addButton("Clear Table Data", "clearTable", operations);
    QPushButton* writeAll = addButton("Write This Setting To All Other Color Tables", "writeAllTables", operations);
    for (QPushButton* button : {read, write, clear, writeAll})
        column->addWidget(button);
    connect(read, &QPushButton::clicked, this, [this] {
        reportTransfer(ReadFromCamera(), "Read the %1 LUT table from the camera",
                       "Reading the %1 LUT table stopped before its end", m_channel);
    });
    connect(write, &QPushButton::clicked, this, [this] {
        reportTransfer(WriteToCamera(m_channel), "LUT written: the %1 table is in the camera",
                       "Writing the %1 LUT table stopped before its end", m_channel);
    });
    connect(clear, &QPushButton::clicked, this, &LutEditorWindow::ClearTableData);
    connect(writeAll, &QPushButton::clicked, this, [this] {
        reportTransfer(WriteToAllTables(), "LUT written: the %1 table is now in all three tables",
                       "Writing the %1 table to all LUT tables stopped before its end", m_channel);
    });
    operations->setGeometry(kRightColumn, modeGroup->geometry().bottom() + kMargin, kRightColumnWidth,
                            operations->sizeHint().height());

    auto* usage = new QGroupBox(QStringLiteral("Usage Descritption"), this);
    auto* texts = new QVBoxLayout(usage);
    for (const char* text : {"<< Add edit point >>\n  Left mouse click\n  on LUT line",
                             "<< Delete edit point >>\n  Right mouse click\n  at edit point",
                             "<< Move LUT line >>\n  Move with keeping left\n  mouse click on\n  edit point."})
        texts->addWidget(plainLabel(text, usage));
    // As tall as its texts need in the font at hand; the window grows with it.
    const int usageTop = operations->geometry().bottom() + kMargin;
    usage->setGeometry(kRightColumn, usageTop, kRightColumnWidth, usage->sizeHint().height());
    m_height = std::max(kClientHeight, usage->geometry().bottom() + kMargin + OnlineStatusUpdater::kStripHeight);

    setWindowTitle(QString::fromLatin1(kTitles[std::clamp(m_channel, 0, Lut::kChannels - 1)]));
    SetMode(LutCurve::Mode::Edit);
}

void LutEditorWindow::Initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    OnlineStatusNotifier::Instance().Register(this);
    WindowLockList::Instance().Register(this);
    if (QScreen* screen = this->screen()) {
        const int offset = kPlacementStep * (m_channel + 1);
        move(screen->availableGeometry().topLeft() + QPoint(offset, offset));
    }
    setWindowTitle(QString::fromLatin1(kTitles[std::clamp(m_channel, 0, Lut::kChannels - 1)]));
    m_spin->setRange(LutCurve::kMinConvertPoints, LutCurve::kMaxConvertPoints);
    m_spin->setPosition(kInitialConvertPoints);
    m_curve.Clear();
    SetMode(LutCurve::Mode::Edit);
    Invalidate();
}

QString LutEditorWindow::ModeText() const
{
    return m_modeText->text();
}

void LutEditorWindow::SetMode(LutCurve::Mode mode)
{
    m_curve.SetMode(mode);
    m_modeText->setText(mode == LutCurve::Mode::Edit ? QStringLiteral("Edit Mode") : QStringLiteral("View Mode"));
}

void LutEditorWindow::Invalidate()
{
    m_graph->update();
}

bool LutEditorWindow::ReadFromCamera()
{
    bool complete = false;
    {
        LutTransferScope scope;
        LutProgressWindow progress(isVisible() || !m_progressOwner ? this : m_progressOwner.data());
        complete = LutTransfer::Read(m_camera, m_channel, m_curve.Table(), progress);
        SetMode(LutCurve::Mode::View);
        Invalidate();
    }
    return complete;
}

bool LutEditorWindow::WriteToCamera(int channel)
{
    if (LutTransfer::CommandOf(channel) < 0)
        return false;
    LutTransferScope scope;
    LutProgressWindow progress(isVisible() || !m_progressOwner ? this : m_progressOwner.data());
    return LutTransfer::Write(m_camera, channel, m_curve.Table(), progress);
}

bool LutEditorWindow::WriteToAllTables()
{
    // One action: its first communication error is shown, the rest counted.
    LutTransferScope scope;
    ErrorReport errors(m_camera, "entries");
    for (int channel = 0; channel < Lut::kChannels; ++channel)
        if (!WriteToCamera(channel))
            return false;
    return true;
}

void LutEditorWindow::ClearTableData()
{
    m_curve.Clear();
    SetMode(LutCurve::Mode::Edit);
    Invalidate();
}

void LutEditorWindow::ConvertEditable()
{
    m_curve.ConvertEditable(m_spin->position());
    SetMode(LutCurve::Mode::Edit);
    Invalidate();
}

void LutEditorWindow::mouseMoveEvent(QMouseEvent* event)
{
    QDialog::mouseMoveEvent(event);
    // Exactly one button, and neither Shift nor Ctrl, edits.
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
        return;
    LutCurve::Button button;
    if (event->buttons() == Qt::LeftButton)
        button = LutCurve::Button::Left;
    else if (event->buttons() == Qt::RightButton)
        button = LutCurve::Button::Right;
    else
        return;
    const QPoint at = event->position().toPoint();
    if (m_curve.MouseMove(button, at.x() - kGraphLeft, at.y() - kGraphTop))
        Invalidate();
}

bool LutEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The count box is read-only; its arrow keys step the spin beside it.
    if (watched == m_pointCount && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            m_spin->step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
