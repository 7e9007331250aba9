// Windows on a small screen: 1600 x 1000 pixels at scale factor 2, as on a laptop set to large
// text, which leaves the program 800 x 500. Every window fits inside it, a tool window opens
// beside its owner when there is room and over it otherwise, and a tool window comes back
// where it was left, also in the next run.
#include "CommLink.h"
#include "ControlMode.h"
#include "MainWindowSupport.h"
#include "ParameterTable.h"
#include "SettingsStore.h"
#include "UserNotice.h"
#include "WindowCamera.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>
#include <string>

class WindowPlacementTest : public QObject {
    Q_OBJECT

    MemorySettings m_settings;
    std::map<std::string, QByteArray> m_kept;

    std::unique_ptr<MainWindow> showMainWindow()
    {
        auto window = MakeMainWindow(WindowCamera::Get());
        window->show();
        return QTest::qWaitForWindowExposed(window.get()) ? std::move(window) : nullptr;
    }

private slots:
    void initTestCase()
    {
        m_settings.ints[kControlMode] = 0;
        m_settings.ports["COM1"] = "/nonexistent/lumora-port";
        SetSettingsStore(&m_settings);
        ControlMode::ForgetForTest();
        WindowCamera::Fresh();
        WindowCamera::Get().Table().Reset();
        WindowPlacement::SetPlaceStore({[this](const char* name) { return m_kept[name]; },
                                        [this](const char* name, const QByteArray& g) { m_kept[name] = g; }});
    }

    void cleanupTestCase()
    {
        WindowPlacement::SetPlaceStore({});
        SetSettingsStore(nullptr);
    }

    void besideTheOwnerWhenThereIsRoomElseOverIt()
    {
        const QRect screen(0, 0, 800, 500);
        const struct {
            const char* where;
            QRect owner;
            QSize size;
            QRect available, placed;
        } cases[] = {
            {"right", {0, 20, 400, 300}, {300, 200}, screen, {400, 20, 300, 200}},
            {"left", {400, 50, 400, 300}, {300, 200}, screen, {100, 50, 300, 200}},
            {"below", {0, 0, 800, 250}, {300, 200}, screen, {0, 250, 300, 200}},
            {"above", {100, 300, 700, 200}, {300, 200}, screen, {100, 100, 300, 200}},
            {"level, pushed up from the bottom", {0, 400, 400, 100}, {300, 200}, screen, {400, 300, 300, 200}},
            {"no room: over the owner's right part, no taller than the screen", {0, 0, 800, 500}, {300, 600}, screen,
             {500, 0, 300, 500}},
            {"second screen", {800, 0, 700, 500}, {300, 200}, {800, 0, 800, 500}, {1200, 0, 300, 200}},
        };
        for (const auto& c : cases) {
            const QRect placed = WindowPlacement::BesideOwner(c.owner, c.size, c.available);
            QVERIFY2(placed == c.placed, qPrintable(c.where + (": " + QDebug::toString(placed))));
        }
    }

    // The main window and the communication window fit the screen; the terminal too, and it
    // comes back where it was left in the next run.
    void windowsFitTheScreenAndToolWindowsComeBack()
    {
        ScopedRecordingNotice notice; // "Failed to initialize!": there is no camera
        auto window = showMainWindow();
        QVERIFY(window);
        const QRect available = window->screen()->availableGeometry();
        QCOMPARE(available.size(), QSize(800, 500));
        QVERIFY2(available.contains(window->frameGeometry()), qPrintable(QDebug::toString(window->frameGeometry())));
        CommunicationWindow* communication = CommunicationOf(*window);
        QVERIFY(communication->isVisible());
        QVERIFY2(available.contains(communication->frameGeometry()),
                 qPrintable(QDebug::toString(communication->frameGeometry())));
        // Where a screen has room, the window asks for all of its groups rather than scrolling.
        const QWidget* groups = communication->findChild<QScrollArea*>()->widget();
        QVERIFY(communication->sizeHint().height() >= groups->sizeHint().height());

        TerminalWindow* terminal = TerminalOf(*window);
        terminal->show();
        QVERIFY(QTest::qWaitForWindowExposed(terminal));
        QVERIFY(available.contains(terminal->frameGeometry()));
        const QPoint left(30, 40);
        terminal->move(left);
        terminal->hide();
        QVERIFY(!m_kept["Terminal"].isEmpty());

        window.reset();
        window = showMainWindow();
        QVERIFY(window);
        TerminalOf(*window)->show();
        QVERIFY(QTest::qWaitForWindowExposed(TerminalOf(*window)));
        QCOMPARE(TerminalOf(*window)->pos(), left);
    }
};

int main(int argc, char* argv[])
{
    // The screen is set up before the application connects to it.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1600, "height": 1000,
                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    WindowPlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_placement_test.moc"
