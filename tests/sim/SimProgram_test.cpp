// The lumora-camsim program itself: started as a process, found beside this test executable.
#include "SimTestClient.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <limits.h>
#include <pty.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>

extern char** environ;

namespace {

std::string programPath()
{
    char self[PATH_MAX] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string();
    return dir.substr(0, dir.rfind('/')) + "/lumora-camsim";
}

// A running lumora-camsim with its standard output on a pipe.
class Program {
public:
    explicit Program(std::vector<std::string> args)
    {
        args.insert(args.begin(), programPath());
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        m_out = out[0];
    }
    ~Program()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            close(m_out);
    }
    // The first line of standard output, without its LF; empty when none came in 5 s.
    std::string FirstLine()
    {
        std::string line;
        char c;
        while (true) {
            pollfd p{m_out, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0 || read(m_out, &c, 1) != 1 || c == '\n')
                break;
            line += c;
        }
        return line;
    }
    // Waits up to 5 s for the program to end; its exit status, or -1.
    int Wait()
    {
        if (m_pid <= 0)
            return -1;
        int pidfd = static_cast<int>(syscall(SYS_pidfd_open, m_pid, 0));
        if (pidfd >= 0) {
            pollfd p{pidfd, POLLIN, 0};
            poll(&p, 1, 5000);
            close(pidfd);
        }
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) != m_pid)
            return -1;
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    bool Signal(int sig) { return m_pid > 0 && kill(m_pid, sig) == 0; }
    bool Started() const { return m_pid > 0; }

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

TEST(SimProgram, ServesOnItsPtyAndEndsOnSigterm)
{
    std::string link = "/tmp/camsim-test-link-" + std::to_string(getpid());
    Program program({"--link", link, "--model", "KT-5200W-QBCL", "--set", "UD=PROG"});
    ASSERT_TRUE(program.Started());
    std::string path = program.FirstLine();
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    char target[PATH_MAX] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), path);
    {
        SimTestClient client(link);
        EXPECT_EQ(client.Ask("MD?"), "MD=KT-5200W-QBCL");
        EXPECT_EQ(client.Ask("UD?"), "UD=PROG");
    }
    { // the device can be opened again after the first client closed it
        SimTestClient client(path);
        EXPECT_EQ(client.Ask("GA?"), "GA=100");
    }
    ASSERT_TRUE(program.Signal(SIGTERM));
    EXPECT_EQ(program.Wait(), 0);
    struct stat st{};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "link left behind";
}

TEST(SimProgram, ServesAnExistingSerialDevice)
{
    // The test's own pty stands in for a serial port with a null-modem cable to the test.
    int master = -1, slave = -1;
    char name[PATH_MAX] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    termios raw{};
    tcgetattr(master, &raw);
    cfmakeraw(&raw);
    tcsetattr(master, TCSANOW, &raw);
    Program program({"--device", name, "--baud", "19200"});
    EXPECT_EQ(program.FirstLine(), name);
    ASSERT_EQ(write(master, "MD?\r\n", 5), 5);
    std::string reply;
    char c;
    while (reply.find('\n') == std::string::npos) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 3000) <= 0 || read(master, &c, 1) != 1)
            break;
        reply += c;
    }
    EXPECT_EQ(reply, "MD=KT-5100W-QBCL\r\n");
    termios line{};
    ASSERT_EQ(tcgetattr(slave, &line), 0);
    EXPECT_EQ(cfgetospeed(&line), B19200);
    ASSERT_TRUE(program.Signal(SIGINT));
    EXPECT_EQ(program.Wait(), 0);
    close(master);
    close(slave);
}

TEST(SimProgram, HangupFaultEndsTheProgram)
{
    Program program({"--fault", "hangup-after=1"});
    std::string path = program.FirstLine();
    ASSERT_FALSE(path.empty());
    SimTestClient client(path);
    EXPECT_EQ(client.Ask("GA?"), "GA=100");
    EXPECT_EQ(program.Wait(), 0);
}

TEST(SimProgram, MistakesAreReportedWithoutServing)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"--baud", "fast"},
                                          std::vector<std::string>{"--set", "PE=0"},
                                          std::vector<std::string>{"--device", "/nonexistent/tty"}}) {
        Program program(args);
        EXPECT_EQ(program.FirstLine(), "") << args[0];
        EXPECT_NE(program.Wait(), 0) << args[0];
    }
}

} // namespace
