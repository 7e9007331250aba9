#pragma once
// A static text with its own text colour, background and font, which can blink and can act as
// a web link: made a link, a click on it (or Enter or Space once it has the keyboard focus)
// opens the text it holds at that moment with the desktop's default handler. The about
// window shows the maker's web address with it: link on, blue, underlined, hand cursor.
#include <QBrush>
#include <QCursor>
#include <QLabel>
#include <QTimer>

#include <optional>

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    enum class BlinkKind { None = 0, Text = 1, Background = 2 };

    explicit LinkLabel(QWidget* parent = nullptr);
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // On, the label takes clicks and the keyboard focus. Off, clicks pass through to the
    // window below, and so they do on a new label until setLink(true) is called, although
    // the label counts as a link from the start.
    void setLink(bool link);
    // Shown while the mouse is over a link label; without one the usual cursor shows.
    void setLinkCursor(const std::optional<QCursor>& cursor);

    // Redraws at once.
    void setTextColor(const QColor& colour);
    // The background, and the one it alternates with while the background blinks. Both
    // start as the button face colour.
    void setBackgroundColor(const QColor& colour);
    void setBlinkBackgroundColor(const QColor& colour);
    // The label's font starts as the desktop's default font and follows these changes.
    void setFontUnderline(bool underline);

    // Text: the text goes and comes back; Background: the two backgrounds take turns. One
    // change every intervalMs. None stops blinking and puts the text back.
    void setBlink(BlinkKind kind, int intervalMs = 500);
    // The brush the background is painted with now.
    QBrush currentBackground() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void blinkTick();
    void openLink();

    QColor m_textColour;
    QBrush m_background;
    QBrush m_blinkBackground;
    QFont m_fontDescription;
    QString m_savedText; // the text while it blinks
    bool m_blinkPhase = false;
    bool m_link = true;
    BlinkKind m_blinkKind = BlinkKind::None;
    std::optional<QCursor> m_linkCursor;
    QTimer m_blinkTimer;
};
