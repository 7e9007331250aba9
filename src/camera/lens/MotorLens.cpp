#include "MotorLens.h"

#include "Camera.h"
#include "Ids.h"
#include "Timeouts.h"

namespace {

constexpr int32_t kStop = 0;

int commandOf(MotorLens::Motor motor)
{
    switch (motor) {
    case MotorLens::Motor::Iris: return CmdIndex::MLI;
    case MotorLens::Motor::Zoom: return CmdIndex::MLZ;
    case MotorLens::Motor::Focus: return CmdIndex::MLF;
    }
    return CmdIndex::MLI;
}

} // namespace

MotorLens::~MotorLens()
{
    StopAll();
}

int MotorLens::Start(Motor motor, Way way)
{
    m_running[index(motor)] = true;
    return m_camera.Set(commandOf(motor), static_cast<int32_t>(way), Timeouts::kLongSetMs);
}

int MotorLens::Stop(Motor motor)
{
    const int stopped = m_camera.Set(commandOf(motor), kStop, Timeouts::kLongSetMs);
    if (stopped == 1)
        m_running[index(motor)] = false;
    return stopped;
}

void MotorLens::StopAll()
{
    for (Motor motor : {Motor::Iris, Motor::Zoom, Motor::Focus})
        if (MayRun(motor))
            Stop(motor);
}
