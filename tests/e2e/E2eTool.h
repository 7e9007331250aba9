#pragma once
// The whole tool in this process against lumora-camsim on a pseudo-terminal: the program as
// main() builds it (the main window and every feature), the link opened from the settings
// (COM1 mapped to the simulator's device) and the start-up as the program runs it.
#include "CamSimProcess.h"
#include "Camera.h"
#include "CommLink.h"
#include "CommandTable.h"
#include "CommunicationFeature.h"
#include "CommunicationWindow.h"
#include "ControlMode.h"
#include "Ids.h"
#include "MainWindow.h"
#include "ParameterListFeature.h"
#include "ParameterListWindow.h"
#include "ParameterPage.h"
#include "ParameterTable.h"
#include "Program.h"
#include "ProgressBarWindow.h"
#include "PropertyGridTextEditor.h"
#include "Reload.h"
#include "SettingsStore.h"
#include "StatusLineBar.h"
#include "UserNotice.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using Lines = std::vector<std::string>;

inline size_t Count(const Lines& lines, const std::string& line)
{
    return size_t(std::count(lines.begin(), lines.end(), line));
}

inline bool StartsWith(const Lines& lines, const Lines& head)
{
    return lines.size() >= head.size() && std::equal(head.begin(), head.end(), lines.begin());
}

// The lines that set something, in order (queries left out).
inline Lines SettingLines(const Lines& lines)
{
    Lines settings;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(settings),
                 [](const std::string& l) { return l.find('=') != l.npos; });
    return settings;
}

// Empty when both agree, else where and how they part.
inline std::string Difference(const Lines& actual, const Lines& expected)
{
    for (size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        const std::string a = i < actual.size() ? actual[i] : "<none>";
        const std::string e = i < expected.size() ? expected[i] : "<none>";
        if (a != e)
            return "line " + std::to_string(i) + ": \"" + a + "\", expected \"" + e + "\" (" +
                   std::to_string(actual.size()) + " lines, " + std::to_string(expected.size()) + " expected)";
    }
    return {};
}

#define COMPARE_LINES(actual, expected)                                                            \
    do {                                                                                           \
        const std::string d_ = Difference(actual, expected);                                       \
        QVERIFY2(d_.empty(), d_.c_str());                                                          \
    } while (0)

// A value as the camera's ASCII side answers it, INT32_MIN when it does not.
inline int32_t AsciiValue(Camera& camera, const char* mnemonic)
{
    int32_t value = 0;
    if (camera.QueryPlain(CommandTable::Instance().FindCommand(mnemonic), value) != 1)
        return INT32_MIN;
    return value;
}

// Types into a parameter list row's in-place editor and presses Enter, as a person does.
inline bool TypeInto(PropertyGrid& grid, PropertyGrid::ItemId row, const QString& text)
{
    if (!grid.editItem(row))
        return false;
    // The editor of an earlier edit may still wait for its deletion, hidden.
    PropertyGridTextEditor* edit = nullptr;
    for (auto* candidate : grid.findChildren<PropertyGridTextEditor*>())
        if (candidate->isVisible())
            edit = candidate;
    if (!edit)
        return false;
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    return true;
}

struct E2eTool {
    CamSimProcess sim;
    MemorySettings settings;
    ScopedRecordingNotice notices;
    std::unique_ptr<Program> program;
    MainWindow* window = nullptr;
    // Runs after Start has written its settings and before the tool reads them: a test may
    // choose another link (a Camera Link mode and its port) here.
    std::function<void(MemorySettings&)> configure;

    ~E2eTool()
    {
        program.reset();
        SetSettingsStore(nullptr);
    }

    // Starts the simulator (unless simArgs is null) and the tool in the Control Mode.
    bool Start(const std::vector<std::string>* simArgs, unsigned controlMode)
    {
        if (simArgs && !sim.Start(*simArgs)) {
            qWarning("%s", sim.Error().c_str());
            return false;
        }
        settings.ints[kShutdownStatus] = 1; // the previous run ended normally
        settings.ints[kCommunicationMode] = 0;
        settings.ints[kComPortNo] = 0;
        settings.ints[kBaudrate] = 9600;
        settings.ints[kControlMode] = controlMode;
        // Without a simulator COM1 leads nowhere.
        settings.ports["COM1"] = simArgs ? sim.DevicePath() : "/nonexistent/lumora-e2e";
        if (configure)
            configure(settings);
        SetSettingsStore(&settings);
        ControlMode::ForgetForTest();

        program = std::make_unique<Program>();
        window = &program->Window();
        window->show(); // initialises: connects, reads the camera, builds the tabs
        return true;
    }

