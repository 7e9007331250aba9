#include "MotorLensWindow.h"

#include "Camera.h"
#include "MotorButtons.h"
#include "OnlineStatusNotifier.h"
#include "PressAndHoldButton.h"
#include "WindowLockList.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// The table's places suit a label of this many pixels at most; a wider font scales them all.
constexpr int kLabelRoom = 52;
constexpr int kStatusTop = 104;
constexpr int kStatusHeight = 20;
constexpr int kCloseTop = 130;
constexpr int kCloseHeight = 26;
constexpr int kClientWidth = 170;
constexpr int kClientHeight = 168;
constexpr int kCloseGap = kCloseTop - kStatusTop - kStatusHeight;

constexpr MotorLens::Motor kMotors[] = {MotorLens::Motor::Iris, MotorLens::Motor::Zoom, MotorLens::Motor::Focus};

const char* nameOf(MotorLens::Motor motor)
{
    switch (motor) {
    case MotorLens::Motor::Iris: return "iris";
    case MotorLens::Motor::Zoom: return "zoom";
    case MotorLens::Motor::Focus: return "focus";
    }
    return "";
}

// Marks this window's own lines as out, so that their outcome does not count as another
// exchange the camera answered.
class Exchanging {
public:
    explicit Exchanging(bool& flag) : m_flag(flag), m_before(flag) { m_flag = true; }
    ~Exchanging() { m_flag = m_before; }

private:
    bool& m_flag;
    bool m_before;
};

} // namespace

MotorLensWindow::MotorLensWindow(Camera& camera, QWidget* parent)
    : QDialog(parent), m_camera(camera), m_status(new QLabel(this)), m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setWindowTitle(QStringLiteral("Motor Lens"));
    setObjectName(QStringLiteral("CButtonDlg"));
    if (parent)
        setWindowIcon(parent->windowIcon());

    const QFontMetrics metrics(font());
    int widest = 0;
    for (const MotorButton& b : kMotorButtons)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(b.label)));
    const double scale = m_scale = std::max(1.0, double(widest) / kLabelRoom);
    auto scaled = [scale](int left, int top, int right, int bottom) {
        return QRect(QPoint(int(std::lround(left * scale)), int(std::lround(top * scale))),
                     QPoint(int(std::lround(right * scale)) - 1, int(std::lround(bottom * scale)) - 1));
    };

    for (int i = 0; i < kMotorButtonCount; ++i) {
        const MotorButton& b = kMotorButtons[i];
        auto* button = new PressAndHoldButton(QString::fromLatin1(b.label), b.ctrlId, this);
        button->setOwner(this);
        button->setAutoDefault(false);
        button->setGeometry(scaled(b.left, b.top, b.right, b.bottom));
        connect(button, &PressAndHoldButton::pressedAt, this, [this, i] { pressed(i); });
        connect(button, &PressAndHoldButton::releasedAt, this, [this, i] { released(i); });
        m_buttons[i] = button;
    }

    m_status->setObjectName(QStringLiteral("motorStatus"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
    placeBelowButtons();

    // Another exchange the camera answered (or a link opened again) is the moment to repeat a
    // stop it did not confirm; after this window's own lines it is done right there.
    m_listenKey = OnlineStatusNotifier::Instance().Listen([this](bool online) {
        if (online && !m_exchanging)
            QTimer::singleShot(0, this, &MotorLensWindow::retryStops);
    });

    // Disabled while a long transfer runs: no motor starts in the middle of one.
    WindowLockList::Instance().Register(this);
}

MotorLensWindow::~MotorLensWindow()
{
    OnlineStatusNotifier::StopListeningIfAlive(m_listenKey);
    WindowLockList::Instance().Unregister(this);
}

void MotorLensWindow::pressed(int button)
{
    const MotorButton& b = kMotorButtons[button];
    bool started;
    {
        Exchanging out(m_exchanging);
        started = m_lens.Start(b.motor, b.way) == 1;
    }
    if (started)
        retryStops();
    // A message about the start line may have ended the press meanwhile.
    if (m_buttons[button]->isHeld())
        SetStatus(button + 1);
}

void MotorLensWindow::released(int button)
{
    bool stopped;
    {
        Exchanging out(m_exchanging);
        stopped = m_lens.Stop(kMotorButtons[button].motor) == 1;
    }
    if (stopped)
        retryStops();
    showUnconfirmed();
}

void MotorLensWindow::SetStatus(int motion)
{
    m_status->setText(motion >= 1 && motion <= kMotorButtonCount ? QString::fromLatin1(kMotorButtons[motion - 1].status)
                                                                 : QString());
    placeBelowButtons();
}

bool MotorLensWindow::unconfirmed(MotorLens::Motor motor) const
{
    return m_lens.MayRun(motor) && !heldFor(motor);
}

void MotorLensWindow::retryStops()
{
    // Never inside another exchange: not while a transfer holds the windows, nor from under a
    // box that an exchange put up. The next answered exchange comes back here.
    if (m_exchanging || !isEnabled() || QApplication::activeModalWidget())
        return;
    bool retried = false;
    for (MotorLens::Motor motor : kMotors) {
        if (!unconfirmed(motor))
            continue;
        Exchanging out(m_exchanging);
        m_lens.Stop(motor);
        retried = true;
    }
    if (retried)
        showUnconfirmed();
}

void MotorLensWindow::showUnconfirmed()
{
    // A press under way keeps its word; the warning returns when it ends.
    for (int i = 0; i < kMotorButtonCount; ++i)
        if (m_buttons[i]->isHeld())
            return;
    QStringList lines;
    for (MotorLens::Motor motor : kMotors)
        if (unconfirmed(motor))
            lines << QStringLiteral("The %1 motor did not confirm its stop. It may still be moving.")
                         .arg(QLatin1String(nameOf(motor)));
    m_status->setText(lines.join(QLatin1Char('\n')));
    placeBelowButtons();
}

void MotorLensWindow::placeBelowButtons()
{
    auto px = [this](int v) { return int(std::lround(v * m_scale)); };
    const int width = px(kClientWidth);
    const int statusHeight = std::max(px(kStatusHeight), m_status->heightForWidth(width));
    m_status->setGeometry(0, px(kStatusTop), width, statusHeight);
    const int closeTop = px(kStatusTop) + statusHeight + px(kCloseGap);
    m_close->setGeometry(px(50), closeTop, px(120) - px(50), px(kCloseHeight));
    setFixedSize(width, closeTop + px(kCloseHeight) + px(kClientHeight - kCloseTop - kCloseHeight));
}

QString MotorLensWindow::Status() const
{
    return m_status->text();
}

bool MotorLensWindow::heldFor(MotorLens::Motor motor) const
{
    for (int i = 0; i < kMotorButtonCount; ++i)
        if (kMotorButtons[i].motor == motor && m_buttons[i]->isHeld())
            return true;
    return false;
}

void MotorLensWindow::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    // A held button reports its release as it hides, right after this, and stops its own
    // motor; a motor whose stop the camera did not acknowledge before is tried again here.
    for (MotorLens::Motor motor : kMotors)
        if (unconfirmed(motor)) {
            Exchanging out(m_exchanging);
            m_lens.Stop(motor);
        }
    showUnconfirmed();
}

void MotorLensWindow::StopMotors()
{
    if (isVisible())
        hide(); // stops them all, see hideEvent
    else
        m_lens.StopAll();
}
