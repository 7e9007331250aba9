// The settings store on a real settings file in a private XDG_CONFIG_HOME. The shutdown status
// of a run is proven with the program itself (Lifecycle_test).
#include "AppSettings.h"
#include "ControlMode.h"
#include "IniSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class AppSettingsTest : public QObject {
    Q_OBJECT

    QString file() const { return QString::fromStdString(AppSettings::FilePath()); }
    // The file as another program sees it.
    QVariant stored(const QString& name) const
    {
        QSettings raw(file(), QSettings::IniFormat);
        return raw.value(name);
    }
    QByteArray contents() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeRaw(const QByteArray& contents)
    {
        QDir().mkpath(QFileInfo(file()).path());
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contents);
    }

private slots:
    void init()
    {
        QFile::remove(file());
        SetSettingsStore(nullptr);
        ControlMode::ForgetForTest();
    }

    void numbersStoredAsTextReadAsDecimal_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<uint>("expected");
        QTest::newRow("plain") << QByteArray("19200") << 19200u;
        QTest::newRow("quoted text, blanks and tail") << QByteArray("\"  42abc\"") << 42u;
        QTest::newRow("minus wraps") << QByteArray("-5") << uint(-5);
        QTest::newRow("no digits") << QByteArray("abc") << 0u;
        QTest::newRow("comma list") << QByteArray("38400, 5") << 38400u;
        QTest::newRow("saturates") << QByteArray("99999999999999999999999") << 4294967295u;
        QTest::newRow("sign apart from digits") << QByteArray("\"- 5\"") << 0u;
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

    void indexTenAndAboveIsRefusedAndChangesNothing()
    {
        AppSettings settings;
        QCOMPARE(settings.WriteInt(kControlMode, 1), 1);
        QVERIFY(stored("Control Mode").isValid());
        const QByteArray before = contents();
        for (unsigned index : {10u, 0xFFFFFFFFu}) {
            uint32_t value = 0;
            QCOMPARE(settings.WriteInt(index, 5), 0);
            QCOMPARE(settings.WriteString(index, "x"), 0);
            QCOMPARE(settings.ReadInt(index, value, 77), 0);
            QCOMPARE(value, 77u);
        }
        QCOMPARE(contents(), before);
    }

    void pathsMustExist()
    {
        QTemporaryDir dir;
        QString folder = dir.path() + QStringLiteral("/Kamera Dateien \u00e4");
        QVERIFY(QDir().mkpath(folder));
        const QString fileName = folder + "/a.cam";
        QVERIFY(QFile(fileName).open(QIODevice::WriteOnly));

        AppSettings settings;
        std::string path;
        QCOMPARE(settings.WriteString(kCameraFilePath, QFile::encodeName(folder).toStdString()), 1);
        QCOMPARE(settings.ReadPath(kCameraFilePath, path), 1);
        QCOMPARE(QFile::decodeName(path.c_str()), folder);
        QCOMPARE(settings.WriteString(kCommandLogFilePath, QFile::encodeName(fileName).toStdString()), 1);
        QVERIFY(QFile::remove(fileName));
        QCOMPARE(settings.ReadPath(kCommandLogFilePath, path), 0);
        QCOMPARE(QString::fromStdString(path), QDir::currentPath());
    }

    // lumora-cli reads this file without Qt: it must see what QSettings wrote, however QSettings
    // had to quote or escape it, as the program itself does; a port not in the map is the
    // native one.
    void theQtFreeReaderSeesWhatTheWindowWrote_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "/dev/ttyUSB0";
        QTest::newRow("blanks and comma") << " /opt/grab ber, lib ";
        QTest::newRow("quotes, semicolon, backslash") << "/dev/a\"b;c\\d";
        QTest::newRow("leading at sign") << "@serial";
        QTest::newRow("non-ASCII") << QString::fromUtf8("/home/jörg/Kamera ü");
        QTest::newRow("control character") << "line\tbreak";
    }
    void theQtFreeReaderSeesWhatTheWindowWrote()
    {
        QFETCH(QString, text);
        {
            AppSettings settings;
            QCOMPARE(settings.WriteInt(kBaudrate, 115200), 1);
            QCOMPARE(settings.WriteInt(kCl2001DllIndex, 4000000000u), 1);
            QCOMPARE(settings.WriteString(kCameraFilePath, text.toStdString()), 1);
            QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Norvik", "Lumora Camera Control Tool");
            raw.setValue("Ports/COM3", text);
            raw.setValue("Camera Link Library Folder", text);
        }
        AppSettings settings;
        QCOMPARE(QString::fromStdString(settings.PortDevice("COM3")), text);
        QCOMPARE(settings.PortDevice("COM4"), std::string("/dev/ttyS3"));
        QCOMPARE(QString::fromStdString(settings.ClLibraryFolder()), text);
        IniSettings reader(AppSettings::FilePath());
        QVERIFY(reader.Loaded());
        uint32_t value = 0;
        QCOMPARE(reader.ReadInt(kBaudrate, value, 9600), 1);
        QCOMPARE(value, 115200u);
        QCOMPARE(reader.ReadInt(kCl2001DllIndex, value, 0), 1);
        QCOMPARE(value, 4000000000u);
        QCOMPARE(reader.ReadInt(kComPortNo, value, 7), 0);
        QCOMPARE(value, 7u);
        QCOMPARE(QString::fromStdString(reader.Value("Camera File Path").value_or("<none>")), text);
        QCOMPARE(QString::fromStdString(reader.PortDevice("COM3")), text);
        QCOMPARE(reader.PortDevice("COM4"), std::string("/dev/ttyS3"));
        QCOMPARE(QString::fromStdString(reader.ClLibraryFolder()), text);
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
    AppSettingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AppSettings_test.moc"
