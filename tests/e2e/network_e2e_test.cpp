// The window with the camera on another machine: lumora-camsim's pseudo-terminal served by a
// real ser2net on loopback, COM1 mapped to its raw TCP or its RFC 2217 port. The start-up, a
// setting file and a rate change behave as on the device itself; a server that goes away
// mid-reading is a lost line, and once it is back, choosing the port again reads the camera.
#include "CommunicationWindow.h"
#include "E2eTool.h"
#include "Ser2netProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>

namespace {

enum class Road { Direct, Raw, Telnet };

// The tool on COM1, which leads to the simulator's device itself or to the server's port in
// front of it (started once the simulator is).
bool StartThrough(E2eTool& tool, Ser2netProcess& server, Road road, const Lines& simArgs, unsigned controlMode)
{
    bool served = true;
    tool.configure = [&](MemorySettings& settings) {
        if (road == Road::Direct)
            return;
        served = server.Start(tool.sim.DevicePath());
        settings.ports["COM1"] = road == Road::Raw ? server.RawAddress() : server.TelnetAddress();
    };
    if (!tool.Start(simArgs, controlMode))
        return false;
    if (!served)
        qWarning("%s", server.Error().c_str());
    return served;
}

Lines GoldenStartup(const char* model, unsigned mode)
{
    QFile golden(QStringLiteral("%1/golden/startup_%2_mode%3.txt").arg(qEnvironmentVariable("LUMORA_E2E_DIR"), model).arg(mode));
    Lines lines;
    if (golden.open(QIODevice::ReadOnly))
        for (const QByteArray& line : golden.readAll().split('\n'))
            if (!line.isEmpty())
                lines.push_back(line.toStdString());
    return lines;
}

QComboBox* DialogList(const E2eTool& tool, int id)
{
    return tool.Communication()->findChild<QComboBox*>(QStringLiteral("ctrl_%1").arg(id));
}

} // namespace

Q_DECLARE_METATYPE(Road)

