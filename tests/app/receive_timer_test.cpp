// Reception between exchanges: lines the camera sends unasked are queued and logged while
// the event loop runs, whether the timer or the reader's arrival notice gets there first.
#include "Camera.h"
#include "PtyPeer.h"
#include "ReceiveTimer.h"
#include "SettingsStore.h"

#include <QtTest>

class ReceiveTimerTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_peer.IsOpen());
        m_settings.ports["COM1"] = m_peer.SlavePath();
        m_camera = std::make_unique<Camera>(&m_settings);
        QCOMPARE(m_camera->Link().Open(0, 9600, 0), 1);
        m_transcript.clear();
        m_camera->Events().SetTranscriptSink([this](const std::string& line) { m_transcript.append(QString::fromStdString(line)); });
        m_camera->Exchange().ClearReplies();
    }

    void cleanup()
    {
        m_camera.reset();
    }

    // Split or in a burst of a hundred (within what the port's receive ring holds).
    void unaskedLinesAreQueuedAndLogged()
    {
        ReceiveTimer timer(*m_camera);
        timer.Start();
        QVERIFY(timer.IsActive());
        QVERIFY(m_peer.Write("ALARM=1\r\nTEMP=4"));
        QVERIFY(m_peer.Write("2\r\n"));
        QStringList expected{"Rx: ALARM=1", "Rx: TEMP=42"};
        QTRY_COMPARE(m_transcript, expected);
        Command& command = m_camera->Exchange();
        QCOMPARE(QString::fromStdString(command.PopReply()), QStringLiteral("ALARM=1"));
        QCOMPARE(QString::fromStdString(command.PopReply()), QStringLiteral("TEMP=42"));
        QVERIFY(!command.HasReplies());

        std::string burst;
        for (int i = 0; i < 100; ++i) {
            burst += "N=" + std::to_string(i) + "\r\n";
            expected << QStringLiteral("Rx: N=%1").arg(i);
        }
        QVERIFY(burst.size() < 1000 && m_peer.Write(burst));
        QTRY_COMPARE(m_transcript, expected);
    }

    // A line held by an exchange is left to it; a stopped timer takes nothing.
    void heldLinesAndAStoppedTimerAreLeftAlone()
    {
        ReceiveTimer timer(*m_camera);
        timer.Start();
        {
            const CommLink::Hold hold(m_camera->Link());
            QVERIFY(m_peer.Write(std::string("\x01\x00" "ANSWER\n", 9)));
            QVERIFY(m_camera->Link().WaitReadable(5000));
            QTest::qWait(4 * ReceiveTimer::kPeriodMs); // ticks and arrival notices come and go
            QVERIFY(m_transcript.isEmpty());
            char first = 0;
            QCOMPARE(m_camera->Link().Read(&first, 1, 0), 1); // the bytes are still there
            QCOMPARE(first, '\x01');
        }
        QVERIFY(m_peer.Write("AFTER=1\r\n"));
        QTRY_VERIFY(m_transcript.contains(QStringLiteral("Rx: AFTER=1")));

        timer.Stop();
        m_transcript.clear();
        QVERIFY(m_peer.Write("LATE=1\r\n"));
        QVERIFY(m_camera->Link().WaitReadable(5000));
        QCoreApplication::processEvents();
        QVERIFY(m_transcript.isEmpty());
        QCOMPARE(m_camera->Exchange().ReceivePending(), 1); // the bytes are still there to take
    }

private:
    PtyPeer m_peer;
    MemorySettings m_settings;
    std::unique_ptr<Camera> m_camera;
    QStringList m_transcript;
};

QTEST_GUILESS_MAIN(ReceiveTimerTest)
#include "receive_timer_test.moc"
