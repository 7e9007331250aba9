#pragma once
// Message boxes, Yes/No questions, file dialogs, the wait cursor and event dispatch with Qt
// widgets. Installed once at start-up (SetNotices); all texts are shown as plain text.
#include "UserNotice.h"

#include <QString>

class QWidget;

class QtUserNotice : public UserNotice {
public:
    // defaultCaption is used where a message names none.
    explicit QtUserNotice(QString defaultCaption);

    void Message(const std::string& text, const std::string& caption, NoticeIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override;
    std::string OpenFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override;
    std::string SaveFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override;
    void BeginWait() override;
    void EndWait() override;
    void ProcessEvents() override;

    // "Text files (*.txt)|*.txt|All files (*.*)|*.*||" -> "Text files (*.txt);;All files (*.*)".
    // A filter without '|' is taken as Qt's own form.
    static QString ToQtFilter(const std::string& filter);

private:
    QString caption(const std::string& caption) const;
    bool ask(const std::string& text, const std::string& caption, bool yesIsDefault);
    static QWidget* owner();

    QString m_defaultCaption;
};
