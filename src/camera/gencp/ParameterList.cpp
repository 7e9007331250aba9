#include "ParameterList.h"

#include "Camera.h"
#include "CameraModel.h"
#include "CommLink.h"
#include "GenCpPacket.h"
#include "Progress.h"
#include "UserNotice.h"
#include "Walk.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

constexpr const char* kErrorCaption = "Communication Error";

std::string quoted(const FeatureRecord& record)
{
    return "\"" + record.displayName + "\"";
}

std::string registerText(const FeatureRecord& record)
{
    char text[40];
    std::snprintf(text, sizeof text, "register 0x%08X", record.address);
    return text;
}

void warn(Camera& camera, const std::string& text, const char* caption = "")
{
    camera.Notice().Message(text, caption, NoticeIcon::Exclamation);
}

// The folder of the running program, from the operating system.
std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string exe(path, size_t(n));
    return exe.substr(0, exe.rfind('/'));
}

// A model name is the camera's own text: only plain names may become part of a file name.
bool plainName(const std::string& name)
{
    if (name.empty())
        return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return false;
    return true;
}

bool readFile(const std::string& path, uint64_t limit, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return text.size() <= limit;
}

// One progress window over the walks of a load: each walk may name its step, none closes the
// window before the load ends (each close would pause for the person to see the end).
class ProgressSpan : public Progress {
public:
    explicit ProgressSpan(Progress& inner) : m_inner(inner) {}
    ~ProgressSpan() override
    {
        if (m_begun)
            m_inner.end();
    }
    void begin(const std::string& message) override
    {
        m_begun = true;
        m_inner.begin(message);
    }
    void advance(int percent) override { m_inner.advance(percent); }
    void end() override {}
    bool cancelled() const override { return m_inner.cancelled(); }

private:
    Progress& m_inner;
    bool m_begun = false;
};

int percentOf(size_t done, size_t total)
{
    return total == 0 ? 100 : int(done * 100 / total);
}

} // namespace

ParameterList::ParameterList(Camera& camera, uint32_t answerMs)
    : m_camera(camera), m_answerMs(answerMs), m_channel(camera.Link(), answerMs)
{
}

std::string ParameterList::ShippedDescriptionPath(const std::string& modelName)
{
    if (!plainName(modelName))
        return {};
    const std::string program = programFolder();
    std::vector<std::string> folders;
    if (!program.empty()) {
        folders.push_back(program + "/../share/lumora/genicam");
        folders.push_back(program + "/genicam");
    }
#ifdef LUMORA_GENICAM_SOURCE_DIR
    folders.push_back(LUMORA_GENICAM_SOURCE_DIR);
#endif
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + modelName + ".xml";
        if (access(path.c_str(), R_OK) == 0)
            return path;
    }
    return {};
}

bool ParameterList::Load(Progress& outer)
{
    const CommLink::Hold hold(m_camera.Link());
    ProgressSpan progress(outer);
    const DeviceIdentity knownIdentity = m_identity;
    uint64_t manifestAddress = 0;
    m_speaksGenCp = readIdentity(progress, manifestAddress);
    if (!m_speaksGenCp) {
        m_identity = {};
        return loadShipped("The camera does not answer GenCP register reads");
    }
    ManifestEntry entry;
    if (manifestAddress == 0 || !readManifest(manifestAddress, entry))
        return loadShipped("The camera offers no feature description");
    if (entry.FileType() != 0)
        return loadShipped("The camera's feature description is compressed, which this tool does not read");
    if (entry.size == 0 || entry.size > kMaxDescriptionBytes)
        return loadShipped("The camera's feature description has no usable size");
    if (m_source == Source::Camera && m_identity == knownIdentity && entry == m_manifestEntry)
        return true;

    std::string text;
    if (!download(progress, entry, text))
        return loadShipped("Reading the camera's feature description did not complete");
    FeatureDescription description = ReadFeatureDescription(text);
    if (!description.Ok())
        return loadShipped("The camera's feature description is " + description.error);
    m_description = std::move(description);
    m_source = Source::Camera;
    m_manifestEntry = entry;
    m_note = "Features from the camera's own description, version " + entry.VersionText() + ".";
    return true;
}

