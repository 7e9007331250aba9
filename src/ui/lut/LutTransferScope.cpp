#include "LutTransferScope.h"

#include "CProgressBarDialog.h"
#include "UserNotice.h"
#include "WindowLockList.h"

int LutTransferScope::s_depth = 0;

LutTransferScope::LutTransferScope()
{
    if (s_depth++ > 0)
        return;
    Notices().BeginWait();
    CWindowLockList::Instance().DisableAll();
}

LutTransferScope::~LutTransferScope()
{
    if (--s_depth > 0)
        return;
    CWindowLockList::Instance().EnableAll();
    Notices().EndWait();
}

void LutProgressWindow::say(const std::string& message)
{
    // Once Cancel was pressed the window says that it is stopping; the count may wait.
    if (!cancelled())
        CProgressBarDialog::Instance().SetMessage(QString::fromStdString(message));
}
