#include "ProgressBarWindow.h"

#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <functional>

namespace {

// The window itself: Escape (and the window system's close request) presses Cancel when there
// is one, and otherwise does nothing, so the window never disappears under the work.
class ProgressDialog : public QDialog {
public:
    ProgressDialog() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint) {}
    void reject() override
    {
        if (onEscape)
            onEscape();
    }
    std::function<void()> onEscape;
};

} // namespace

ProgressBarWindow& ProgressBarWindow::Instance()
{
    static ProgressBarWindow instance;
    return instance;
}

void ProgressBarWindow::Show(QWidget* owner, const QString& message, bool cancellable)
{
    if (m_window) {
        SetMessage(message);
        return;
    }
    m_cancelRequested = false;
    // A top-level window of its own (a child would be disabled with its owner), kept above
    // the owner as its transient window.
    auto* window = new ProgressDialog;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setWindowTitle(QString());
    // Without a caption, the window is named by its message for screen readers.
    window->setAccessibleName(message);
    window->setModal(false);
    auto* layout = new QVBoxLayout(window);
    m_message = new QLabel(message, window);
    m_message->setMinimumWidth(280);
    m_bar = new QProgressBar(window);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    layout->addWidget(m_message);
    layout->addWidget(m_bar);
    if (cancellable) {
        auto* cancel = new QPushButton(QStringLiteral("Cancel"), window);
        cancel->setObjectName(QStringLiteral("progressCancel"));
        layout->addWidget(cancel, 0, Qt::AlignRight);
        window->onEscape = [this, cancel] {
            m_cancelRequested = true;
            cancel->setEnabled(false);
            SetMessage(QStringLiteral("Stopping..."));
        };
        QObject::connect(cancel, &QPushButton::clicked, window, window->onEscape);
    }
    m_window = window;

    m_owner = owner;
    m_disabledOwner = false;
    if (owner && owner->isEnabled()) {
        owner->setEnabled(false);
        m_disabledOwner = true;
    }
    window->show();
    if (owner && owner->window()->windowHandle() && window->windowHandle())
        window->windowHandle()->setTransientParent(owner->window()->windowHandle());
    window->raise();
}

void ProgressBarWindow::SetMessage(const QString& message)
{
    if (!m_message)
        return;
    m_message->setText(message);
    if (m_window)
        m_window->setAccessibleName(message);
    m_message->repaint();
}

void ProgressBarWindow::SetPos(int position)
{
    if (!IsVisible())
        return;
    m_bar->setValue(qBound(0, position, 100));
}

void ProgressBarWindow::Close()
{
    if (!IsVisible())
        return;
    m_bar->setValue(100);
    if (m_closePauseMs > 0) {
        // Paint the full bar and hold it, without letting input reach any window meanwhile.
        QEventLoop pause;
        QTimer::singleShot(m_closePauseMs, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QPointer<QWidget> owner = m_owner;
    QDialog* window = m_window;
    m_window = nullptr;
    window->hide();
    delete window;
    if (owner) {
        if (m_disabledOwner)
            owner->setEnabled(true);
        owner->activateWindow();
    }
    m_owner = nullptr;
    m_disabledOwner = false;
}

bool ProgressBarWindow::IsVisible() const
{
    return m_window && m_window->isVisible();
}

int ProgressBarWindow::Position() const
{
    return m_bar ? m_bar->value() : -1;
}

QString ProgressBarWindow::Message() const
{
    return m_message ? m_message->text() : QString();
}
