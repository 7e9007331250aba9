// The Lumora Control Tool: start-up and process end.
#include "AppSettings.h"
#include "CommLink.h"
#include "ProcessLifetime.h"
#include "QtUserNotice.h"
#include "StartupWindow.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QTimer>

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
        StartupWindow window;
        window.show();
        // Connect inside the event loop, so a failure's message box sits over a painted window
        // and a terminate request can end it.
        QTimer::singleShot(0, &window, [&window] { window.ShowLinkState(CommLink::Instance().Connect() == 1); });
        result = app.exec();
        CommLink::Instance().Close();
    }

    WriteProcessEndSettings();
    // Whatever static objects still write at exit goes to memory, not to the file.
    SetSettingsStore(nullptr);
    SetNotices(nullptr);
    return result;
}
