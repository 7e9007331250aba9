#pragma once
// The program's name and version, as the main window's caption and the about window show them.
namespace ProgramInfo {
inline constexpr const char* kName = "Lumora Control Tool";
inline constexpr const char* kVersion = "0.14";
} // namespace ProgramInfo
