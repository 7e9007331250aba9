#include "FactoryIdentity.h"

#include "Camera.h"
#include "Ids.h"
#include "Timeouts.h"
#include "UserNotice.h"

namespace FactoryIdentity {

int WriteModelId(Camera& camera, int position)
{
    static const char* const kModels[] = {CameraModel::kModel5100, CameraModel::kModel5200};
    constexpr const char* kFailed = "Failed writting camera model id.";
    if (position < 0 || position > 1 || camera.SetText(CmdIndex::MD00, kModels[position], Timeouts::kModelNameWriteMs) != 1) {
        camera.Notice().Message(kFailed, "", NoticeIcon::Error);
        return 0;
    }
    camera.CheckModel();
    camera.Notice().Message("Succeeded in writting camera model id.", "", NoticeIcon::Information);
    return 1;
}

std::optional<XmlDigits> ReadXmlVersion(Camera& camera)
{
    uint32_t value = 0;
    if (camera.Query(CmdIndex::XMLVR, value, Timeouts::kExchangeMs) != 1)
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

int WriteXmlVersion(Camera& camera, const XmlDigits& boxes)
{
    const std::optional<int32_t> version = XmlVersionOf(boxes);
    if (!version) {
        // Not the camera's refusal: nothing was sent, the person has to mend the boxes.
        camera.Notice().Message("Each box takes one digit 0\u20139.", "", NoticeIcon::Error);
        return 0;
    }
    if (camera.Set(CmdIndex::XMLVR, *version, Timeouts::kLongSetMs) != 1) {
        camera.Notice().Message("Couldn't write the XML Version.", "", NoticeIcon::Error);
        return 0;
    }
    camera.Notice().Message("Writing the XML Version has been completed.", "", NoticeIcon::Information);
    return 1;
}

} // namespace FactoryIdentity
