#include "FactoryIdentity.h"

#include "Camera.h"
#include "Ids.h"
#include "Timeouts.h"
#include "UserNotice.h"

namespace FactoryIdentity {

int WriteModelId(int position)
{
    static const char* const kModels[] = {CameraModel::kModel5100, CameraModel::kModel5200};
    constexpr const char* kFailed = "Failed writting camera model id.";
    Camera& camera = Camera::Instance();
    if (position < 0 || position > 1 || camera.SetText(CmdIndex::MD00, kModels[position], Timeouts::kModelNameWriteMs) != 1) {
        Notices().Message(kFailed, "", NoticeIcon::Error);
        return 0;
    }
    camera.CheckModel();
    Notices().Message("Succeeded in writting camera model id.", "", NoticeIcon::Information);
    return 1;
}

std::optional<XmlDigits> ReadXmlVersion()
{
    uint32_t value = 0;
    if (Camera::Instance().Query(CmdIndex::XMLVR, value, Timeouts::kExchangeMs) != 1)
        return std::nullopt;
    return XmlDigits{std::to_string(value / 100), std::to_string(value / 10 % 10), std::to_string(value % 10)};
}

std::optional<int32_t> XmlVersionOf(const XmlDigits& boxes)
{
    int32_t version = 0;
    for (const std::string& box : boxes) {
        if (box.size() != 1 || box[0] < '0' || box[0] > '9')
            return std::nullopt;
        version = version * 10 + (box[0] - '0');
    }
    return version;
}

int WriteXmlVersion(const XmlDigits& boxes)
{
    const std::optional<int32_t> version = XmlVersionOf(boxes);
    if (!version) {
        // Not the camera's refusal: nothing was sent, the person has to mend the boxes.
        Notices().Message("Each box takes one digit 0\u20139.", "", NoticeIcon::Error);
        return 0;
    }
    if (Camera::Instance().Set(CmdIndex::XMLVR, *version, Timeouts::kLongSetMs) != 1) {
        Notices().Message("Couldn't write the XML Version.", "", NoticeIcon::Error);
        return 0;
    }
    Notices().Message("Writing the XML Version has been completed.", "", NoticeIcon::Information);
    return 1;
}

} // namespace FactoryIdentity
