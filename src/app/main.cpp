// The Lumora Control Tool: start-up and process end.
#include "AppSettings.h"
#include "CCtrlToolDlg.h"
#include "CTerminalDialog.h"
#include "CommLink.h"
#include "MainWindowFeatures.h"
#include "ParameterTable.h"
#include "ProcessLifetime.h"
#include "QtUserNotice.h"
#include "ReceiveTimer.h"
#include "TerminationSignals.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtUserNotice notices(QStringLiteral("Lumora Control Tool"));
    SetNotices(&notices);
    QuitOnTerminationSignals(app);

    // The settings exist before any window: this records the previous run's status and marks
    // this one as not yet ended normally.
    AppSettings::Instance();
    ApplyShutdownFallback();

    int result = 0;
    {
        CCtrlToolDlg window;
        // The camera features over the window's pages; they also install the model check
        // that the start-up connection runs.
        CMainWindowFeatures features(window);
        features.Buttons().SetHook(ButtonHook::ShowTerminal, [&window] {
            window.Terminal()->show();
            window.Terminal()->raise();
        });
        window.SetControlModeFollowUp([&features] {
            features.Controls().SendPendingRows(2500);
            ParameterTable::Instance().CommitAll();
        });
        // Between exchanges the command exchange keeps receiving, so unasked lines are logged.
        ReceiveTimer receiver;
        receiver.Start();
        features.Controls().ApplySpinRanges();
        // Showing the window initialises it: online strip, lock list, link and model check,
        // the first reading, the tabs and the last start-up steps of the features.
        QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
        window.show();
        result = app.exec();
        receiver.Stop();
        CommLink::Instance().Close();
    }

    WriteProcessEndSettings();
    // Whatever static objects still write at exit goes to memory, not to the file.
    SetSettingsStore(nullptr);
    SetNotices(nullptr);
    return result;
}
