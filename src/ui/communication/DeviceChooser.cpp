#include "DeviceChooser.h"

#include "NetworkPort.h"
#include "NetworkPortEditor.h"
#include "SerialDevices.h"
#include "UserNotice.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString kOtherPath = QStringLiteral("Other path\u2026");
const QString kNetworkPort = QStringLiteral("Network port\u2026");
} // namespace

DeviceChooser::DeviceChooser(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("deviceChooser"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
    connect(this, &QComboBox::activated, this, &DeviceChooser::onActivated);
}

int DeviceChooser::addDevice(const QString& entry, const QString& text, const QString& tooltip)
{
    addItem(text, entry);
    setItemData(count() - 1, tooltip, Qt::ToolTipRole);
    return count() - 1;
}

void DeviceChooser::Refresh(const QString& entry)
{
    const QSignalBlocker blocker(this);
    clear();
    const std::string stored = QFile::encodeName(entry).toStdString();
    // A network address is no device here: it is listed as it stands, never "not present".
    const bool network = IsNetworkAddress(stored);
    const SerialDevice wanted = network ? SerialDevice{} : DescribePortDevice(stored);
    int current = -1;
    for (const SerialDevice& device : ListSerialDevices()) {
        const QString listed = QFile::decodeName((device.stableName.empty() ? device.path : device.stableName).c_str());
        QString text = QFileInfo(listed).fileName();
        if (!device.description.empty())
            text += QStringLiteral(" \u2014 ") + QString::fromStdString(device.description);
        const int index = addDevice(listed, text, listed + QStringLiteral(" \u2192 ") + QFile::decodeName(device.path.c_str()));
        // The entry may name the device by its node, its stable name or a bare name.
        if (current < 0 && (listed == entry || (wanted.present && device.path == wanted.path)))
            current = index;
    }
    if (current < 0 && !entry.isEmpty())
        current = addDevice(entry, network || wanted.present ? entry : entry + QStringLiteral(" (not present)"), entry);
    m_networkIndex = count();
    addItem(kNetworkPort);
    setItemData(m_networkIndex, QStringLiteral("A serial port served over the network (raw TCP or RFC 2217): add one, "
                                               "or change the one in use"), Qt::ToolTipRole);
    m_otherIndex = count();
    addItem(kOtherPath);
    setCurrentIndex(current);
    m_shown = entry;
}

QString DeviceChooser::Entry() const
{
    return m_shown;
}

void DeviceChooser::showPopup()
{
    Refresh(m_shown);
    QComboBox::showPopup();
}

void DeviceChooser::onActivated(int index)
{
    QString entry;
    if (index == m_networkIndex) {
        entry = AskNetworkPort(this, m_shown);
        if (entry.isEmpty()) {
            Refresh(m_shown); // cancelled: as for "Other path…"
            return;
        }
    } else if (index == m_otherIndex) {
        const std::string chosen = Notices().OpenFileName("Serial device", "/dev", "All files (*)");
        if (chosen.empty()) {
            Refresh(m_shown); // cancelled: the list shows the device in use again
            return;
        }
        entry = QFile::decodeName(chosen.c_str());
    } else {
        entry = itemData(index).toString();
    }
    Refresh(entry);
    emit entryChosen(entry);
}
