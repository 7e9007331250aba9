// A feature description as the parameter list reads it, from a camera's manifest or a file:
// whatever the text, the reader ends, stays within its table's bounds and keeps only records
// that a register can carry.
#include "FeatureTable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FeatureDescription description =
        ReadFeatureDescription(std::string_view(reinterpret_cast<const char*>(data), size));
    if (description.records.size() > FeatureDescription::kMaxRecords)
        __builtin_trap();
    for (const FeatureRecord& record : description.records)
        if (record.length == 0)
            __builtin_trap();
    return 0;
}
