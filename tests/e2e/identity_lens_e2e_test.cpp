// The about window, the identity editors and the motor lens window, end to end: opened from the
// menu of the program as main() builds it, used as a person would, with the simulated camera's
// traffic log (and its record of the lens motors) as the witness.
#include "AboutDialog.h"
#include "CameraIdDialog.h"
#include "E2eTool.h"
#include "MotorLensFeature.h"
#include "MotorLensWindow.h"
#include "PressAndHoldButton.h"
#include "UserIdDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Opens the window of the menu command, runs check on it while it is up, then closes it.
template <class D>
bool RunModal(E2eTool& tool, int command, const std::function<void(D&)>& check)
{
    bool ran = false;
    QTimer::singleShot(0, tool.window, [&] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            ran = true;
            check(*dialog);
            dialog->reject();
        }
    });
    QTimer::singleShot(20000, tool.window, [] {
        if (QWidget* stuck = QApplication::activeModalWidget())
            stuck->close();
    });
    tool.window->MenuAction(command)->trigger();
    return ran;
}

template <class W = QLineEdit>
W* Child(QWidget& parent, const char* name)
{
    return parent.findChild<W*>(QLatin1String(name));
}

// A press or release of the left mouse button at a point of the window, as the window system
// delivers it: the pressed button keeps the mouse.
void Mouse(QWidget& window, QPoint at, bool press)
{
    if (press)
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, at);
    else
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, at);
}

