#pragma once
// One camera connection and everything it needs: its link events, its link (transport and
// settings), the command exchange and its reply state, the camera's model, its parameter
// table's values and its Camera Link output format. Every line the program sends to the
// camera is formed here or by the camera-layer operations that take this object, by command
// index, and every exchange names its time-out; nothing above this layer writes to the link.
// Replies are checked, logged and reported (through Events(): its notice relay, the online
// state) by the command exchange underneath.
//
// Threads: several cameras may live in one process and be used from different threads at the
// same time, one thread per camera. A camera and everything reached through it are not
// thread-safe: only its own thread calls it (the transport's reader thread reaches back only
// through the link's arrival notice). What cameras share is constant (the command table) or
// is read only (the process-wide settings store, when no store of its own is given). Every
// exchange blocks its thread while it waits.
#include "CameraModel.h"
#include "ClOutputFormat.h"
#include "CommLink.h"
#include "Command.h"
#include "LinkEvents.h"
#include "ParameterTable.h"
#include "Timeouts.h"

#include <cstdint>
#include <functional>
#include <string>

class SettingsStore;
class Walk;

class Camera {
public:
    // settings: the link settings and port map this camera reads (not owned; nullptr: the
    // process-wide store at the time of use). The link is not opened yet.
    explicit Camera(SettingsStore* settings = nullptr);
    ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    LinkEvents& Events() { return m_events; }
    CommLink& Link() { return m_link; }
    Command& Exchange() { return m_command; }
    CameraModel& Model() { return m_model; }
    const CameraModel& Model() const { return m_model; }
    ParameterTable& Table() { return m_table; }
    ClOutputFormat& Format() { return m_format; }
    // Where this camera's reports and questions go (the relay of Events()).
    NoticeRelay& Notice() { return m_events.Notice(); }

    // Opens the link with its stored settings: "Failed to initialize!" when that fails (0),
    // else the model check's result (1 when the camera answered). Either failure is told in
    // one box (see OpenLink, CheckModelOrSay).
    int Connect();
    // Asks the camera for its model (see CheckCameraModel).
    Command::Result CheckModel();
    // Opens the link as open does, telling a failure in one box: the headline, then what the
    // transport found (which it would otherwise have shown in a box of its own); the link is
    // then offline at once. 1 when the link opened.
    int OpenLink(const std::function<int(CommLink&)>& open, const std::string& headline);
    // The model check; when the camera does not answer, one box says so and names the port.
    int CheckModelOrSay();
    // The box text for a port where no camera answered.
    static std::string NoAnswerText(const std::string& tried);
    // False after a walk over the camera stopped because the camera fell silent or the link
    // was lost; true again once the camera answers a model check. Sequences that would only
    // wait out more time-outs skip their remaining exchanges meanwhile.
    bool Responsive() const { return m_responsive; }
    void MarkUnresponsive() { m_responsive = false; }

    // "MN?" and "MN=v" of a command index; a query's reply must name the command.
    Command::Result Query(int commandIndex, uint32_t& value, uint32_t timeoutMs = Timeouts::kExchangeMs);
    Command::Result QueryText(int commandIndex, std::string& text, uint32_t timeoutMs = Timeouts::kExchangeMs);
    // A text as the camera sent it, not upper-cased: for texts shown and written back.
    Command::Result QueryRawText(int commandIndex, std::string& text, uint32_t timeoutMs = Timeouts::kExchangeMs);
    Command::Result Set(int commandIndex, int32_t value, uint32_t timeoutMs = Timeouts::kExchangeMs);
    // "MN=text", whatever the command's value kind.
    Command::Result SetText(int commandIndex, const std::string& text, uint32_t timeoutMs);

    // The command-line families. A command without a mnemonic has no line: nothing is sent
    // (NotSent). Query answers are taken as the number they carry.
    Command::Result QueryPlain(int commandIndex, int32_t& value);                          // "MN?"
    Command::Result QueryIndexed(int commandIndex, int32_t index, int32_t& value);         // "MNi?"
    Command::Result QueryWithArgument(int commandIndex, int32_t argument, int32_t& value); // "MN?n"
    Command::Result SetIndexed(int commandIndex, int32_t index, int32_t value);            // "MNi=v"
    Command::Result SetAcknowledged(int commandIndex, int32_t value);                      // "MN=v"
    Command::Result SetPair(int commandIndex, int32_t first, int32_t second, uint32_t timeoutMs); // "MN=n,v"

    // A line a person typed (the terminal): sent as it stands, with CR LF; no answer awaited.
    int SendTyped(const std::string& text);

    // The mnemonic of a command index; empty for an index outside the table.
    static std::string Mnemonic(int commandIndex);

    // Stops the walk in progress, if any, after its exchange in flight (its owner is ending).
    // Harmless when no walk runs.
    void CancelWalks();

    // What the person is told to do when a walk stopped because the camera fell silent or the
    // link was lost. By default it points to the communication dialog; an owner without that
    // dialog says what to do in its own terms.
    struct Advice {
        std::string silent;
        std::string linkLost;
    };
    const Advice& WalkAdvice() const { return m_advice; }
    void SetWalkAdvice(const Advice& advice) { m_advice = advice; }

private:
    friend class Walk;
    friend class ErrorReport;
    Command::Result queryLine(const std::string& line, int32_t& value);
    Command::Result setLine(const std::string& line);

    LinkEvents m_events;
    CommLink m_link;
    Command m_command;
    CameraModel m_model;
    ParameterTable m_table;
    ClOutputFormat m_format;
    bool m_responsive = true;
    Walk* m_walk = nullptr; // the innermost walk in progress (see Walk)
    // The outermost error report's gate in front of this camera's notices (see ErrorReport).
    UserNotice* m_errorGate = nullptr;
    Advice m_advice{"Check its power and cable, then reconnect in the communication dialog.",
                    "Check the cable or adapter, then choose the port again in the communication dialog."};
};
