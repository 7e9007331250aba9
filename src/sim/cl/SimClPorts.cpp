#include "SimClPorts.h"

#include "SimOptions.h"
#include "SimSession.h"
#include "SimWire.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace simcl {
namespace {

using Clock = std::chrono::steady_clock;

struct Port {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    std::unique_ptr<SimSession> session;
    std::unique_ptr<WirePacer> pacer;
    uint32_t pacingBaud = 0; // 0: answers come at once (plus latency)
    std::string arrived;     // bytes that have crossed the line and wait to be read
};

constexpr uint32_t kMaxPorts = 8;
Port g_ports[kMaxPorts];

Port* portOf(hSerRef ref)
{
    for (auto& port : g_ports)
        if (ref == &port)
            return &port;
    return nullptr;
}

std::unique_ptr<SimSession> powerOn(std::string& error)
{
    SimOptions options;
    std::vector<std::string> args;
    if (const char* extra = std::getenv("LUMORA_CAMSIM_ARGS")) {
        std::istringstream words(extra);
        for (std::string word; words >> word;)
            args.push_back(word);
    }
    if (!ParseSimArgs(args, options, error))
        return nullptr;
    if (const char* log = std::getenv("LUMORA_CAMSIM_LOG"); log && *log)
        options.log = log;
    auto session = std::make_unique<SimSession>(options);
    if (!session->Ok()) {
        error = session->Error();
        return nullptr;
    }
    return session;
}

void newPacer(Port& port, uint32_t baud)
{
    port.pacingBaud = baud;
    port.pacer = std::make_unique<WirePacer>(baud, uint64_t {port.session->Options().latencyMs} * 1000000u);
}

// Moves every reply byte that has crossed the line into arrived; the time the next one is due.
std::optional<uint64_t> collect(Port& port)
{
    return port.pacer->Take(MonotonicNs(), port.arrived);
}

Clock::time_point toSteady(uint64_t monotonicNs)
{
    // steady_clock is CLOCK_MONOTONIC here; computed as an offset so nothing relies on that.
    int64_t ahead = static_cast<int64_t>(monotonicNs) - static_cast<int64_t>(MonotonicNs());
    return Clock::now() + std::chrono::nanoseconds(ahead);
}

} // namespace

int32_t SerialInit(uint32_t portCount, uint32_t serialIndex, hSerRef* serialRefPtr)
{
    if (!serialRefPtr)
        return kClErrInvalidReference;
    if (serialIndex >= portCount || serialIndex >= kMaxPorts)
        return kClErrInvalidIndex;
    Port& port = g_ports[serialIndex];
    std::lock_guard lock(port.mutex);
    if (port.open)
        return kClErrPortInUse;
    if (!port.session) {
        std::string error;
        port.session = powerOn(error);
        if (!port.session) {
            std::fprintf(stderr, "simulated camera: %s\n", error.c_str());
            return kClErrInvalidIndex;
        }
        newPacer(port, port.session->Options().baud);
    }
    port.open = true;
    *serialRefPtr = &port;
    return kClNoError;
}

int32_t SerialClose(hSerRef serialRef)
{
    Port* port = portOf(serialRef);
    if (!port)
        return kClErrInvalidReference;
    std::lock_guard lock(port->mutex);
    port->open = false;
    port->changed.notify_all();
    return kClNoError;
}

int32_t SerialRead(hSerRef serialRef, char* buffer, uint32_t* numBytes, uint32_t timeoutMs)
{
    Port* port = portOf(serialRef);
    if (!port || !numBytes)
        return kClErrInvalidReference;
    const uint32_t wanted = *numBytes;
    *numBytes = 0;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(port->mutex);
    for (;;) {
        if (!port->open)
            return kClErrInvalidReference;
        auto next = collect(*port);
        if (port->arrived.size() >= wanted)
            break;
        if (Clock::now() >= deadline)
            return kClErrTimeout; // nothing is taken, so no byte is lost to a caller that gives up
        auto until = next ? std::min(deadline, toSteady(*next)) : deadline;
        port->changed.wait_until(lock, until);
    }
    std::memcpy(buffer, port->arrived.data(), wanted);
    port->arrived.erase(0, wanted);
    *numBytes = wanted;
    return kClNoError;
}

