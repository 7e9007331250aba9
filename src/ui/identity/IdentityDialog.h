#pragma once
// What the about window and the two identity editors share: a modal dialog with the online
// strip along its bottom edge that joins the online-status notifier and the window lock list
// when it is built and leaves both when it goes. Each is created for one menu command, run
// modally and destroyed when it closes.
#include "OnlineStatusUpdater.h"

#include <QDialog>

#include <string>

class QBoxLayout;
class QLineEdit;

class IdentityDialog : public QDialog, public OnlineStatusUpdater {
    Q_OBJECT
public:
    ~IdentityDialog() override;

protected:
    IdentityDialog(const QString& title, QWidget* parent);
    // The contents go here; the strip stays below them.
    QBoxLayout* Contents() const { return m_contents; }

    static std::string Utf8(const QLineEdit* field);

private:
    QBoxLayout* m_contents;
};
