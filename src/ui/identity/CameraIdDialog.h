#pragma once
// "Camera Id": the camera id, read when the window is built, one character per field in ten
// fields, and "Save", shown in Control Mode 1 only. A typed character replaces the field's
// and moves on to the next field; a paste fills the fields from the one with the focus on.
#include "IdentityDialog.h"

#include <array>

class Camera;
class QPushButton;

class CameraIdDialog : public IdentityDialog {
    Q_OBJECT
public:
    static constexpr int kFields = 10;

    explicit CameraIdDialog(Camera& camera, QWidget* parent = nullptr);

    void Save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Camera& m_camera;
    // Puts the characters of the text into the fields from the given one on; the field after
    // the last one filled takes the focus.
    void Fill(int first, const QString& text);

    std::array<QLineEdit*, kFields> m_fields{};
    QPushButton* m_save;
};
