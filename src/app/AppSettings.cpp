#include "AppSettings.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <cctype>
#include <climits>
#include <filesystem>
#include <unistd.h>

namespace {

const char* const kWindowGroup = "Windows";

std::string currentFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

QString key(unsigned index)
{
    return QString::fromStdString(SettingValueName(index));
}

} // namespace

AppSettings& AppSettings::Instance()
{
    static AppSettings settings;
    static const bool installed = (SetSettingsStore(&settings), true);
    (void)installed;
    return settings;
}

AppSettings::AppSettings()
{
    ReadInt(kShutdownStatus, m_previousShutdownStatus, 0);
    WriteInt(kShutdownStatus, 0); // from now on a crash leaves 0 behind
}

AppSettings::~AppSettings()
{
    if (&Settings() == this)
        SetSettingsStore(nullptr);
}

std::unique_ptr<QSettings> AppSettings::open()
{
#ifdef Q_OS_WIN
    const auto scope = QSettings::SystemScope;
#else
    const auto scope = QSettings::UserScope;
#endif
    return std::make_unique<QSettings>(QSettings::NativeFormat, scope, QStringLiteral("Norvik"),
                                       QStringLiteral("Lumora Camera Control Tool"));
}

std::string AppSettings::FilePath()
{
    return QFile::encodeName(open()->fileName()).toStdString();
}

std::string AppSettings::ValueName(unsigned index)
{
    return SettingValueName(index);
}

uint32_t AppSettings::ParseDecimal(const std::string& text)
{
    return ParseStoredDecimal(text);
}

int AppSettings::ReadInt(unsigned index, uint32_t& value, uint32_t defaultValue)
{
    value = defaultValue;
    if (index >= kSettingCount)
        return 0;
    QVariant stored = open()->value(key(index));
    if (!stored.isValid())
        return 0;
    switch (stored.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        value = static_cast<uint32_t>(stored.toLongLong());
        break;
    case QMetaType::QStringList: // an unquoted comma splits a text value into a list
        value = ParseDecimal(stored.toStringList().join(QLatin1Char(',')).toStdString());
        break;
    default:
        value = ParseDecimal(stored.toString().toStdString());
        break;
    }
    return 1;
}

int AppSettings::WriteInt(unsigned index, uint32_t value)
{
    if (index >= kSettingCount)
        return 0;
    auto settings = open();
    settings->setValue(key(index), value);
    settings->sync();
    return settings->status() == QSettings::NoError ? 1 : 0;
}

int AppSettings::WriteString(unsigned index, const std::string& text)
{
    if (index >= kSettingCount)
        return 0;
    auto settings = open();
    settings->setValue(key(index), QFile::decodeName(QByteArray::fromStdString(text)));
    settings->sync();
    return settings->status() == QSettings::NoError ? 1 : 0;
}

int AppSettings::ReadPath(unsigned index, std::string& path)
{
    if (index < kSettingCount) {
        QVariant stored = open()->value(key(index));
        if (stored.isValid()) {
            std::string text = QFile::encodeName(stored.toString()).toStdString();
            std::error_code ec;
            if (!text.empty() && std::filesystem::exists(text, ec)) {
                path = text;
                return 1;
            }
        }
    }
    path = currentFolder();
    return 0;
}

std::string AppSettings::PortDevice(const std::string& portName)
{
    QString device = open()->value(QString::fromLatin1(kPortGroup) + QLatin1Char('/')
                                   + QString::fromStdString(portName)).toString();
    if (device.isEmpty())
        return DefaultPortDevice(portName);
    return QFile::encodeName(device).toStdString();
}

void AppSettings::SetPortDevice(const std::string& portName, const std::string& device)
{
    auto settings = open();
    settings->setValue(QString::fromLatin1(kPortGroup) + QLatin1Char('/') + QString::fromStdString(portName),
                       QFile::decodeName(device.c_str()));
    settings->sync();
}

std::string AppSettings::ClLibraryFolder()
{
    QString folder = open()->value(QString::fromLatin1(kClLibraryFolderName)).toString();
    return folder.isEmpty() ? DefaultClLibraryFolder() : QFile::encodeName(folder).toStdString();
}

QByteArray AppSettings::WindowGeometry(const char* window)
{
    return open()->value(QString::fromLatin1(kWindowGroup) + QLatin1Char('/') + QLatin1String(window)).toByteArray();
}

void AppSettings::WriteWindowGeometry(const char* window, const QByteArray& geometry)
{
    auto settings = open();
    settings->setValue(QString::fromLatin1(kWindowGroup) + QLatin1Char('/') + QLatin1String(window), geometry);
    settings->sync();
}

void AppSettings::MarkNormalShutdown()
{
    WriteInt(kShutdownStatus, 1);
}
