#include "SimGenCp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

enum : uint16_t {
    kPreamble = 0x0100,
    kReadMemory = 0x0800,
    kWriteMemory = 0x0802,
    kSuccess = 0x0000,
    kNotImplemented = 0x8001,
    kInvalidParameter = 0x8002,
    kInvalidAddress = 0x8003,
    kWriteProtect = 0x8004,
    kAccessDenied = 0x8006,
    kGenericError = 0x8FFF,
};

// Bootstrap register addresses and sizes.
constexpr uint64_t kBootstrapSize = 0x0210;
constexpr size_t kTextField = 64;

// One feature register: a camera command seen as bytes.
struct SimRegister {
    enum Kind { Unsigned, Signed, Text, Scaled };
    uint64_t address;
    uint16_t length;
    const char* mnemonic;
    Kind kind;
    int scale; // Scaled: the register's float is the command's value divided by this
    bool readable;
    bool writable;
};

// The registers of the built-in descriptions (data/genicam), address by address.
constexpr SimRegister kRegisters[] = {
    {0x00010000, 32, "MD", SimRegister::Text, 1, true, false},
    {0x00010020, 16, "UD", SimRegister::Text, 1, true, true},
    {0x00010030, 16, "ID", SimRegister::Text, 1, true, false},
    {0x00010040, 16, "DV", SimRegister::Text, 1, true, false},
    {0x00010050, 4, "VN", SimRegister::Unsigned, 1, true, false},
    {0x00010054, 4, "TMP0", SimRegister::Scaled, 128, true, false},
    {0x00010100, 4, "WTC", SimRegister::Unsigned, 1, true, true},
    {0x00010104, 4, "HTL", SimRegister::Unsigned, 1, true, true},
    {0x00010108, 4, "OFC", SimRegister::Unsigned, 1, true, true},
    {0x0001010C, 4, "OFL", SimRegister::Unsigned, 1, true, true},
    {0x00010110, 2, "TPN", SimRegister::Unsigned, 1, true, true},
    {0x00010200, 4, "AR", SimRegister::Unsigned, 1, true, true},
    {0x00010204, 4, "EM", SimRegister::Unsigned, 1, true, true},
    {0x00010208, 4, "PE", SimRegister::Unsigned, 1, true, true},
    {0x0001020C, 1, "TM", SimRegister::Unsigned, 1, true, true},
    {0x00010210, 4, "STRG", SimRegister::Unsigned, 1, false, true},
    {0x00010300, 4, "GA", SimRegister::Unsigned, 1, true, true},
    {0x00010304, 2, "BL", SimRegister::Signed, 1, true, true},
    {0x00010308, 4, "GMA", SimRegister::Scaled, 100, true, true},
    {0x0001030C, 4, "AWB", SimRegister::Unsigned, 1, false, true},
};

uint64_t be(std::string_view bytes)
{
    uint64_t value = 0;
    for (unsigned char c : bytes)
        value = (value << 8) | c;
    return value;
}

std::string toBytes(uint64_t value, size_t length)
{
    std::string out(length, '\0');
    for (size_t i = length; i-- > 0; value >>= 8)
        out[i] = static_cast<char>(value & 0xFF);
    return out;
}

void putText(std::string& block, size_t at, const std::string& text)
{
    block.replace(at, std::min(text.size(), kTextField - 1), text.substr(0, kTextField - 1));
}

std::string hex(std::string_view bytes)
{
    std::string out;
    char pair[3];
    for (unsigned char c : bytes.substr(0, 64)) {
        std::snprintf(pair, sizeof pair, "%02X", c);
        out += pair;
    }
    return out;
}

uint16_t statusOf(const std::string& reply)
{
    if (reply == SimCamera::kComplete)
        return kSuccess;
    if (reply == SimCamera::kErrRange || reply == SimCamera::kErrSyntax)
        return kInvalidParameter;
    if (reply == SimCamera::kErrReadOnly)
        return kWriteProtect;
    if (reply == SimCamera::kErrLocked)
        return kAccessDenied;
    return kGenericError;
}

