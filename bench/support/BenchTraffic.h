#pragma once
// What the benchmarks share: starting the simulated camera, reading back the traffic it
// logged, and a bare client that talks to it with nothing in between, so that the tool's
// figures stand beside the line's and the simulator's own.
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// Runs a program and returns the first line it prints; the process keeps running.
std::string startAndReadLine(const std::vector<std::string>& args, pid_t& pid);

// The camera's traffic log: each line the camera received, in order, and the bytes both ways
// (each line with its CR LF).
struct Traffic {
    std::vector<std::string> received;
    long bytes = 0;
    // From the first line's arrival to the forming of the last answer, by the camera's clock, and
    // the bytes of the lines on the wire within that span: the exchanges alone, without what
    // a client does before its first line or after its last answer.
    double span = 0;
    long spanBytes = 0;
};
Traffic readTraffic(const std::string& log);

// A client with nothing in between: write the line, wait for the answer's LF.
class BareClient {
public:
    virtual ~BareClient() = default;
    virtual bool exchange(const std::string& line) = 0;
};

// The bare client on a serial device, opened raw at the rate: the whole line in one write, or
// byte by byte with a drain after each byte, as the tool's serial port writes.
class PtyClient : public BareClient {
public:
    PtyClient(const std::string& device, uint32_t baud, bool byteWise = false);
    ~PtyClient() override;
    bool exchange(const std::string& line) override;

private:
    int m_fd = -1;
    bool m_byteWise = false;
};
