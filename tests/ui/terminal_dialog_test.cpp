// The terminal driven through its real widgets, with the camera's end of the serial line on a
// pseudo-terminal.
#include "CommLink.h"
#include "LineListModel.h"
#include "PtyPeer.h"
#include "SettingsStore.h"
#include "TerminalWindow.h"
#include "UserNotice.h"
#include "WindowCamera.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The text of a transcript line after its time stamp.
QString textOf(const QString& line)
{
    return line.mid(11);
}

} // namespace

class TerminalDialogTest : public QObject {
    Q_OBJECT

    MemorySettings m_settings;
    std::unique_ptr<PtyPeer> m_peer;
    std::unique_ptr<ScopedRecordingNotice> m_notice;
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_settings = MemorySettings();
        m_peer = std::make_unique<PtyPeer>();
        QVERIFY(m_peer->IsOpen());
        m_settings.ports["COM1"] = m_peer->SlavePath();
        SetSettingsStore(&m_settings);
        m_notice = std::make_unique<ScopedRecordingNotice>();
        m_dir = std::make_unique<QTemporaryDir>();
        WindowCamera::Fresh();
        QCOMPARE(WindowCamera::Get().Link().Open(0, 9600, 0), 1);
    }

    void cleanup()
    {
        WindowCamera::Get().Link().Close();
        m_notice.reset();
        m_peer.reset();
        SetSettingsStore(nullptr);
    }

    void stampIsUtcMinuteSecondMillisecond()
    {
        using namespace std::chrono;
        // 1 h 02 min 05.042 s after the epoch: the hour is left out.
        const system_clock::time_point when{milliseconds(3725042)};
        QCOMPARE(TerminalWindow::Stamp(when), QStringLiteral("02:05:042  "));
        const system_clock::time_point late{milliseconds(86399999)};
        QCOMPARE(TerminalWindow::Stamp(late), QStringLiteral("59:59:999  "));
    }

    // The newest 32786 lines are kept, each cut to 255 characters; text passed as an argument
    // is data, not a format.
    void transcriptKeepsNewest32786Lines()
    {
        TerminalWindow dialog(WindowCamera::Get());
        for (int i = 1; i <= TerminalWindow::kMaxLines; ++i)
            dialog.AddLine(std::string("line ") + std::to_string(i));
        QCOMPARE(dialog.Transcript().count(), 32786);
        QCOMPARE(textOf(dialog.Transcript().lineAt(32785)), QStringLiteral("line 1"));

        dialog.AddLine(std::string("line 32787"));
        const LineListModel& lines = dialog.Transcript();
        QCOMPARE(lines.count(), 32786);
        QCOMPARE(lines.rowCount(), 32786);
        QCOMPARE(textOf(lines.lineAt(0)), QStringLiteral("line 32787"));
        QCOMPARE(textOf(lines.lineAt(32785)), QStringLiteral("line 2"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\d  line 32787$")).match(lines.lineAt(0)).hasMatch());

        dialog.AddFormattedLine("%s%d", std::string(400, 'x').c_str(), 7);
        QCOMPARE(textOf(lines.lineAt(0)).size(), 255);
        dialog.AddFormattedLine("Rx: %s", "%s%n");
        QCOMPARE(textOf(lines.lineAt(0)), QStringLiteral("Rx: %s%n"));
    }

    void sendWritesTheLineWithCrLfAsItStands_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QByteArray>("onWire");
        QTest::newRow("empty line") << QString() << false << QByteArray("\r\n");
        QTest::newRow("query") << QStringLiteral("PE?") << false << QByteArray("PE?\r\n");
        QTest::newRow("unknown text, blanks kept") << QStringLiteral(" zz = 1 ") << false << QByteArray(" zz = 1 \r\n");
        QTest::newRow("Enter in the edit line") << QStringLiteral("GA?") << true << QByteArray("GA?\r\n");
    }

    void sendWritesTheLineWithCrLfAsItStands()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(QByteArray, onWire);
        TerminalWindow dialog(WindowCamera::Get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.CommandEdit()->setFocus();
        dialog.CommandEdit()->setText(typed);
        if (byEnter)
            QTest::keyClick(dialog.CommandEdit(), Qt::Key_Return);
        else
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("sendButton")), Qt::LeftButton);
        QCOMPARE(QByteArray::fromStdString(m_peer->Read(onWire.size(), 2000)), onWire);
        QCOMPARE(dialog.CommandEdit()->text(), typed);
        QCOMPARE(textOf(dialog.Transcript().lineAt(0)), QStringLiteral("Tx: ") + typed);
        QVERIFY(dialog.isVisible());
        if (byEnter) {
            // The sent line stays, selected: the next line typed replaces it; Up and Down go
            // through the lines sent and back to the one being typed.
            QLineEdit* edit = dialog.CommandEdit();
            QTest::keyClicks(edit, "PE?");
            QCOMPARE(edit->text(), QStringLiteral("PE?"));
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClicks(edit, "TD");
            const QStringList expected{"PE?", typed, typed, "PE?", "TD"};
            QStringList recalled;
            for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
                QTest::keyClick(edit, key);
                recalled << edit->text();
            }
            QCOMPARE(recalled, expected);
            QCOMPARE(QByteArray::fromStdString(m_peer->Read(5, 2000)), QByteArray("PE?\r\n"));
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    // A missing file sends nothing and says nothing.
    void replaySendsEachLineOnceWithOneCrLf()
    {
        TerminalWindow dialog(WindowCamera::Get()); // never shown: the replay runs all the same
        QVERIFY(!dialog.ReplayFile(m_dir->filePath(QStringLiteral("absent.txt"))));
        QVERIFY(!dialog.IsReplaying());
        QCOMPARE(m_peer->Read(1, 100), std::string());
        QVERIFY(m_notice->recorder.messages.empty());

        const QString path = m_dir->filePath(QStringLiteral("commands.txt"));
        writeFile(path, "PE=100\r\n\r\nGA?\r\nTD=1");
        QSignalSpy finished(&dialog, &TerminalWindow::replayFinished);
        m_notice->recorder.fileNames = {path.toStdString()};
        dialog.Read();
        QVERIFY(dialog.IsReplaying());
        QVERIFY(finished.wait(5000));
        const std::string expected = "PE=100\r\n\r\nGA?\r\nTD=1\r\n";
        QCOMPARE(m_peer->Read(expected.size() + 8, 300), expected);
        QCOMPARE(dialog.CommandEdit()->text(), QStringLiteral("TD=1"));
        QCOMPARE(textOf(dialog.Transcript().lineAt(3)), QStringLiteral("Tx: PE=100"));
    }

    // Saved newest first with CR LF, asking before a file is replaced; a write that fails
    // part way (files limited to 8 KiB, as on a full disk) leaves the earlier file intact.
    void saveWritesNewestFirstWithCrLfAndAsksBeforeReplacing()
    {
        TerminalWindow dialog(WindowCamera::Get());
        dialog.AddLine(std::string("Tx: PE?"));
        dialog.AddLine(std::string("Rx: PE=500"));
        const QString chosen = m_dir->filePath(QStringLiteral("transcript"));
        const QString path = chosen + QStringLiteral(".csv");
        m_notice->recorder.fileNames = {chosen.toStdString()};
        dialog.Save();

        const QByteArray saved = readAll(path);
        const QList<QByteArray> lines = saved.split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith("  Rx: PE=500\r"));
        QVERIFY(lines[1].endsWith("  Tx: PE?\r"));
        QCOMPARE(lines[2], QByteArray());
        QVERIFY(m_notice->recorder.questions.empty());
        // The completion line is added after the file was written, not into it.
        QCOMPARE(textOf(dialog.Transcript().lineAt(0)), QStringLiteral("Writing file has been done !"));
        std::string folder;
        QCOMPARE(m_settings.ReadPath(kCommandLogFilePath, folder), 1);
        QCOMPARE(QString::fromStdString(folder), m_dir->path());

        // The same name again: No keeps the file, Yes replaces it.
        m_notice->recorder.fileNames = {path.toStdString(), path.toStdString()};
        m_notice->recorder.answers = {false, true};
        dialog.Save();
        QCOMPARE(m_notice->recorder.questions.size(), size_t(1));
        QCOMPARE(QString::fromStdString(m_notice->recorder.questions[0]),
                 path + QStringLiteral("\nThis file already exists.\nReplace existing file?"));
        QCOMPARE(readAll(path), saved);
        dialog.Save();
        const QByteArray replaced = readAll(path);
        QVERIFY(replaced.split('\n')[0].endsWith("  Writing file has been done !\r"));

        for (int i = 0; i < 2000; ++i)
            dialog.AddLine(std::string("Rx: a line long enough to pass the file size limit quickly"));
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = 8192;
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        m_notice->recorder.fileNames = {path.toStdString()};
        m_notice->recorder.answers = {true};
        m_notice->recorder.Clear();
        dialog.Save();
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(readAll(path), replaced);
        QCOMPARE(m_notice->recorder.messages.size(), size_t(1));
        QVERIFY(QString::fromStdString(m_notice->recorder.messages[0].text).startsWith(QStringLiteral("File open error !")));
        QCOMPARE(m_notice->recorder.messages[0].icon, NoticeIcon::Error);
        QVERIFY(!textOf(dialog.Transcript().lineAt(0)).startsWith(QStringLiteral("Writing file")));
        // Nothing half-written is left beside it.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("transcript.csv")});
    }
};

QTEST_MAIN(TerminalDialogTest)
#include "terminal_dialog_test.moc"