bool ParameterList::readIdentity(Progress& progress, uint64_t& manifestAddress)
{
    struct Field {
        uint64_t address;
        std::string DeviceIdentity::*text;
    };
    static constexpr Field kFields[] = {
        {Bootstrap::kManufacturerName, &DeviceIdentity::manufacturer},
        {Bootstrap::kModelName, &DeviceIdentity::model},
        {Bootstrap::kDeviceVersion, &DeviceIdentity::version},
        {Bootstrap::kSerialNumber, &DeviceIdentity::serial},
    };
    const int steps = int(std::size(kFields)) + 1;
    Walk walk(m_camera, progress, "Now, asking the camera who it is.", steps, "registers");
    DeviceIdentity identity;
    int done = 0;
    for (const Field& field : kFields) {
        std::string bytes;
        const GenCpChannel::Outcome outcome = m_channel.Read(field.address, Bootstrap::kTextLength, bytes);
        // A camera that does not answer the first read, or answers it with something else than
        // an acknowledge, does not speak GenCP on this line.
        if (done == 0 && outcome.result != GenCpChannel::Result::Ok)
            return false;
        if (outcome.result == GenCpChannel::Result::Ok)
            identity.*field.text = BootstrapText(bytes);
        if (!walk.Next(percentOf(++done, steps), outcome.AsCommandOutcome()))
            return false;
    }
    m_identity = identity;
    std::string bytes;
    const GenCpChannel::Outcome outcome = m_channel.Read(Bootstrap::kManifestTableAddress, Bootstrap::kAddressLength, bytes);
    manifestAddress = outcome.result == GenCpChannel::Result::Ok ? BigEndian(bytes) : 0;
    walk.Next(100, outcome.AsCommandOutcome());
    return true;
}

bool ParameterList::readManifest(uint64_t manifestAddress, ManifestEntry& entry)
{
    std::string bytes;
    if (m_channel.Read(manifestAddress, Bootstrap::kCountLength, bytes).result != GenCpChannel::Result::Ok)
        return false;
    const uint64_t count = ManifestCount(bytes);
    std::string table;
    const uint64_t tableBytes = count * Bootstrap::kEntryLength;
    for (uint64_t at = 0; at < tableBytes; at += kChunk) {
        const auto n = static_cast<uint16_t>(std::min<uint64_t>(kChunk, tableBytes - at));
        if (m_channel.Read(manifestAddress + Bootstrap::kCountLength + at, n, bytes).result != GenCpChannel::Result::Ok)
            return false;
        table += bytes;
    }
    const std::vector<ManifestEntry> entries = ParseManifestEntries(table);
    if (entries.empty())
        return false;
    // The first uncompressed description, else the first of any kind (to say why it is not used).
    entry = entries.front();
    for (const ManifestEntry& e : entries)
        if (e.FileType() == 0) {
            entry = e;
            break;
        }
    return true;
}

bool ParameterList::download(Progress& progress, const ManifestEntry& entry, std::string& text)
{
    const uint64_t parts = (entry.size + kChunk - 1) / kChunk;
    Walk walk(m_camera, progress, "Now, reading the camera's feature description.", int(parts), "parts");
    text.clear();
    for (uint64_t at = 0; at < entry.size; at += kChunk) {
        const auto n = static_cast<uint16_t>(std::min<uint64_t>(kChunk, entry.size - at));
        std::string bytes;
        const GenCpChannel::Outcome outcome = m_channel.Read(entry.address + at, n, bytes);
        if (outcome.result != GenCpChannel::Result::Ok)
            return false;
        text += bytes;
        if (!walk.Next(percentOf(text.size(), entry.size), outcome.AsCommandOutcome()))
            return false;
    }
    return true;
}

bool ParameterList::loadShipped(const std::string& why)
{
    m_manifestEntry = {};
    const std::string model = m_identity.model.empty() ? m_camera.Model().modelName : m_identity.model;
    const std::string shownModel = model.empty() ? std::string("a camera of unknown model") : model;
    const std::string path = ShippedDescriptionPath(model);
    std::string text;
    FeatureDescription description;
    if (!path.empty() && readFile(path, kMaxDescriptionBytes, text))
        description = ReadFeatureDescription(text);
    if (path.empty() || text.empty() || !description.Ok()) {
        m_description = {};
        m_source = Source::None;
        m_note = why + ", and no usable description is shipped for " + shownModel + ".";
        return false;
    }
    m_description = std::move(description);
    m_source = Source::Shipped;
    m_note = why + "; showing the description shipped for " + shownModel + ".";
    return true;
}

