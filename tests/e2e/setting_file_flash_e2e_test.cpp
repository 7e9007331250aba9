// Setting files, flash areas and the factory identity writes end to end: the program as
// main() builds it in Control Mode 1 against the simulated camera, driven through its menus,
// buttons and dialogs; the camera's traffic log is the witness of what was sent.
#include "CommunicationWindow.h"
#include "CompareDialog.h"
#include "E2eTool.h"
#include "FlashAreaDialog.h"
#include "LineListModel.h"
#include "ReadingCamera.h"
#include "SettingFile.h"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

Lines fileLines(const std::string& path)
{
    Lines out;
    for (const QString& line : QString::fromStdString(readFile(path)).split("\r\n", Qt::SkipEmptyParts))
        out.push_back(line.toStdString());
    return out;
}

// What the compare window showed: its rows as "setting file camera", and whether it offered
// Apply as its default button.
struct CompareShown {
    bool shown = false;
    Lines rows;
    bool applyOffered = false;
};

} // namespace

class SettingFileFlashE2eTest : public QObject {
    Q_OBJECT

    E2eTool m_tool;
    QTemporaryDir m_dir;

    RecordingNotice& notices() { return m_tool.notices.recorder; }
    std::string path(const char* name) const { return m_dir.filePath(QLatin1String(name)).toStdString(); }
    void trigger(int command) const { m_tool.window->MenuAction(command)->trigger(); }
    int32_t row(int ctrlId) const { return m_tool.Cam().Table().GetDataValue(uint32_t(ctrlId)); }

    // The communication dialog's file buttons ("Write To File...", "Read To FIle....").
    void clickFileButton(int id) const
    {
        CommunicationWindow* dialog = m_tool.Communication();
        dialog->findChild<QAbstractButton*>(QStringLiteral("ctrl_%1").arg(id))->click();
    }

    // Opens the file through "&Open".
    void open(const std::string& file)
    {
        notices().fileNames = {file};
        trigger(MenuCommand::Open);
    }

