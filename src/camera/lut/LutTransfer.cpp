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

// How a transfer ended: answered when every entry went, cancelled when the person stopped
// it, else how the exchange that ended it went.
Command::Result ending(const Walk& walk, const Command::Result& last, bool complete)
{
    if (!complete && walk.Stopped() == Walk::Stop::Cancelled)
        return {Command::Outcome::Cancelled, {}};
    return last;
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

Command::Result Read(Camera& camera, int channel, Lut::Table& table, LutProgress& progress)
{
    const int command = CommandOf(channel);
    if (command < 0)
        return {};
    Walk walk(camera, progress, ReadText(channel, 0), Lut::kEntries, kNoun);
    int stored = 0;
    Command::Result last;
    for (int i = 0; i < Lut::kEntries; ++i) {
        uint32_t value = 0;
        last = camera.Query(command, value, Timeouts::kLutEntryMs);
        const bool answered = last.Answered();
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
    return ending(walk, last, stored == Lut::kEntries);
}

Command::Result Write(Camera& camera, int channel, const Lut::Table& table, LutProgress& progress)
{
    const int command = CommandOf(channel);
    if (command < 0)
        return {};
    Walk walk(camera, progress, WriteText(0), Lut::kEntries, kNoun);
    int taken = 0;
    Command::Result last;
    for (int i = 0; i < Lut::kEntries; ++i) {
        last = camera.Set(command, int32_t(table[size_t(i)]), Timeouts::kLutEntryMs);
        const bool acknowledged = last.Answered();
        if (acknowledged) {
            ++taken;
            progress.say(WriteText(i + 1));
        }
        if (!walk.Next(positionAfter(i)) || !acknowledged)
            break;
    }
    walk.Finish();
    return ending(walk, last, taken == Lut::kEntries);
}

} // namespace LutTransfer
