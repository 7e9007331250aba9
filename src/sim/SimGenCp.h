#pragma once
// The simulated camera's register side: GenCP read and write memory requests, as they come on
// the same line as the ASCII commands (SimSession tells them apart by the preamble). The
// register space holds the bootstrap registers (who the camera is, where its manifest lies),
// the manifest with one entry, the model's feature description, and the feature registers,
// each of which is one camera command: a register read is that command's query and a write its
// setting, so both ways of talking to the camera see the same state.
//
// Checksums are not looked at and answered as 0, as the tool does.
#include "SimCamera.h"
#include "SimOptions.h"

#include <cstdint>
#include <string>
#include <string_view>

class SimGenCp {
public:
    static constexpr size_t kHeaderSize = 16;
    static constexpr uint64_t kManifestAddress = 0x00020000;
    static constexpr uint64_t kDescriptionAddress = 0x00100000;

    // The description served: options.genicam names a file, "none" offers an empty manifest,
    // and without it the model's own description is built in (none for an unknown model).
    SimGenCp(SimCamera& camera, const SimOptions& options);
    // Why the description file named in the options could not be read, or empty.
    const std::string& Error() const { return m_error; }

    // Bytes still missing before `packet` (the bytes since the preamble) is a whole request.
    static size_t Missing(std::string_view packet);

    // A whole request in, its acknowledge out. refuseWrites answers every write with "access
    // denied" and changes nothing (the error-replies fault). received and answered describe
    // the request and the answer in one line each for the traffic log.
    std::string Handle(std::string_view packet, bool refuseWrites, std::string& received, std::string& answered);

private:
    uint16_t read(uint64_t address, uint16_t count, std::string& data);
    uint16_t write(uint64_t address, std::string_view data);
    std::string bootstrap();
    std::string manifest() const;

    SimCamera& m_camera;
    std::string m_description;
    std::string m_error;
};

// The feature description built in for a model; empty for a model without one.
std::string_view SimBuiltInDescription(const std::string& model);
