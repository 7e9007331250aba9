#pragma once
// A number box: a right-aligned line edit that reports when its value is to be committed
// (focus lost, or Enter pressed) and keeps the id of its up/down control, the link that the
// parameter controls follow from a box to its spin.
#include <QLineEdit>

class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberBox(int ctrlId, QWidget* parent = nullptr);

    int ctrlId() const { return m_ctrlId; }
    // Control id of the up/down control attached to this box; 0 when none.
    int spinId() const { return m_spinId; }
    void setSpinId(int id) { m_spinId = id; }

    // A text read as a decimal integer, as the box's value is: leading blanks, an optional
    // sign, digits up to the first other character; 0 when there are none. Saturates rather
    // than overflowing.
    static int32_t LeadingInteger(const QString& text);

signals:
    // The box lost the input focus, or Enter was pressed in it.
    void commitRequested(int ctrlId);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_ctrlId;
    int m_spinId = 0;
};
