// The Lumora Control Tool: start-up and process end.
#include "AppSettings.h"
#include "CameraModel.h"
#include "CommLink.h"
#include "OnlineStatusNotifier.h"
#include "OnlineStatusUpdater.h"
#include "ProcessLifetime.h"
#include "QtUserNotice.h"
#include "ReceiveTimer.h"
#include "StartupWindow.h"
#include "TerminationSignals.h"
#include "WindowLockList.h"

#include <QApplication>
#include <QLayout>
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
        // The window's online-status strip along its bottom, and its place in the lock list.
        COnlineStatusUpdater status(&window);
        window.layout()->addWidget(status.OnlineStrip());
        COnlineStatusNotifier::Instance().Register(&status);
        CWindowLockList::Instance().Register(&window);
        // Between exchanges the command exchange keeps receiving, so unasked lines are logged.
        ReceiveTimer receiver;
        receiver.Start();
        CommLink::Instance().SetModelCheck([] { return CheckCameraModel(CameraModel::Instance()); });
        window.show();
        // Connect inside the event loop, so a failure's message box sits over a painted window
        // and a terminate request can end it.
        QTimer::singleShot(0, &window, [&window] { window.ShowLinkState(CommLink::Instance().Connect() == 1); });
        result = app.exec();
        receiver.Stop();
        CWindowLockList::Instance().Unregister(&window);
        CommLink::Instance().Close();
    }

    WriteProcessEndSettings();
    // Whatever static objects still write at exit goes to memory, not to the file.
    SetSettingsStore(nullptr);
    SetNotices(nullptr);
    return result;
}
