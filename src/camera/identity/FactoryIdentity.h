#pragma once
// The identity values the maker sets on the factory page: the camera's model id (one of the
// two supported models) and its XML version (three decimal digits, 1.2.3 kept as 123).
// Qt-free; user-interface thread only.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

class Camera;
namespace FactoryIdentity {


using XmlDigits = std::array<std::string, 3>;

// Writes the model at that position of the model list (0 KT-5100W-QBCL, 1 KT-5200W-QBCL)
// and checks the model again; any other position sends nothing. Tells the person how it
// went; 1 when the camera took it.
int WriteModelId(Camera& camera, int position);

// The three boxes of a version number v: v / 100, (v / 10) % 10, v % 10; nothing when the
// camera did not answer, so the boxes keep what they show.
std::optional<XmlDigits> ReadXmlVersion(Camera& camera);

// The version the three boxes spell when each holds exactly one digit 0-9; nothing otherwise.
std::optional<int32_t> XmlVersionOf(const XmlDigits& boxes);
// Writes the version of the three boxes and tells the person how it went; boxes that do not
// spell a version send nothing and say so ("Each box takes one digit 0-9."). 1 when the
// camera took it.
int WriteXmlVersion(Camera& camera, const XmlDigits& boxes);

} // namespace FactoryIdentity
