// After a run that was killed, the communication dialog comes up on the native COM port even
// when a Camera Link mode was stored. Its own program: the settings object is created once
// per process, by the dialog's construction, from the settings file that the killed run left.
#include "AppSettings.h"
#include "CCommunicationDialog.h"
#include "CommLink.h"

#include <QComboBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class CommunicationFallbackTest : public QObject {
    Q_OBJECT
private slots:
    void killedRunComesBackOnComPort();

private:
    QTemporaryDir m_configHome;
};

void CommunicationFallbackTest::killedRunComesBackOnComPort()
{
    qputenv("XDG_CONFIG_HOME", m_configHome.path().toLocal8Bit());
    {
        // What a killed run leaves: status 0, and the Camera Link 2001 mode it had chosen.
        QSettings file(QString::fromStdString(AppSettings::FilePath()), QSettings::NativeFormat);
        file.setValue(QString::fromStdString(AppSettings::ValueName(kShutdownStatus)), 0);
        file.setValue(QString::fromStdString(AppSettings::ValueName(kCommunicationMode)), 2);
        file.setValue(QString::fromStdString(AppSettings::ValueName(kComPortNo)), 4);
        file.setValue(QStringLiteral("Ports/COM5"), m_configHome.filePath(QStringLiteral("absent")));
    }
    QCOMPARE(QString::fromStdString(AppSettings::FilePath()).startsWith(m_configHome.path()), true);

    CCommunicationDialog dialog;
    QCOMPARE(CommLink::Instance().GetMode(), 0u);
    dialog.Initialise();
    auto* category = dialog.findChild<QComboBox*>(QStringLiteral("ctrl_1011"));
    QCOMPARE(category->currentText(), QStringLiteral("Com Port"));
    // Only the mode fell back: the stored port is kept.
    QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("ctrl_1005"))->currentText(), QStringLiteral("COM5"));
}

QTEST_MAIN(CommunicationFallbackTest)
#include "commdlg_fallback_test.moc"
