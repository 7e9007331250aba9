#pragma once
// One user action that exchanges many lines with the camera under a progress report: the
// reading of every setting, a setting file load, a table or sequencer transfer. It keeps the
// action bounded and its reporting short:
//  - it stops after the exchange in flight as soon as the link is lost, after three queries
//    in a row without an answer, or when the person cancels (the progress window's Cancel,
//    or the program being asked to end);
//  - the first communication error of the action shows its box as always; further errors
//    are counted and reported once at the end (each stays in the traffic logs);
//  - when it stopped early it marks the camera offline and says once what happened and
//    what to do.
// With a camera that answers, it adds no exchange and changes nothing on the wire.
//
// Use: Walk walk(camera, progress, "Now, reading camera settings.", rows, "settings");
//      for each step: exchange...; if (!walk.Next(percent)) break;
//      walk.Finish();   (or let the destructor finish it)
// On the camera's thread; one walk per camera at a time (a second one inside it just nests).
#include "Command.h"
#include "ErrorReport.h"

#include <memory>
#include <string>

class Camera;
class Progress;

class Walk {
public:
    enum class Stop { None, Cancelled, Silent, LinkLost };

    // Consecutive queries without an answer that end a walk.
    static constexpr int kSilentLimit = 3;

    // Shows the progress with the message. total is the number of steps the walk means to
    // take and noun names them in the messages ("settings", "entries", "lines").
    Walk(Camera& camera, Progress& progress, const std::string& message, int total, std::string noun);
    ~Walk();
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    // After each exchange: takes its outcome, moves the progress to percent and tells whether
    // to go on (false: stop now).
    bool Next(int percent);
    // The same for an exchange that is not a command line (a register packet), which tells
    // its own outcome.
    bool Next(int percent, Command::Outcome outcome);
    // Ends the progress and says what there is to say (at most two boxes: why it stopped, and
    // how many further errors there were). Runs once; the destructor calls it too.
    void Finish();

    Stop Stopped() const { return m_stop; }
    bool Complete() const { return m_stop == Stop::None; }
    int StepsDone() const { return m_done; }

    // Stops the camera's walks in progress, if any, after their exchange in flight (see
    // Camera::CancelWalks).
    static void CancelAll(Camera& camera);

private:
    Camera& m_camera;
    Progress& m_progress;
    int m_total;
    std::string m_noun;
    int m_done = 0;
    int m_silentInRow = 0;
    Stop m_stop = Stop::None;
    bool m_finished = false;
    bool m_cancelRequested = false;
    std::unique_ptr<ErrorReport> m_errors;
    Walk* m_outer;
};
