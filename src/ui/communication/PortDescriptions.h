#pragma once
// The native ports as a Linux user knows them, in the communication window: each COM name in
// the port list shows the device the port map leads to and, where udev keeps one, its stable
// name under /dev/serial/by-id/ (the same text is the entry's tooltip), or the network address
// ("rfc2217://HOST:PORT", "tcp://HOST:PORT") it connects to; ports whose device is not there are
// dimmed. The names themselves stay "COM1" ... "COM32".
#include <QString>

class QComboBox;
class QLabel;
class QWidget;

// Describes every entry of the port list; for the Camera Link modes (nativePorts false) the
// entries are the libraries' own port names and get no description.
void DescribeComPorts(QComboBox* list, bool nativePorts);
// A label for the selected port's stable name: shortened in the middle to the room it has,
// the whole path as its tooltip, hidden while there is none.
QLabel* MakeStableNameLabel(QWidget* parent);
// Shows the device behind the COM name in one label and its stable name in the other (made by
// MakeStableNameLabel); an empty name clears both.
void ShowPortDevice(QLabel* device, QLabel* stableName, const QString& portName);
