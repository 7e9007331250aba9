#include "CamSimProcess.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

std::string CamSimProcess::BinDir()
{
    if (const char* dir = std::getenv("LUMORA_BIN_DIR"))
        return dir;
    char self[PATH_MAX] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return ".";
    std::string path(self, static_cast<size_t>(n));
    return path.substr(0, path.find_last_of('/'));
}

CamSimProcess::~CamSimProcess()
{
    Stop();
    if (!m_folder.empty()) {
        std::remove(m_log.c_str());
        rmdir(m_folder.c_str());
    }
}

bool CamSimProcess::Start(const std::vector<std::string>& args)
{
    char folder[] = "/tmp/lumora-camsim-XXXXXX";
    if (!mkdtemp(folder)) {
        m_error = std::string("mkdtemp: ") + std::strerror(errno);
        return false;
    }
    m_folder = folder;
    m_log = m_folder + "/traffic.jsonl";

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        m_error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    const std::string program = BinDir() + "/lumora-camsim";
    std::vector<std::string> all = {program, "--log", m_log};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    if (m_pid < 0) {
        close(out[0]);
        m_error = std::string("fork: ") + std::strerror(errno);
        return false;
    }

    // The first line is the device path.
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()).count();
        pollfd p{out[0], POLLIN, 0};
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0)
            break;
        char buffer[256];
        ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        line.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    const size_t end = line.find('\n');
    if (end == std::string::npos) {
        m_error = "lumora-camsim did not print its device path (" + program + ")";
        Stop();
        return false;
    }
    m_device = line.substr(0, end);
    return true;
}

void CamSimProcess::Stop()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    reaped(status);
}

unsigned CamSimProcess::DeviceBaud() const
{
    static const std::pair<speed_t, unsigned> kRates[] = {{B9600, 9600},   {B19200, 19200},   {B38400, 38400},
                                                          {B57600, 57600}, {B115200, 115200}};
    const int fd = open(m_device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios t{};
    const bool read = fd >= 0 && tcgetattr(fd, &t) == 0;
    if (fd >= 0)
        close(fd);
    for (const auto& [speed, rate] : kRates)
        if (read && cfgetospeed(&t) == speed)
            return rate;
    return 0;
}

bool CamSimProcess::Signal(int signal) const
{
    return m_pid > 0 && kill(m_pid, signal) == 0;
}

int CamSimProcess::Wait(int timeoutMs)
{
    if (m_pid <= 0)
        return m_exitStatus;
    // A process descriptor becomes readable when the program ends: no polling loop.
    int pidfd = static_cast<int>(syscall(SYS_pidfd_open, m_pid, 0));
    if (pidfd >= 0) {
        pollfd p{pidfd, POLLIN, 0};
        poll(&p, 1, timeoutMs);
        close(pidfd);
    }
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) != m_pid)
        return -1;
    reaped(status);
    return m_exitStatus;
}

void CamSimProcess::reaped(int status)
{
    m_exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    m_pid = -1;
}

namespace {

// The value of a JSON string starting at the opening quote; pos moves past the closing one.
std::string jsonString(const std::string& text, size_t& pos)
{
    std::string out;
    for (++pos; pos < text.size() && text[pos] != '"'; ++pos) {
        char c = text[pos];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= text.size())
            break;
        switch (text[pos]) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u':
            if (pos + 4 < text.size()) {
                out += static_cast<char>(std::strtol(text.substr(pos + 1, 4).c_str(), nullptr, 16));
                pos += 4;
            }
            break;
        default: out += text[pos]; break;
        }
    }
    ++pos;
    return out;
}

std::string field(const std::string& text, const char* name)
{
    const std::string key = std::string("\"") + name + "\":";
    size_t pos = text.find(key);
    if (pos == std::string::npos)
        return {};
    pos += key.size();
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos < text.size() && text[pos] == '"')
        return jsonString(text, pos);
    size_t end = text.find_first_of(",}", pos);
    return text.substr(pos, end - pos);
}

} // namespace

std::vector<CamSimProcess::Entry> CamSimProcess::LoggedLines() const
{
    return ReadLog(m_log);
}

std::vector<CamSimProcess::Entry> CamSimProcess::ReadLog(const std::string& path)
{
    std::vector<Entry> entries;
    std::ifstream in(path);
    std::string text;
    while (std::getline(in, text)) {
        if (text.empty())
            continue;
        entries.push_back({std::atof(field(text, "t").c_str()), field(text, "dir"), field(text, "line")});
    }
    return entries;
}

std::vector<std::string> CamSimProcess::Received(const char* dir) const
{
    std::vector<std::string> lines;
    for (const Entry& e : LoggedLines())
        if (e.dir == dir)
            lines.push_back(e.line);
    return lines;
}

void CamSimProcess::ClearLog() const
{
    // The simulator appends with its own offset; truncating in place keeps its descriptor
    // valid and later lines start at the new end.
    if (FILE* f = std::fopen(m_log.c_str(), "r+")) {
        if (ftruncate(fileno(f), 0) != 0) {
        }
        std::fclose(f);
    }
}
