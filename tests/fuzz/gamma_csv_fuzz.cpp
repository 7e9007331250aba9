// The gamma data file reader over arbitrary bytes: besides not crashing, a file it accepts
// must give at most 32 rows of 12-bit values, and those tables written out must read back
// unchanged.
#include "GammaCsv.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const GammaCsv parsed = ParseGammaCsv(std::string(reinterpret_cast<const char*>(data), size));
    if (parsed.error != GammaCsv::Error::None)
        return 0;
    if (parsed.rows < 0 || parsed.rows > Lut::kEntries)
        std::abort();
    for (const Lut::Table& table : parsed.tables)
        for (uint32_t value : table)
            if (value > Lut::kMaxValue)
                std::abort();
    const GammaCsv again = ParseGammaCsv(FormatGammaCsv(parsed.tables));
    if (again.error != GammaCsv::Error::None || again.rows != Lut::kEntries || again.tables != parsed.tables)
        std::abort();
    return 0;
}
