#pragma once
// One camera as a script holds it: the camera object with a settings store of its own (the
// window's settings file, read, never written), its reports kept as texts instead of shown,
// and one method per operation the Python module offers, each the same camera-layer
// operation lumora-cli runs. Failures are thrown as ScriptError; nothing is printed.
//
// Knows nothing of Python: the module releases the interpreter's lock around every call, so
// several cameras work in parallel from several threads. One call at a time per camera: a
// call from a second thread waits for the first; a call from the thread already inside (a
// progress callback) is refused.
#include "Camera.h"
#include "IniSettings.h"
#include "LinkChoice.h"
#include "LutTable.h"
#include "ParameterSet.h"
#include "SettingCompare.h"
#include "UserNotice.h"

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

class LutProgress;
class Progress;

struct ScriptError : std::runtime_error {
    enum class Kind { Refused, NoCamera, Usage };
    ScriptError(Kind k, const std::string& message) : std::runtime_error(message), kind(k) {}
    Kind kind;
    std::string answer; // Refused: the camera's reply, when one came
    std::vector<SettingFile::Difference> differences; // Refused by a verification
};

class ScriptCamera {
public:
    ScriptCamera();
    ~ScriptCamera();
    ScriptCamera(const ScriptCamera&) = delete;
    ScriptCamera& operator=(const ScriptCamera&) = delete;

    // Opens the link and asks for the model. timeoutMs: the longest any answer is waited for
    // (0: each exchange's own time-out).
    void Open(const LinkRequest& request, uint32_t timeoutMs);
    void Close();
    bool IsOpen() const { return m_open; }
    const std::string& Where() const { return m_choice.where; }
    std::string ModelName();

    // The value as the camera sends it.
    std::string Get(int command);
    // Sets one value by the window's rules; the outcome of a value that was set.
    SetOutcome Set(const SetRequest& request);
    std::vector<std::string> Send(const std::string& line);

    // Reads every setting and returns the file's text; writes it too when path is not empty.
    std::string Dump(const std::string& path, bool shipping, Progress& progress);
    // Applies the file; the applicable lines. With verify, every line is read back.
    int Apply(const std::string& path, bool verify, Progress& progress);
    std::vector<SettingFile::Difference> Diff(const std::string& path, Progress& progress);

    Lut::Tables ReadLut(LutProgress& progress);
    void WriteLut(const Lut::Tables& tables, LutProgress& progress);
    // Flash areas: userSet words the user sets (1 to 3 stored, 0 to 3 loaded), else areas
    // (0 the factory area, stored into in Control Mode 1 only).
    void LoadArea(int area, bool userSet);
    void StoreArea(int area, bool userSet);

private:
    // The camera's reports, kept as texts for the error a call throws.
    class Capture : public UserNotice {
    public:
        std::vector<std::string> texts;
        const LinkChoice* alias = nullptr;
        void Message(const std::string& text, const std::string& caption, NoticeIcon icon) override;
        bool AskYesNo(const std::string&, const std::string&) override { return false; }
        std::string OpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
        std::string SaveFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
    };
    // One call's hold on the camera (see the class comment).
    class Call {
    public:
        explicit Call(ScriptCamera& camera, bool needsLink = true);
        ~Call();
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

    private:
        ScriptCamera& m_camera;
        std::unique_lock<std::mutex> m_lock;
    };

    // The error for what just went wrong: headline, then what the camera layer said.
    ScriptError error(ScriptError::Kind kind, const std::string& headline) const;
    // Refused (with the camera's answer) or NoCamera, as the last exchange ended.
    [[noreturn]] void failExchange(const Command::Result& ended, const std::string& headline) const;
    void readFile(const std::string& path, SettingFile::Parsed& parsed) const;

    IniSettings m_settings;
    Camera m_camera;
    Capture m_capture;
    LinkChoice m_choice;
    std::atomic<bool> m_open{false}; // read by closed and repr without the call lock
    std::mutex m_busy;
    std::atomic<std::thread::id> m_owner{};
};
