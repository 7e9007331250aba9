#include "CameraModel.h"

#include "Command.h"
#include "Ids.h"
#include "Timeouts.h"
#include "UserNotice.h"

int CheckCameraModel(Command& command, UserNotice& notice, CameraModel& model)
{
    if (model.answerFresh) {
        model.answerFresh = false;
        return 1;
    }
    std::string name;
    if (!command.QueryText(CmdIndex::MD, name, Timeouts::kBriefQueryMs))
        return 0;
    if (name == CameraModel::kModel5100) {
        model.modelType = 0;
    } else if (name == CameraModel::kModel5200) {
        model.modelType = 1;
    } else {
        model.modelType = 2;
        notice.Message("Unsupported model: \"" + name + "\"", "", NoticeIcon::Warning);
    }
    model.modelName = name;
    return 1;
}
