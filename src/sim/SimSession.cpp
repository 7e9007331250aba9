#include "SimSession.h"

#include "SimWire.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                // Bytes, not characters: each one as the code point of the same number.
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

SimSession::SimSession(const SimOptions& options, SimCamera::Clock clock)
    : m_options(options), m_camera(options, std::move(clock)), m_genCp(m_camera, m_options),
      m_random(options.seed ? options.seed : 1)
{
    m_error = m_camera.InitError();
    if (m_error.empty())
        m_error = m_genCp.Error();
    m_hungUp = m_options.faults.hangupAfter == 0;
    if (!m_options.log.empty()) {
        m_log = std::fopen(m_options.log.c_str(), "a");
        if (!m_log && m_error.empty())
            m_error = "cannot write the log " + m_options.log + ": " + std::strerror(errno);
    }
}

SimSession::~SimSession()
{
    if (m_log)
        std::fclose(m_log);
}

void SimSession::log(const char* dir, std::string_view line)
{
    if (!m_log)
        return;
    double t = static_cast<double>(MonotonicNs()) / 1e9;
    std::fprintf(m_log, "{\"t\": %.6f, \"dir\": \"%s\", \"line\": %s}\n", t, dir, JsonString(line).c_str());
    std::fflush(m_log); // readable while the simulator runs
}

std::string SimSession::garbage(size_t length)
{
    // Bytes that cannot make a line end or a value reply: no CR, LF, "=" or "?".
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c;
        do {
            m_random = m_random * 1664525u + 1013904223u;
            c = static_cast<unsigned char>(m_random >> 24);
        } while (c == '\r' || c == '\n' || c == '=' || c == '?' || c == 0);
        out += static_cast<char>(c);
    }
    return out;
}

std::string SimSession::OnBytes(std::string_view in)
{
    std::string out;
    for (Answer& a : OnBytesTimed(in))
        out += a.bytes;
    return out;
}

std::vector<SimSession::Answer> SimSession::OnBytesTimed(std::string_view in)
{
    std::vector<Answer> out;
    for (char c : in) {
        if (m_hungUp)
            break;
        if (!m_packet.empty() || (c == '\x01' && m_pending.empty() && m_pendingBytes == 0))
            packetByte(c, out);
        else
            lineByte(c, out);
    }
    return out;
}

void SimSession::packetByte(char c, std::vector<Answer>& out)
{
    m_packet += c;
    if (m_packet.size() == 2 && c != '\0') {
        // Not a preamble after all: the bytes start a line.
        std::string bytes;
        bytes.swap(m_packet);
        for (char b : bytes)
            lineByte(b, out);
        return;
    }
    if (SimGenCp::Missing(m_packet) > 0)
        return;
    std::string packet;
    packet.swap(m_packet);
    onPacket(packet, out);
}

void SimSession::lineByte(char c, std::vector<Answer>& out)
{
    ++m_pendingBytes;
    if (c != '\n') {
        if (m_pending.size() < kMaxLine)
            m_pending += c;
        else
            m_tooLong = true;
        return;
    }
    std::string line;
    line.swap(m_pending);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    size_t bytes = m_pendingBytes;
    bool tooLong = m_tooLong;
    m_pendingBytes = 0;
    m_tooLong = false;
    onLine(line, bytes, tooLong, out);
}

bool SimSession::countRequest()
{
    ++m_lines;
    const SimFaults& f = m_options.faults;
    return !(f.silentAfter >= 0 && m_lines > f.silentAfter);
}

bool SimSession::refuseOnce(const std::string& line)
{
    auto& lines = m_options.faults.refuseOnce;
    const auto found = std::find(lines.begin(), lines.end(), line);
    if (found == lines.end())
        return false;
    lines.erase(found);
    return true;
}

void SimSession::finishAnswer(std::string& bytes)
{
    const SimFaults& f = m_options.faults;
    if (f.overflow)
        bytes = std::string(kOverflowBytes, 'X');
    else if (f.garbage || (f.garbageAfter >= 0 && m_lines > f.garbageAfter))
        bytes = garbage(bytes.size());
}

void SimSession::onPacket(const std::string& packet, std::vector<Answer>& out)
{
    const bool answers = countRequest();
    std::string received, answered;
    // A silent camera ignores the packet altogether, as it ignores a line.
    std::string bytes = answers ? m_genCp.Handle(packet, m_options.faults.errorReplies, received, answered) : "";
    if (!answers) {
        char text[64];
        std::snprintf(text, sizeof text, "GENCP PACKET %zu BYTES IGNORED", packet.size());
        received = text;
    }
    log("rx", received);
    if (!answers)
        return;
    const std::string before = bytes;
    finishAnswer(bytes);
    log("tx", bytes == before ? answered : bytes);
    out.push_back(Answer{packet.size(), std::move(bytes), 0});
    if (m_options.faults.hangupAfter >= 0 && m_lines >= m_options.faults.hangupAfter)
        m_hungUp = true;
}

void SimSession::onLine(const std::string& line, size_t requestBytes, bool tooLong, std::vector<Answer>& out)
{
    const bool answers = countRequest();
    log("rx", line);
    if (!answers)
        return;
    const SimFaults& f = m_options.faults;
    std::string answer;
    if (tooLong)
        answer = SimCamera::kErrTooLong; // the camera kept only the line's start
    else if (f.errorReplies && SimCamera::IsSettingLine(line))
        answer = "ERROR: REJECTED"; // the setting is not applied
    else if (f.errorsAfter >= 0 && m_lines > f.errorsAfter)
        answer = "ERROR: REJECTED";
    else if (refuseOnce(line))
        answer = "ERROR: REJECTED";
    else
        answer = m_camera.HandleLine(line);
    for (const std::string& event : m_camera.TakeEvents())
        log("state", event);
    std::string bytes;
    if (f.overflow) {
        answer = std::string(kOverflowBytes, 'X');
        bytes = answer;
    } else {
        if (f.garbage || (f.garbageAfter >= 0 && m_lines > f.garbageAfter))
            answer = garbage(answer.size());
        bytes = answer + "\r\n";
    }
    log("tx", answer);
    uint64_t extraNs = tooLong ? 0 : uint64_t(m_camera.ExtraTimeMs()) * 1000000u;
    out.push_back(Answer{requestBytes, std::move(bytes), extraNs});
    if (f.hangupAfter >= 0 && m_lines >= f.hangupAfter)
        m_hungUp = true;
}
