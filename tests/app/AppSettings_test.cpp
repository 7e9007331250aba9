// The settings store on a real settings file in a private XDG_CONFIG_HOME.
#include "AppSettings.h"
#include "ControlMode.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

std::string cwd()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

} // namespace

class AppSettingsTest : public QObject {
    Q_OBJECT
public:
    explicit AppSettingsTest(QString configHome) : m_configHome(std::move(configHome)) {}

private:
    QString file() const { return QString::fromStdString(AppSettings::FilePath()); }
    // The file as another program sees it.
    QVariant stored(const QString& name) const
    {
        QSettings raw(file(), QSettings::IniFormat);
        return raw.value(name);
    }
    void writeRaw(const QByteArray& contents)
    {
        QDir().mkpath(QFileInfo(file()).path());
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contents);
    }

    QString m_configHome;

private slots:
    void init()
    {
        QFile::remove(file());
        SetSettingsStore(nullptr);
        ControlMode::ForgetForTest();
    }

    void fileLivesUnderTheConfigHome()
    {
        QCOMPARE(file(), m_configHome + "/Norvik/Lumora Camera Control Tool.conf");
    }

    void firstRunWithoutAFileWorksOnDefaults()
    {
        QVERIFY(!QFile::exists(file()));
        AppSettings settings;
        QVERIFY(!settings.WasPreviousShutdownNormal());
        uint32_t value = 1;
        QCOMPARE(settings.ReadInt(kBaudrate, value, 9600), 0);
        QCOMPARE(value, 9600u);
        std::string path;
        QCOMPARE(settings.ReadPath(kCameraFilePath, path), 0);
        QCOMPARE(path, cwd());
        QCOMPARE(stored("Previous Application Shutdown Status").toInt(), 0);
        settings.MarkNormalShutdown();
        QCOMPARE(stored("Previous Application Shutdown Status").toInt(), 1);
    }

    void shutdownStatusAcrossRuns()
    {
        {
            AppSettings normalRun;
            normalRun.MarkNormalShutdown();
        }
        {
            AppSettings killedRun; // never reaches its normal end
            QVERIFY(killedRun.WasPreviousShutdownNormal());
            QCOMPARE(stored("Previous Application Shutdown Status").toInt(), 0);
        }
        AppSettings next;
        QVERIFY(!next.WasPreviousShutdownNormal());
        QCOMPARE(next.PreviousShutdownStatus(), 0u);
    }

    void numbersStoredAsTextReadAsDecimal_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<uint>("expected");
        QTest::newRow("plain") << QByteArray("19200") << 19200u;
        QTest::newRow("quoted text") << QByteArray("\"19200\"") << 19200u;
        QTest::newRow("blanks and tail") << QByteArray("\"  42abc\"") << 42u;
        QTest::newRow("plus") << QByteArray("+7") << 7u;
        QTest::newRow("minus") << QByteArray("-5") << uint(-5);
        QTest::newRow("no digits") << QByteArray("abc") << 0u;
        QTest::newRow("empty") << QByteArray("") << 0u;
        QTest::newRow("comma list") << QByteArray("38400, 5") << 38400u;
        QTest::newRow("largest") << QByteArray("4294967295") << 4294967295u;
    }
    void numbersStoredAsTextReadAsDecimal()
    {
        QFETCH(QByteArray, text);
        QFETCH(uint, expected);
        writeRaw("[General]\nBaudrate=" + text + "\n");
        AppSettings settings;
        uint32_t value = 1;
        QCOMPARE(settings.ReadInt(kBaudrate, value, 9600), 1);
        QCOMPARE(value, uint32_t(expected));
    }

    void parseDecimalSaturatesInsteadOfOverflowing()
    {
        QCOMPARE(AppSettings::ParseDecimal("99999999999999999999999"), 4294967295u);
        QCOMPARE(AppSettings::ParseDecimal("\t\n 12 34"), 12u);
        QCOMPARE(AppSettings::ParseDecimal("- 5"), 0u);
        QCOMPARE(AppSettings::ParseDecimal("--5"), 0u);
    }

    void numbersRoundTripUnderTheirNames()
    {
        AppSettings settings;
        for (unsigned index = 0; index < 8; ++index)
            QCOMPARE(settings.WriteInt(index, 1000 + index), 1);
        QCOMPARE(settings.WriteInt(kBaudrate, 0xFFFFFFFFu), 1);
        const char* names[] = {"Previous Application Shutdown Status", "Communication Mode", "Baudrate",
                               "Com Port No", "Cameralink 2000 Dll Index", "Cameralink 2001 Dll Index",
                               "Cameralink Ver11 Dll Index", "Control Mode"};
        for (unsigned index = 0; index < 8; ++index) {
            uint32_t value = 0;
            QCOMPARE(settings.ReadInt(index, value, 0), 1);
            QCOMPARE(value, index == kBaudrate ? 0xFFFFFFFFu : 1000 + index);
            QVERIFY2(stored(names[index]).isValid(), names[index]);
        }
    }

    void indexTenAndAboveIsRefused()
    {
        AppSettings settings;
        QFile before(file());
        QVERIFY(before.open(QIODevice::ReadOnly));
        QByteArray contents = before.readAll();
        before.close();
        for (unsigned index : {10u, 11u, 0xFFFFFFFFu}) {
            uint32_t value = 0;
            QCOMPARE(settings.WriteInt(index, 5), 0);
            QCOMPARE(settings.WriteString(index, "x"), 0);
            QCOMPARE(settings.ReadInt(index, value, 77), 0);
            QCOMPARE(value, 77u);
            std::string path = "unchanged";
            QCOMPARE(settings.ReadPath(index, path), 0);
            QCOMPARE(path, cwd());
        }
        QFile after(file());
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), contents);
    }

    void pathsMustExist()
    {
        QTemporaryDir dir;
        QString folder = dir.path() + QStringLiteral("/Kamera Dateien \u00e4");
        QVERIFY(QDir().mkpath(folder));
        QString fileName = folder + "/a.cam";
        QFile f(fileName);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        AppSettings settings;
        std::string path;
        QCOMPARE(settings.WriteString(kCameraFilePath, QFile::encodeName(folder).toStdString()), 1);
        QCOMPARE(settings.ReadPath(kCameraFilePath, path), 1);
        QCOMPARE(QFile::decodeName(path.c_str()), folder);
        QCOMPARE(settings.WriteString(kCommandLogFilePath, QFile::encodeName(fileName).toStdString()), 1);
        QCOMPARE(settings.ReadPath(kCommandLogFilePath, path), 1);
        QCOMPARE(QFile::decodeName(path.c_str()), fileName);

        QVERIFY(QFile::remove(fileName));
        QCOMPARE(settings.ReadPath(kCommandLogFilePath, path), 0);
        QCOMPARE(path, cwd());
        QCOMPARE(settings.WriteString(kCameraFilePath, ""), 1);
        QCOMPARE(settings.ReadPath(kCameraFilePath, path), 0);
    }

    void portMapAndLibraryFolder()
    {
        writeRaw("[General]\nCamera%20Link%20Library%20Folder=/opt/grabber/lib\n"
                 "[Ports]\nCOM3=/dev/ttyUSB0\n");
        AppSettings settings;
        QCOMPARE(settings.PortDevice("COM3"), std::string("/dev/ttyUSB0"));
        QCOMPARE(settings.PortDevice("COM4"), std::string("/dev/ttyS3"));
        QCOMPARE(settings.PortDevice("COM1"), std::string("/dev/ttyS0"));
        QCOMPARE(settings.ClLibraryFolder(), std::string("/opt/grabber/lib"));
        QFile::remove(file());
        AppSettings plain;
        QVERIFY(QFileInfo(QString::fromStdString(plain.ClLibraryFolder())).isDir());
    }

    void storeSeenThroughTheLinkLayer()
    {
        AppSettings settings;
        SetSettingsStore(&settings);
        QCOMPARE(Settings().WriteInt(kComPortNo, 4), 1);
        QCOMPARE(stored("Com Port No").toInt(), 4);
        SetSettingsStore(nullptr);
    }

    void controlModeIsReadOnceAndWrittenOnlyWhenUsed()
    {
        AppSettings settings;
        SetSettingsStore(&settings);
        settings.WriteInt(kControlMode, 1);
        ControlMode::SaveIfLoaded(); // never used: nothing written
        QCOMPARE(stored("Control Mode").toInt(), 1);
        QVERIFY(ControlMode::IsFactory());
        settings.WriteInt(kControlMode, 0); // another program's change during the run
        QCOMPARE(ControlMode::Get(), 1u);   // kept in memory
        ControlMode::Set(ControlMode::kNormal);
        QCOMPARE(stored("Control Mode").toInt(), 0);
        settings.WriteInt(kControlMode, 1);
        ControlMode::SaveIfLoaded();
        QCOMPARE(stored("Control Mode").toInt(), 0);
        SetSettingsStore(nullptr);
    }
};

int main(int argc, char* argv[])
{
    // QSettings takes its folder from the environment once per process: set it first.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    QCoreApplication app(argc, argv);
    AppSettingsTest test(configHome.path());
    return QTest::qExec(&test, argc, argv);
}

#include "AppSettings_test.moc"
