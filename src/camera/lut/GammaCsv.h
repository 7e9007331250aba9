#pragma once
// The gamma data CSV file of the LUT menu: a header line, then one line per entry 0...31 with
// the red, green and blue tables' values ("%d,%d,%d"), lines ending in CR LF.
//
// Reading is lenient about stray characters but strict about structure, and it reads the
// whole file before any table changes, so a bad line never leaves the tables half loaded:
//  - the first line is ignored; the file is read in pieces of at most 126 characters, each
//    ending at its line end (a longer line goes on as the next one);
//  - in a line, digits build the current field, each "," starts the next one, a minus sign
//    or a decimal point makes the line malformed (a negative or fractional value would
//    otherwise be read as another number), any other character is skipped;
//  - a third "," is "Invaild data count format"; fewer than two, an empty line included, are
//    "Invaild line format"; a 33rd data line is "Too many data";
//  - an empty field is 0; a value above 4095 is taken as 4095, and the first such value is
//    told with its zero-based data line.
// ParseGammaCsv is the pure entry point over a file's text, for tests and fuzzing.
#include "LutTable.h"

#include <cstdint>
#include <string>

struct GammaCsv {
    enum class Error { None, DataCount, LineFormat, TooMany };

    Error error = Error::None;
    // Data lines read; their entries hold the file's values (only meaningful without error).
    int rows = 0;
    Lut::Tables tables{};
    // The first value above 4095, as read (saturating at INT32_MAX), and its data line.
    bool clamped = false;
    int clampedRow = 0;
    int32_t clampedValue = 0;

    // The message of an error ("Invaild line format", ...); empty without one.
    static std::string ErrorText(Error error);
    // "Invalid data value: Line(%d) : Value(%d)" for the first value above 4095.
    std::string ClampText() const;
};

GammaCsv ParseGammaCsv(const std::string& text);

// The file's text for three tables: header and 32 lines, CR LF.
std::string FormatGammaCsv(const Lut::Tables& tables);

class UserNotice;

namespace GammaFile {

// A file larger than this cannot be valid (its 33rd piece is an error at the latest), so no
// more of it is read.
constexpr size_t kMaxReadBytes = 64 * 1024;

// The file's text (up to kMaxReadBytes); false when it cannot be opened.
bool ReadText(const std::string& path, std::string& text);

// "<path>\nCouldn't open this file".
std::string OpenErrorText(const std::string& path);

// Reads and parses the file, telling the person through notice what is wrong (a file that
// cannot be opened, a malformed line, the first value above 4095). True when the file is
// sound; parsed then holds its rows.
bool Load(const std::string& path, GammaCsv& parsed, UserNotice& notice);
// Writes the three tables to the file (replacing it only once complete); tells the person
// through notice when that fails.
bool Save(const std::string& path, const Lut::Tables& tables, UserNotice& notice);

} // namespace GammaFile
