#pragma once
// A drop-down list for choosing the device a port name opens: the serial devices present, each
// by its stable name under /dev/serial/by-id (or its node when it has none) with the adapter's
// description, then "Network port…" for a serial port served over the network (a small window
// asks for protocol, host and port number; on a network entry it starts from that one), then
// "Other path…" for any other device, chosen in a file dialog. The entry stored is the device as
// listed (the stable name where there is one, which survives re-plugging) or the network
// address. Knows nothing of ports or settings: whoever uses it stores the entry.
#include <QComboBox>

class DeviceChooser : public QComboBox {
    Q_OBJECT
public:
    explicit DeviceChooser(QWidget* parent = nullptr);

    // Lists the devices present again and shows entry (a port map entry) as the current one;
    // an entry that is not among them is listed as it stands (a device that is not there as
    // such, a network address as itself).
    void Refresh(const QString& entry);
    // The entry shown.
    QString Entry() const;

    // The list is made again as it opens: an adapter plugged in meanwhile is there.
    void showPopup() override;

signals:
    // The person chose a device (or another path); not emitted when Refresh sets one.
    void entryChosen(const QString& entry);

private:
    void onActivated(int index);
    int addDevice(const QString& entry, const QString& text, const QString& tooltip);

    int m_networkIndex = -1;
    int m_otherIndex = -1;
    QString m_shown;
};
