#pragma once
// A push button that tells its owner when the left mouse button goes down on it and when it
// comes up again, with the cursor position in the owner's coordinates, before the button's
// own handling. The motor lens window runs a motor from the one to the other.
//
// Every press is followed by exactly one release, so that whatever a press started can be
// stopped. The ordinary release comes wherever the cursor is then: the button keeps the
// mouse until the button comes up, so dragging off it does not lose the release. When the
// press ends another way (the button loses the keyboard focus, which is what happens when a
// popup or another window takes the mouse, or its window is deactivated, or the button is
// hidden or disabled), the release is reported at the position of the press. Holding Space
// on the focused button is a press and a release at its centre, for keyboard use.
#include <QPointer>
#include <QPushButton>

class PressAndHoldButton : public QPushButton {
    Q_OBJECT
public:
    explicit PressAndHoldButton(QWidget* parent = nullptr);
    // A button with a control id (property "ctrlId", object name "ctrl_<id>").
    PressAndHoldButton(const QString& text, int ctrlId, QWidget* parent = nullptr);

    // Positions are reported in the owner's coordinates; without an owner, in the parent's.
    void setOwner(QWidget* owner) { m_owner = owner; }
    QWidget* owner() const { return m_owner; }
    // Between a reported press and its release.
    bool isHeld() const { return m_held; }

signals:
    void pressedAt(const QPoint& position);
    void releasedAt(const QPoint& position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPoint toOwner(const QPoint& global) const;
    // Reports the press; false when the press already ended while the owner handled it.
    bool press(const QPoint& position);
    void release(const QPoint& position);
    // The press ends without a release of the button: report one where the press was.
    void abandonPress();

    QPointer<QWidget> m_owner;
    bool m_held = false;
    QPoint m_pressPosition; // owner's coordinates
};
