#include "LogFile.h"

#include "LineListModel.h"
#include "ReplacingFile.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Lines are gathered into chunks of about this size: one write per line would cost a system
// call each.
constexpr qsizetype kChunkBytes = 60 * 1024;
} // namespace

bool WriteLinesReplacing(const QString& path, const LineListModel& lines, bool newestFirst, bool crLf,
                         QString* error)
{
    ReplacingFile file;
    auto failed = [&file, error] {
        if (error)
            *error = QString::fromStdString(file.Error());
        return false;
    };
    if (!file.Open(QFile::encodeName(path).toStdString()))
        return failed();
    const int n = lines.count();
    QByteArray chunk;
    chunk.reserve(kChunkBytes + kChunkBytes / 16);
    for (int i = 0; i < n; ++i) {
        const int row = newestFirst ? i : n - 1 - i;
        chunk += lines.lineAt(row).toLatin1();
        if (crLf)
            chunk += '\r';
        chunk += '\n';
        if (chunk.size() >= kChunkBytes || i == n - 1) {
            if (!file.Write(chunk.constData(), size_t(chunk.size())))
                return failed();
            chunk.clear();
        }
    }
    return file.Commit() || failed();
}

QString WithDefaultSuffix(const QString& path, const QString& suffix)
{
    if (suffix.isEmpty() || path.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.contains(QLatin1Char('.')) && !name.endsWith(QLatin1Char('.')))
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + suffix : path + QLatin1Char('.') + suffix;
}

QString DirectoryPart(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.left(slash);
}

LogSaveResult SaveLogWithDialog(const LineListModel& lines, const LogSaveOptions& options,
                                QString* savedPath)
{
    std::string folder;
    Settings().ReadPath(kCommandLogFilePath, folder);
    const std::string chosen = Notices().SaveFileName(options.title, folder, options.filter);
    if (chosen.empty())
        return LogSaveResult::Cancelled;
    const QString path = WithDefaultSuffix(QString::fromStdString(chosen), options.suffix);

    if (QFileInfo::exists(path)) {
        const std::string question = path.toStdString() + "\nThis file already exists." + "\nReplace existing file?";
        if (!Notices().AskYesNo(question, options.caption))
            return LogSaveResult::Declined;
    }

    QString error;
    if (!WriteLinesReplacing(path, lines, options.newestFirst, options.crLf, &error)) {
        // The fixed text first; the second line tells a Linux user what actually went wrong.
        Notices().Message("File open error !\n" + path.toStdString() + ": " + error.toStdString(),
                          options.caption, NoticeIcon::Error);
        return LogSaveResult::Failed;
    }
    Settings().WriteString(kCommandLogFilePath, DirectoryPart(path).toStdString());
    if (savedPath)
        *savedPath = path;
    return LogSaveResult::Saved;
}
