#include "CameraModel.h"

#include "Command.h"
#include "Ids.h"
#include "UserNotice.h"

namespace {

constexpr uint32_t kModelQueryTimeoutMs = 1000;

} // namespace

CameraModel& CameraModel::Instance()
{
    static CameraModel model;
    return model;
}

int CheckCameraModel(CameraModel& model)
{
    if (model.answerFresh) {
        model.answerFresh = false;
        return 1;
    }
    std::string name;
    if (!Command::Instance().QueryText(CmdIndex::MD, name, kModelQueryTimeoutMs))
        return 0;
    if (name == CameraModel::kModel5100) {
        model.modelType = 0;
    } else if (name == CameraModel::kModel5200) {
        model.modelType = 1;
    } else {
        model.modelType = 2;
        Notices().Message("Unsupported model: \"" + name + "\"", "", NoticeIcon::Warning);
    }
    model.modelName = name;
    return 1;
}