int32_t SerialWrite(hSerRef serialRef, const char* buffer, uint32_t* numBytes, uint32_t timeoutMs)
{
    Port* port = portOf(serialRef);
    if (!port || !numBytes)
        return kClErrInvalidReference;
    std::unique_lock lock(port->mutex);
    if (!port->open)
        return kClErrInvalidReference;
    // On a paced line the write lasts as long as the bytes take to go out; what does not fit
    // into the time-out is not sent.
    uint32_t count = *numBytes;
    int32_t status = kClNoError;
    if (port->pacingBaud != 0) {
        uint64_t fits = uint64_t {timeoutMs} * port->pacingBaud / 10000u;
        if (fits < count) {
            count = static_cast<uint32_t>(fits);
            status = kClErrTimeout;
        }
    }
    uint64_t start = MonotonicNs();
    for (auto& answer : port->session->OnBytesTimed(std::string_view(buffer, count)))
        port->pacer->Push(start, answer.requestBytes, std::move(answer.bytes));
    *numBytes = count;
    port->changed.notify_all();
    auto sent = toSteady(start + WireTimeNs(count, port->pacingBaud));
    while (port->open && Clock::now() < sent)
        port->changed.wait_until(lock, sent);
    return status;
}

int32_t GetSupportedBaudRates(hSerRef serialRef, uint32_t* baudRates)
{
    if (!portOf(serialRef) || !baudRates)
        return kClErrInvalidReference;
    *baudRates = kSupportedBaudBits;
    return kClNoError;
}

int32_t SetBaudRate(hSerRef serialRef, uint32_t baudRate)
{
    Port* port = portOf(serialRef);
    if (!port)
        return kClErrInvalidReference;
    uint32_t rate = ClBaudFromBit(baudRate);
    if (rate == 0 || (baudRate & kSupportedBaudBits) == 0)
        return kClErrBaudRateNotSupported;
    std::lock_guard lock(port->mutex);
    if (!port->open)
        return kClErrInvalidReference;
    // Bytes still on the line are handed over at once; a new rate starts on an idle line.
    if (port->pacingBaud != 0 && port->pacingBaud != rate) {
        port->pacer->Take(UINT64_MAX, port->arrived);
        newPacer(*port, rate);
    }
    return kClNoError;
}

int32_t GetNumBytesAvail(hSerRef serialRef, uint32_t* numBytes)
{
    Port* port = portOf(serialRef);
    if (!port || !numBytes)
        return kClErrInvalidReference;
    std::lock_guard lock(port->mutex);
    if (!port->open)
        return kClErrInvalidReference;
    collect(*port);
    *numBytes = static_cast<uint32_t>(port->arrived.size());
    return kClNoError;
}

int32_t FlushPort(hSerRef serialRef)
{
    Port* port = portOf(serialRef);
    if (!port)
        return kClErrInvalidReference;
    std::lock_guard lock(port->mutex);
    if (!port->open)
        return kClErrInvalidReference;
    port->arrived.clear();
    port->pacer->Clear();
    return kClNoError;
}

int32_t CopyText(const char* text, char* buffer, uint32_t* size)
{
    if (!size)
        return kClErrInvalidReference;
    uint32_t needed = static_cast<uint32_t>(std::strlen(text)) + 1;
    if (!buffer || *size < needed) {
        *size = needed;
        return kClErrBufferTooSmall;
    }
    std::memcpy(buffer, text, needed);
    *size = needed;
    return kClNoError;
}

int32_t GetErrorText(int32_t errorCode, char* text, uint32_t* textBytes)
{
    static const struct {
        int32_t code;
        const char* text;
    } kTexts[] = {
        {kClNoError, "No error"},
        {kClErrBufferTooSmall, "Buffer too small"},
        {kClErrManufacturerDoesNotExist, "No such manufacturer"},
        {kClErrPortInUse, "Port in use"},
        {kClErrTimeout, "Time-out"},
        {kClErrInvalidIndex, "Invalid port index"},
        {kClErrInvalidReference, "Invalid or closed serial reference"},
        {kClErrBaudRateNotSupported, "Baud rate not supported"},
    };
    for (const auto& entry : kTexts)
        if (entry.code == errorCode)
            return CopyText(entry.text, text, textBytes);
    return kClErrErrorNotFound;
}

} // namespace simcl
