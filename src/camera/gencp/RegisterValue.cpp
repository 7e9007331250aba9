#include "RegisterValue.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Whole numbers and floating-point values of 1 to 8 bytes; texts of any length.
bool sized(const FeatureRecord& record)
{
    return record.length > 0 && (record.Has(FeatureRecord::Text) || record.length <= 8);
}

uint64_t unpack(const FeatureRecord& record, std::string_view bytes)
{
    uint64_t value = 0;
    for (uint32_t i = 0; i < record.length; ++i) {
        const uint32_t at = record.littleEndian ? record.length - 1 - i : i;
        value = (value << 8) | static_cast<unsigned char>(bytes[at]);
    }
    return value;
}

std::string pack(const FeatureRecord& record, uint64_t value)
{
    std::string out(record.length, '\0');
    for (uint32_t i = 0; i < record.length; ++i) {
        const uint32_t at = record.littleEndian ? i : record.length - 1 - i;
        out[at] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
    return out;
}

bool encodeInteger(const FeatureRecord& record, int64_t value, std::string& bytes, std::string& why)
{
    const int bits = int(record.length) * 8;
    // An unsigned 64-bit register takes every value: the row carries its bits.
    if (!record.isSigned && bits >= 64) {
        bytes = pack(record, uint64_t(value));
        return true;
    }
    const int64_t low = !record.isSigned ? 0 : bits >= 64 ? INT64_MIN : -(int64_t(1) << (bits - 1));
    const int64_t high = bits >= 64 ? INT64_MAX
        : record.isSigned           ? (int64_t(1) << (bits - 1)) - 1
                                    : (int64_t(1) << bits) - 1;
    if (value < low || value > high) {
        why = std::to_string(value) + " is outside " + std::to_string(low) + " to " + std::to_string(high);
        return false;
    }
    bytes = pack(record, uint64_t(value));
    return true;
}

} // namespace

bool DecodeRegister(const FeatureRecord& record, std::string_view bytes, RowValue& value)
{
    if (!sized(record) || bytes.size() < record.length)
        return false;
    if (record.Has(FeatureRecord::Text)) {
        const std::string_view text = bytes.substr(0, record.length);
        value.text = std::string(text.substr(0, text.find('\0')));
        return true;
    }
    const uint64_t raw = unpack(record, bytes);
    if (record.Has(FeatureRecord::Float)) {
        if (record.length == sizeof(float)) {
            const auto bits = static_cast<uint32_t>(raw);
            float real;
            std::memcpy(&real, &bits, sizeof real);
            value.real = real;
        } else {
            double real;
            std::memcpy(&real, &raw, sizeof real);
            value.real = real;
        }
        return true;
    }
    const int bits = int(record.length) * 8;
    int64_t number = int64_t(raw);
    if (record.isSigned && bits < 64 && (raw >> (bits - 1)) & 1)
        number -= int64_t(1) << bits;
    value.integer = number;
    if (!record.valueMap.empty()) {
        value.integer = -1;
        for (size_t i = 0; i < record.valueMap.size(); ++i)
            if (record.valueMap[i].first == number)
                value.integer = int64_t(i);
    }
    return true;
}

bool EncodeRegister(const FeatureRecord& record, const RowValue& value, std::string& bytes, std::string& why)
{
    if (!sized(record)) {
        why = "a register of " + std::to_string(record.length) + " bytes";
        return false;
    }
    if (record.Has(FeatureRecord::Command))
        return encodeInteger(record, std::llround(record.commandValue), bytes, why);
    if (record.Has(FeatureRecord::Text)) {
        if (value.text.size() > record.length) {
            why = "the text is longer than the register's " + std::to_string(record.length) + " bytes";
            return false;
        }
        bytes = value.text;
        bytes.resize(record.length, '\0');
        return true;
    }
    if (record.Has(FeatureRecord::Float)) {
        uint64_t raw;
        if (record.length == sizeof(float)) {
            const float real = static_cast<float>(value.real);
            uint32_t bits;
            std::memcpy(&bits, &real, sizeof bits);
            raw = bits;
        } else {
            std::memcpy(&raw, &value.real, sizeof raw);
        }
        bytes = pack(record, raw);
        return true;
    }
    if (!record.valueMap.empty()) {
        if (value.integer < 0 || value.integer >= int64_t(record.valueMap.size())) {
            why = "no such choice";
            return false;
        }
        return encodeInteger(record, record.valueMap[size_t(value.integer)].first, bytes, why);
    }
    return encodeInteger(record, value.integer, bytes, why);
}
