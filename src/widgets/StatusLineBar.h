#pragma once
// The main window's status bar: the last action's result on the left; port and device, line
// state and camera model on the right, as the process-wide StatusLine holds them. It stays
// readable while a transfer disables the window (that is when it says "Busy").
#include <QStatusBar>

class QLabel;

class StatusLineBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusLineBar(QWidget* parent = nullptr);

    QLabel* ActionLabel() const { return m_action; }
    QLabel* PortLabel() const { return m_port; }
    QLabel* StateLabel() const { return m_state; }
    QLabel* ModelLabel() const { return m_model; }

private:
    void Show();

    QLabel* m_action;
    QLabel* m_port;
    QLabel* m_state;
    QLabel* m_model;
};
