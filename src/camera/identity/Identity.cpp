#include "Identity.h"

#include "Camera.h"
#include "Ids.h"
#include "Progress.h"
#include "Timeouts.h"
#include "UserNotice.h"
#include "Walk.h"

#include <functional>

namespace Identity {

namespace {

constexpr int32_t kUnlockCode = 7315048; // the camera's unlock code for one camera id write
constexpr int32_t kLockCode = 0;         // any other code withdraws the unlock
constexpr int kAboutReadings = 7;

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Refuses a text that cannot go on a command line, saying why; true when it may go.
bool sendable(Camera& camera, const std::string& text, const char* what)
{
    if (IsSendable(text))
        return true;
    camera.Notice().Message(std::string("The ") + what
                          + " may hold only printable ASCII characters (letters, digits, spaces and signs).\n"
                            "Line breaks, tabs and other characters cannot be sent to the camera.",
                      "", NoticeIcon::Error);
    return false;
}

void tell(Camera& camera, const std::string& text, NoticeIcon icon)
{
    camera.Notice().Message(text, "", icon);
}

// The wait cursor for as long as the reading runs.
class WaitCursor {
public:
    explicit WaitCursor(UserNotice& notice) : m_notice(notice) { m_notice.BeginWait(); }
    ~WaitCursor() { m_notice.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserNotice& m_notice;
};

} // namespace

std::string VersionText(uint32_t value)
{
    const std::string hundredths = std::to_string(value % 100);
    return std::to_string(value / 100) + "." + (hundredths.size() < 2 ? "0" : "") + hundredths;
}

std::string XmlVersionText(uint32_t value)
{
    return std::to_string(value / 100) + "." + std::to_string((value / 10) % 10) + "." + std::to_string(value % 10);
}

std::optional<DeviceVersion> SplitDeviceVersion(const std::string& text)
{
    DeviceVersion parts;
    size_t part = 0;
    for (char c : text) {
        if (c != '.')
            parts[part] += c;
        else if (++part == kDeviceVersionParts)
            return std::nullopt;
    }
    if (part != kDeviceVersionParts - 1)
        return std::nullopt;
    return parts;
}

std::string FirstCharacters(const std::vector<std::string>& fields, const std::string& separator)
{
    std::string joined;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            joined += separator;
        const std::string& field = fields[i];
        if (field.empty())
            continue;
        size_t end = 1;
        while (end < field.size() && isContinuation(field[end]))
            ++end;
        joined += field.substr(0, end);
    }
    return joined;
}

size_t CharacterCount(const std::string& text)
{
    size_t count = 0;
    for (char c : text)
        count += !isContinuation(c);
    return count;
}

bool IsSendable(const std::string& text)
{
    for (char c : text)
        if (c < ' ' || c > '~')
            return false;
    return true;
}

AboutData ReadAboutData(Camera& camera)
{
    AboutData data;
    WaitCursor wait(camera.Notice());
    SilentProgress progress;
    Walk walk(camera, progress, "", kAboutReadings, "identity values");

    uint32_t number = 0;
    if (camera.Query(CmdIndex::VN, number) != 1)
        return data;
    data.firmware = VersionText(number);
    std::string text;
    const std::function<void()> steps[] = {
        [&] {
            if (camera.CheckModel() == 1)
                data.model = camera.Model().modelName;
        },
        [&] {
            if (camera.QueryRawText(CmdIndex::ID, text) == 1)
                data.cameraId = text.substr(0, kCameraIdLength);
        },
        [&] {
            if (camera.Query(CmdIndex::FPVN, number) == 1)
                data.fpga = VersionText(number);
        },
        [&] {
            if (camera.QueryRawText(CmdIndex::UD, text) == 1)
                data.userId = text;
        },
        [&] {
            if (camera.QueryRawText(CmdIndex::DV, text) == 1)
                data.deviceVersion = SplitDeviceVersion(text);
        },
        [&] {
            if (camera.Query(CmdIndex::XMLVR, number) == 1)
                data.xmlVersion = XmlVersionText(number);
        },
    };
    int done = 1;
    for (const auto& step : steps) {
        if (!walk.Next(100 * done++ / kAboutReadings))
            break;
        step();
    }
    walk.Next(100);
    return data;
}

int ReadUserId(Camera& camera, std::string& text)
{
    return camera.QueryRawText(CmdIndex::UD, text);
}

int ReadCameraId(Camera& camera, std::string& text)
{
    return camera.QueryRawText(CmdIndex::ID, text);
}

int SaveUserId(Camera& camera, const std::string& text)
{
    if (CharacterCount(text) > kUserIdMaxLength) {
        tell(camera, "User ID string is too long !!", NoticeIcon::Error);
        return 0;
    }
    if (!sendable(camera, text, "User ID"))
        return 0;
    if (camera.SetText(CmdIndex::UD, text, Timeouts::kExchangeMs) != 1) {
        tell(camera, "Couldn't write the User ID.", NoticeIcon::Error);
        return 0;
    }
    tell(camera, "Writing the User ID \"" + text + "\" has been completed.", NoticeIcon::Information);
    return 1;
}

int SaveDeviceVersion(Camera& camera, const std::string& text)
{
    if (!sendable(camera, text, "Device Version"))
        return 0;
    if (camera.SetText(CmdIndex::DV, text, Timeouts::kLongSetMs) != 1) {
        tell(camera, "Couldn't write the Device Version.", NoticeIcon::Error);
        return 0;
    }
    tell(camera, "Writing the Device Version has been completed.", NoticeIcon::Information);
    return 1;
}

int SaveCameraId(Camera& camera, const std::string& text)
{
    if (!sendable(camera, text, "camera id"))
        return 0;
    if (camera.Set(CmdIndex::ULCK, kUnlockCode) != 1) {
        tell(camera, "Couldn't save camera id.", NoticeIcon::Error);
        return 0;
    }
    if (camera.SetText(CmdIndex::ID, text, Timeouts::kExchangeMs) != 1) {
        // An unlock left standing would let any later ID line change the camera id.
        const bool locked = camera.Set(CmdIndex::ULCK, kLockCode) == 1;
        tell(camera, locked ? "Couldn't save the camera id."
                    : "Couldn't save the camera id.\n"
                      "The camera could not be locked again: it may still take a camera id write "
                      "until it is switched off and on.",
             NoticeIcon::Error);
        return 0;
    }
    tell(camera, "Completed saving camera id: " + text + ".", NoticeIcon::Information);
    return 1;
}

} // namespace Identity
