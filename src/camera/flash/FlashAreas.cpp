#include "FlashAreas.h"

#include "Camera.h"
#include "Ids.h"
#include "UserNotice.h"

#include <chrono>
#include <thread>

namespace FlashAreas {

namespace {

const char* const kFactoryEntry = "Factory";
const char* const kUserEntries[] = {"User 1", "User 2", "User 3"};

// A flash write takes the camera seconds: the wait cursor says so while the line is out.
int set(int commandIndex, int value, uint32_t timeoutMs)
{
    Notices().BeginWait();
    const int result = Camera::Instance().Set(commandIndex, value, timeoutMs);
    Notices().EndWait();
    return result;
}

} // namespace

std::vector<std::string> Entries(Purpose purpose, unsigned controlMode)
{
    std::vector<std::string> entries;
    if (purpose == Purpose::Load || controlMode != 0)
        entries.emplace_back(kFactoryEntry);
    for (const char* entry : kUserEntries)
        entries.emplace_back(entry);
    return entries;
}

int AreaOfEntry(const std::string& entry)
{
    if (entry == kFactoryEntry)
        return kFactoryArea;
    for (int area = kFirstUserArea; area <= kLastUserArea; ++area)
        if (entry == kUserEntries[area - kFirstUserArea])
            return area;
    return kInvalidArea;
}

int LoadArea(int area)
{
    return set(CmdIndex::LD, area, kLoadTimeoutMs) == 1 ? 1 : 0;
}

int StoreArea(int area)
{
    if (area != kFactoryArea && (area < kFirstUserArea || area > kLastUserArea)) {
        Notices().Message("Selected invalid area !", "", NoticeIcon::Error);
        return 0;
    }
    const int stored = area == kFactoryArea ? set(CmdIndex::SA00, 0, kStoreTimeoutMs)
                                            : set(CmdIndex::SA, area, kStoreTimeoutMs);
    if (stored != 1)
        return 0;
    Notices().Message("Completed saving current setting data !", "", NoticeIcon::Information);
    return 1;
}

const char* StoreAllQuestion()
{
    return "Are you sure you want to overwrite into all EEPROM areas?";
}

std::string LoadQuestion(const std::string& areaName)
{
    return "Replace the camera's current settings with the settings stored in \"" + areaName + "\"?";
}

int StoreAllUserAreas()
{
    int failed = 0;
    for (int area = kLastUserArea; area >= kFirstUserArea; --area) {
        // The camera needs a moment between two flash writes.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (set(CmdIndex::SA, area, kStoreAllTimeoutMs) != 1)
            ++failed;
    }
    if (failed)
        Notices().Message("Couldn't store current setting data!", "", NoticeIcon::Warning);
    else
        Notices().Message("Completed to store current setting data!", "", NoticeIcon::Information);
    return failed;
}

} // namespace FlashAreas
