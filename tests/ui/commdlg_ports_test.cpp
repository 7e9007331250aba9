// The communication window shows what each COM name leads to as a Linux user knows serial
// devices: the device node and its stable name under /dev/serial/by-id (here a folder of the
// test's own), and a port mapped to a bare stable name opens.
#include "CCommunicationDialog.h"
#include "CommLink.h"
#include "PtyPeer.h"
#include "SerialDevices.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class CommunicationPortsTest : public QObject {
    Q_OBJECT

private slots:
    void eachComNameShowsItsDeviceAndItsStableName()
    {
        ScopedRecordingNotice notice;
        QTemporaryDir byId;
        SetSerialByIdFolder(byId.path().toStdString());
        PtyPeer adapter; // a USB adapter with a stable name
        PtyPeer onboard; // a port without one
        const QString adapterPath = QString::fromStdString(adapter.SlavePath());
        const QString stableName = QStringLiteral("usb-Lumora_Test_Adapter_0001-if00-port0");
        const QString stable = byId.filePath(stableName);
        QVERIFY(QFile::link(adapterPath, stable));
        const QString gone = byId.filePath(QStringLiteral("usb-Unplugged-if00-port0"));

        MemorySettings settings;
        settings.ports["COM1"] = adapter.SlavePath(); // by its node: the stable name is found
        settings.ports["COM2"] = stableName.toStdString(); // by the bare stable name
        settings.ports["COM3"] = onboard.SlavePath();
        settings.ports["COM4"] = gone.toStdString();
        settings.ints[kComPortNo] = 1;
        SetSettingsStore(&settings);
        CommLink::Instance().ReloadSettingsForTest();

        {
            CCommunicationDialog dialog;
            dialog.Initialize();
            auto* ports = dialog.findChild<QComboBox*>(QStringLiteral("ctrl_1005"));
            const QString both = adapterPath + " (" + stable + ")";
            const QStringList shown{both, both, QString::fromStdString(onboard.SlavePath()), gone + " (not present)"};
            for (int i = 0; i < shown.size(); ++i) {
                QCOMPARE(ports->itemText(i), QStringLiteral("COM%1").arg(i + 1));
                QCOMPARE(ports->itemData(i, Qt::ToolTipRole).toString(), shown[i]);
            }
            QCOMPARE(dialog.PortDeviceText(), adapterPath);
            QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("portStableName"))->toolTip(), stable);

            QSignalSpy changes(&dialog, &CCommunicationDialog::linkChanged);
            emit ports->activated(1);
            QCOMPARE(changes.count(), 1);
            QCOMPARE(changes.at(0).at(0).toInt(), 1);
            CommLink::Instance().Close();
        }
        SetSettingsStore(nullptr);
        SetSerialByIdFolder("/dev/serial/by-id");
    }
};

QTEST_MAIN(CommunicationPortsTest)
#include "commdlg_ports_test.moc"
