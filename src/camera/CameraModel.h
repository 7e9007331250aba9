#pragma once
// A camera's model as the last model check found it, and the check itself. Only
// CheckCameraModel changes it. Qt-free.
#include "Command.h"

#include <cstdint>
#include <string>

class UserNotice;

struct CameraModel {
    static constexpr const char* kModel5100 = "KT-5100W-QBCL";
    static constexpr const char* kModel5200 = "KT-5200W-QBCL";

    // 0 KT-5100W-QBCL, 1 KT-5200W-QBCL, 2 any other or not read yet.
    uint32_t modelType = 2;
    // The model name as the camera last reported it.
    std::string modelName;
    // Set by ReuseAnswer: the next check takes the answer the camera has just given.
    bool answerFresh = false;

    // For a caller that has just had the camera's answer and runs a step that begins with
    // the same check (the communication dialog's change followed by the reload): the first
    // check inside the scope reports that answer instead of asking the camera again.
    class ReuseAnswer {
    public:
        explicit ReuseAnswer(CameraModel& model) : m_model(model) { m_model.answerFresh = true; }
        ~ReuseAnswer() { m_model.answerFresh = false; }
        ReuseAnswer(const ReuseAnswer&) = delete;
        ReuseAnswer& operator=(const ReuseAnswer&) = delete;

    private:
        CameraModel& m_model;
    };

    bool IsSupported() const { return modelType < 2; }
    // Sensor size in pixels: the KT-5100W-QBCL's, or the KT-5200W-QBCL's for any other model.
    static constexpr int kSensor5100Width = 1456;
    static constexpr int kSensor5100Height = 1088;
    static constexpr int kSensor5200Width = 2064;
    static constexpr int kSensor5200Height = 1544;
    int SensorWidth() const { return modelType == 0 ? kSensor5100Width : kSensor5200Width; }
    int SensorHeight() const { return modelType == 0 ? kSensor5100Height : kSensor5200Height; }
};

// Asks the camera for its model name (text query MD, 1000 ms) and classifies it. Answered when
// the camera answered (also with a model this program does not know, after a warning to
// notice); otherwise how the exchange ended, and the model keeps its previous contents.
// Inside a ReuseAnswer scope the first call is answered at once with the model as the answer
// just received left it.
Command::Result CheckCameraModel(Command& command, UserNotice& notice, CameraModel& model);
