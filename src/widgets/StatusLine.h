#pragma once
// The process-wide status line of the main window: where the camera is reached (port and the
// device behind it), whether the line answers (Online, Offline, or Busy while a long transfer
// keeps the windows locked), which camera answers, and what the person's last action came to,
// in plain words. Features report where their action ends; the online state follows the
// online-status notifier, Busy the window lock list. The main window shows it (StatusLineBar).
#include <QObject>
#include <QString>

class StatusLine : public QObject {
    Q_OBJECT
public:
    enum class LineState { Offline, Online, Busy };

    static StatusLine& Instance();

    // The result of an action, e.g. "Saved 168 settings to line7.cam".
    void ReportAction(const QString& text);
    QString Action() const { return m_action; }

    // Where the camera is reached: a port name and the device behind it (empty when none).
    void SetConnection(const QString& port, const QString& device);
    QString Port() const { return m_port; }
    QString Device() const { return m_device; }
    // The camera's model as it reported it; empty before any answer.
    void SetModel(const QString& model);
    QString Model() const { return m_model; }

    void SetOnline(bool online);
    // Busy while the windows are locked for a transfer; it wins over the online state.
    void SetBusy(bool busy);
    LineState State() const;
    static QString StateText(LineState state);

signals:
    // Any field changed.
    void changed();
    // An action reported its result (also when the text is the same as before).
    void actionReported(const QString& text);

private:
    StatusLine() = default;

    QString m_action;
    QString m_port;
    QString m_device;
    QString m_model;
    bool m_online = false;
    bool m_busy = false;
};
