#pragma once
// The identity data that the camera keeps, as the about window and the user id and camera id
// editors show and change them: firmware, FPGA and XML versions, model name, camera id, user
// id and device version. Here are their readings in order, the texts the windows show, and the
// writes with their messages, so that every line stays on this side.
//
// Texts that are shown and may be written back (camera id, user id, device version) are read
// as the camera sent them, not upper-cased. A text goes to the camera only when it holds
// printable ASCII alone: a CR or LF in it would end the line early and send the rest as a
// command of its own. Qt-free; user-interface thread only.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Camera;
namespace Identity {

inline constexpr size_t kUserIdMaxLength = 16;
inline constexpr size_t kCameraIdLength = 10;
inline constexpr size_t kDeviceVersionParts = 4;

// What a field shows until its value arrives.
inline constexpr const char* kVersionPlaceholder = "?.??";
inline constexpr const char* kXmlVersionPlaceholder = "?.?.?";
inline constexpr const char* kNamePlaceholder = "??????????"; // model name and camera id
inline constexpr const char* kUserIdPlaceholder = "????????????????";
inline constexpr const char* kPartPlaceholder = "?";           // each device version part

using DeviceVersion = std::array<std::string, kDeviceVersionParts>;

// A firmware or FPGA version number as shown: 123 -> "1.23", 5 -> "0.05".
std::string VersionText(uint32_t value);
// The XML version number as shown: 123 -> "1.2.3".
std::string XmlVersionText(uint32_t value);
// The four parts of a device version; nothing unless the text holds exactly three dots.
std::optional<DeviceVersion> SplitDeviceVersion(const std::string& text);
// The first character of each field joined by the separator; an empty field adds none.
// Texts are UTF-8; a character is one code point.
std::string FirstCharacters(const std::vector<std::string>& fields, const std::string& separator);
// Code points of a UTF-8 text.
size_t CharacterCount(const std::string& text);
// Printable ASCII alone (space to tilde).
bool IsSendable(const std::string& text);

// The about window's camera data; a value the camera did not give stays empty.
struct AboutData {
    std::optional<std::string> firmware;
    std::optional<std::string> model;
    std::optional<std::string> cameraId; // at most kCameraIdLength characters
    std::optional<std::string> fpga;
    std::optional<std::string> userId;
    std::optional<DeviceVersion> deviceVersion;
    std::optional<std::string> xmlVersion;
};

// Reads firmware version, model (the model check), camera id, FPGA version, user id, device
// version and XML version in that order. Without a firmware answer nothing more is asked;
// after it a failed reading does not stop the others, but a camera that stops answering
// does (after three queries in a row, or a lost link; said once).
AboutData ReadAboutData(Camera& camera);

// 1 with the camera's text, 0 when it did not give one.
int ReadUserId(Camera& camera, std::string& text);
int ReadCameraId(Camera& camera, std::string& text);

// The writes. Each checks the text, sends it and tells the person how it went; 1 when the
// camera took the value, 0 when it refused or was not asked.
int SaveUserId(Camera& camera, const std::string& text);
int SaveDeviceVersion(Camera& camera, const std::string& text);
// Unlocks the camera id write first; when the camera id is then not taken, locks it again.
int SaveCameraId(Camera& camera, const std::string& text);

} // namespace Identity
