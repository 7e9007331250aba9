#include "LutTransfer.h"

#include "Camera.h"
#include "Ids.h"
#include "Timeouts.h"
#include "Walk.h"

#include <algorithm>
#include <cstdio>

namespace LutTransfer {

namespace {

constexpr const char* kNoun = "entries";
constexpr const char* kChannelTags[Lut::kChannels] = {"[R]. ", "[G]. ", "[B]. "};

std::string withCount(std::string text, int done)
{
    if (done <= 0)
        return text;
    char count[32];
    std::snprintf(count, sizeof count, "  (%d / %d)", done, Lut::kEntries);
    return text + count;
}

// The bar after entry i: i / 32 of the way, so the last entry shows 96.
int positionAfter(int entry)
{
    return int(double(entry) * 0.03125 * 100.0);
}

} // namespace

int CommandOf(int channel)
{
    if (channel < 0 || channel >= Lut::kChannels)
        return -1;
    return CmdIndex::LUTSR + channel;
}

std::string ReadText(int channel, int done)
{
    const char* tag = kChannelTags[std::clamp(channel, 0, Lut::kChannels - 1)];
    return withCount(std::string("Now, reading camera gamma data  ") + tag, done);
}

std::string WriteText(int done)
{
    return withCount("Now, writing camera gamma data.", done);
}

bool Read(Camera& camera, int channel, Lut::Table& table, LutProgress& progress)
{
    const int command = CommandOf(channel);
    if (command < 0)
        return false;
    Walk walk(camera, progress, ReadText(channel, 0), Lut::kEntries, kNoun);
    int stored = 0;
    for (int i = 0; i < Lut::kEntries; ++i) {
        uint32_t value = 0;
        const bool answered = camera.Query(command, value, Timeouts::kLutEntryMs) == 1;
        if (answered) {
            table[size_t(i)] = std::min(value, Lut::kMaxValue);
            ++stored;
            progress.say(ReadText(channel, i + 1));
        }
        // The walk takes every outcome, so a lost link is told even when the run stops here.
        if (!walk.Next(positionAfter(i)) || !answered)
            break;
    }
    walk.Finish();
    return stored == Lut::kEntries;
}

bool Write(Camera& camera, int channel, const Lut::Table& table, LutProgress& progress)
{
    const int command = CommandOf(channel);
    if (command < 0)
        return false;
    Walk walk(camera, progress, WriteText(0), Lut::kEntries, kNoun);
    int taken = 0;
    for (int i = 0; i < Lut::kEntries; ++i) {
        const bool acknowledged = camera.Set(command, int32_t(table[size_t(i)]), Timeouts::kLutEntryMs) == 1;
        if (acknowledged) {
            ++taken;
            progress.say(WriteText(i + 1));
        }
        if (!walk.Next(positionAfter(i)) || !acknowledged)
            break;
    }
    walk.Finish();
    return taken == Lut::kEntries;
}

} // namespace LutTransfer
