#include "FlashAreas.h"

#include "Camera.h"
#include "Ids.h"
#include "Timeouts.h"
#include "UserNotice.h"

#include <chrono>
#include <thread>

namespace FlashAreas {

namespace {

const char* const kFactoryEntry = "Factory";
const char* const kUserEntries[] = {"User 1", "User 2", "User 3"};

// A flash write takes the camera seconds: the wait cursor says so while the line is out.
Command::Result set(Camera& camera, int commandIndex, int value, uint32_t timeoutMs)
{
    camera.Notice().BeginWait();
    const Command::Result result = camera.Set(commandIndex, value, timeoutMs);
    camera.Notice().EndWait();
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

Command::Result LoadArea(Camera& camera, int area)
{
    return set(camera, CmdIndex::LD, area, Timeouts::kFlashLoadMs);
}

Command::Result StoreArea(Camera& camera, int area)
{
    if (area != kFactoryArea && (area < kFirstUserArea || area > kLastUserArea)) {
        camera.Notice().Message("Selected invalid area !", "", NoticeIcon::Error);
        return {};
    }
    return area == kFactoryArea ? set(camera, CmdIndex::SA00, 0, Timeouts::kFlashStoreMs)
                                : set(camera, CmdIndex::SA, area, Timeouts::kFlashStoreMs);
}

const char* StoreAllQuestion()
{
    return "Are you sure you want to overwrite into all EEPROM areas?";
}

std::string LoadQuestion(const std::string& areaName)
{
    return "Replace the camera's current settings with the settings stored in \"" + areaName + "\"?";
}

int StoreAllUserAreas(Camera& camera)
{
    int failed = 0;
    for (int area = kLastUserArea; area >= kFirstUserArea; --area) {
        // The camera needs a moment between two flash writes.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (StoreArea(camera, area) != 1)
            ++failed;
    }
    return failed;
}

int CurrentArea(Camera& camera)
{
    uint32_t area = 0;
    if (camera.Query(CmdIndex::QueryArea, area, Timeouts::kExchangeMs) != 1 || area > kLastUserArea)
        return kInvalidArea;
    return int(area);
}

} // namespace FlashAreas
