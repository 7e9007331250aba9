#include "GenCpPacket.h"

#include <cstdio>

namespace GenCp {

namespace {

// The most command-specific bytes taken from an answer that carries no data for us (a late
// answer to an earlier request, a refusal); anything longer is not read at all.
constexpr size_t kMaxSkippedBody = 512;

void put16(std::string& out, uint16_t value)
{
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFF);
}

void put64(std::string& out, uint64_t value)
{
    for (int shift = 56; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

uint16_t get16(std::string_view bytes, size_t at)
{
    return static_cast<uint16_t>((static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]));
}

// Prefix and common command data of a request.
std::string requestHeader(uint16_t command, uint16_t length, uint16_t requestId)
{
    std::string out;
    out.reserve(kHeaderSize);
    put16(out, kPreamble);
    put16(out, 0); // CCD checksum
    put16(out, 0); // SCD checksum
    put16(out, 0); // channel
    put16(out, 0); // flags
    put16(out, command);
    put16(out, length);
    put16(out, requestId);
    return out;
}

std::string format(const char* pattern, unsigned first, unsigned second = 0)
{
    char text[120];
    std::snprintf(text, sizeof text, pattern, first, second);
    return text;
}

Acknowledge malformed(std::string problem)
{
    Acknowledge ack;
    ack.verdict = Verdict::Malformed;
    ack.problem = std::move(problem);
    return ack;
}

} // namespace

std::string StatusText(uint16_t status)
{
    switch (status) {
    case kSuccess: return "success";
    case kNotImplemented: return "not implemented";
    case kInvalidParameter: return "invalid parameter";
    case kInvalidAddress: return "invalid address";
    case kWriteProtect: return "write protected";
    case kBadAlignment: return "bad alignment";
    case kAccessDenied: return "access denied";
    case kBusy: return "busy";
    case kGenericError: return "error";
    default: return format("status 0x%04X", status);
    }
}

std::string ReadRequest(uint16_t requestId, uint64_t address, uint16_t count)
{
    std::string out = requestHeader(kReadMemory, 12, requestId);
    put64(out, address);
    put16(out, 0); // reserved
    put16(out, count);
    return out;
}

std::string WriteRequest(uint16_t requestId, uint64_t address, std::string_view data)
{
    std::string out = requestHeader(kWriteMemory, static_cast<uint16_t>(data.size() + 8), requestId);
    put64(out, address);
    out.append(data);
    return out;
}

bool ParseAckHeader(std::string_view bytes, AckHeader& header)
{
    if (bytes.size() < kHeaderSize)
        return false;
    header.preamble = get16(bytes, 0);
    header.status = get16(bytes, 8);
    header.command = get16(bytes, 10);
    header.length = get16(bytes, 12);
    header.requestId = get16(bytes, 14);
    return true;
}

size_t BodyToRead(const AckHeader& header, const Expectation& expected)
{
    if (header.preamble != kPreamble)
        return 0;
    if (header.requestId != expected.requestId || header.status != kSuccess)
        return header.length <= kMaxSkippedBody ? header.length : 0;
    switch (header.command) {
    case kPendingAck: return header.length == kPendingAckLength ? header.length : 0;
    case kReadMemoryAck:
        return expected.command == kReadMemory && header.length <= expected.count ? header.length : 0;
    case kWriteMemoryAck:
        return expected.command == kWriteMemory && header.length <= kWriteAckLength ? header.length : 0;
    default: return 0;
    }
}

Acknowledge CheckAcknowledge(std::string_view bytes, const Expectation& expected)
{
    AckHeader header;
    if (!ParseAckHeader(bytes, header))
        return malformed(format("the answer ended after %u of 16 header bytes", unsigned(bytes.size())));
    if (header.preamble != kPreamble)
        return malformed(format("the answer starts with 0x%04X, not the GenCP preamble", header.preamble));
    if (header.command != kReadMemoryAck && header.command != kWriteMemoryAck && header.command != kPendingAck)
        return malformed(format("the answer carries the unknown command 0x%04X", header.command));

    const size_t bodyLength = BodyToRead(header, expected);
    const std::string_view body = bytes.substr(kHeaderSize);
    if (body.size() < bodyLength)
        return malformed(format("the answer ended after %u of %u data bytes", unsigned(body.size()), unsigned(bodyLength)));

    Acknowledge ack;
    ack.status = header.status;
    if (header.requestId != expected.requestId) {
        ack.verdict = Verdict::OtherRequest;
        return ack;
    }
    if (header.status != kSuccess) {
        ack.verdict = Verdict::Refused;
        return ack;
    }
    if (header.command == kPendingAck) {
        if (bodyLength != kPendingAckLength)
            return malformed("a pending answer without its time");
        ack.verdict = Verdict::Pending;
        ack.pendingMs = get16(body, 2);
        return ack;
    }
    if (header.command != expected.command + 1)
        return malformed(format("the answer acknowledges command 0x%04X, not 0x%04X", header.command - 1u, expected.command));
    if (expected.command == kReadMemory) {
        if (header.length != expected.count)
            return malformed(format("the camera answered %u bytes where %u were asked", header.length, expected.count));
        ack.data.assign(body.substr(0, bodyLength));
    } else if (header.length == kWriteAckLength) {
        const uint16_t written = get16(body, 2);
        if (written != expected.count)
            return malformed(format("the camera took %u of %u bytes", written, expected.count));
    } else if (header.length != 0) {
        return malformed(format("a write acknowledge of %u bytes", header.length));
    }
    ack.verdict = Verdict::Accepted;
    return ack;
}

} // namespace GenCp
