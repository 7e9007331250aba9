#pragma once
// An up/down control with its own range and position, linked to a buddy number box. Setting
// the position writes it into the buddy; a step asks the owner first (stepRequested), so the
// parameter controls decide what a step does, as with the native spin control. When nothing
// is connected to stepRequested, the control steps its own position within the range.
#include "NumberBox.h"

#include <QPointer>
#include <QWidget>

class QToolButton;

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(int ctrlId, QWidget* parent = nullptr);

    int ctrlId() const { return m_ctrlId; }
    void setBuddy(NumberBox* buddy);
    NumberBox* buddy() const { return m_buddy; }
    void setRange(int minimum, int maximum);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    // Position clamped to the range; also written as "%d" into the buddy.
    void setPosition(int position);
    // The buddy's text read as a decimal integer and clamped to the range (the native
    // control reads its position back from the buddy).
    int position() const;

    // Presses up (+1) or down (-1) as the person would.
    void step(int delta);

signals:
    // The person pressed up (+1) or down (-1), or used the arrow keys in the buddy.
    void stepRequested(int ctrlId, int position, int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int clamp(int value) const;

    int m_ctrlId;
    // The box lives beside this control on the same page; held weakly all the same, so that
    // whichever of the two goes first the other never reaches a destroyed widget.
    QPointer<NumberBox> m_buddy;
    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
    QToolButton* m_up;
    QToolButton* m_down;
};
