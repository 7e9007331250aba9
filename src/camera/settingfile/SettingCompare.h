#pragma once
// A setting file against the camera, before anything of it is sent (or after, to check a
// load): for each setting the file names, what the file says and what the camera holds.
// Only queries go out; nothing in the camera or the parameter table changes.
// Qt-free; user-interface thread only.
#include "SettingFile.h"

#include <string>
#include <vector>

class Camera;
class Progress;

namespace SettingFile {

struct Difference {
    std::string setting;     // the mnemonic; a table entry as "LUTR 5"
    std::string fileValue;
    std::string cameraValue; // empty when the camera gave no value
};

struct Comparison {
    int compared = 0;     // settings asked for
    int settings = 0;     // settings the file names
    bool complete = false; // every setting was asked for
    std::vector<Difference> differences;
};

// The lines that decide what the camera holds once the file is loaded: where the file sets
// a setting more than once, the last value at the place of the first line.
std::vector<Line> EffectiveLines(const Parsed& parsed);

// Asks the camera for every effective line's setting under the progress report "Now,
// comparing camera setting file." (a walk: it stops when the link is lost, the camera falls
// silent or the person cancels). A setting the camera gives no value for counts as differing.
Comparison Compare(Camera& camera, const Parsed& parsed, Progress& progress);

} // namespace SettingFile
