// The model check against a scripted device on a pseudo-terminal.
#include "CameraModel.h"
#include "CommLink.h"
#include "PtyPeer.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <QtTest>
#include <thread>

class CameraModelTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_peer.IsOpen());
        m_settings.ports["COM1"] = m_peer.SlavePath();
        SetSettingsStore(&m_settings);
        CommLink::Instance().ReloadSettingsForTest();
        QCOMPARE(CommLink::Instance().Open(0, 115200, 0), 1);
    }

    void cleanup()
    {
        CommLink::Instance().Close();
        SetSettingsStore(nullptr);
    }

    void classifiesTheAnswer_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("warning");
        QTest::newRow("5100") << "MD=KT-5100W-QBCL\r\n" << 0 << "KT-5100W-QBCL" << "";
        QTest::newRow("5200") << "MD=KT-5200W-QBCL\r\n" << 1 << "KT-5200W-QBCL" << "";
        // Text replies come back upper-cased, so case on the wire does not matter.
        QTest::newRow("lower case") << "md=kt-5200w-qbcl\r\n" << 1 << "KT-5200W-QBCL" << "";
        QTest::newRow("other") << "MD=KT-5300W-QBCL\r\n" << 2 << "KT-5300W-QBCL"
                               << "Unsupported model: \"KT-5300W-QBCL\"";
        QTest::newRow("prefix only") << "MD=KT-5100W\r\n" << 2 << "KT-5100W" << "Unsupported model: \"KT-5100W\"";
        QTest::newRow("format text") << "MD=%S%N\r\n" << 2 << "%S%N" << "Unsupported model: \"%S%N\"";
    }

    void classifiesTheAnswer()
    {
        QFETCH(QString, reply);
        QFETCH(int, type);
        QFETCH(QString, name);
        QFETCH(QString, warning);
        ScopedRecordingNotice notices;
        std::string request;
        std::thread device([&] {
            request = m_peer.ReadUntil('\n', 5000);
            m_peer.Write(reply.toStdString());
        });
        CameraModel model;
        QCOMPARE(CheckCameraModel(model), 1);
        device.join();
        QCOMPARE(QString::fromStdString(request), QStringLiteral("MD?\r\n"));
        QCOMPARE(int(model.modelType), type);
        QCOMPARE(QString::fromStdString(model.modelName), name);
        if (warning.isEmpty()) {
            QVERIFY(notices.recorder.messages.empty());
        } else {
            QCOMPARE(notices.recorder.messages.size(), size_t(1));
            QCOMPARE(QString::fromStdString(notices.recorder.messages[0].text), warning);
            QVERIFY(notices.recorder.messages[0].icon == NoticeIcon::Warning);
        }
        QCOMPARE(model.SensorWidth(), type == 0 ? 1456 : 2064);
        QCOMPARE(model.SensorHeight(), type == 0 ? 1088 : 1544);
        QCOMPARE(model.IsSupported(), type < 2);
    }

    void noAnswerKeepsTheModel()
    {
        ScopedRecordingNotice notices;
        CameraModel model;
        model.modelType = 1;
        model.modelName = "KT-5200W-QBCL";
        QCOMPARE(CheckCameraModel(model), 0);
        QCOMPARE(int(model.modelType), 1);
        QCOMPARE(QString::fromStdString(model.modelName), QStringLiteral("KT-5200W-QBCL"));
        QCOMPARE(QString::fromStdString(m_peer.ReadUntil('\n', 5000)), QStringLiteral("MD?\r\n"));
        QVERIFY(notices.recorder.messages.empty());
    }

private:
    PtyPeer m_peer;
    MemorySettings m_settings;
};

QTEST_GUILESS_MAIN(CameraModelTest)
#include "camera_model_test.moc"
