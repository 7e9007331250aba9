// The link label and the press-and-hold button on real widgets: what a click opens, colours
// and blinking, and the press and release reports with their positions, including a press
// that ends without a release of the mouse button.
#include "LinkLabel.h"
#include "PressAndHoldButton.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QSignalSpy>
#include <QUrl>
#include <QtTest>

namespace {

// Stands in for the desktop's default handler.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlRecorder() override
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

QColor pixel(QWidget& widget)
{
    return widget.grab().toImage().pixelColor(1, 1);
}

// Presses and releases through the window, as the window system delivers them, so that the
// mouse stays with the pressed button and clicks pass through a label that takes none.
void mouse(QWidget& window, QWidget* at, QPoint local, bool press)
{
    const QPoint pos = at->mapTo(&window, local);
    if (press)
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, pos);
    else
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, pos);
}

// A window with a press-and-hold button inside a frame, so that the button's parent and its
// owner (the window) have different coordinates, and a box to take the focus.
struct ButtonWindow {
    QWidget window;
    QWidget* frame = new QWidget(&window);
    PressAndHoldButton* button = new PressAndHoldButton("IRIS Open", 40001, frame);
    QLineEdit* elsewhere = new QLineEdit(&window);
    QSignalSpy pressed{button, &PressAndHoldButton::pressedAt};
    QSignalSpy released{button, &PressAndHoldButton::releasedAt};

    ButtonWindow()
    {
        window.resize(300, 200);
        frame->setGeometry(15, 25, 120, 60);
        button->setGeometry(5, 5, 60, 30);
        elsewhere->setGeometry(150, 150, 100, 24);
        button->setOwner(&window);
        window.show();
        window.activateWindow();
    }
};

} // namespace

class LabelButtonTest : public QObject {
    Q_OBJECT

private slots:
    void aLinkOpensTheTextItHoldsAtTheClick_data()
    {
        QTest::addColumn<bool>("link");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("opened");
        QTest::newRow("link clicked") << true << false << 1;
        QTest::newRow("link, Enter") << true << true << 1;
        QTest::newRow("never made a link") << false << false << 0;
    }
    void aLinkOpensTheTextItHoldsAtTheClick()
    {
        QFETCH(bool, link);
        QFETCH(bool, byKey);
        QFETCH(int, opened);
        UrlRecorder handler;
        QWidget window;
        auto* label = new LinkLabel("www.norvik.example", &window);
        label->setGeometry(10, 10, 250, 20);
        if (link) {
            label->setLink(true);
            label->setLinkCursor(QCursor(Qt::PointingHandCursor));
        }
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        label->setText("https://www.norvik.example/lumora"); // changed after it was set up
        if (byKey) {
            label->setFocus();
            QTest::keyClick(label, Qt::Key_Return);
        } else {
            mouse(window, label, QPoint(5, 5), true);
            mouse(window, label, QPoint(5, 5), false);
        }
        QCOMPARE(handler.opened.size(), opened);
        if (opened)
            QCOMPARE(handler.opened[0], QUrl("https://www.norvik.example/lumora"));
        QCOMPARE(label->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }

    void colourUnderlineAndBlinking()
    {
        LinkLabel label("Online");
        label.resize(80, 20);
        label.setTextColor(Qt::blue);
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
        label.setFontUnderline(true);
        QVERIFY(label.font().underline());
        label.setBackgroundColor(Qt::yellow);
        QCOMPARE(pixel(label), QColor(Qt::yellow));

        label.setBlinkBackgroundColor(Qt::red);
        label.setBlink(LinkLabel::BlinkKind::Background, 20);
        QCOMPARE(pixel(label), QColor(Qt::red));
        QTRY_COMPARE(pixel(label), QColor(Qt::yellow));
        QTRY_COMPARE(pixel(label), QColor(Qt::red));

        label.setBlink(LinkLabel::BlinkKind::Text, 20);
        QTRY_COMPARE(label.text(), QString());
        label.setBlink(LinkLabel::BlinkKind::None); // stopped while blank: the text comes back
        QCOMPARE(label.text(), QString("Online"));
        QCOMPARE(pixel(label), QColor(Qt::yellow));
    }

    // A press is reported first, in the owner's coordinates. Its release is reported once:
    // where the mouse is let go, also off the button; where it was pressed when the press
    // ends without a release of the mouse button.
    void aPressIsReleasedOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("dragged off and let go") << "drag";
        QTest::newRow("focus taken") << "focus";
        QTest::newRow("hidden") << "hide";
        QTest::newRow("disabled") << "disable";
        QTest::newRow("owner takes the focus on the press") << "owner";
    }
    void aPressIsReleasedOnce()
    {
        QFETCH(QString, how);
        ButtonWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QStringList order;
        connect(w.button, &PressAndHoldButton::pressedAt, this, [&] { order << "pressedAt"; });
        connect(w.button, &QPushButton::pressed, this, [&] { order << "pressed"; });
        QSignalSpy clicked(w.button, &QPushButton::clicked);
        if (how == "owner")
            connect(w.button, &PressAndHoldButton::pressedAt, w.elsewhere, [&] { w.elsewhere->setFocus(); });
        mouse(w.window, w.button, QPoint(10, 12), true);
        QCOMPARE(order.value(0), QString("pressedAt"));
        QVERIFY(how == "owner" || order == QStringList({"pressedAt", "pressed"}));
        QCOMPARE(w.pressed.at(0).at(0).toPoint(), QPoint(15 + 5 + 10, 25 + 5 + 12));
        QVERIFY(how == "owner" || (w.button->hasFocus() && w.button->isHeld()));
        if (how == "focus")
            w.elsewhere->setFocus();
        else if (how == "hide")
            w.button->hide();
        else if (how == "disable")
            w.button->setEnabled(false);
        QCOMPARE(w.released.size(), how == "drag" ? 0 : 1);
        const QPoint letGo(250, 120);
        mouse(w.window, &w.window, letGo, false); // for the others, a late real release
        QCOMPARE(w.released.size(), 1);
        QCOMPARE(w.released.at(0).at(0).toPoint(), how == "drag" ? letGo : w.pressed.at(0).at(0).toPoint());
        QVERIFY(!w.button->isDown());
        QCOMPARE(clicked.size(), 0);
    }

    void spaceHeldIsAPressAndAReleaseAtTheCentre()
    {
        ButtonWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.button->setFocus();
        QTest::keyPress(w.button, Qt::Key_Space);
        QTest::keyRelease(w.button, Qt::Key_Space);
        const QPoint centre = w.button->mapTo(&w.window, w.button->rect().center());
        QCOMPARE(w.pressed.size(), 1);
        QCOMPARE(w.pressed.at(0).at(0).toPoint(), centre);
        QCOMPARE(w.released.size(), 1);
        QCOMPARE(w.released.at(0).at(0).toPoint(), centre);
        QCOMPARE(w.button->property("ctrlId").toInt(), 40001);
    }
};

QTEST_MAIN(LabelButtonTest)
#include "label_button_test.moc"
