#include "ReceiveTimer.h"

#include "Camera.h"
#include "CommLink.h"
#include "Command.h"

#include <QMetaObject>

ReceiveTimer::ReceiveTimer(Camera& camera, QObject* parent) : QObject(parent), m_camera(camera)
{
    m_timer.setInterval(kPeriodMs);
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ReceiveTimer::ReceiveAll);
}

ReceiveTimer::~ReceiveTimer()
{
    Stop();
}

void ReceiveTimer::Start()
{
    // Called from the serial reader's thread: queue one wake-up at a time onto this thread.
    m_camera.Link().SetArrivalNotify([this] {
        if (!m_wakeQueued.exchange(true))
            QMetaObject::invokeMethod(this, &ReceiveTimer::OnArrival, Qt::QueuedConnection);
    });
    m_timer.start();
}

void ReceiveTimer::Stop()
{
    // Detaching waits for a notification in progress, so none can reach this object later.
    m_camera.Link().SetArrivalNotify(nullptr);
    m_timer.stop();
}

void ReceiveTimer::OnArrival()
{
    m_wakeQueued.store(false);
    if (m_timer.isActive())
        ReceiveAll();
}

void ReceiveTimer::ReceiveAll()
{
    Command& command = m_camera.Exchange();
    for (int i = 0; i < kMaxLinesPerWake && command.ReceivePending(); ++i) {
    }
}