    // Between the cases of a test class that shares one tool.
    void Clear()
    {
        sim.ClearLog();
        notices.recorder.Clear();
    }

    bool Start(const Lines& simArgs, unsigned controlMode) { return Start(&simArgs, controlMode); }

    // The program's camera (after Start).
    Camera& Cam() const { return program->Cam(); }
    int32_t Ascii(const char* mnemonic) const { return AsciiValue(Cam(), mnemonic); }

    // For a tool that the cases of a test class share: connected, progress windows closing at once.
    bool StartShared(const Lines& simArgs, unsigned controlMode)
    {
        ProgressBarWindow::Instance().SetClosePause(0);
        return Start(&simArgs, controlMode) && window->Connected() == 1;
    }

    // The registered feature of that class.
    template <class T>
    T& Feature() const
    {
        T* found = window->Features().Find<T>();
        Q_ASSERT(found);
        return *found;
    }

    // The communication window.
    CommunicationWindow* Communication() const { return &Feature<CommunicationFeature>().Window(); }

    // The parameter list, opened from its menu entry (null when that is not offered).
    ParameterListWindow* OpenParameterList() const
    {
        QAction* entry = window->MenuAction(MenuCommand::ParameterList);
        if (!entry || !entry->isEnabled())
            return nullptr;
        entry->trigger();
        return Feature<ParameterListFeature>().Dialog();
    }

    // What the status bar says: the last action, the line's state.
    QString LastAction() const { return window->StatusBar()->ActionLabel()->text(); }
    QString LineState() const { return window->StatusBar()->StateLabel()->text(); }

    QWidget* Control(int id) const { return window->FindControl(id); }
    QComboBox* List(int id) const { return qobject_cast<QComboBox*>(Control(id)); }
    QLineEdit* Box(int id) const { return qobject_cast<QLineEdit*>(Control(id)); }

    // Brings the tab of the page holding the control to the front, so a person could use it.
    bool ShowPageOf(QWidget* control)
    {
        QTabBar* tabs = window->TabBar();
        for (int i = 0; i < tabs->count(); ++i) {
            ParameterPage* page = window->Page(tabs->tabData(i).toInt());
            if (page && page->isAncestorOf(control)) {
                tabs->setCurrentIndex(i);
                return control->isVisible();
            }
        }
        return false;
    }

    // Chooses the item of a list with the keyboard, as a person does.
    bool Choose(int listId, int index)
    {
        QComboBox* list = List(listId);
        if (!list || !ShowPageOf(list))
            return false;
        list->setFocus();
        for (int guard = 0; list->currentIndex() < index && guard < 64; ++guard)
            QTest::keyClick(list, Qt::Key_Down);
        for (int guard = 0; list->currentIndex() > index && guard < 64; ++guard)
            QTest::keyClick(list, Qt::Key_Up);
        return list->currentIndex() == index;
    }

    bool Click(int buttonId)
    {
        auto* button = qobject_cast<QAbstractButton*>(Control(buttonId));
        if (!button || !ShowPageOf(button))
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }

    void Type(int boxId, const QString& text)
    {
        QLineEdit* box = Box(boxId);
        ShowPageOf(box);
        box->setText(text);
    }

    // The query lines the walk of a complete reading sends, in table order (rows whose
    // command has no mnemonic are walked without a line).
    static std::vector<std::string> ReloadQueries(uint32_t modelType, unsigned mode)
    {
        std::vector<std::string> lines;
        for (int i : Reload::ReloadRows(modelType, mode)) {
            const std::string mnemonic = Camera::Mnemonic(int(ParameterTable::Layout().Row(i).cmdId));
            if (!mnemonic.empty())
                lines.push_back(mnemonic + "?");
        }
        return lines;
    }

    // The first count lines the camera received after the last model query, where the
    // reading's walk begins.
    Lines LinesAfterModelCheck(size_t count) const
    {
        const Lines rx = sim.Received();
        const auto walk = std::find(rx.rbegin(), rx.rend(), "MD?").base();
        return Lines(walk, walk + long(std::min(count, size_t(rx.end() - walk))));
    }
};