bool ParameterList::ReadAll(Progress& progress, View& view)
{
    const CommLink::Hold hold(m_camera.Link());
    std::vector<size_t> readable;
    for (size_t i = 0; i < m_description.records.size(); ++i) {
        const FeatureRecord& r = m_description.records[i];
        if (r.Has(FeatureRecord::Readable) && !r.Has(FeatureRecord::Disabled))
            readable.push_back(i);
    }
    Walk walk(m_camera, progress, "Now, reading the camera's registers.", int(readable.size()), "registers");
    bool timedOut = false;
    for (size_t k = 0; k < readable.size(); ++k) {
        const FeatureRecord& record = m_description.records[readable[k]];
        std::string bytes;
        const GenCpChannel::Outcome outcome = m_channel.Read(record.address, uint16_t(record.length), bytes);
        RowValue value;
        if (outcome.result == GenCpChannel::Result::Ok && DecodeRegister(record, bytes, value)) {
            view.ShowValue(readable[k], value);
        } else if (outcome.result == GenCpChannel::Result::Unanswered) {
            char text[300];
            std::snprintf(text, sizeof text,
                          "The camera did not answer the reading of %s within %u ms.\n"
                          "\"Read All Data\" stopped after %zu of %zu registers.",
                          quoted(record).c_str(), unsigned(m_answerMs), k, readable.size());
            warn(m_camera, text);
            timedOut = true;
        } else if (outcome.result != GenCpChannel::Result::LinkLost) {
            reportFailure("Reading", record, outcome);
        }
        const bool goOn = walk.Next(percentOf(k + 1, readable.size()), outcome.AsCommandOutcome());
        if (timedOut || !goOn)
            break;
    }
    walk.Finish();
    return !timedOut && walk.Complete();
}

bool ParameterList::Write(size_t index, const RowValue& value, View& view)
{
    if (index >= m_description.records.size())
        return false;
    const FeatureRecord& record = m_description.records[index];
    if (!record.Has(FeatureRecord::Writable) || record.Has(FeatureRecord::Disabled))
        return false;
    const CommLink::Hold hold(m_camera.Link());
    std::string bytes, why;
    if (!EncodeRegister(record, value, bytes, why)) {
        warn(m_camera, quoted(record) + " cannot take that value: " + why + ".");
        readBack(index, view);
        return false;
    }
    const GenCpChannel::Outcome outcome = m_channel.Write(record.address, bytes);
    if (outcome.result != GenCpChannel::Result::Ok)
        reportFailure("Writing", record, outcome);
    // The row shows what the camera holds now, also after a refusal; a camera that did not
    // answer is not asked again.
    if (outcome.result == GenCpChannel::Result::Ok || outcome.result == GenCpChannel::Result::Refused)
        readBack(index, view);
    return outcome.result == GenCpChannel::Result::Ok;
}

bool ParameterList::readBack(size_t index, View& view)
{
    const FeatureRecord& record = m_description.records[index];
    if (!record.Has(FeatureRecord::Readable))
        return false;
    std::string bytes;
    RowValue value;
    if (m_channel.Read(record.address, uint16_t(record.length), bytes).result != GenCpChannel::Result::Ok
        || !DecodeRegister(record, bytes, value))
        return false;
    view.ShowValue(index, value);
    return true;
}

void ParameterList::reportFailure(const char* action, const FeatureRecord& record, const GenCpChannel::Outcome& outcome)
{
    std::string lower = action;
    lower[0] = char(lower[0] - 'A' + 'a');
    switch (outcome.result) {
    case GenCpChannel::Result::Ok: return;
    case GenCpChannel::Result::Refused:
        warn(m_camera, std::string(action) + " " + quoted(record) + " (" + registerText(record) + ") was refused by the camera: "
                 + GenCp::StatusText(outcome.status) + ".",
             kErrorCaption);
        return;
    case GenCpChannel::Result::Malformed:
        warn(m_camera, "The camera's answer to " + lower + " " + quoted(record) + " (" + registerText(record)
                 + ") was not understood: " + outcome.problem + ".",
             kErrorCaption);
        return;
    case GenCpChannel::Result::Unanswered:
        warn(m_camera, "The camera did not answer the " + lower + " of " + quoted(record) + " within "
             + std::to_string(m_answerMs) + " ms.");
        return;
    case GenCpChannel::Result::LinkLost:
        warn(m_camera, "The connection to the camera was lost while " + lower + " " + quoted(record) + ".");
        return;
    }
}
