#pragma once
// One raw line as a person types it in the terminal, sent from a front end beside the window
// (lumora-cli send, the Python module's send()), and the lines the camera answers with.
#include <string>
#include <vector>

class Camera;

namespace TypedLine {

// Whether the line may go out as one line: no line break or other control character, which
// would end it early and send the rest as a further command.
bool Sendable(const std::string& line);

// Sends the line with CR LF and collects the answer: the lines that come until the first is
// Timeouts::kExchangeMs late or a further one pauses for Timeouts::kFurtherLineMs. Empty when
// nothing came (or the link is lost).
std::vector<std::string> SendAndCollect(Camera& camera, const std::string& line);

} // namespace TypedLine
