#pragma once
// A camera's model as the last model check found it, and the check itself. Only
// CheckCameraModel changes it. Qt-free.
#include <cstdint>
#include <string>

class Command;
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

// Asks the camera for its model name (text query MD, 1000 ms) and classifies it. 1 when the
// camera answered (also with a model this program does not know, after a warning), 0 when it
// did not; the model then keeps its previous contents. Inside a ReuseAnswer scope the first
// call returns 1 at once with the model as the answer just received left it. An unknown
// model's warning goes to notice.
int CheckCameraModel(Command& command, UserNotice& notice, CameraModel& model);
