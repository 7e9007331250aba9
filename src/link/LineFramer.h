#pragma once
// Cuts the bytes that come from the camera into reply lines. A line ends at LF; the CR of the
// CR LF pair is not part of it, while a bare LF keeps everything before it. A line may hold
// 1023 bytes: the 1024th without a LF drops the partial line, which the person is told with
// the overflow message. Pure: no port, no window.
#include <string>

class LineFramer {
public:
    static constexpr int kBufferSize = 1024;
    static constexpr const char* kOverflowText = "RS-232C receiving buffer overflowed";
    static constexpr const char* kOverflowCaption = "Communication Error";

    enum class Step {
        More,     // the byte belongs to a line not yet complete
        Line,     // a line is complete; take it with takeLine()
        Overflow, // the line grew too long and was dropped
    };

    LineFramer() { m_pending.reserve(kBufferSize); }

    Step push(char byte);
    // The line the last push() completed.
    std::string takeLine() { return std::move(m_line); }
    // Drops the partial line.
    void clear() { m_pending.clear(); }

private:
    std::string m_pending;
    std::string m_line;
};
