#pragma once
// "User Id": the camera's user id, read when the window is built, in one field, and "Save".
#include "IdentityDialog.h"

class QPushButton;

class CUserIdDialog : public IdentityDialog {
    Q_OBJECT
public:
    explicit CUserIdDialog(QWidget* parent = nullptr);

    void Save();

private:
    QLineEdit* m_userId;
    QPushButton* m_save;
};