// Stands in for the desktop's default handler of files.
class FileOpener : public QObject {
    Q_OBJECT
public:
    FileOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~FileOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class IdentityLensE2eTest : public QObject {
    Q_OBJECT

    E2eTool m_tool;

    const std::vector<RecordingNotice::Entry>& Messages() const { return m_tool.notices.recorder.messages; }
    Lines Received() const { return m_tool.sim.Received(); }

    MotorLensWindow* MotorWindow()
    {
        m_tool.window->MenuAction(MenuCommand::MotorLens)->trigger();
        MotorLensWindow* window = m_tool.Feature<MotorLensFeature>().Window();
        return QTest::qWaitForWindowActive(window) ? window : nullptr;
    }
    static QPoint CentreOf(MotorLensWindow& window, int ctrlId)
    {
        auto* button = window.findChild<PressAndHoldButton*>(QStringLiteral("ctrl_%1").arg(ctrlId));
        return button ? button->geometry().center() : QPoint(-1000, -1000);
    }

private slots:
    // A firmware 5, a device version with four dots, a user id in mixed case, the first iris
    // stop refused; Control Mode 2.
    void initTestCase()
    {
        QVERIFY(m_tool.StartShared(
            {"--set", "VN=5", "--set", "DV=1.2.3.4.5", "--set", "UD=Line 7 cam", "--fault", "refuse-once=MLI=0"}, 2));
    }
    void init()
    {
        m_tool.Clear();
        ControlMode::Set(2);
    }

    // The camera's data; in Control Mode 2 the device version may be written, and the help
    // files of the current folder are offered. Outside the factory modes, without help files,
    // neither is.
    void aboutShowsTheCameraDataAndOffersTheDeviceVersionInControlMode2()
    {
        const QTemporaryDir folder, empty;
        QDir(folder.path()).mkdir(QStringLiteral("folder.pdf"));
        for (const char* name : {"b-manual.pdf", "a-guide.pdf", "notes.txt"}) {
            QFile file(folder.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        FileOpener opener;
        bool ran = RunModal<AboutDialog>(m_tool, MenuCommand::About, [&](AboutDialog& about) {
            QCOMPARE(about.windowTitle(), QString("About This Control"));
            QCOMPARE(Child(about, "firmwareVersion")->text(), QString("0.05"));
            QCOMPARE(Child(about, "xmlVersion")->text(), QString("1.2.3"));
            QCOMPARE(Child(about, "modelName")->text(), QString("KT-5100W-QBCL"));
            QCOMPARE(Child(about, "cameraId")->text(), QString("SIM0000001"));
            QCOMPARE(Child(about, "fpgaVersion")->text(), QString("2.12"));
            for (const char* part : {"deviceVersion0", "deviceVersion1", "deviceVersion2", "deviceVersion3"})
                QCOMPARE(Child(about, part)->text(), QString("?"));
            QCOMPARE(Received(), (Lines{"VN?", "MD?", "ID?", "FPVN?", "UD?", "DV?", "XMLVR?"}));

            // The user id as the camera keeps it, protected until the person enables it.
            QLineEdit* userId = Child(about, "userId");
            QCOMPARE(userId->text(), QString("Line 7 cam"));
            QVERIFY(!userId->isEnabled() && !Child<QPushButton>(about, "saveUserId")->isEnabled());
            QTest::mouseClick(Child<QRadioButton>(about, "enableUserId"), Qt::LeftButton);
            QVERIFY(userId->isEnabled() && Child<QPushButton>(about, "saveUserId")->isEnabled());

            // One character per part of the device version.
            QPushButton* saveVersion = Child<QPushButton>(about, "saveDeviceVersion");
            QVERIFY(saveVersion->isVisible());
            const char* parts[] = {"2", "", "1", "9x"};
            for (int i = 0; i < 4; ++i)
                Child(about, QStringLiteral("deviceVersion%1").arg(i).toLatin1().constData())->setText(parts[i]);
            m_tool.sim.ClearLog();
            QTest::mouseClick(saveVersion, Qt::LeftButton);
            QCOMPARE(Received(), Lines{"DV=2..1.9"});
            QCOMPARE(Messages().back().text, std::string("Writing the Device Version has been completed."));

            // The help files by name; the first is opened.
            auto* files = Child<QComboBox>(about, "helpFiles");
            QCOMPARE(files->count(), 2);
            QCOMPARE(files->currentText(), QString("a-guide.pdf"));
            QTest::mouseClick(Child<QPushButton>(about, "viewHelpFile"), Qt::LeftButton);
            QCOMPARE(opener.opened, QList<QUrl>{QUrl::fromLocalFile(folder.filePath("a-guide.pdf"))});
        });
        QVERIFY(QDir::setCurrent(empty.path()));
        ControlMode::Set(0);
        ran = ran && RunModal<AboutDialog>(m_tool, MenuCommand::About, [&](AboutDialog& about) {
            QVERIFY(!Child<QPushButton>(about, "saveDeviceVersion")->isVisible());
            QVERIFY(!Child(about, "deviceVersion0")->isEnabled());
            QTest::mouseClick(Child<QPushButton>(about, "viewHelpFile"), Qt::LeftButton);
            QCOMPARE(Messages().back().text, std::string("No file was selected !!"));
        });
        QDir::setCurrent(before);
        QVERIFY(ran);
    }

    // The camera id is shown in Control Mode 2 but saved in Control Mode 1 only; the user id
    // is saved as the camera keeps it, never with a line break.
    void idEditorsSaveTheIdsAsTheCameraKeepsThem()
    {
        bool ran = RunModal<CameraIdDialog>(m_tool, MenuCommand::EditCameraId, [&](CameraIdDialog& editor) {
            QCOMPARE(editor.windowTitle(), QString("Camera Id"));
            QCOMPARE(Child(editor, "cameraId0")->text(), QString("S"));
            QCOMPARE(Child(editor, "cameraId9")->text(), QString("1"));
            QVERIFY(!Child<QPushButton>(editor, "save")->isVisible());
        });
        ControlMode::Set(1);
        m_tool.window->SetUtilityMenu();
        ran = ran && RunModal<CameraIdDialog>(m_tool, MenuCommand::EditCameraId, [&](CameraIdDialog& editor) {
            auto* save = Child<QPushButton>(editor, "save");
            QVERIFY(save->isVisible());
            Child(editor, "cameraId2")->clear();
            m_tool.sim.ClearLog();
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(Received(), (Lines{"ULCK=7315048", "ID=SI0000001"}));
            QCOMPARE(Messages().back().text, std::string("Completed saving camera id: SI0000001."));
            // Typing over the filled fields moves on field by field; a paste spreads over the
            // fields from the one with the focus on, cut at the last.
            Child(editor, "cameraId0")->setFocus();
            for (QChar c : QString("CAM0000001"))
                QTest::keyClick(editor.focusWidget(), c.toLatin1());
            QApplication::clipboard()->setText("XYZW");
            QTest::keyClick(Child(editor, "cameraId7"), Qt::Key_V, Qt::ControlModifier);
            m_tool.sim.ClearLog();
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(Received(), (Lines{"ULCK=7315048", "ID=CAM0000XYZ"}));
            QLineEdit* fifth = Child(editor, "cameraId4");
            fifth->selectAll();
            fifth->paste(); // as the context menu's Paste does
            m_tool.sim.ClearLog();
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(Received(), (Lines{"ULCK=7315048", "ID=CAM0XYZWYZ"}));
        });
        ran = ran && RunModal<UserIdDialog>(m_tool, MenuCommand::EditUserId, [&](UserIdDialog& editor) {
            QCOMPARE(editor.windowTitle(), QString("User Id"));
            QLineEdit* field = Child(editor, "userId");
            QCOMPARE(field->text(), QString("Line 7 cam"));
            m_tool.sim.ClearLog();
            field->setText("Line 8\rCRS00=1"); // pasted with a line break
            QTest::mouseClick(Child<QPushButton>(editor, "save"), Qt::LeftButton);
            QCOMPARE(Received(), Lines{});
            field->setText("Line 8, left cam");
            QTest::keyClick(field, Qt::Key_Return); // Enter saves
            QCOMPARE(Received(), Lines{"UD=Line 8, left cam"});
        });
        QVERIFY(ran);
    }

    // A release stops the motor its press started, wherever the mouse is; so does closing the
    // window, or the program ending, while a button is held (last: the main window closes).
    // A stop the camera refused is told, never shown as stopped, and sent again with the next
    // line the camera answers.
    void aReleaseOrAnEndStopsTheMotorThePressStarted()
    {
        MotorLensWindow* window = MotorWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Motor Lens"));
        Mouse(*window, CentreOf(*window, 40001), true);
        QCOMPARE(window->Status(), QString("Open"));
        Mouse(*window, CentreOf(*window, 40003), false); // over "Zoom Wide"; the stop is refused
        QCOMPARE(window->Status(), QString("The iris motor did not confirm its stop. It may still be moving."));
        QCOMPARE(m_tool.sim.Received("state"), Lines{"motor iris: open"});
        // The focus start is answered: the iris stop goes again. Released outside every button.
        Mouse(*window, CentreOf(*window, 40006), true);
        QCOMPARE(window->Status(), QString("Far"));
        Mouse(*window, QPoint(2, window->height() - 2), false);
        QCOMPARE(window->Status(), QString());
        Mouse(*window, CentreOf(*window, 40004), true);
        window->close();
        QCOMPARE(Received(), (Lines{"MLI=1", "MLI=0", "MLF=2", "MLI=0", "MLF=0", "MLZ=2", "MLZ=0"}));
        QCOMPARE(m_tool.sim.Received("state"),
                 (Lines{"motor iris: open", "motor focus: far", "motor iris: stop", "motor focus: stop", "motor zoom: tele",
                        "motor zoom: stop"}));

        m_tool.sim.ClearLog();
        QVERIFY(window = MotorWindow());
        Mouse(*window, CentreOf(*window, 40005), true);
        m_tool.window->done(QDialog::Rejected);
        QCOMPARE(Received(), (Lines{"MLF=1", "MLF=0"}));
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(IdentityLensE2eTest)
#include "identity_lens_e2e_test.moc"
