// The camera's bytes as the exchange takes them: cut into lines, each line taken apart against
// the command table, pairs read as the setting file reader reads them. Nothing a camera sends
// may crash the program or read past a buffer.
#include "CommandTable.h"
#include "LineFramer.h"
#include "ReplyParser.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ReplyParser parser(CommandTable::Instance());
    LineFramer framer;
    for (size_t i = 0; i < size; ++i) {
        if (framer.push(static_cast<char>(data[i])) != LineFramer::Step::Line)
            continue;
        const std::string line = framer.takeLine();
        ReplyRecord record;
        parser.ParseReply(line, record);
        int32_t first = 0;
        int32_t second = 0;
        parser.ParsePair(line, first, second);
        ReplyParser::autoBaseValue(record.values[0]);
    }
    return 0;
}
