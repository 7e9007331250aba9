// The whole program's start-up and end, run as a separate process on a private settings file:
// a killed run leaves status 0 and the next run falls back to the native port; a polite
// terminate is a normal end that writes everything back, also while the program is telling
// the person about a camera that misbehaved; and the main window comes back where it was.
#include "AppSettings.h"
#include "CamSimProcess.h"
#include "PtyPeer.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

class LifecycleTest : public QObject {
    Q_OBJECT

private:
    QString confFile() const { return m_configHome.path() + "/Norvik/Lumora Camera Control Tool.conf"; }
    int stored(const char* name) const
    {
        QSettings raw(confFile(), QSettings::IniFormat);
        return raw.value(QString::fromLatin1(name), -1).toInt();
    }
    void start(QProcess& tool)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_configHome.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        tool.setProcessEnvironment(env);
        tool.setProcessChannelMode(QProcess::ForwardedChannels);
        tool.start(m_tool, {});
        QVERIFY(tool.waitForStarted(10000));
    }
    QRect storedGeometry(const char* window = "Main") const
    {
        QWidget probe;
        QSettings raw(confFile(), QSettings::IniFormat);
        return probe.restoreGeometry(raw.value(QStringLiteral("Windows/") + window).toByteArray()) ? probe.geometry()
                                                                                                    : QRect();
    }

    QTemporaryDir m_configHome;
    QString m_tool;

private slots:
    void initTestCase()
    {
        m_tool = qEnvironmentVariable("LUMORA_BIN_DIR") + "/lumora-control";
        QVERIFY2(QFile::exists(m_tool), qPrintable(m_tool));
    }

    // The next run also puts the main window back where it was (that it stores its place at
    // all: the runs below).
    void killedRunFallsBackToTheComPortOnTheNextRun()
    {
        const QRect chosen(37, 29, 701, 503);
        PtyPeer com2;
        QVERIFY(com2.IsOpen());
        {
            QSettings raw(confFile(), QSettings::IniFormat);
            raw.setValue("Previous Application Shutdown Status", 1);
            raw.setValue("Communication Mode", 2); // a Camera Link transport
            raw.setValue("Baudrate", 19200);
            raw.setValue("Com Port No", 1);
            raw.setValue("Ports/COM2", QString::fromStdString(com2.SlavePath()));
            // Somewhere the program would not choose by itself, inside the offscreen screen.
            QWidget placed;
            placed.setGeometry(chosen);
            raw.setValue("Windows/Main", placed.saveGeometry());
        }

        QProcess killed;
        start(killed);
        // Once the run has begun, its status in the file is 0 ...
        QTRY_COMPARE_WITH_TIMEOUT(stored("Previous Application Shutdown Status"), 0, 10000);
        killed.kill();
        QVERIFY(killed.waitForFinished(10000));
        // ... and a kill leaves it there, with the Camera Link choice untouched.
        QCOMPARE(stored("Previous Application Shutdown Status"), 0);
        QCOMPARE(stored("Communication Mode"), 2);

        termios before{};
        QVERIFY(com2.SlaveAttributes(before));
        QVERIFY(cfgetospeed(&before) != B19200);

        QProcess next;
        start(next);
        // The next run opens COM2 at the stored rate.
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                termios t{};
                return com2.SlaveAttributes(t) && cfgetospeed(&t) == B19200;
            }(),
            10000);
        next.terminate();
        QVERIFY(next.waitForFinished(10000));
        QCOMPARE(next.exitStatus(), QProcess::NormalExit);
        QCOMPARE(next.exitCode(), 0);
        QCOMPARE(stored("Previous Application Shutdown Status"), 1);
        QCOMPARE(stored("Communication Mode"), 0);
        QCOMPARE(stored("Baudrate"), 19200);
        QCOMPARE(stored("Com Port No"), 1);
        QCOMPARE(stored("Cameralink 2001 Dll Index"), 0);
        QCOMPARE(storedGeometry(), chosen);
    }

    void endsNormallyAfterACameraMisbehaved_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("lines"); // what the camera receives before the program gives up
        QTest::newRow("falls silent") << "silent-after=5" << 8;
        QTest::newRow("line pulled") << "hangup-after=20" << 20;
        // The first garbage answer's box waits for the person.
        QTest::newRow("answers garbage") << "garbage-after=30" << 31;
    }
    void endsNormallyAfterACameraMisbehaved()
    {
        QFETCH(QString, fault);
        QFETCH(int, lines);
        CamSimProcess camera;
        QVERIFY(camera.Start({"--fault", fault.toStdString()}));
        {
            QSettings raw(confFile(), QSettings::IniFormat);
            raw.clear();
            raw.setValue("Previous Application Shutdown Status", 1);
            raw.setValue("Ports/COM1", QString::fromStdString(camera.DevicePath()));
        }
        QProcess tool;
        start(tool);
        QTRY_VERIFY_WITH_TIMEOUT(camera.Received().size() >= size_t(lines), 30000);
        // Whatever the program is showing now (its box about the camera), a terminate ends it.
        QTest::qWait(500);
        tool.terminate();
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(stored("Previous Application Shutdown Status"), 1);
        QVERIFY2(storedGeometry().isValid(), "the run kept no window geometry");
        // The communication window, shown at start-up, keeps its place beside the main one.
        QVERIFY2(storedGeometry("Communication").isValid(), "the run kept no place of the communication window");
    }

};

QTEST_MAIN(LifecycleTest)

#include "Lifecycle_test.moc"
