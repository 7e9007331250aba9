// The main window comes back where it was: the whole program run twice as a separate process
// on a private settings file, each run ended by a polite terminate.
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

class WindowPlacementTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_configHome;
    QSettings file() const { return {m_configHome.path() + "/Norvik/Lumora Camera Control Tool.conf", QSettings::IniFormat}; }
    QRect storedGeometry() const
    {
        QWidget probe;
        return probe.restoreGeometry(file().value("Windows/Main").toByteArray()) ? probe.geometry() : QRect();
    }
    void runOnce()
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_configHome.path());
        tool.setProcessEnvironment(env);
        tool.start(qEnvironmentVariable("LUMORA_BIN_DIR") + "/lumora-control", {});
        // The run has begun once it marked itself as not yet ended normally.
        QTRY_COMPARE_WITH_TIMEOUT(file().value("Previous Application Shutdown Status", -1).toInt(), 0, 10000);
        tool.terminate();
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), 0);
    }

private slots:
    void theWindowKeepsItsPlaceAndSizeBetweenRuns()
    {
        file().setValue("Ports/COM1", "/nonexistent/lumora-port");
        runOnce();
        QVERIFY2(storedGeometry().isValid(), "the first run kept no geometry");

        // Somewhere the program would not choose by itself, inside the offscreen screen.
        QWidget placed;
        const QRect chosen(37, 29, 701, 503);
        placed.setGeometry(chosen);
        file().setValue("Windows/Main", placed.saveGeometry());
        runOnce();
        QCOMPARE(storedGeometry(), chosen);
    }
};

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"
