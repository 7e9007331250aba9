#pragma once
// Setting one parameter by its mnemonic and a value as a person typed it, the way the window's
// parameter path does: the value is checked against its command's kind before anything is
// sent, a parameter's value obeys the window's rules (what a rule looks at — binning, gain
// mode, a region's partner — is read from the camera first; a value the rules change goes out
// changed and says so; one outside the range it takes now is refused unsent), and the value is
// read back. One operation for every front end beside the window (lumora-cli set, the Python
// module's set()), so the same input gives the same lines on the wire.
#include "SetValue.h"

#include "Command.h"

#include <string>

class Camera;

// The command index of a mnemonic as typed (any case); -1 when the camera has no such command.
int FindMnemonic(const std::string& mnemonic);

// A value for one command, checked against its kind and ready to set.
struct SetRequest {
    int command = -1;
    std::string given; // as typed
    SetValue value;
};
// Fills request for the mnemonic and value; empty when they make a request, else what is
// wrong ("Unknown parameter \"XY\"", "PE takes a whole number, not \"1.5\"").
std::string PrepareSet(const std::string& mnemonic, const std::string& given, SetRequest& request);

struct SetOutcome {
    enum class Status {
        Set,      // acknowledged and read back as sent (or acknowledged by a command without a value)
        Ruled,    // refused before sending: outside the range the parameter takes now
        Refused,  // the camera refused the line
        Differs,  // acknowledged, but the camera reads back another value
        NoCamera, // unanswered or the link was lost
    };
    Status status = Status::NoCamera;
    std::string note;     // how the rules changed the value: "WTC=1001 sent as 992: ..."; else empty
    std::string readBack; // the value as the camera keeps it (Set, Differs)
    std::string problem;  // Ruled and Differs: the sentence that says why
    std::string answer;   // Refused: the camera's reply
    // How the exchange that ended the set went (Refused, NoCamera: refused, unanswered, lost).
    Command::Result exchange;
};
SetOutcome SetParameter(Camera& camera, const SetRequest& request);
