// The camera setting file reader over arbitrary bytes: besides not crashing, every line it
// keeps or sets aside must point into the file, and a row line must name a row that belongs
// in setting files (never a factory row in Control Mode 0).
#include "ParameterTable.h"
#include "SettingFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ParameterTable& table = ParameterTable::Layout();
    for (unsigned mode : {0u, 1u}) {
        const SettingFile::Parsed parsed = SettingFile::Parse(text, mode);
        if (size_t(parsed.pieces) > size || parsed.lines.size() + parsed.damaged.size() > size_t(parsed.pieces))
            std::abort();
        for (const SettingFile::Damaged& line : parsed.damaged)
            if (line.number < 1 || line.number > parsed.pieces || line.text.size() > SettingFile::kPieceChars + 1)
                std::abort();
        int previous = -1;
        for (const SettingFile::Line& line : parsed.lines) {
            if (line.piece <= previous || line.piece >= parsed.pieces)
                std::abort();
            previous = line.piece;
            if (line.number < 1 || line.number > line.piece + 1)
                std::abort();
            if (line.kind != SettingFile::Line::Kind::Row)
                continue;
            const uint32_t id = uint32_t(line.ctrlId);
            if (!table.IsFileParam(id) || (mode == 0 && table.IsFactoryParam(id)))
                std::abort();
        }
    }
    return 0;
}
