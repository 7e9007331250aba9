// A camera's answer to a register packet as the parameter list judges it: the acknowledge
// against a read and a write request, the manifest table it may lead to, and the register
// bytes taken as a row's value. The first four input bytes choose the request; nothing the
// camera sends may crash the program or read past what it sent.
#include "Bootstrap.h"
#include "GenCpPacket.h"
#include "RegisterValue.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 4, size - 4);
    const uint16_t id = static_cast<uint16_t>(data[0] | (data[1] << 8));
    const uint16_t count = data[2];
    for (const uint16_t command : {GenCp::kReadMemory, GenCp::kWriteMemory}) {
        const GenCp::Expectation expected{command, id, count};
        GenCp::AckHeader header;
        if (GenCp::ParseAckHeader(bytes, header)) {
            const size_t body = GenCp::BodyToRead(header, expected);
            // Never more than asked for, or than a refusal may bring along.
            if (command == GenCp::kReadMemory && header.requestId == id && header.status == GenCp::kSuccess
                && header.command == GenCp::kReadMemoryAck && body > count)
                __builtin_trap();
        }
        const GenCp::Acknowledge ack = GenCp::CheckAcknowledge(bytes, expected);
        if (ack.verdict == GenCp::Verdict::Accepted && command == GenCp::kReadMemory && ack.data.size() != count)
            __builtin_trap();
        if (ack.verdict != GenCp::Verdict::Accepted)
            continue;
        FeatureRecord record;
        record.length = count;
        record.flags = data[3] & (FeatureRecord::Text | FeatureRecord::Float);
        record.isSigned = (data[3] & 1) != 0;
        record.littleEndian = (data[3] & 2) != 0;
        RowValue value;
        DecodeRegister(record, ack.data, value);
    }
    ManifestCount(bytes);
    ParseManifestEntries(bytes);
    BootstrapText(bytes);
    return 0;
}
