#include "PtyCamera.h"

namespace {

std::string bare(std::string line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return line;
}

} // namespace

PtyCamera::PtyCamera(PtyPeer& peer) : m_peer(peer), m_thread([this] { run(); }) {}

PtyCamera::~PtyCamera()
{
    m_stop = true;
    m_thread.join();
}

void PtyCamera::run()
{
    std::string pending;
    while (!m_stop) {
        pending += m_peer.ReadUntil('\n', 20);
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end + 1);
            pending.erase(0, end + 1);
            std::string reply = answer(line);
            if (!reply.empty())
                m_peer.Write(reply);
        }
    }
}

std::string PtyCamera::answer(const std::string& line)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_lines.push_back(line);
    m_lineCame.notify_all();
    if (!m_queued.empty()) {
        std::string reply = std::move(m_queued.front());
        m_queued.pop_front();
        return reply;
    }
    if (m_responder) {
        Responder responder = m_responder;
        lock.unlock(); // a responder may take its time, or script the camera itself
        if (auto reply = responder(line))
            return *reply;
        lock.lock();
    }
    const std::string text = bare(line);
    if (const size_t eq = text.find('='); eq != std::string::npos) {
        const std::string mnemonic = text.substr(0, eq);
        if (auto refused = m_refused.find(mnemonic); refused != m_refused.end())
            return refused->second + "\r\n";
        m_values[mnemonic] = text.substr(eq + 1);
        return "COMPLETE\r\n";
    }
    if (!text.empty() && text.back() == '?') {
        const std::string mnemonic = text.substr(0, text.size() - 1);
        if (auto fixed = m_answers.find(mnemonic); fixed != m_answers.end())
            return fixed->second + "\r\n";
        auto stored = m_values.find(mnemonic);
        return mnemonic + "=" + (stored != m_values.end() ? stored->second : "0") + "\r\n";
    }
    return "ERROR\r\n";
}

void PtyCamera::setValue(const std::string& mnemonic, const std::string& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values[mnemonic] = value;
}

std::string PtyCamera::value(const std::string& mnemonic)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto stored = m_values.find(mnemonic);
    return stored != m_values.end() ? stored->second : std::string();
}

void PtyCamera::refuseSet(const std::string& mnemonic, const std::string& reply)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_refused[mnemonic] = reply;
}

void PtyCamera::answerQuery(const std::string& mnemonic, const std::string& reply)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers[mnemonic] = reply;
}

void PtyCamera::queueReply(const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queued.push_back(bytes);
}

void PtyCamera::setResponder(Responder responder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_responder = std::move(responder);
}

std::vector<std::string> PtyCamera::lines()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
}

bool PtyCamera::waitForLines(size_t count, std::chrono::milliseconds bound)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_lineCame.wait_for(lock, bound, [&] { return m_lines.size() >= count; });
}

void PtyCamera::clearLines()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.clear();
}

void PtyCamera::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.clear();
    m_values.clear();
    m_refused.clear();
    m_answers.clear();
    m_queued.clear();
    m_responder = nullptr;
}
