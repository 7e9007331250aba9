#pragma once
// A plain stand-in for the main window until the real one lands: the program's caption and
// a line about the link that start-up opened.
#include <QWidget>

class QLabel;

class StartupWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartupWindow(QWidget* parent = nullptr);
    // Shows the state of the communication link.
    void ShowLinkState(bool connected);

private:
    QLabel* m_state;
};
