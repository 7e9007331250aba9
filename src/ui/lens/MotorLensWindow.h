#pragma once
// The "Motor Lens" window: six press-and-hold buttons that run the iris, zoom and focus motors
// of a motorised lens while they are held, a status text with the current motion, and
// "Close". Created hidden with the main window and kept until it goes; closing only hides it.
//
// A motor that a press started is always stopped: its stop line goes out when that press
// ends, wherever the mouse is then, and also when the button loses the mouse or the focus,
// when the window is hidden, closed or disabled, and when the program ends (StopMotors).
// A stop the camera did not confirm (no answer, a refusal, no link) is never silent: the
// status text says which motor may still be moving until a stop is confirmed, and the stop
// is sent again as soon as the camera answers another exchange (or the link is opened again).
#include "MotorLens.h"

#include <QDialog>

#include <array>

class Camera;
class PressAndHoldButton;
class QLabel;
class QPushButton;

class MotorLensWindow : public QDialog {
    Q_OBJECT
public:
    explicit MotorLensWindow(Camera& camera, QWidget* parent = nullptr);
    ~MotorLensWindow() override;

    // Ends every press and stops every motor that may still run; hides the window.
    void StopMotors();

    // The status text for a motion: 1 to 6 the words of the buttons in table order; any
    // other value empties it.
    void SetStatus(int motion);
    QString Status() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    Camera& m_camera;
    void pressed(int button);
    void released(int button);
    bool heldFor(MotorLens::Motor motor) const;
    // A motor that may run though none of its buttons is held: its stop is unconfirmed.
    bool unconfirmed(MotorLens::Motor motor) const;
    // Sends the stop of every unconfirmed motor again.
    void retryStops();
    // The warning of the unconfirmed motors, or empty; the text and window grow to hold it.
    void showUnconfirmed();
    void placeBelowButtons();

    MotorLens m_lens{m_camera};
    bool m_exchanging = false; // one of this window's lines is out
    int m_listenKey = 0;
    double m_scale = 1.0;
    std::array<PressAndHoldButton*, 6> m_buttons{};
    QLabel* m_status;
    QPushButton* m_close;
};
