#pragma once
// "User Id": the camera's user id, read when the window is built, in one field, and "Save".
#include "IdentityDialog.h"

class Camera;
class QPushButton;

class UserIdDialog : public IdentityDialog {
    Q_OBJECT
public:
    explicit UserIdDialog(Camera& camera, QWidget* parent = nullptr);

    void Save();

private:
    Camera& m_camera;
    QLineEdit* m_userId;
    QPushButton* m_save;
};