class NetworkE2eTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (Ser2netProcess::Program().empty())
            QSKIP("ser2net is not installed (scripts/setup installs it)");
        ProgressBarWindow::Instance().SetClosePause(0);
    }

    // The camera receives the same lines whichever road they take: the recorded start-up, a
    // setting file's lines, and after a rate chosen in the communication dialog, the model
    // check and a reading at the new rate. Only RFC 2217 carries the rate on to the device.
    void sameLinesOverEveryRoad_data()
    {
        QTest::addColumn<Road>("road");
        QTest::addColumn<unsigned>("deviceRate"); // after 115200 bit/s was chosen
        QTest::newRow("device") << Road::Direct << 115200u;
        QTest::newRow("raw TCP") << Road::Raw << 9600u;
        QTest::newRow("RFC 2217") << Road::Telnet << 115200u;
    }
    void sameLinesOverEveryRoad()
    {
        QFETCH(Road, road);
        QFETCH(unsigned, deviceRate);
        Ser2netProcess server;
        E2eTool tool;
        QVERIFY(StartThrough(tool, server, road, {"--model", "KT-5100W-QBCL"}, 1));
        QCOMPARE(tool.window->Connected(), 1);
        COMPARE_LINES(tool.sim.Received(), GoldenStartup("KT-5100W-QBCL", 1));
        QCOMPARE(tool.sim.DeviceBaud(), 9600u);

        QTemporaryDir folder;
        const std::string file = folder.filePath("line7.cam").toStdString();
        const Lines settings = {"EM=1", "PE=1234", "TD=1000", "TRGOP=1"};
        {
            std::ofstream out(file, std::ios::binary);
            for (const std::string& line : settings)
                out << line << "\r\n";
        }
        tool.Clear();
        tool.notices.recorder.fileNames = {file};
        tool.window->MenuAction(MenuCommand::Open)->trigger();
        COMPARE_LINES(SettingLines(tool.sim.Received()), settings);
        QCOMPARE(tool.LastAction(), QString("Applied 4 of 4 lines of line7.cam"));
        QCOMPARE(tool.Box(CtrlId::ExposureTime)->text(), QString("1234"));

        tool.Clear();
        QComboBox* rates = DialogList(tool, 1030);
        QVERIFY(rates->isVisible());
        rates->setFocus();
        QTest::keyClick(rates, Qt::Key_End);
        QCOMPARE(rates->currentText(), QString("115200bps"));
        QCOMPARE(tool.sim.DeviceBaud(), deviceRate);
        const Lines rx = tool.sim.Received();
        QVERIFY(StartsWith(rx, {"MD?"}));
        QCOMPARE(Count(rx, "MD?"), size_t(1));
        QCOMPARE(Count(rx, "PE?"), size_t(1));
        QCOMPARE(tool.LineState(), QString("Online"));
        QVERIFY(tool.notices.recorder.messages.empty());
    }

    // ser2net stopped while the camera is read: the reading stops at once with one box, the
    // line shows Offline and the window takes the next action. Once the server is back,
    // choosing the port again in the communication dialog reads the camera.
    void serverStoppedMidReadingAndBack_data()
    {
        QTest::addColumn<Road>("road");
        QTest::newRow("raw TCP") << Road::Raw;
        QTest::newRow("RFC 2217") << Road::Telnet;
    }
    void serverStoppedMidReadingAndBack()
    {
        QFETCH(Road, road);
        Ser2netProcess server;
        E2eTool tool;
        // A millisecond per answer, so that the reading lasts long enough to be cut.
        QVERIFY(StartThrough(tool, server, road, {"--model", "KT-5100W-QBCL", "--latency-ms", "1"}, 0));
        QCOMPARE(tool.window->Connected(), 1);
        const std::string address = road == Road::Raw ? server.RawAddress() : server.TelnetAddress();

        tool.Clear();
        QTimer cut;
        QObject::connect(&cut, &QTimer::timeout, [&] {
            if (tool.sim.Received().size() >= 20) {
                cut.stop();
                server.Stop();
            }
        });
        cut.start(5);
        QElapsedTimer clock;
        clock.start();
        tool.window->MenuAction(MenuCommand::Reload)->trigger();
        // Not after the unanswered queries that end a reading from a silent camera.
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!cut.isActive());
        QTest::qWait(100); // nothing more is said later, from the connection's own thread
        const auto& messages = tool.notices.recorder.messages;
        QCOMPARE(messages.size(), size_t(1));
        QVERIFY2(messages[0].text.rfind("The connection to the camera was lost after ", 0) == 0, messages[0].text.c_str());
        QCOMPARE(tool.LineState(), QString("Offline"));
        QVERIFY(tool.window->isEnabled() && !ProgressBarWindow::Instance().IsVisible());
        QVERIFY(tool.window->IsOfflineShown());
        auto* offline = tool.window->OfflineBar()->findChild<QLabel*>(QStringLiteral("offlineText"));
        QCOMPARE(offline->text(), QString::fromStdString("No camera answers on COM1 (" + address
                                                         + "). Check power and cable, then Reconnect."));
        clock.restart();
        tool.window->MenuAction(MenuCommand::Reload)->trigger();
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));

        QVERIFY2(server.Start(tool.sim.DevicePath()), server.Error().c_str());
        tool.Clear();
        QComboBox* ports = DialogList(tool, 1005);
        QCOMPARE(ports->currentText(), QString("COM1"));
        emit ports->activated(ports->currentIndex());
        const Lines rx = tool.sim.Received();
        QVERIFY(StartsWith(rx, {"MD?"}));
        QVERIFY(rx.size() > 150);
        QCOMPARE(tool.LineState(), QString("Online"));
        QVERIFY(!tool.window->IsOfflineShown());
        QCOMPARE(tool.Box(CtrlId::ExposureTime)->text().toInt(), tool.Ascii("PE"));
        QVERIFY(tool.notices.recorder.messages.empty());
    }
};

QTEST_MAIN(NetworkE2eTest)
#include "network_e2e_test.moc"
