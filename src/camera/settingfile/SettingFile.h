#pragma once
// Camera setting files (".cam"): one line per parameter, mnemonic "=" value, CR LF. Saving
// writes the parameter table's current values (only the model line asks the camera);
// loading sends every applicable line to the camera and keeps what the camera accepted.
//
// What this program does beyond the bare format, so that a file is never half-trusted:
//  - a save replaces an existing file only once the new one is complete;
//  - a file is read whole before anything is sent; a file that cannot be read (an I/O error,
//    or far larger than any setting file) is reported and nothing of it is applied;
//  - a setting the camera refuses is not stored: the window keeps showing what the camera
//    holds, and one message at the end names the refused lines;
//  - a line whose value is missing, not a number or out of range is not sent (it would go
//    out as 0 or clamped) but named in that message;
//  - the load runs as one walk: it stops when the link is lost, the camera falls silent or
//    the person cancels, and reports once.
// Qt-free; user-interface thread only.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class Camera;
class ParameterTable;
class Progress;

namespace SettingFile {

enum class Variant { AllData, ShippingData };

// A read of a line takes at most this many characters; the rest of a longer line is read
// as a line of its own. A line ends with LF, CR LF or a lone CR.
constexpr size_t kPieceChars = 255;
// No setting file comes near this size; a larger one is refused unread.
constexpr size_t kMaxFileBytes = 1024 * 1024;


// One line of a file that the load acts on.
struct Line {
    enum class Kind { Model, DeviceVersion, LutPair, Row };
    Kind kind = Kind::Row;
    int piece = 0;         // zero-based position among the file's line reads
    int number = 0;        // the file's line it stands on, counted from 1
    int commandIndex = -1; // the command the line is sent as
    int ctrlId = -1;       // Row: the parameter row's control
    int32_t value = 0;     // Row: the camera's value; LutPair: the first number
    int32_t second = 0;    // LutPair: the second number
    std::string text;      // Model, DeviceVersion: the value text
};

// A line for a setting that applies but whose value cannot be taken as it stands.
struct Damaged {
    int number = 0;   // the file's line, counted from 1
    std::string text; // as it stands, without its line end
};

struct Parsed {
    int pieces = 0; // line reads, each at most kPieceChars characters
    std::vector<Line> lines;
    std::vector<Damaged> damaged;
};

// The lines of a file's text that apply in the Control Mode, in file order: unknown
// mnemonics, factory rows in Control Mode 0 and rows that are no part of setting files are
// left out; a line for a setting that applies but without "=" and a value that fits (a
// 32-bit integer for a row, two for a table entry, a text for the others) is set aside as
// damaged. Pure: depends on the fixed tables only.
Parsed Parse(const std::string& text, unsigned controlMode);

// What the window shows where the table alone does not tell.
struct WindowState {
    // The exposure-mode list shows its first entry: the later TM line is left out of All Data.
    bool exposureModeFirst = false;
    // Camera values by control id for rows whose row value is not what the camera takes (the
    // binning lists: the row keeps the list position, the camera the factor). Without an
    // entry a binning row is written as its position + 1.
    std::map<int, int32_t> cameraValues;
};

// The window state that the parameter table implies (the exposure mode's row value 0 is the
// list's first entry; binning rows hold list positions): for a save without a window.
WindowState StateOfTable(const ParameterTable& rows);

// The file's text for a variant from a parameter table's current values. modelName: the
// model line's text, empty for none.
std::string Format(const ParameterTable& rows, Variant variant, unsigned controlMode, const std::string& modelName,
                   const WindowState& window);

// The text a save writes in the current Control Mode (in Control Mode 1, All Data checks the
// camera model first for the model line).
std::string FileText(Camera& camera, Variant variant, const WindowState& window);

// Write the file (FileText). 1 written; 0
// when it could not be written: the person is told, and an existing file stays as it was.
int WriteAllData(Camera& camera, const std::string& path, const WindowState& window);
int WriteShippingData(Camera& camera, const std::string& path, const WindowState& window);

// What the window does after a row took a value from the file (the exposure mode rebuilds
// the video send mode list, the output format settings the interface-dependent displays).
class FollowUp {
public:
    virtual ~FollowUp() = default;
    virtual void applied(int ctrlId) = 0;
};

// A line the camera did not take.
struct Refusal {
    int number = 0;      // the file's line, counted from 1
    std::string setting; // the mnemonic
    std::string value;   // as sent
    std::string answer;  // the camera's reply; empty when none came
};

struct LoadResult {
    bool read = false;   // the file was read; nothing is sent otherwise
    int lines = 0;       // applicable lines
    int sent = 0;        // lines sent before the load ended
    int refused = 0;     // of those, not accepted by the camera (refused or left unanswered);
                         // the line in flight when the load stopped is not counted
    std::vector<Refusal> refusals;
    std::vector<Damaged> damaged; // skipped: their value could not be taken
    bool complete = false;
};

// Reads the file and applies it under the progress report "Now, reading camera setting
// file.", then commits the table. Rows the file does not name, and rows the camera refused,
// keep their values.
LoadResult ReadSettingFile(Camera& camera, const std::string& path, Progress& progress, FollowUp* followUp);

// The file's text, read whole; false with the reason when it cannot be read or is far larger
// than any setting file.
bool ReadWhole(const std::string& path, std::string& text, std::string& reason);

// "<path>\nCouldn't open this file".
std::string OpenErrorText(const std::string& path);
// The first lines of the closing message of a load with refused lines.
std::string RefusedText(int refused, int lines);
// A refused line as the closing message and the message list name it:
// "Line 7: PE=99999999, the camera answered ERROR".
std::string RefusalText(const Refusal& refusal);
// A damaged line as named there: "Line 3: PE=abc".
std::string DamagedText(const Damaged& line);
// The whole closing message of a load: the refused lines, then the damaged ones; empty when
// there were neither.
std::string LoadReport(const LoadResult& result);

} // namespace SettingFile
