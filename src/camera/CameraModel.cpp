#include "CameraModel.h"

#include "Command.h"
#include "Ids.h"
#include "Timeouts.h"
#include "UserNotice.h"

Command::Result CheckCameraModel(Command& command, UserNotice& notice, CameraModel& model)
{
    if (model.answerFresh) {
        model.answerFresh = false;
        return {Command::Outcome::Answered, {}};
    }
    std::string name;
    const Command::Result answer = command.QueryText(CmdIndex::MD, name, Timeouts::kBriefQueryMs);
    if (!answer)
        return answer;
    if (name == CameraModel::kModel5100) {
        model.modelType = 0;
    } else if (name == CameraModel::kModel5200) {
        model.modelType = 1;
    } else {
        model.modelType = 2;
        notice.Message("Unsupported model: \"" + name + "\"", "", NoticeIcon::Warning);
    }
    model.modelName = name;
    return answer;
}
