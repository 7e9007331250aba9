#include "NetworkPortEditor.h"

#include "NetworkPort.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

const QString kTelnetScheme = QStringLiteral("rfc2217://");
const QString kRawScheme = QStringLiteral("tcp://");

// A field with its label as buddy; the label's text without the mnemonic is its accessible name.
void addRow(QFormLayout* form, const QString& label, QWidget* field, const QString& name)
{
    auto* text = new QLabel(label, field->parentWidget());
    text->setBuddy(field);
    field->setAccessibleName(name);
    form->addRow(text, field);
}

} // namespace

NetworkPortEditor::NetworkPortEditor(const QString& entry, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("networkPortEditor"));
    setWindowTitle(QStringLiteral("Network Port"));

    auto* about = new QLabel(QStringLiteral(
        "A serial port that another machine offers on the network, for example with ser2net on the "
        "PC the camera is cabled to. Raw TCP and RFC 2217 carry no password and no encryption: use "
        "them on a trusted network only."), this);
    about->setWordWrap(true);

    m_protocol = new QComboBox(this);
    m_protocol->setObjectName(QStringLiteral("networkProtocol"));
    m_protocol->addItem(QStringLiteral("RFC 2217 (the baud rate chosen here reaches the port)"), kTelnetScheme);
    m_protocol->addItem(QStringLiteral("Raw TCP (the server sets the port up)"), kRawScheme);
    m_host = new QLineEdit(this);
    m_host->setObjectName(QStringLiteral("networkHost"));
    m_host->setPlaceholderText(QStringLiteral("line7-pc or 192.168.0.20"));
    m_host->setMinimumWidth(m_host->fontMetrics().averageCharWidth() * 32);
    m_port = new QLineEdit(this);
    m_port->setObjectName(QStringLiteral("networkPortNumber"));
    m_port->setPlaceholderText(QStringLiteral("1 to 65535"));
    m_port->setMaxLength(12); // room for a mistyped number to be shown and refused
    m_port->setFixedWidth(m_port->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));

    auto* form = new QFormLayout;
    addRow(form, QStringLiteral("&Protocol"), m_protocol, QStringLiteral("Protocol"));
    addRow(form, QStringLiteral("&Host"), m_host, QStringLiteral("Host"));
    addRow(form, QStringLiteral("Port &number"), m_port, QStringLiteral("Port number"));

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("networkPortProblem"));
    m_problem->setAccessibleName(QStringLiteral("Problem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00020;"));
    m_problem->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NetworkPortEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NetworkPortEditor::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The text wraps to the width of the fields rather than widen the window.
    about->setFixedWidth(form->sizeHint().width());

    setTabOrder(m_protocol, m_host);
    setTabOrder(m_host, m_port);
    setTabOrder(m_port, buttons->button(QDialogButtonBox::Ok));
    setTabOrder(buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel));

    const std::string stored = entry.toStdString();
    if (const auto address = ParseNetworkAddress(stored)) {
        m_protocol->setCurrentIndex(address->telnet ? 0 : 1);
        const QString host = QString::fromStdString(address->host);
        m_host->setText(host.contains(u':') ? u'[' + host + u']' : host);
        m_port->setText(QString::fromStdString(address->port));
    } else if (IsNetworkAddress(stored)) {
        // Malformed: shown as it stands, for the person to correct.
        const bool telnet = entry.startsWith(kTelnetScheme);
        m_protocol->setCurrentIndex(telnet ? 0 : 1);
        m_host->setText(entry.mid((telnet ? kTelnetScheme : kRawScheme).size()));
    }
    m_host->setFocus();
}

QString NetworkPortEditor::check(QLineEdit*& wrong)
{
    wrong = m_host;
    QString host = m_host->text().trimmed();
    if (host.isEmpty())
        return QStringLiteral("Enter the name or IP address of the machine the camera is cabled to.");
    if (host.contains(QStringLiteral("://")))
        return QStringLiteral("Enter the host without \"tcp://\" or \"rfc2217://\" in front: the protocol has a "
                              "list of its own.");
    if (host.contains(QRegularExpression(QStringLiteral("\\s"))))
        return QStringLiteral("A host name has no spaces: \"%1\".").arg(host);
    if (QRegularExpression(QStringLiteral("^[^:\\[\\]]+:[0-9]*$")).match(host).hasMatch())
        return QStringLiteral("Enter the port number in its own field, not after the host.");
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    // A host name or IPv4 address, or an IPv6 address (which the entry puts in brackets).
    const bool v6 = host.contains(u':');
    const QRegularExpression allowed(v6 ? QStringLiteral("^[0-9A-Fa-f:.]+(%[A-Za-z0-9_.-]+)?$")
                                        : QStringLiteral("^[A-Za-z0-9_.-]+$"));
    if (!allowed.match(host).hasMatch())
        return QStringLiteral("\"%1\" is not a host name or IP address.").arg(m_host->text().trimmed());

    wrong = m_port;
    const QString port = m_port->text().trimmed();
    if (port.isEmpty())
        return QStringLiteral("Enter the port number the server offers this serial port on (1 to 65535).");
    const bool digits = QRegularExpression(QStringLiteral("^[0-9]{1,5}$")).match(port).hasMatch();
    if (!digits || port.toUInt() < 1 || port.toUInt() > 65535)
        return QStringLiteral("The port number must be a whole number from 1 to 65535, not \"%1\".").arg(port);

    const QString entry = m_protocol->currentData().toString() + (v6 ? u'[' + host + u']' : host) + u':'
                          + QString::number(port.toUInt());
    wrong = m_host;
    if (!ParseNetworkAddress(entry.toStdString()))
        return QStringLiteral("\"%1\" is not an address the tool can connect to.").arg(entry);
    m_entry = entry;
    wrong = nullptr;
    return {};
}

void NetworkPortEditor::accept()
{
    QLineEdit* wrong = nullptr;
    const QString problem = check(wrong);
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_host->setAccessibleDescription({});
    m_port->setAccessibleDescription({});
    if (wrong) {
        // Read out with the field the cursor goes to.
        wrong->setAccessibleDescription(problem);
        wrong->setFocus();
        wrong->selectAll();
        return;
    }
    QDialog::accept();
}

QString AskNetworkPort(QWidget* parent, const QString& entry)
{
    NetworkPortEditor editor(entry, parent);
    return editor.exec() == QDialog::Accepted ? editor.Entry() : QString();
}
