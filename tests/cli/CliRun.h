#pragma once
// Runs the built lumora-cli as a script would: its exit status, what it printed on each
// stream, how long it took, and whether its standard output is one JSON value.
#include "CamSimProcess.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
    long long ms = 0;
};

inline std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string TempPath(const std::string& name)
{
    return "/tmp/lumora-cli-test-" + std::to_string(getpid()) + "-" + name;
}

inline CliResult RunCli(const std::vector<std::string>& args, const std::string& stdinFile = "/dev/null")
{
    std::string command = ShellQuote(CamSimProcess::BinDir() + "/lumora-cli");
    for (const std::string& arg : args)
        command += " " + ShellQuote(arg);
    const std::string out = TempPath("out"), err = TempPath("err");
    command += " <" + ShellQuote(stdinFile) + " >" + ShellQuote(out) + " 2>" + ShellQuote(err);
    const auto start = std::chrono::steady_clock::now();
    const int raw = std::system(command.c_str());
    CliResult result;
    result.ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadAll(out);
    result.err = ReadAll(err);
    unlink(out.c_str());
    unlink(err.c_str());
    return result;
}

// True when the text is one JSON value and the expression (Python, over the value v) holds.
inline bool JsonHolds(const std::string& text, const std::string& expression = "True")
{
    const std::string file = TempPath("json");
    std::ofstream(file) << text;
    const std::string check = "import json,sys\nv=json.load(open(sys.argv[1]))\nsys.exit(0 if (" + expression + ") else 1)";
    const int raw = std::system(("python3 -c " + ShellQuote(check) + " " + ShellQuote(file) + " 2>/dev/null").c_str());
    unlink(file.c_str());
    return WIFEXITED(raw) && WEXITSTATUS(raw) == 0;
}
