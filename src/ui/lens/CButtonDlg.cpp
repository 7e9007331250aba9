#include "CButtonDlg.h"

#include "CMyButton.h"
#include "MotorButtons.h"
#include "WindowLockList.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

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

} // namespace

CButtonDlg::CButtonDlg(QWidget* parent)
    : QDialog(parent), m_status(new QLabel(this)), m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setWindowTitle(QStringLiteral("Motor Lens"));
    setObjectName(QStringLiteral("CButtonDlg"));
    if (parent)
        setWindowIcon(parent->windowIcon());

    const QFontMetrics metrics(font());
    int widest = 0;
    for (const MotorButton& b : kMotorButtons)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(b.label)));
    const double scale = std::max(1.0, double(widest) / kLabelRoom);
    auto scaled = [scale](int left, int top, int right, int bottom) {
        return QRect(QPoint(int(std::lround(left * scale)), int(std::lround(top * scale))),
                     QPoint(int(std::lround(right * scale)) - 1, int(std::lround(bottom * scale)) - 1));
    };

    for (int i = 0; i < kMotorButtonCount; ++i) {
        const MotorButton& b = kMotorButtons[i];
        auto* button = new CMyButton(QString::fromLatin1(b.label), b.ctrlId, this);
        button->setOwner(this);
        button->setAutoDefault(false);
        button->setGeometry(scaled(b.left, b.top, b.right, b.bottom));
        connect(button, &CMyButton::pressedAt, this, [this, i] { pressed(i); });
        connect(button, &CMyButton::releasedAt, this, [this, i] { released(i); });
        m_buttons[i] = button;
    }

    m_status->setObjectName(QStringLiteral("motorStatus"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setGeometry(scaled(0, kStatusTop, kClientWidth, kStatusTop + kStatusHeight));
    m_close->setAutoDefault(false);
    m_close->setGeometry(scaled(50, kCloseTop, 120, kCloseTop + kCloseHeight));
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
    setFixedSize(scaled(0, 0, kClientWidth, kClientHeight).size());

    // Disabled while a long transfer runs: no motor starts in the middle of one.
    CWindowLockList::Instance().Register(this);
}

CButtonDlg::~CButtonDlg()
{
    CWindowLockList::Instance().Unregister(this);
}

void CButtonDlg::pressed(int button)
{
    const MotorButton& b = kMotorButtons[button];
    m_lens.Start(b.motor, b.way);
    // A message about the start line may have ended the press meanwhile.
    if (m_buttons[button]->isHeld())
        SetStatus(button + 1);
}

void CButtonDlg::released(int button)
{
    m_lens.Stop(kMotorButtons[button].motor);
    SetStatus(0);
}

void CButtonDlg::SetStatus(int motion)
{
    m_status->setText(motion >= 1 && motion <= kMotorButtonCount ? QString::fromLatin1(kMotorButtons[motion - 1].status)
                                                                 : QString());
}

QString CButtonDlg::Status() const
{
    return m_status->text();
}

bool CButtonDlg::heldFor(MotorLens::Motor motor) const
{
    for (int i = 0; i < kMotorButtonCount; ++i)
        if (kMotorButtons[i].motor == motor && m_buttons[i]->isHeld())
            return true;
    return false;
}

void CButtonDlg::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    // A held button reports its release as it hides, right after this, and stops its own
    // motor; a motor whose stop the camera did not acknowledge before is tried again here.
    for (MotorLens::Motor motor : {MotorLens::Motor::Iris, MotorLens::Motor::Zoom, MotorLens::Motor::Focus})
        if (m_lens.MayRun(motor) && !heldFor(motor))
            m_lens.Stop(motor);
}

void CButtonDlg::StopMotors()
{
    if (isVisible())
        hide(); // stops them all, see hideEvent
    else
        m_lens.StopAll();
}
