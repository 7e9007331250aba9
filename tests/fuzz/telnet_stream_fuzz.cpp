// What a Telnet server sends on an RFC 2217 connection, as the network port takes it: options,
// subnegotiations, escaped data, cut at any point. Nothing a server sends may crash the
// program, and the answers stay bounded by what came in. Data the tool escapes must come back
// unchanged through a codec in binary mode.
#include "TelnetCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t cut = data[0] % size; // where the stream is split between two reads
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const size_t count = size - 1;
    TelnetCodec codec(115200);
    const std::string opening = codec.Opening();
    std::string received, replies;
    codec.Feed(bytes, cut < count ? cut : count, received, replies);
    codec.Feed(bytes + (cut < count ? cut : count), count - (cut < count ? cut : count), received, replies);
    // Each command byte triple earns at most one three-byte answer, plus the port settings once.
    if (received.size() > count || replies.size() > count + 64)
        std::abort();

    TelnetCodec binary(9600);
    binary.Opening();
    const std::string will = {'\xFF', '\xFB', '\x00'};
    std::string ignored, answer;
    binary.Feed(will.data(), will.size(), ignored, answer);
    const std::string escaped = TelnetCodec::Escape(bytes, count);
    std::string back;
    binary.Feed(escaped.data(), escaped.size(), back, answer);
    if (back != std::string(bytes, count))
        std::abort();
    return 0;
}
