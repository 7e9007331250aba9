#include "ProgressWindow.h"

#include "CProgressBarDialog.h"

#include <QCoreApplication>

void ProgressWindow::begin(const std::string& message)
{
    CProgressBarDialog::Instance().Show(m_owner, QString::fromStdString(message), true);
}

void ProgressWindow::advance(int percent)
{
    CProgressBarDialog::Instance().SetPos(percent);
    QCoreApplication::processEvents();
}

void ProgressWindow::end()
{
    CProgressBarDialog::Instance().Close();
}

bool ProgressWindow::cancelled() const
{
    return CProgressBarDialog::Instance().CancelRequested();
}
