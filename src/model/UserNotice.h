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
    // File dialogs; an empty result means the person cancelled. The save dialog does not ask
    // about an existing file: its caller asks, once, in its own words.
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
// Messages to standard error, questions answered No: for a part used without an owner that
// says where its reports go.
UserNotice& StandardErrorNotice();

// One camera's way to the person. The camera and link layers tell through their camera's
// relay, never through the process-wide service, so each camera's reports go where its owner
// sends them (the window's boxes, a command line's standard error, a script's exception), also
// while other cameras work on other threads. Until its owner points it somewhere it forwards
// to the process-wide service. Used by its camera's thread only.
class NoticeRelay : public UserNotice {
public:
    // Points the relay at a service (not owned; nullptr: the process-wide one) and returns
    // the one it pointed at before.
    UserNotice* SetTarget(UserNotice* target)
    {
        UserNotice* before = m_target;
        m_target = target;
        return before;
    }
    UserNotice& Target() const;

    void Message(const std::string& text, const std::string& caption, NoticeIcon icon) override
    {
        Target().Message(text, caption, icon);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        return Target().AskYesNo(text, caption);
    }
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override
    {
        return Target().AskYesNoDefaultNo(text, caption);
    }
    std::string OpenFileName(const std::string& title, const std::string& folder, const std::string& filter) override
    {
        return Target().OpenFileName(title, folder, filter);
    }
    std::string SaveFileName(const std::string& title, const std::string& folder, const std::string& filter) override
    {
        return Target().SaveFileName(title, folder, filter);
    }
    void BeginWait() override { Target().BeginWait(); }
    void EndWait() override { Target().EndWait(); }
    void ProcessEvents() override { Target().ProcessEvents(); }

private:
    UserNotice* m_target = nullptr;
};

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

// While it lives, message boxes are held back and kept as texts (questions, file dialogs and
// the wait cursor still reach the person): for a step that tells its outcome in one box of
// its own, such as a port search that tries many ports.
class QuietNotices : public UserNotice {
public:
    // Holds back the process-wide service's boxes, or those of one camera's relay.
    QuietNotices();
    explicit QuietNotices(NoticeRelay& relay);
    ~QuietNotices() override;
    QuietNotices(const QuietNotices&) = delete;
    QuietNotices& operator=(const QuietNotices&) = delete;

    // The texts held back, oldest first.
    const std::vector<std::string>& Texts() const { return m_texts; }

    void Message(const std::string& text, const std::string& caption, NoticeIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    std::string OpenFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override;
    std::string SaveFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override;
    void BeginWait() override { m_next.BeginWait(); }
    void EndWait() override { m_next.EndWait(); }
    void ProcessEvents() override { m_next.ProcessEvents(); }

private:
    UserNotice& m_next;
    UserNotice* m_installedBefore;
    NoticeRelay* m_relay = nullptr;
    std::vector<std::string> m_texts;
};

// Installs a RecordingNotice for the lifetime of this object (tests).
class ScopedRecordingNotice {
public:
    ScopedRecordingNotice() { SetNotices(&recorder); }
    ~ScopedRecordingNotice() { SetNotices(nullptr); }
    RecordingNotice recorder;
};
