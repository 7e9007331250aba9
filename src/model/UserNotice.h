#pragma once
// The one way any part of the program talks to the person at the screen: message boxes,
// Yes/No questions, file dialogs, the wait cursor and dispatching pending window events.
// Qt-free so that model/ and link/ can use it; the Qt implementation lives in widgets/,
// tests plug in RecordingNotice. Every text from the camera or a file is passed as data.
#include <string>
#include <vector>

// None: a plain box without an icon.
enum class NoticeIcon { Information, Warning, Exclamation, Question, Error, None };

class UserNotice {
public:
    virtual ~UserNotice() = default;
    // Modal message box with an OK button.
    virtual void Message(const std::string& text, const std::string& caption, NoticeIcon icon) = 0;
    // Modal question with Yes and No buttons and the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // The same with No as the default button, for a question whose Yes throws something away.
    virtual bool AskYesNoDefaultNo(const std::string& text, const std::string& caption)
    {
        return AskYesNo(text, caption);
    }
    // File dialogs; an empty result means the person cancelled.
    virtual std::string OpenFileName(const std::string& title, const std::string& folder,
                                     const std::string& filter) = 0;
    virtual std::string SaveFileName(const std::string& title, const std::string& folder,
                                     const std::string& filter) = 0;
    // Wait cursor around blocking exchanges; nests.
    virtual void BeginWait() {}
    virtual void EndWait() {}
    // Lets the window system repaint and handle input during a long transfer.
    virtual void ProcessEvents() {}
};

// The process-wide notice service. Without an installed one, messages go to standard error
// and questions are answered No, so Qt-free code and tools never block on a dialog.
UserNotice& Notices();
// Installs a service (not owned); nullptr restores the standard-error one. Returns the one
// installed before (nullptr for the standard-error one), for a caller that puts it back.
UserNotice* SetNotices(UserNotice* notices);

// Records every notice and answers from a script; for tests.
class RecordingNotice : public UserNotice {
public:
    struct Entry {
        std::string text;
        std::string caption;
        NoticeIcon icon;
    };
    std::vector<Entry> messages;
    std::vector<std::string> questions;
    std::vector<bool> answers;          // consumed front first; No when exhausted
    std::vector<std::string> fileNames; // consumed front first; cancel when exhausted
    int waitDepth = 0;

    void Message(const std::string& text, const std::string& caption, NoticeIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    std::string OpenFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override;
    std::string SaveFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override;
    void BeginWait() override { ++waitDepth; }
    void EndWait() override { --waitDepth; }
    void Clear() { messages.clear(); questions.clear(); }
};

// Installs a RecordingNotice for the lifetime of this object (tests).
class ScopedRecordingNotice {
public:
    ScopedRecordingNotice() { SetNotices(&recorder); }
    ~ScopedRecordingNotice() { SetNotices(nullptr); }
    RecordingNotice recorder;
};
