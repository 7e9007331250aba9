#pragma once
// Saving the terminal transcript and the communication dialog's message list. Both saves ask
// for a file, confirm an overwrite, write every line and remember the folder as the
// "Command Log File Path"; they differ in line order, line end, extension and filter.
// The new file replaces an existing one only once it has been written completely, so a save
// that fails part way leaves the earlier file as it was.
#include <QByteArray>
#include <QString>

#include <string>

class LineListModel;

struct LogSaveOptions {
    std::string title;     // title of the save dialog
    std::string filter;    // file dialog filter
    QString suffix;        // added when the chosen name has no extension ("csv"); empty: none
    bool newestFirst;      // transcript: newest first; message list: oldest first
    bool crLf;             // lines end in CR LF (the transcript's files), else in LF
    std::string caption;   // caption of the question and error boxes
};

enum class LogSaveResult { Cancelled, Declined, Failed, Saved };

// Runs the whole save: file dialog, overwrite question, writing, "File open error !" on
// failure and storing the folder. The caller adds its own completion line on Saved.
LogSaveResult SaveLogWithDialog(const LineListModel& lines, const LogSaveOptions& options,
                                QString* savedPath = nullptr);

// Writes the lines to path as ReplacingFile does (a link's target gets them, the file keeps its
// permissions). false (and path untouched) on any failure; error then tells why.
bool WriteLinesReplacing(const QString& path, const LineListModel& lines, bool newestFirst, bool crLf,
                         QString* error = nullptr);

// "name" -> "name.csv"; a name that already has an extension is kept.
QString WithDefaultSuffix(const QString& path, const QString& suffix);
// Everything before the last '/', or the whole path when it has none.
QString DirectoryPart(const QString& path);
