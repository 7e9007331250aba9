#pragma once
// A small window for a serial port that another machine serves over the network (ser2net on
// the PC the camera is cabled to): the protocol, the host and the port number, checked before
// the window closes. Its result is a port map entry, "rfc2217://HOST:PORT" or "tcp://HOST:PORT";
// the tool only connects out to it.
#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;

class NetworkPortEditor : public QDialog {
    Q_OBJECT
public:
    // Starts from entry when it is a network address (even a malformed one, so that the person
    // sees what is there); any other entry starts empty.
    explicit NetworkPortEditor(const QString& entry, QWidget* parent = nullptr);

    // The entry the fields make; set once the window was accepted.
    QString Entry() const { return m_entry; }

    // Closes only on fields that make an address; otherwise says why beneath them and puts the
    // cursor in the field to correct.
    void accept() override;

private:
    // Empty with m_entry set when the fields make an address; else the reason, with the field.
    QString check(QLineEdit*& wrong);

    QComboBox* m_protocol = nullptr;
    QLineEdit* m_host = nullptr;
    QLineEdit* m_port = nullptr;
    QLabel* m_problem = nullptr;
    QString m_entry;
};

// Asks for a network port, starting from entry; the new entry, or empty when cancelled.
QString AskNetworkPort(QWidget* parent, const QString& entry);
