#include "StartupWindow.h"

#include "CommLink.h"
#include "SerialPort.h"

#include <QLabel>
#include <QVBoxLayout>

StartupWindow::StartupWindow(QWidget* parent) : QWidget(parent), m_state(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Lumora Control Tool  Ver 0.14"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(windowTitle(), this); // visible also without a window manager
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);
    layout->addWidget(m_state);
    m_state->setTextFormat(Qt::PlainText);
    m_state->setText(tr("Connecting..."));
    resize(480, 160);
}

void StartupWindow::ShowLinkState(bool connected)
{
    CommLink& link = CommLink::Instance();
    QString where = QString::fromStdString(link.PortName(static_cast<int>(link.SelectedPort())));
    if (link.GetMode() == 0)
        where += QStringLiteral(" (%1)").arg(QString::fromStdString(SerialPort::Instance().DevicePath()));
    m_state->setText((connected ? tr("Connected: %1 at %2 bit/s") : tr("Not connected: %1 at %2 bit/s"))
                         .arg(where)
                         .arg(link.GetBaudRate()));
}
