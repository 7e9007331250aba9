#pragma once
// The GenICam Control Protocol's serial framing as the parameter list speaks it: the read and
// write memory requests and the acknowledges that answer them. Every field is big-endian.
// A packet starts with the serial prefix (preamble 0x0100, two checksums sent as 0 and not
// checked, channel 0) and the common command data (flags or status, command, length of the
// command-specific part, request id); 16 bytes in all, then the command-specific part.
//
// Pure functions over bytes: nothing here touches the line (GenCpChannel does).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace GenCp {

constexpr uint16_t kPreamble = 0x0100;
constexpr uint16_t kReadMemory = 0x0800;
constexpr uint16_t kReadMemoryAck = 0x0801;
constexpr uint16_t kWriteMemory = 0x0802;
constexpr uint16_t kWriteMemoryAck = 0x0803;
// The device needs longer than usual; it names the time it still needs.
constexpr uint16_t kPendingAck = 0x0805;

constexpr size_t kHeaderSize = 16;
constexpr size_t kReadRequestSize = 28;
// The command-specific part of a write acknowledge: reserved, then the bytes written.
constexpr uint16_t kWriteAckLength = 4;
constexpr uint16_t kPendingAckLength = 4;

// Acknowledge status codes.
enum Status : uint16_t {
    kSuccess = 0x0000,
    kNotImplemented = 0x8001,
    kInvalidParameter = 0x8002,
    kInvalidAddress = 0x8003,
    kWriteProtect = 0x8004,
    kBadAlignment = 0x8005,
    kAccessDenied = 0x8006,
    kBusy = 0x8007,
    kGenericError = 0x8FFF,
};
// "invalid address" and the like; "status 0x1234" for a code without a name.
std::string StatusText(uint16_t status);

// Read memory: 28 bytes asking for count bytes at address.
std::string ReadRequest(uint16_t requestId, uint64_t address, uint16_t count);
// Write memory: 24 bytes and the data as given (the register's true length).
std::string WriteRequest(uint16_t requestId, uint64_t address, std::string_view data);

// The first 16 bytes of an answer.
struct AckHeader {
    uint16_t preamble = 0;
    uint16_t status = 0;
    uint16_t command = 0;
    uint16_t length = 0; // of the command-specific part that follows
    uint16_t requestId = 0;
};
// False when fewer than 16 bytes are given.
bool ParseAckHeader(std::string_view bytes, AckHeader& header);

// What the answer must be to acknowledge a request.
struct Expectation {
    uint16_t command = kReadMemory; // the request's command
    uint16_t requestId = 0;
    uint16_t count = 0;             // bytes asked for (read) or sent (write)
};

enum class Verdict {
    Accepted,     // the request was carried out; data holds what a read returned
    Pending,      // the device asks for pendingMs more before its real answer
    Refused,      // a status other than success; status says which
    OtherRequest, // a well-formed answer to an earlier request (a late one): skip it
    Malformed,    // not an acknowledge of this request; problem says why
};

struct Acknowledge {
    Verdict verdict = Verdict::Malformed;
    uint16_t status = kSuccess;
    uint16_t pendingMs = 0;
    std::string data;
    std::string problem;
};

// How many command-specific bytes to take after this header before judging the answer: the
// header's length when that is a length the request allows, else none (a longer answer than
// asked is refused without reading it into any buffer). The same rule CheckAcknowledge uses.
size_t BodyToRead(const AckHeader& header, const Expectation& expected);

// The one entry point over a whole answer (header and command-specific part, as received):
// judges it against the request. Never reads past the bytes given.
Acknowledge CheckAcknowledge(std::string_view bytes, const Expectation& expected);

} // namespace GenCp
