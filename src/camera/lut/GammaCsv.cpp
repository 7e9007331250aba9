#include "GammaCsv.h"

#include "ReplacingFile.h"
#include "UserNotice.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

// A piece of the file as one read of a line takes it: up to 126 characters.
constexpr size_t kPieceChars = 126;
constexpr int kFields = 3;

// Reading as text: a CR before a LF is part of the line end, nothing else.
std::string textMode(const std::string& raw)
{
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i)
        if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n'))
            text += raw[i];
    return text;
}

// The next piece from pos: through its LF, or kPieceChars characters, or the rest.
std::string nextPiece(const std::string& text, size_t& pos)
{
    const size_t begin = pos;
    while (pos < text.size() && pos - begin < kPieceChars) {
        if (text[pos++] == '\n')
            break;
    }
    return text.substr(begin, pos - begin);
}

struct LineFields {
    GammaCsv::Error error = GammaCsv::Error::None;
    int32_t values[kFields] = {0, 0, 0};
};

LineFields splitLine(const std::string& line)
{
    LineFields out;
    int field = 0;
    for (char c : line) {
        if (c >= '0' && c <= '9') {
            int32_t& v = out.values[field];
            const int digit = c - '0';
            v = v > (INT32_MAX - digit) / 10 ? INT32_MAX : v * 10 + digit;
        } else if (c == ',') {
            if (++field == kFields) {
                out.error = GammaCsv::Error::DataCount;
                return out;
            }
        } else if (c == '-' || c == '.') {
            out.error = GammaCsv::Error::LineFormat;
            return out;
        }
    }
    if (field < kFields - 1)
        out.error = GammaCsv::Error::LineFormat;
    return out;
}

} // namespace

std::string GammaCsv::ErrorText(Error error)
{
    switch (error) {
    case Error::None:
        return {};
    case Error::DataCount:
        return "Invaild data count format";
    case Error::LineFormat:
        return "Invaild line format";
    case Error::TooMany:
        return "Too many data";
    }
    return {};
}

std::string GammaCsv::ClampText() const
{
    char text[96];
    std::snprintf(text, sizeof text, "Invalid data value: Line(%d) : Value(%d)", clampedRow, clampedValue);
    return text;
}

GammaCsv ParseGammaCsv(const std::string& raw)
{
    GammaCsv out;
    const std::string text = textMode(raw);
    size_t pos = 0;
    nextPiece(text, pos); // the header, whatever it holds
    while (pos < text.size()) {
        const LineFields line = splitLine(nextPiece(text, pos));
        if (line.error != GammaCsv::Error::None) {
            out.error = line.error;
            return out;
        }
        if (out.rows >= Lut::kEntries) {
            out.error = GammaCsv::Error::TooMany;
            return out;
        }
        for (int c = 0; c < kFields; ++c) {
            const int32_t value = line.values[c];
            if (uint32_t(value) > Lut::kMaxValue && !out.clamped) {
                out.clamped = true;
                out.clampedRow = out.rows;
                out.clampedValue = value;
            }
            out.tables[size_t(c)][size_t(out.rows)] = std::min(uint32_t(value), Lut::kMaxValue);
        }
        ++out.rows;
    }
    return out;
}

std::string FormatGammaCsv(const Lut::Tables& tables)
{
    std::string text = "GammaData (R G B)\r\n";
    for (int j = 0; j < Lut::kEntries; ++j) {
        char line[64];
        std::snprintf(line, sizeof line, "%d,%d,%d\r\n", int(tables[0][size_t(j)]), int(tables[1][size_t(j)]),
                      int(tables[2][size_t(j)]));
        text += line;
    }
    return text;
}

namespace GammaFile {

std::string OpenErrorText(const std::string& path)
{
    return path + "\nCouldn't open this file";
}

bool ReadText(const std::string& path, std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    text.assign(kMaxReadBytes, '\0');
    const size_t got = std::fread(text.data(), 1, kMaxReadBytes, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    text.resize(got);
    return !failed;
}

bool Load(const std::string& path, GammaCsv& parsed, UserNotice& notice)
{
    std::string text;
    if (!ReadText(path, text)) {
        notice.Message(OpenErrorText(path), "", NoticeIcon::Error);
        return false;
    }
    parsed = ParseGammaCsv(text);
    if (parsed.error != GammaCsv::Error::None) {
        notice.Message(GammaCsv::ErrorText(parsed.error), "", NoticeIcon::Error);
        return false;
    }
    if (parsed.clamped)
        notice.Message(parsed.ClampText(), "", NoticeIcon::Error);
    return true;
}

bool Save(const std::string& path, const Lut::Tables& tables, UserNotice& notice)
{
    std::string reason;
    if (WriteFileReplacing(path, FormatGammaCsv(tables), &reason))
        return true;
    // The fixed text first; the system's reason tells a Linux user what actually went wrong.
    notice.Message(OpenErrorText(path) + "\n" + reason, "", NoticeIcon::Error);
    return false;
}

} // namespace GammaFile
