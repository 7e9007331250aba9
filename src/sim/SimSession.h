#pragma once
// One serial conversation with the simulated camera: assembles received bytes into lines
// (ended by LF, an optional CR before it dropped), lets the camera answer each line, applies
// the faults of the options, logs every received and sent line, and hands back the bytes to
// send. A GenCP packet on the same line is told apart by its preamble (bytes 0x01 0x00 where a
// line would start) and taken whole, however many LF bytes it holds; the faults apply to its
// answer as to a line's, and the log holds one readable line for each packet and answer. Front ends (the pty program, the Camera Link libraries) own the device and the pacing
// (SimWire.h); a session is used from one thread.
//
// The log holds one JSON object per line: {"t": seconds, "dir": "rx"|"tx", "line": "..."},
// t on the monotonic clock, the line without its line end, escaped as JSON (bytes outside
// printable ASCII as \u00XX). Changes of the camera's state that a line caused follow that
// line with "dir": "state" (for example "motor iris: stop"), before the answer.
#include "SimCamera.h"
#include "SimGenCp.h"
#include "SimOptions.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SimSession {
public:
    // Longest line the camera takes; a longer one is answered with an error when its LF comes.
    static constexpr size_t kMaxLine = 1024;
    static constexpr size_t kOverflowBytes = 2000;

    explicit SimSession(const SimOptions& options, SimCamera::Clock clock = SimCamera::Clock());
    ~SimSession();
    SimSession(const SimSession&) = delete;
    SimSession& operator=(const SimSession&) = delete;

    // False when the log could not be opened or an initial value was refused; Error() says why.
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    // The received bytes in, the bytes to send out (reply lines with CR LF).
    std::string OnBytes(std::string_view in);

    // The same, one entry per answer with the size of the request line it answers (line end
    // included) and the camera's extra time for it, for pacing.
    struct Answer {
        size_t requestBytes;
        std::string bytes;
        uint64_t extraNs = 0;
    };
    std::vector<Answer> OnBytesTimed(std::string_view in);

    // True once the hangup-after fault has closed the line: nothing more is received or sent.
    bool HungUp() const { return m_hungUp; }

    const SimOptions& Options() const { return m_options; }
    SimCamera& Camera() { return m_camera; }

private:
    void lineByte(char c, std::vector<Answer>& out);
    void packetByte(char c, std::vector<Answer>& out);
    void onLine(const std::string& line, size_t requestBytes, bool tooLong, std::vector<Answer>& out);
    void onPacket(const std::string& packet, std::vector<Answer>& out);
    // The faults that concern every answer, line or packet: false when the camera stays silent.
    bool countRequest();
    // True (and used up) when the line is one to refuse once.
    bool refuseOnce(const std::string& line);
    void finishAnswer(std::string& bytes);
    void log(const char* dir, std::string_view line);
    std::string garbage(size_t length);

    SimOptions m_options;
    SimCamera m_camera;
    SimGenCp m_genCp;
    std::string m_error;
    std::string m_packet; // a GenCP packet being received, from its preamble on
    std::string m_pending;
    size_t m_pendingBytes = 0; // bytes of the current line including any dropped overlong part
    bool m_tooLong = false;
    long m_lines = 0;
    bool m_hungUp = false;
    uint32_t m_random;
    FILE* m_log = nullptr;
};

// The text as a JSON string literal (with the quotes).
std::string JsonString(std::string_view text);
