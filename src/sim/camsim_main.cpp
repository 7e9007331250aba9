// lumora-camsim: a simulated Lumora camera on a pseudo-terminal (or a real serial device).
// The first line of standard output is the device path; the program serves until SIGINT,
// SIGTERM or SIGHUP, or until the hangup-after fault closes the line.
#include "SimOptions.h"
#include "SimServer.h"
#include "SimSession.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int fail(const std::string& text)
{
    std::fprintf(stderr, "lumora-camsim: %s\n", text.c_str());
    return 1;
}

// Replaces an old symbolic link of ours; never a file or folder that is not a link.
bool makeLink(const std::string& target, const std::string& link, std::string& error)
{
    struct stat st{};
    if (lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = link + ": exists and is not a symbolic link";
            return false;
        }
        unlink(link.c_str());
    }
    if (symlink(target.c_str(), link.c_str()) != 0) {
        error = link + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    if (!ParseSimArgs(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "lumora-camsim: %s\n%s", error.c_str(), SimUsage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(SimUsage().c_str(), stdout);
        return 0;
    }

    // Signals arrive as readable data on a descriptor that the server polls with the line.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);
    int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (stopFd < 0)
        return fail(std::string("signalfd: ") + std::strerror(errno));

    SimSession session(options);
    if (!session.Ok())
        return fail(session.Error());
    SimServer server(session);
    bool opened = options.device.empty() ? server.OpenPty(error) : server.OpenDevice(options.device, options.baud, error);
    if (!opened)
        return fail(error);
    if (!options.link.empty() && !makeLink(server.DevicePath(), options.link, error))
        return fail(error);

    std::printf("%s\n", server.DevicePath().c_str());
    std::fflush(stdout);

    bool ok = server.Run(stopFd);
    server.Close();
    if (!options.link.empty())
        unlink(options.link.c_str());
    close(stopFd);
    if (!ok)
        return fail(server.DevicePath() + ": the device failed");
    return 0;
}
