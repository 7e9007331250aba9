// The main window comes back where it was: the whole program run twice as a separate process
// on a private settings file, each run ended by a polite terminate.
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

class WindowPlacementTest : public QObject {
    Q_OBJECT

private:
    QString confFile() const { return m_configHome.path() + "/Norvik/Lumora Camera Control Tool.conf"; }
    QRect storedGeometry() const
    {
        QWidget probe;
        const QByteArray bytes = QSettings(confFile(), QSettings::IniFormat).value("Windows/Main").toByteArray();
        return probe.restoreGeometry(bytes) ? probe.geometry() : QRect();
    }
    void runOnce()
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_configHome.path());
        tool.setProcessEnvironment(env);
        tool.setProcessChannelMode(QProcess::ForwardedChannels);
        tool.start(qEnvironmentVariable("LUMORA_BIN_DIR") + "/lumora-control", {});
        QVERIFY(tool.waitForStarted(10000));
        // Once its settings are in use, the run has begun.
        QTRY_COMPARE_WITH_TIMEOUT(QSettings(confFile(), QSettings::IniFormat)
                                      .value("Previous Application Shutdown Status", -1).toInt(),
                                  0, 10000);
        tool.terminate();
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), 0);
    }

    QTemporaryDir m_configHome;

private slots:
    void theWindowKeepsItsPlaceAndSizeBetweenRuns()
    {
        QSettings(confFile(), QSettings::IniFormat).setValue("Ports/COM1", "/nonexistent/lumora-port");
        runOnce();
        QVERIFY2(storedGeometry().isValid(), "the first run kept no geometry");

        // Somewhere the program would not choose by itself, inside the offscreen screen.
        QWidget placed;
        const QRect chosen(37, 29, 701, 503);
        placed.setGeometry(chosen);
        QSettings(confFile(), QSettings::IniFormat).setValue("Windows/Main", placed.saveGeometry());
        runOnce();
        QCOMPARE(storedGeometry(), chosen);
    }
};

QTEST_MAIN(WindowPlacementTest)

#include "window_placement_test.moc"
