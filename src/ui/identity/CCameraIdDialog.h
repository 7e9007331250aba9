#pragma once
// "Camera Id": the camera id, read when the window is built, one character per field in ten
// fields, and "Save", shown in Control Mode 1 only. Typing a character moves on to the next
// field.
#include "IdentityDialog.h"

#include <array>

class QPushButton;

class CCameraIdDialog : public IdentityDialog {
    Q_OBJECT
public:
    static constexpr int kFields = 10;

    explicit CCameraIdDialog(QWidget* parent = nullptr);

    void Save();

private:
    std::array<QLineEdit*, kFields> m_fields{};
    QPushButton* m_save;
};