const SimRegister* findRegister(uint64_t address)
{
    for (const SimRegister& r : kRegisters)
        if (r.address == address)
            return &r;
    return nullptr;
}

} // namespace

SimGenCp::SimGenCp(SimCamera& camera, const SimOptions& options) : m_camera(camera)
{
    if (options.genicam == "none")
        return;
    if (options.genicam.empty()) {
        m_description = std::string(SimBuiltInDescription(options.model));
        return;
    }
    std::ifstream in(options.genicam, std::ios::binary);
    if (!in)
        m_error = "cannot read the feature description " + options.genicam;
    else
        m_description.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t SimGenCp::Missing(std::string_view packet)
{
    if (packet.size() < kHeaderSize)
        return kHeaderSize - packet.size();
    const size_t whole = kHeaderSize + be(packet.substr(12, 2));
    return whole > packet.size() ? whole - packet.size() : 0;
}

std::string SimGenCp::bootstrap()
{
    std::string block(kBootstrapSize, '\0');
    block.replace(0, 4, toBytes(0x00010000, 4)); // GenCP 1.0
    putText(block, 0x0004, "Norvik");
    putText(block, 0x0044, m_camera.Model());
    putText(block, 0x0084, "Lumora");
    putText(block, 0x00C4, m_camera.Value("DV"));
    putText(block, 0x0104, "Simulated camera");
    putText(block, 0x0144, m_camera.Value("ID"));
    putText(block, 0x0184, m_camera.Value("UD"));
    block.replace(0x01CC, 4, toBytes(1000, 4)); // longest time to answer, ms
    block.replace(0x01D0, 8, toBytes(m_description.empty() ? 0 : kManifestAddress, 8));
    return block;
}

std::string SimGenCp::manifest() const
{
    if (m_description.empty())
        return toBytes(0, 8);
    std::string table = toBytes(1, 8);
    table += toBytes((1u << 24) | (2u << 16) | 3u, 4); // file version 1.2.3
    table += toBytes((1u << 24) | (1u << 16), 4);       // schema 1.1, uncompressed XML
    table += toBytes(kDescriptionAddress, 8);
    table += toBytes(m_description.size(), 8);
    table += std::string(40, '\0'); // no hash, reserved
    return table;
}

uint16_t SimGenCp::read(uint64_t address, uint16_t count, std::string& data)
{
    // The fixed blocks may be read in any slice of them.
    const auto slice = [&](uint64_t base, const std::string& block) {
        if (address < base || address - base + count > block.size())
            return false;
        data = block.substr(address - base, count);
        return true;
    };
    if (address < kBootstrapSize)
        return slice(0, bootstrap()) ? kSuccess : kInvalidAddress;
    if (address >= kManifestAddress && address < kManifestAddress + 0x1000)
        return slice(kManifestAddress, manifest()) ? kSuccess : kInvalidAddress;
    if (!m_description.empty() && address >= kDescriptionAddress)
        return slice(kDescriptionAddress, m_description) ? kSuccess : kInvalidAddress;

    const SimRegister* reg = findRegister(address);
    if (!reg || count > reg->length)
        return kInvalidAddress;
    if (!reg->readable)
        return kAccessDenied;
    const std::string value = m_camera.Value(reg->mnemonic);
    std::string bytes;
    if (reg->kind == SimRegister::Text) {
        bytes = value.substr(0, reg->length);
        bytes.resize(reg->length, '\0');
    } else {
        const long long number = std::strtoll(value.c_str(), nullptr, 10);
        if (reg->kind == SimRegister::Scaled) {
            const float real = float(double(number) / reg->scale);
            uint32_t bits;
            std::memcpy(&bits, &real, sizeof bits);
            bytes = toBytes(bits, reg->length);
        } else {
            bytes = toBytes(uint64_t(number), reg->length);
        }
    }
    data = bytes.substr(0, count);
    return kSuccess;
}

uint16_t SimGenCp::write(uint64_t address, std::string_view data)
{
    const SimRegister* reg = findRegister(address);
    if (!reg)
        return address < kBootstrapSize || address >= kManifestAddress ? kWriteProtect : kInvalidAddress;
    if (!reg->writable)
        return kWriteProtect;
    if (data.size() != reg->length)
        return kInvalidParameter;
    std::string value;
    if (reg->kind == SimRegister::Text) {
        value = std::string(data.substr(0, data.find('\0')));
    } else if (reg->kind == SimRegister::Scaled) {
        const auto bits = static_cast<uint32_t>(be(data));
        float real;
        std::memcpy(&real, &bits, sizeof real);
        if (!std::isfinite(real))
            return kInvalidParameter;
        value = std::to_string(std::lround(double(real) * reg->scale));
    } else {
        int64_t number = int64_t(be(data));
        const int bits = reg->length * 8;
        if (reg->kind == SimRegister::Signed && (number >> (bits - 1)) & 1)
            number -= int64_t(1) << bits;
        // The commands hold 32-bit words: an unsigned word above 2^31 keeps its bits, as the
        // read above gives them back.
        if (reg->kind == SimRegister::Unsigned && bits == 32)
            number = int32_t(uint32_t(number));
        value = std::to_string(number);
    }
    return statusOf(m_camera.HandleLine(std::string(reg->mnemonic) + "=" + value));
}

std::string SimGenCp::Handle(std::string_view packet, bool refuseWrites, std::string& received, std::string& answered)
{
    const auto command = static_cast<uint16_t>(be(packet.substr(10, 2)));
    const auto requestId = static_cast<uint16_t>(be(packet.substr(14, 2)));
    const std::string_view body = packet.substr(kHeaderSize);
    char text[200];
    uint16_t status = kNotImplemented;
    std::string data;
    if (command == kReadMemory && body.size() == 12) {
        const uint64_t address = be(body.substr(0, 8));
        const auto count = static_cast<uint16_t>(be(body.substr(10, 2)));
        std::snprintf(text, sizeof text, "GENCP READ 0x%08llX %u ID %u", static_cast<unsigned long long>(address),
                      unsigned(count), unsigned(requestId));
        status = read(address, count, data);
        if (status != kSuccess)
            data.clear();
    } else if (command == kWriteMemory && body.size() >= 8) {
        const uint64_t address = be(body.substr(0, 8));
        const std::string_view value = body.substr(8);
        std::snprintf(text, sizeof text, "GENCP WRITE 0x%08llX %zu ID %u DATA %s",
                      static_cast<unsigned long long>(address), value.size(), unsigned(requestId), hex(value).c_str());
        status = refuseWrites ? uint16_t(kAccessDenied) : write(address, value);
        // Reserved, then the bytes taken.
        data = toBytes(0, 2) + toBytes(status == kSuccess ? value.size() : 0, 2);
    } else {
        std::snprintf(text, sizeof text, "GENCP COMMAND 0x%04X ID %u", unsigned(command), unsigned(requestId));
        if (command == kReadMemory || command == kWriteMemory)
            status = kInvalidParameter;
    }
    received = text;
    std::snprintf(text, sizeof text, "GENCP ACK ID %u STATUS 0x%04X %zu BYTES", unsigned(requestId), unsigned(status),
                  data.size());
    answered = text;

    std::string answer = toBytes(kPreamble, 2) + toBytes(0, 6); // checksums 0, channel 0
    answer += toBytes(status, 2);
    answer += toBytes(uint16_t(command + 1), 2);
    answer += toBytes(data.size(), 2);
    answer += toBytes(requestId, 2);
    return answer + data;
}
