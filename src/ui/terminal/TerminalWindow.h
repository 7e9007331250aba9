#pragma once
// The "RS-232C TERMINAL" window: sends raw lines typed by the user, replays a file of command
// lines, and keeps the time-stamped transcript of every line sent and received by any part of
// the program (it attaches itself to the link's transcript sink). Created hidden with the main
// window and kept until the program ends; the transcript grows whether the window is shown or
// not.
//
// Use: construct it once with the main window as parent, then show() it from the "Terminal"
// button; "Close" and the close box only hide it. Initialize() (also run by the first show)
// registers it with the online-status notifier and the window lock list.
#include "OnlineStatusUpdater.h"

#include <QDialog>
#include <QFile>
#include <QString>
#include <QStringList>

#include <chrono>
#include <string>

class Camera;
class LineListModel;
class QLineEdit;
class LineListView;
class QPushButton;
class QTimer;

class TerminalWindow : public QDialog, public OnlineStatusUpdater {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 32786;
    static constexpr int kReplayPauseMs = 50;

    explicit TerminalWindow(Camera& camera, QWidget* parent = nullptr);
    ~TerminalWindow() override;

    // Joins the online-status notifier and the window lock list; runs once.
    void Initialize();

    // Adds the stamped line at the top of the transcript (the link's "Tx: "/"Rx: " lines).
    void AddLine(const std::string& text);
    void AddLine(const QString& text);
    // printf-style; the result is cut to 255 characters. Pass camera or file text only as an
    // argument, never as the format.
    void AddFormattedLine(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The button commands. Send leaves the sent line selected, so that typing replaces it, and
    // keeps it for recalling with Up and Down.
    void Send();
    void Read();
    // Replays the named file (Read without the file dialog); false when it cannot be opened.
    bool ReplayFile(const QString& path);
    void Clear();
    void Save();

    bool IsReplaying() const { return m_replay.isOpen(); }
    const LineListModel& Transcript() const { return *m_transcript; }
    QLineEdit* CommandEdit() const { return m_edit; }

    // "mm:ss:mmm  " from the UTC minute, second and millisecond of the given time.
    static QString Stamp(std::chrono::system_clock::time_point when);

signals:
    void replayFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Camera& m_camera;
    void replayNextLine();
    void sendEditLine();
    // Up (-1) or Down (+1) through the lines sent, Down past the newest back to the line that
    // was being typed.
    void recall(int step);
    void placeControls(int cx, int cy);

    LineListModel* m_transcript;
    QLineEdit* m_edit;
    LineListView* m_view;
    QPushButton* m_close;
    QPushButton* m_send;
    QPushButton* m_clear;
    QPushButton* m_save;
    QPushButton* m_read;
    bool m_initialized = false;
    QFile m_replay;
    QTimer* m_replayTimer;
    QStringList m_history;
    int m_historyPos = 0; // m_history.size(): not browsing
    QString m_draft;
};
