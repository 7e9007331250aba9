#pragma once
// Keeps the command exchange receiving between exchanges: every 25 ms, and at once when the
// serial reader reports new bytes, it takes the bytes already there, so lines the camera sends
// on its own (or in answer to terminal lines) are queued and logged promptly. It never waits
// for bytes that have not come. Exchanges block the user-interface thread, so it never runs
// inside one except through a modal message box, as the timer always could.
#include <QObject>
#include <QTimer>
#include <atomic>

class Camera;

class ReceiveTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeriodMs = 25;
    // Lines taken per wake-up at most, so a chattering camera cannot starve the window.
    static constexpr int kMaxLinesPerWake = 64;

    explicit ReceiveTimer(Camera& camera, QObject* parent = nullptr);
    ~ReceiveTimer() override;

    void Start();
    void Stop();
    bool IsActive() const { return m_timer.isActive(); }

private:
    Camera& m_camera;
    void ReceiveAll();
    void OnArrival();

    QTimer m_timer;
    std::atomic<bool> m_wakeQueued{false};
};
