#pragma once
// What the command line chose: how to reach the camera, the output form, and the subcommand's
// work. Each subcommand lives in a file of its own and registers itself on the parser with an
// Add...Command function (Subcommands.h); the parser only fills this in, main() runs it.
#include <cstdint>
#include <functional>
#include <string>

struct ConnectionOptions {
    std::string port;        // a COM name through the port map, a device path or network address; empty: stored
    int64_t baud = -1;       // -1: the stored baud rate
    int mode = -1;           // 0..3; -1: the stored mode (0 when a port is given)
    int64_t clPort = -1;     // the Camera Link port index; -1: the stored one
};

struct CliContext {
    ConnectionOptions connection;
    bool json = false;
    // The chosen subcommand's work; returns the exit status (CliExit.h).
    std::function<int(CliContext&)> run;
};
