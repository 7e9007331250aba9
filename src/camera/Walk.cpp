#include "Walk.h"

#include "Camera.h"
#include "CommLink.h"
#include "Command.h"
#include "ErrorReport.h"
#include "LinkEvents.h"
#include "Progress.h"
#include "UserNotice.h"

#include <cstdio>

namespace {

std::string format(const char* pattern, int done, int total, const std::string& noun)
{
    char text[400];
    std::snprintf(text, sizeof text, pattern, done, total, noun.c_str());
    return text;
}

} // namespace

Walk::Walk(Camera& camera, Progress& progress, const std::string& message, int total, std::string noun)
    : m_camera(camera), m_progress(progress), m_total(total), m_noun(std::move(noun)),
      m_errors(std::make_unique<ErrorReport>(camera, m_noun)), m_outer(camera.m_walk)
{
    camera.m_walk = this;
    m_progress.begin(message);
}

Walk::~Walk()
{
    Finish();
}

void Walk::CancelAll(Camera& camera)
{
    for (Walk* walk = camera.m_walk; walk; walk = walk->m_outer)
        walk->m_cancelRequested = true;
}

bool Walk::Next(int percent)
{
    return Next(percent, m_camera.Exchange().LastOutcome());
}

bool Walk::Next(int percent, Command::Outcome outcome)
{
    if (m_stop != Stop::None)
        return false;
    ++m_done;
    switch (outcome) {
    case Command::Outcome::Answered:
    case Command::Outcome::Refused:
        m_silentInRow = 0;
        break;
    case Command::Outcome::Unanswered:
        ++m_silentInRow;
        break;
    case Command::Outcome::LinkLost:
    case Command::Outcome::NotSent: // a step without a line says nothing about the camera
    case Command::Outcome::Cancelled:
        break;
    }
    if (m_camera.Link().IsLost())
        m_stop = Stop::LinkLost;
    else if (m_silentInRow >= kSilentLimit)
        m_stop = Stop::Silent;
    // The progress dispatches the window's events: a Cancel pressed now stops the walk too.
    m_progress.step(m_done, m_total);
    m_progress.advance(percent);
    if (m_stop == Stop::None && (m_cancelRequested || m_progress.cancelled()))
        m_stop = Stop::Cancelled;
    return m_stop == Stop::None;
}

void Walk::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_camera.m_walk = m_outer;
    m_progress.end();

    // Said under the program's own caption, so that an action's count of communication errors
    // never swallows why the walk stopped.
    UserNotice& notices = m_camera.Notice();
    const Camera::Advice& advice = m_camera.WalkAdvice();
    switch (m_stop) {
    case Stop::None:
        break;
    case Stop::Silent:
        m_camera.MarkUnresponsive();
        m_camera.Events().ReportOffline();
        notices.Message(format("The camera stopped answering after %d of %d %s.\n", m_done, m_total, m_noun)
                            + advice.silent,
                        "", NoticeIcon::Exclamation);
        break;
    case Stop::LinkLost:
        m_camera.MarkUnresponsive();
        m_camera.Events().ReportOffline();
        notices.Message(format("The connection to the camera was lost after %d of %d %s.\n", m_done, m_total,
                               m_noun)
                            + advice.linkLost,
                        "", NoticeIcon::Exclamation);
        break;
    case Stop::Cancelled:
        notices.Message(format("Stopped after %d of %d %s; the others keep their previous values.", m_done,
                               m_total, m_noun),
                        "", NoticeIcon::Information);
        break;
    }
    // The error count follows the reason, in a box of its own.
    m_errors.reset();
}
