#pragma once
// The program's own settings: the ten indexed values, the port map (group "Ports") and the
// Camera Link library folder, in one QSettings store in native format ("Norvik" /
// "Lumora Camera Control Tool"; on Linux $XDG_CONFIG_HOME/Norvik/Lumora Camera Control
// Tool.conf, user scope). Every access opens the store afresh and writes through at once,
// so what a run leaves behind is on disk even if it is killed a moment later.
//
// Beside them, in group "Windows", the position and size of the main window and of each tool
// window between runs.
//
// Creating the object records the previous run's shutdown status and marks this run as not
// yet ended normally (status 0); MarkNormalShutdown writes 1 at a normal end.
#include "SettingsStore.h"

#include <QByteArray>

#include <memory>
#include <string>

class QSettings;

class AppSettings : public SettingsStore {
public:
    // The process's settings object: created on first use and installed as the link
    // layer's store (SetSettingsStore).
    static AppSettings& Instance();

    AppSettings();
    ~AppSettings() override;
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    int ReadInt(unsigned index, uint32_t& value, uint32_t defaultValue) override;
    int WriteInt(unsigned index, uint32_t value) override;
    int WriteString(unsigned index, const std::string& text) override;
    int ReadPath(unsigned index, std::string& path) override;
    std::string PortDevice(const std::string& portName) override;
    void SetPortDevice(const std::string& portName, const std::string& device) override;
    std::string ClLibraryFolder() override;

    bool WasPreviousShutdownNormal() override { return m_previousShutdownStatus == 1; }
    uint32_t PreviousShutdownStatus() const { return m_previousShutdownStatus; }
    // The run ended normally: shutdown status 1.
    void MarkNormalShutdown() override;

    // A window's geometry as QWidget::saveGeometry gave it at the end of an earlier run;
    // empty when none was kept.
    QByteArray WindowGeometry(const char* window);
    void WriteWindowGeometry(const char* window, const QByteArray& geometry);

    // The value name of an index 0-9; empty beyond.
    static std::string ValueName(unsigned index);
    // A stored text read as a decimal number: leading blanks, an optional sign, then digits
    // up to the first other character; 0 without digits. Wraps to 32 bits as a number
    // written by WriteInt does.
    static uint32_t ParseDecimal(const std::string& text);
    // The file behind the store.
    static std::string FilePath();

private:
    static std::unique_ptr<QSettings> open();

    uint32_t m_previousShutdownStatus = 0;
};
