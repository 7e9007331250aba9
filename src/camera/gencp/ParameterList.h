#pragma once
// The camera side of the parameter list: who the camera is, where its feature table comes from,
// and reading and writing the registers behind it.
//
// The feature description is read from the camera when it speaks GenCP and its manifest offers
// an uncompressed description; otherwise the description shipped with the tool for the model
// is taken (the model named by the bootstrap registers, else by the ASCII model check). A
// description read once is kept while the camera's identity and manifest stay the same.
//
// Every walk over the registers runs under a Walk with the progress it is given and holds the
// line for its whole length. A refused read or write is reported with the register's name (one
// box per action, as every walk reports); a read that is not answered in time is said once and
// ends "Read All Data". User-interface thread only.
#include "Bootstrap.h"
#include "FeatureTable.h"
#include "GenCpChannel.h"
#include "RegisterValue.h"

#include <string>

class Camera;
class Progress;

class ParameterList {
public:
    enum class Source { None, Camera, Shipped };
    // Bytes asked for in one read of the description file.
    static constexpr uint16_t kChunk = 256;
    // The largest description file taken from a camera.
    static constexpr uint64_t kMaxDescriptionBytes = 4u << 20;

    // Where the rows show what the camera holds.
    class View {
    public:
        virtual ~View() = default;
        virtual void ShowValue(size_t record, const RowValue& value) = 0;
    };

    explicit ParameterList(Camera& camera, uint32_t answerMs = GenCpChannel::kAnswerMs);

    // Reads the identity and the manifest and, when they changed, the description. True when a
    // description is loaded from either source; Note() then says where it came from.
    bool Load(Progress& progress);

    const FeatureDescription& Description() const { return m_description; }
    FeatureDescription& Description() { return m_description; }
    Source DescriptionSource() const { return m_source; }
    // From the bootstrap registers; empty when the camera does not speak GenCP.
    const DeviceIdentity& Identity() const { return m_identity; }
    bool SpeaksGenCp() const { return m_speaksGenCp; }
    // One sentence on where the features came from, or why none are there.
    const std::string& Note() const { return m_note; }

    // "Read All Data": every readable record in table order. True when every one was read.
    bool ReadAll(Progress& progress, View& view);
    // A row changed: writes the record's register (a command record its command value) and
    // shows what the camera then holds. True when the camera took the value.
    bool Write(size_t record, const RowValue& value, View& view);

    // The description shipped for a model: looked for beside the program (../share/lumora/
    // genicam, then genicam) and in the source tree. Empty when there is none.
    static std::string ShippedDescriptionPath(const std::string& modelName);

    uint32_t AnswerMs() const { return m_answerMs; }
    const GenCpChannel& Channel() const { return m_channel; }

private:
    bool readIdentity(Progress& progress, uint64_t& manifestAddress);
    bool readManifest(uint64_t manifestAddress, ManifestEntry& entry);
    bool download(Progress& progress, const ManifestEntry& entry, std::string& text);
    bool loadShipped(const std::string& why);
    bool readBack(size_t record, View& view);
    void reportFailure(const char* action, const FeatureRecord& record, const GenCpChannel::Outcome& outcome);

    Camera& m_camera;
    uint32_t m_answerMs;
    GenCpChannel m_channel;
    FeatureDescription m_description;
    Source m_source = Source::None;
    DeviceIdentity m_identity;
    ManifestEntry m_manifestEntry;
    bool m_speaksGenCp = false;
    std::string m_note;
};