    // Runs "Compare with Camera…" on the file and answers its window with the key, pressed
    // where the focus is. While the camera is asked, Cancel is pressed once it received
    // cancelAfter lines (0: never).
    CompareShown compare(const std::string& file, Qt::Key key, size_t cancelAfter = 0)
    {
        CompareShown seen;
        notices().fileNames = {file};
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            QDialog* progress = ProgressBarWindow::Instance().Window();
            if (cancelAfter && progress && m_tool.sim.Received().size() >= cancelAfter)
                if (auto* cancel = progress->findChild<QPushButton*>(QStringLiteral("progressCancel")))
                    cancel->click();
            auto* dialog = qobject_cast<CompareDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            watch.stop();
            seen.shown = true;
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("compareTable"));
            for (int row = 0; row < table->rowCount(); ++row)
                seen.rows.push_back(QStringList({table->item(row, 0)->text(), table->item(row, 1)->text(),
                                                 table->item(row, 2)->text()}).join(' ').toStdString());
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                seen.applyOffered |= button->text() == "Apply" && button->isEnabled() && button->isDefault();
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, key);
        });
        watch.start(5);
        trigger(MenuCommand::CompareWithCamera);
        watch.stop();
        return seen;
    }

    // Runs the area selection of the menu command, choosing the entry.
    QStringList chooseArea(int command, int entry, QString* title = nullptr)
    {
        QStringList entries;
        QTimer::singleShot(0, m_tool.window, [&] {
            auto* dialog = qobject_cast<FlashAreaDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            for (int i = 0; i < dialog->AreaList()->count(); ++i)
                entries << dialog->AreaList()->itemText(i);
            if (title)
                *title = dialog->windowTitle();
            dialog->AreaList()->setCurrentIndex(entry);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        trigger(command);
        return entries;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_tool.StartShared({"--model", "KT-5100W-QBCL", "--set", "XMLVR=305"}, 1));
    }
    void init()
    {
        m_tool.Clear();
        notices().answers.clear();
    }

    // Each kind of line takes its own road; unknown and empty lines send nothing, nor do lines
    // whose value is missing, no number or out of range. Refused lines are not stored: one
    // error box, then one message at the end that names them (also in the message list) and
    // the damaged lines. An empty file sends and says nothing; an unreadable one is named in
    // one box.
    void linesApplyByKindAndRefusedOnesAreCountedOnce()
    {
        const int32_t exposure = row(CtrlId::ExposureTime);
        const std::string file = path("kinds.cam");
        writeFile(file, "EM = 2\r\nXYZ=5\r\n\r\nLUTG=10,200\r\nTD=1000\nTRGOP=1\r\nPE=0\r\nTD=99999999\r\n"
                        "PE=\r\nPE=abc\r\nPE?\r\nPE=99999999999\r\n");
        open(file);
        QCOMPARE(SettingLines(m_tool.sim.Received()),
                 (Lines{"EM=2", "LUTG=10,200", "TD=1000", "TRGOP=1", "PE=0", "TD=99999999"}));
        QCOMPARE(row(CtrlId::ExposureMode), 2);
        QCOMPARE(row(CtrlId::TriggerDelay), 1000);
        QCOMPARE(row(CtrlId::TriggerOperation), 1);
        QCOMPARE(row(CtrlId::ExposureTime), exposure);
        QCOMPARE(m_tool.Box(CtrlId::ExposureTime)->text().toInt(), exposure);
        QCOMPARE(notices().messages.size(), size_t(2));
        const std::string refusal = notices().messages[0].text;
        const Lines named = {"Line 7: PE=0, the camera answered " + refusal,
                             "Line 8: TD=99999999, the camera answered " + refusal};
        QCOMPARE(notices().messages[1].text,
                 SettingFile::RefusedText(2, 6) + "\n" + named[0] + "\n" + named[1]
                     + "\n\n4 lines of the setting file were not sent: the value is missing, not a number or out of "
                       "range.\nLine 9: PE=\nLine 10: PE=abc\nLine 11: PE?\nLine 12: PE=99999999999");
        const LineListModel& list = m_tool.Communication()->Messages();
        Lines logged;
        for (int i = 0; i < list.count(); ++i)
            logged.push_back(list.lineAt(i).toStdString());
        for (const std::string& line : named)
            QCOMPARE(Count(logged, line), size_t(1));
        QCOMPARE(m_tool.LastAction(), QString("Applied 4 of 6 lines of kinds.cam — 2 refused, see the message list"));

        m_tool.Clear();
        const std::string empty = path("empty.cam");
        writeFile(empty, "");
        open(empty);
        QVERIFY(!ProgressBarWindow::Instance().IsVisible() && notices().messages.empty());
        QCOMPARE(m_tool.LastAction(), QString("empty.cam holds no lines to apply"));
        open(m_dir.path().toStdString()); // a folder: opened, but not readable as a file
        QCOMPARE(m_tool.LastAction(), "Could not read " + QFileInfo(m_dir.path()).fileName());
        QCOMPARE(notices().messages.size(), size_t(1));
        QVERIFY(notices().messages[0].text.rfind(SettingFile::OpenErrorText(m_dir.path().toStdString()), 0) == 0);
        QVERIFY(SettingLines(m_tool.sim.Received()).empty() && m_tool.window->isEnabled());
    }

    // The video send modes follow the exposure mode, chosen on the page or set by a file (not
    // the one the window showed before): three modes for Timed, only Normal otherwise.
    void exposureModeDecidesTheVideoSendModes()
    {
        QComboBox* modes = m_tool.List(CtrlId::VideoSendModeList);
        QVERIFY(m_tool.Choose(CtrlId::ExposureMode, 1));
        QCOMPARE(modes->itemText(2), QString("Command Sequence"));
        QVERIFY(m_tool.Choose(CtrlId::ExposureMode, 0));
        QCOMPARE(modes->count(), 1);
        const std::string file = path("exposure.cam");
        for (const auto& [mode, count] : {std::pair{1, 3}, std::pair{0, 1}}) {
            writeFile(file, "EM=" + std::to_string(mode) + "\r\n");
            open(file);
            QCOMPARE(m_tool.List(CtrlId::ExposureMode)->currentIndex(), mode);
            QCOMPARE(modes->count(), count);
        }
        QCOMPARE(modes->currentIndex(), 0);
    }

    // Load asks, then sends LD and reads everything; Factory is stored with SA00; "Store All" asks first,
    // then stores from the last area.
    void loadAndStoreAreas()
    {
        // The load asks first, No the default: No keeps the camera's settings.
        notices().answers = {false, true};
        chooseArea(MenuCommand::LoadSettings, 2);
        QCOMPARE(m_tool.sim.Received(), Lines{});
        QCOMPARE(notices().questions.back(),
                 std::string("Replace the camera's current settings with the settings stored in \"User 2\"?"));
        QString title;
        const QStringList entries = chooseArea(MenuCommand::LoadSettings, 2, &title);
        QCOMPARE(entries, (QStringList{"Factory", "User 1", "User 2", "User 3"}));
        QCOMPARE(title, QString("Load setting data"));
        QVERIFY(StartsWith(m_tool.sim.Received(), {"LD=2"}));
        const Lines walk = E2eTool::ReloadQueries(0, 1);
        COMPARE_LINES(m_tool.LinesAfterModelCheck(walk.size()), walk);
        QCOMPARE(m_tool.LastAction(), QString("Loaded user set 2"));

        m_tool.sim.ClearLog();
        chooseArea(MenuCommand::StoreSettings, 0, &title);
        QCOMPARE(title, QString("Store setting data"));
        QCOMPARE(m_tool.LastAction(), QString("Stored the settings in the factory set"));
        notices().answers = {false, true};
        QVERIFY(m_tool.Click(CtrlId::StoreAllAreas));
        QCOMPARE(m_tool.LastAction(), QString("Stored the settings in the factory set"));
        QVERIFY(m_tool.Click(CtrlId::StoreAllAreas));
        QCOMPARE(m_tool.LastAction(), QString("Stored the settings in all 3 user sets"));
        QCOMPARE(m_tool.sim.Received(), (Lines{"SA00=0", "SA=3", "SA=2", "SA=1"}));
        QCOMPARE(notices().messages.size(), size_t(2));
        for (const RecordingNotice::Entry& message : notices().messages)
            QCOMPARE(message.icon, NoticeIcon::Information);

        // The communication dialog's user set buttons end in the status bar as well.
        CommunicationWindow* dialog = m_tool.Communication();
        dialog->findChild<QComboBox*>(QStringLiteral("ctrl_%1").arg(CtrlId::UserSet))
            ->setCurrentIndex(3);
        m_tool.sim.ClearLog();
        notices().answers = {true};
        clickFileButton(CtrlId::LoadUserSet);
        QVERIFY(StartsWith(m_tool.sim.Received(), {"LD=3"}));
        QCOMPARE(m_tool.LastAction(), QString("Loaded user set 3"));
    }

    // The XML version is read and written only as three digits; the model id is written and
    // checked again.
    void xmlVersionAndModelIdWrites()
    {
        const int boxes[] = {CtrlId::XmlVersionMajor, CtrlId::XmlVersionMinor, CtrlId::XmlVersionPatch};
        QVERIFY(m_tool.Click(CtrlId::ReadXmlVersion));
        QStringList shown;
        for (int id : boxes)
            shown << m_tool.Box(id)->text();
        QCOMPARE(shown, (QStringList{"3", "0", "5"}));
        for (const QStringList& typed : {QStringList{"1", "", "3"}, {"12", "2", "3"}, {"1", "2", "3"}}) {
            for (int i = 0; i < 3; ++i)
                m_tool.Type(boxes[i], typed[i]);
            QVERIFY(m_tool.Click(CtrlId::WriteXmlVersion));
        }
        QCOMPARE(m_tool.sim.Received(), (Lines{"XMLVR?", "XMLVR=123"}));
        QCOMPARE(notices().messages.size(), size_t(3));
        QCOMPARE(notices().messages[0].icon, NoticeIcon::Error);
        QCOMPARE(notices().messages[2].icon, NoticeIcon::Information);

        QVERIFY(m_tool.Choose(CtrlId::CameraModelList, 0));
        m_tool.sim.ClearLog();
        QVERIFY(m_tool.Click(CtrlId::WriteModelId));
        QCOMPARE(m_tool.sim.Received(), (Lines{"MD00=KT-5100W-QBCL", "MD?"}));
        QCOMPARE(notices().messages.back().text, std::string("Succeeded in writting camera model id."));
    }

    // Saved and opened again through the communication dialog's buttons (the dialog locked
    // meanwhile) after the camera moved: camera and window hold the saved values, the binning
    // list its position, the camera its factor. Declining to replace the file keeps file and
    // folder. Against a camera that has since moved in two settings, the compare window lists
    // exactly those and only asks the camera; Escape sends nothing, Enter applies the file as
    // "&Open" does, and then the camera holds every setting of the file. A comparison cut short
    // still offers Apply (last: it leaves the camera offline).
    void savedFileRestoresCameraAndWindowAndIsCompared()
    {
        QVERIFY(m_tool.Choose(CtrlId::HorizontalBinning, 1));
        // The row holds what a reading stores for "x2", the file the camera's factor.
        QCOMPARE(row(CtrlId::HorizontalBinning), 1);
        // The supported-rate mask is not a row of the reading walk, yet the file carries it
        // and opening the file sends it back: it must be the camera's own.
        uint32_t supported = 0;
        QCOMPARE(m_tool.Cam().Query(CmdIndex::SBDRT, supported), 1);
        QVERIFY(supported != 1);
        std::string file = path("round.cam");
        notices().fileNames = {file};
        clickFileButton(CtrlId::WriteSettingFile);
        const std::string saved = readFile(file);
        QVERIFY(saved.rfind("MD00=KT-5100W-QBCL\r\nEM=1\r\nTM=0\r\n", 0) == 0);
        QVERIFY(saved.find("\r\nHB=2\r\n") != std::string::npos);
        QCOMPARE(m_tool.LastAction(), QString("Saved %1 settings to round.cam").arg(fileLines(file).size()));
        // Where the camera is reached, that it answers and which camera it is.
        const StatusLineBar* bar = m_tool.window->StatusBar();
        QCOMPARE(bar->PortLabel()->text(), QString("COM1 (%1)").arg(QString::fromStdString(m_tool.sim.DevicePath())));
        QCOMPARE(m_tool.LineState(), QString("Online"));
        QCOMPARE(bar->ModelLabel()->text(), QString("KT-5100W-QBCL"));
        QVERIFY(bar->isVisible());
        QCOMPARE(QString::fromStdString(m_tool.settings.strings[kCameraFilePath]), m_dir.path());
        const int32_t exposure = row(CtrlId::ExposureTime);
        const int32_t delay = row(CtrlId::TriggerDelay);
        const int exposureCommand = m_tool.Cam().Table().ToCmdId(CtrlId::ExposureTime);
        QCOMPARE(m_tool.Cam().Set(exposureCommand, exposure + 100, 2500), 1);
        QCOMPARE(m_tool.Cam().Set(CmdIndex::HB, 1, 2500), 1);
        m_tool.Feature<ReadingCamera>().ReloadFromCamera();
        QCOMPARE(m_tool.Box(CtrlId::ExposureTime)->text().toInt(), exposure + 100);
        bool dialogLocked = false;
        QString stateWhileLoading;
        QTimer::singleShot(0, m_tool.window, [&] {
            dialogLocked = !m_tool.Communication()->isEnabled();
            stateWhileLoading = m_tool.LineState();
        });
        m_tool.sim.ClearLog();
        notices().fileNames = {file};
        clickFileButton(CtrlId::ReadSettingFile);
        QVERIFY(dialogLocked && m_tool.Communication()->isEnabled());
        QVERIFY(notices().messages.empty());
        QCOMPARE(stateWhileLoading, QString("Busy"));
        QCOMPARE(m_tool.LineState(), QString("Online"));
        QCOMPARE(m_tool.LastAction(), QString("Applied %1 of %1 lines of round.cam").arg(fileLines(file).size()));
        const Lines sent = SettingLines(m_tool.sim.Received());
        QCOMPARE(Count(sent, "PE=" + std::to_string(exposure)), size_t(1));
        QCOMPARE(Count(sent, "HB=2"), size_t(1));
        uint32_t inCamera = 0;
        QCOMPARE(m_tool.Cam().Query(exposureCommand, inCamera), 1);
        QCOMPARE(int32_t(inCamera), exposure);
        QCOMPARE(m_tool.Box(CtrlId::ExposureTime)->text().toInt(), exposure);
        QCOMPARE(row(CtrlId::ExposureTime), exposure);
        QCOMPARE(m_tool.List(CtrlId::HorizontalBinning)->currentIndex(), 1);
        QCOMPARE(Count(sent, "SBDRT=" + std::to_string(supported)), size_t(1));

        m_tool.settings.strings[kCameraFilePath] = "/tmp";
        notices().fileNames = {file};
        notices().answers = {false};
        trigger(MenuCommand::SaveShippingData);
        QCOMPARE(notices().questions.size(), size_t(1));
        QCOMPARE(readFile(file), saved);
        QCOMPARE(m_tool.settings.strings[kCameraFilePath], std::string("/tmp"));

        notices().fileNames = {file = path("compare.cam")};
        trigger(MenuCommand::SaveAllData);
        QCOMPARE(m_tool.Cam().Set(exposureCommand, exposure + 100, 2500), 1);
        QCOMPARE(m_tool.Cam().Set(m_tool.Cam().Table().ToCmdId(CtrlId::TriggerDelay), delay + 7, 2500), 1);
        const Lines expected = {"PE " + std::to_string(exposure) + " " + std::to_string(exposure + 100),
                                "TD " + std::to_string(delay) + " " + std::to_string(delay + 7)};
        m_tool.Clear();
        const CompareShown closed = compare(file, Qt::Key_Escape);
        COMPARE_LINES(closed.rows, expected);
        QVERIFY(closed.applyOffered);
        QVERIFY(!m_tool.sim.Received().empty() && SettingLines(m_tool.sim.Received()).empty());
        QVERIFY(notices().messages.empty() && m_tool.window->isEnabled());

        m_tool.sim.ClearLog();
        COMPARE_LINES(compare(file, Qt::Key_Return).rows, expected);
        COMPARE_LINES(SettingLines(m_tool.sim.Received()), fileLines(file));
        QCOMPARE(m_tool.Box(CtrlId::ExposureTime)->text().toInt(), exposure);
        const CompareShown again = compare(file, Qt::Key_Escape);
        QVERIFY(again.shown && again.rows.empty());

        m_tool.Clear();
        const CompareShown cut = compare(file, Qt::Key_Escape, 5);
        QVERIFY(cut.applyOffered);
        QCOMPARE(notices().messages.size(), size_t(1));
        QVERIFY(SettingLines(m_tool.sim.Received()).empty() && m_tool.window->isEnabled());
    }
};

QTEST_MAIN(SettingFileFlashE2eTest)
#include "setting_file_flash_e2e_test.moc"
