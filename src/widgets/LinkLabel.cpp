#include "LinkLabel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QUrl>

LinkLabel::LinkLabel(QWidget* parent) : LinkLabel(QString(), parent) {}

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent),
      m_textColour(QApplication::palette().color(QPalette::WindowText)),
      m_background(QApplication::palette().color(QPalette::Button)),
      m_blinkBackground(m_background),
      m_fontDescription(QApplication::font())
{
    setFont(m_fontDescription);
    setTextColor(m_textColour);
    // Like a static text that has not asked for clicks: the window below gets them.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&m_blinkTimer, &QTimer::timeout, this, &LinkLabel::blinkTick);
}

void LinkLabel::setLink(bool link)
{
    m_link = link;
    setAttribute(Qt::WA_TransparentForMouseEvents, !link);
    setFocusPolicy(link ? Qt::TabFocus : Qt::NoFocus);
}

void LinkLabel::setLinkCursor(const std::optional<QCursor>& cursor)
{
    m_linkCursor = cursor;
    if (cursor)
        setCursor(*cursor);
    else
        unsetCursor();
}

void LinkLabel::setTextColor(const QColor& colour)
{
    m_textColour = colour;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    repaint();
}

void LinkLabel::setBackgroundColor(const QColor& colour)
{
    m_background = QBrush(colour);
    update();
}

void LinkLabel::setBlinkBackgroundColor(const QColor& colour)
{
    m_blinkBackground = QBrush(colour);
    update();
}

void LinkLabel::setFontUnderline(bool underline)
{
    m_fontDescription.setUnderline(underline);
    setFont(m_fontDescription);
    update();
}

void LinkLabel::setBlink(BlinkKind kind, int intervalMs)
{
    if (m_blinkKind == BlinkKind::Text)
        setText(m_savedText);
    m_blinkKind = kind;
    m_blinkPhase = false;
    if (kind == BlinkKind::Text)
        m_savedText = text();
    if (kind == BlinkKind::None)
        m_blinkTimer.stop();
    else
        m_blinkTimer.start(intervalMs);
    update();
}

void LinkLabel::blinkTick()
{
    m_blinkPhase = !m_blinkPhase;
    if (m_blinkKind == BlinkKind::Text)
        setText(m_blinkPhase ? QString() : m_savedText);
    else if (m_blinkKind == BlinkKind::Background)
        repaint();
}

QBrush LinkLabel::currentBackground() const
{
    return m_blinkKind == BlinkKind::Background && !m_blinkPhase ? m_blinkBackground : m_background;
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), currentBackground());
    }
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = currentBackground().color();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        openLink();
    QLabel::mousePressEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (m_link && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        openLink();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::openLink()
{
    // While the text blinks, the label stands for its text even in the blank phase.
    const QString target = (m_blinkKind == BlinkKind::Text ? m_savedText : text()).trimmed();
    if (!target.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(target));
}
