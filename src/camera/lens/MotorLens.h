#pragma once
// The three motors of a motorised lens on the camera (iris, zoom, focus). A motor runs one of
// its two ways from its start line until its stop line ("MLI=1" ... "MLI=0"); the camera does
// not stop it by itself, so a lens left running drives into its end stop.
//
// This object remembers which motors it started and has not seen stopped, so that its owner
// can stop them all when it goes away. A motor counts as running from the start line on, also
// when the camera did not acknowledge it (the line may have been taken and the answer lost),
// and as stopped only once the camera acknowledged the stop. Qt-free; user-interface thread
// only; each line waits up to Timeouts::kLongSetMs.
#include <array>
#include <cstdint>

class Camera;

class MotorLens {
public:
    enum class Motor { Iris, Zoom, Focus };
    // The two ways of each motor, as the camera numbers them: iris open/close, zoom
    // wide/tele, focus near/far.
    enum class Way { First = 1, Second = 2 };

    static constexpr int kMotors = 3;

    explicit MotorLens(Camera& camera) : m_camera(camera) {}
    // Stops what is still running.
    ~MotorLens();
    MotorLens(const MotorLens&) = delete;
    MotorLens& operator=(const MotorLens&) = delete;

    // The start line; 1 when the camera acknowledged it.
    int Start(Motor motor, Way way);
    // The stop line; 1 when the camera acknowledged it.
    int Stop(Motor motor);
    // Sends the stop line of every motor that may still run.
    void StopAll();
    bool MayRun(Motor motor) const { return m_running[index(motor)]; }

private:
    static int index(Motor motor) { return static_cast<int>(motor); }
    Camera& m_camera;
    std::array<bool, kMotors> m_running{};
};
