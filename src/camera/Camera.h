#pragma once
// The camera as a service: every line the program sends to the camera is formed here, by
// command index, and every exchange names its time-out. Windows and tools call these named
// operations; nothing above this layer writes to the link itself. Replies are checked,
// logged and reported (message boxes, online state) by the command exchange underneath.
// User-interface thread only; every exchange blocks while it waits.
#include "CameraModel.h"
#include "ClOutputFormat.h"
#include "Timeouts.h"

#include <cstdint>
#include <functional>
#include <string>

class CommLink;

class Camera {
public:
    // The process-wide camera service.
    static Camera& Instance();

    CameraModel& Model() { return CameraModel::Instance(); }
    ClOutputFormat& Format() { return m_format; }

    // Opens the link with its stored settings: "Failed to initialize!" when that fails (0),
    // else the model check's result (1 when the camera answered). Either failure is told in
    // one box (see OpenLink, CheckModelOrSay).
    int Connect();
    // Asks the camera for its model (see CheckCameraModel).
    int CheckModel();
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
    int Query(int commandIndex, uint32_t& value, uint32_t timeoutMs = Timeouts::kExchangeMs);
    int QueryText(int commandIndex, std::string& text, uint32_t timeoutMs = Timeouts::kExchangeMs);
    // A text as the camera sent it, not upper-cased: for texts shown and written back.
    int QueryRawText(int commandIndex, std::string& text, uint32_t timeoutMs = Timeouts::kExchangeMs);
    int Set(int commandIndex, int32_t value, uint32_t timeoutMs = Timeouts::kExchangeMs);
    // "MN=text", whatever the command's value kind.
    int SetText(int commandIndex, const std::string& text, uint32_t timeoutMs);

    // The command-line families. A command without a mnemonic has no line: nothing is sent
    // and the result is 0. Query answers are taken as the number they carry.
    int QueryPlain(int commandIndex, int32_t& value);                          // "MN?"
    int QueryIndexed(int commandIndex, int32_t index, int32_t& value);         // "MNi?"
    int QueryWithArgument(int commandIndex, int32_t argument, int32_t& value); // "MN?n"
    int SetIndexed(int commandIndex, int32_t index, int32_t value);            // "MNi=v"
    int SetAcknowledged(int commandIndex, int32_t value);                      // "MN=v"
    int SetPair(int commandIndex, int32_t first, int32_t second, uint32_t timeoutMs); // "MN=n,v"

    // A line a person typed (the terminal): sent as it stands, with CR LF; no answer awaited.
    int SendTyped(const std::string& text);

    // The mnemonic of a command index; empty for an index outside the table.
    static std::string Mnemonic(int commandIndex);

private:
    Camera() = default;
    int queryLine(const std::string& line, int32_t& value);
    int setLine(const std::string& line);

    ClOutputFormat m_format;
    bool m_responsive = true;
};
