// The Lumora Control Tool: start-up and process end.
#include "AppSettings.h"
#include "Camera.h"
#include "FeatureRegistry.h"
#include "MainWindow.h"
#include "ProcessLifetime.h"
#include "Program.h"
#include "QtUserNotice.h"
#include "ReceiveTimer.h"
#include "TerminationSignals.h"
#include "WindowPlacement.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {
const char* const kMainWindow = "Main";
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.norvik.LumoraControl"));
    QtUserNotice notices(QStringLiteral("Lumora Control Tool"));
    SetNotices(&notices);
    QuitOnTerminationSignals(app);

    // The settings exist before any window: this records the previous run's status and marks
    // this one as not yet ended normally.
    AppSettings::Instance();
    // The tool windows come back where they were left, as the main window does.
    WindowPlacement::SetPlaceStore({[](const char* name) { return AppSettings::Instance().WindowGeometry(name); },
                                    [](const char* name, const QByteArray& geometry) {
                                        AppSettings::Instance().WriteWindowGeometry(name, geometry);
                                    }});

    int result = 0;
    // Building the window applies the shutdown fallback to the camera's link (the
    // communication window does), before anything opens it.
    std::unique_ptr<Program> built;
    try {
        built = std::make_unique<Program>();
    } catch (const FeatureClash& clash) {
        // Two features claim the same control or menu entry: no window could serve both.
        std::fprintf(stderr, "%s\n", clash.what());
        Notices().Message(clash.what(), "Lumora Control Tool", NoticeIcon::Error);
        result = 1;
    }
    if (built) {
        Program& program = *built;
        MainWindow& window = program.Window();
        Camera& camera = program.Cam();
        CancelOnTerminationSignals([&camera] { camera.CancelWalks(); });
        // Between exchanges the command exchange keeps receiving, so unasked lines are logged.
        ReceiveTimer receiver(camera);
        receiver.Start();
        // Showing the window initialises it: online strip, lock list, link and model check,
        // the first reading, the tabs and the last start-up steps of the features.
        QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
        // Where the window was last time; Qt moves it back onto a screen that has since gone.
        window.restoreGeometry(AppSettings::Instance().WindowGeometry(kMainWindow));
        window.show();
        result = app.exec();
        AppSettings::Instance().WriteWindowGeometry(kMainWindow, window.saveGeometry());
        WindowPlacement::KeepAll();
        WindowPlacement::SetPlaceStore({});
        receiver.Stop();
        camera.Link().Close();
        CancelOnTerminationSignals(nullptr);
        WriteProcessEndSettings(camera.Link());
    }
    built.reset();

    // Whatever static objects still write at exit goes to memory, not to the file.
    SetSettingsStore(nullptr);
    SetNotices(nullptr);
    return result;
}
