#include "TerminalWindow.h"

#include "Camera.h"
#include "LineListModel.h"
#include "LineListView.h"
#include "LinkEvents.h"
#include "LogFile.h"
#include "OnlineStatusNotifier.h"
#include "UserNotice.h"
#include "WindowLockList.h"

#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QTimer>

#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace {

constexpr long long kMsPerSecond = 1000;
// A replayed line longer than this goes out in pieces of this size.
constexpr int kReplayPieceBytes = 1023;
// Lines kept for recalling with Up and Down.
constexpr int kHistoryLines = 100;

const char kTitle[] = "RS-232C TERMINAL";

QPushButton* makeButton(const char* text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
} // namespace

TerminalWindow::TerminalWindow(Camera& camera, QWidget* parent)
    : QDialog(parent),
      OnlineStatusUpdater(this),
      m_camera(camera), m_transcript(new LineListModel(kMaxLines, this)),
      m_edit(new QLineEdit(this)),
      m_view(new LineListView(m_transcript, this)),
      m_close(makeButton("Close", "closeButton", this)),
      m_send(makeButton("Send", "sendButton", this)),
      m_clear(makeButton("Clear", "clearButton", this)),
      m_save(makeButton("Save", "saveButton", this)),
      m_read(makeButton("Read", "readButton", this)),
      m_replayTimer(new QTimer(this))
{
    setWindowTitle(QString::fromLatin1(kTitle));
    setSizeGripEnabled(true);
    m_edit->setObjectName(QStringLiteral("commandEdit"));
    m_edit->installEventFilter(this);
    m_view->setObjectName(QStringLiteral("transcriptList"));
    m_view->setFont(QFont(QStringLiteral("Monospace")));
    // This window's strip is a band of 8 pixels set in from the edges (see placeControls).
    OnlineStrip()->setFixedHeight(8);

    // Enter in the edit line sends.
    m_send->setDefault(true);

    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_send, &QPushButton::clicked, this, &TerminalWindow::Send);
    connect(m_clear, &QPushButton::clicked, this, &TerminalWindow::Clear);
    connect(m_save, &QPushButton::clicked, this, &TerminalWindow::Save);
    connect(m_read, &QPushButton::clicked, this, &TerminalWindow::Read);

    m_replayTimer->setSingleShot(true);
    connect(m_replayTimer, &QTimer::timeout, this, &TerminalWindow::replayNextLine);

    m_camera.Events().SetTranscriptSink([this](const std::string& line) { AddLine(line); });

    resize(520, 380);
    placeControls(width(), height());
}

TerminalWindow::~TerminalWindow()
{
    m_camera.Events().SetTranscriptSink(nullptr);
    WindowLockList::Instance().Unregister(this);
}

void TerminalWindow::Initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    OnlineStatusNotifier::Instance().Register(this);
    WindowLockList::Instance().Register(this);
}

void TerminalWindow::showEvent(QShowEvent* event)
{
    Initialize();
    QDialog::showEvent(event);
    placeControls(width(), height());
}

QString TerminalWindow::Stamp(std::chrono::system_clock::time_point when)
{
    using namespace std::chrono;
    const auto sinceEpoch = when.time_since_epoch();
    const long long ms = duration_cast<milliseconds>(sinceEpoch).count();
    const long long secs = ms / kMsPerSecond;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%03d  ", static_cast<int>(secs / 60 % 60),
                  static_cast<int>(secs % 60), static_cast<int>(ms % kMsPerSecond));
    return QString::fromLatin1(buffer);
}

void TerminalWindow::AddLine(const std::string& text)
{
    // Camera lines are bytes: Latin-1 keeps every byte as it came when the transcript is saved.
    m_transcript->addLine(Stamp(std::chrono::system_clock::now())
                          + QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void TerminalWindow::AddLine(const QString& text)
{
    m_transcript->addLine(Stamp(std::chrono::system_clock::now()) + text);
}

void TerminalWindow::AddFormattedLine(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    AddLine(std::string(buffer));
}

void TerminalWindow::Send()
{
    sendEditLine();
    const QString line = m_edit->text();
    if (!line.isEmpty() && (m_history.isEmpty() || m_history.last() != line)) {
        m_history.append(line);
        if (m_history.size() > kHistoryLines)
            m_history.removeFirst();
    }
    m_historyPos = int(m_history.size());
    m_edit->selectAll();
}

void TerminalWindow::recall(int step)
{
    const int pos = m_historyPos + step;
    if (pos < 0 || pos > m_history.size())
        return;
    if (m_historyPos == m_history.size())
        m_draft = m_edit->text();
    m_historyPos = pos;
    m_edit->setText(pos == m_history.size() ? m_draft : m_history[pos]);
}

bool TerminalWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            recall(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TerminalWindow::sendEditLine()
{
    // Sent as it stands: no check of the mnemonic, no wait for the reply, which comes back
    // through the normal receive path as an "Rx: " line.
    m_camera.SendTyped(m_edit->text().toLatin1().toStdString());
}

void TerminalWindow::Read()
{
    if (IsReplaying())
        return;
    const std::string path = Notices().OpenFileName("Open", std::string(), "All Files (*)");
    if (path.empty())
        return;
    ReplayFile(QString::fromStdString(path));
}

bool TerminalWindow::ReplayFile(const QString& path)
{
    if (IsReplaying())
        return false;
    m_replay.setFileName(path);
    if (!m_replay.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%sのオープンに失敗しました.\n", path.toLocal8Bit().constData());
        return false;
    }
    m_read->setEnabled(false);
    replayNextLine();
    return true;
}

void TerminalWindow::replayNextLine()
{
    // Lines longer than 1023 characters go out in pieces of that size, as they are read.
    char buffer[kReplayPieceBytes + 1];
    const qint64 got = m_replay.readLine(buffer, sizeof buffer);
    if (got <= 0) {
        m_replay.close();
        m_read->setEnabled(true);
        emit replayFinished();
        return;
    }
    QByteArray line(buffer, static_cast<qsizetype>(got));
    if (line.endsWith('\n'))
        line.chop(1);
    // A file written with CR LF line ends would otherwise send CR CR LF.
    if (line.endsWith('\r'))
        line.chop(1);
    m_edit->setText(QString::fromLatin1(line));
    sendEditLine();
    // The only pacing: the next line goes 50 ms later whether or not the camera answered.
    m_replayTimer->start(kReplayPauseMs);
}

void TerminalWindow::Clear()
{
    m_transcript->clear();
}

void TerminalWindow::Save()
{
    LogSaveOptions options{"Save", "CSV file (*.csv) | *.csv", QStringLiteral("csv"), true, true,
                           kTitle};
    if (SaveLogWithDialog(*m_transcript, options) == LogSaveResult::Saved)
        AddLine(QStringLiteral("Writing file has been done !"));
}

void TerminalWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placeControls(event->size().width(), event->size().height());
}

void TerminalWindow::placeControls(int cx, int cy)
{
    auto place = [](QWidget* w, int left, int top, int right, int bottom) {
        w->setGeometry(left, top, right - left, bottom - top);
    };
    place(m_edit, 10, 10, cx - 80, 30);
    place(m_view, 10, 42, cx - 80, cy - 20);
    place(m_close, cx - 70, 10, cx - 10, 30);
    place(m_send, cx - 70, 34, cx - 10, 54);
    place(m_clear, cx - 70, 58, cx - 10, 78);
    place(m_save, cx - 70, 82, cx - 10, 102);
    place(m_read, cx - 70, 106, cx - 10, 126);
    if (QLabel* strip = OnlineStrip())
        place(strip, 4, cy - 12, cx - 4, cy - 4);
}
