// The LUT editor window driven as a person drives it (offscreen): the mouse on the graph, the
// point-count spin, what the graph paints, and the LUT feature's button, mode rule and file
// menu.
#include "ControlAdapter.h"
#include "Ids.h"
#include "LutEditorWindow.h"
#include "LutFeature.h"
#include "LutGraph.h"
#include "NumberBox.h"
#include "ParamTestSupport.h"
#include "UpDownControl.h"
#include "UserNotice.h"
#include "WindowCamera.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

namespace {

using Point = LutCurve::Point;

// Presses the button over the editor at from, moves to each further position with it held
// and lets go: real window-system events, so they take the way a person's mouse takes.
void drag(LutEditorWindow& editor, Qt::MouseButton button, const QList<QPoint>& path)
{
    QTest::mousePress(&editor, button, Qt::NoModifier, path.front());
    for (const QPoint& at : path) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), editor.mapToGlobal(QPointF(at)), Qt::NoButton, button,
                         Qt::NoModifier);
        QApplication::sendEvent(&editor, &move);
    }
    QTest::mouseRelease(&editor, button, Qt::NoModifier, path.back());
}

QPoint onGraph(int x, int y)
{
    return {LutEditorWindow::kGraphLeft + x, LutEditorWindow::kGraphTop + y};
}

bool onGridLine(int x, int y)
{
    return x % 26 == 0 || (259 - y) % 26 == 0;
}

// Pixels of the grid's colour that lie off the grid lines: the point marks' rings.
int ringPixels(const QImage& image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!onGridLine(x, y) && image.pixelColor(x, y) == LutGraph::GridColor())
                ++count;
    return count;
}

} // namespace

class LutEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScopedRecordingNotice> m_notices;

private slots:
    void init() { m_notices = std::make_unique<ScopedRecordingNotice>(); }
    void cleanup() { m_notices.reset(); }

    void mouseEditsPointsAndTheGraphShowsThem()
    {
        LutEditorWindow editor(WindowCamera::Get(), Lut::Green);
        editor.Initialize();
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const Lut::Table straight = editor.Curve().Table();

        // A press alone changes nothing; moving with the button held adds, then takes along.
        QTest::mousePress(&editor, Qt::LeftButton, Qt::NoModifier, onGraph(100, 100));
        QTest::mouseRelease(&editor, Qt::LeftButton, Qt::NoModifier, onGraph(100, 100));
        QCOMPARE(editor.Curve().Points().size(), size_t(2));
        drag(editor, Qt::LeftButton, {onGraph(100, 100), onGraph(110, 90), onGraph(128, 60)});
        QCOMPARE(editor.Curve().Points(), (std::vector<Point>{{0, 260}, {128, 60}, {260, 0}}));
        QVERIFY(editor.Curve().Table()[16] > straight[16] + 800);

        // Shift held, or both buttons, edit nothing.
        QMouseEvent shifted(QEvent::MouseMove, QPointF(onGraph(40, 40)), editor.mapToGlobal(QPointF(onGraph(40, 40))),
                            Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(&editor, &shifted);
        QCOMPARE(editor.Curve().Points().size(), size_t(3));

        drag(editor, Qt::RightButton, {onGraph(5, 255), onGraph(130, 62)});
        QCOMPARE(editor.Curve().Points(), (std::vector<Point>{{0, 260}, {260, 0}}));
        QCOMPARE(editor.Curve().Table(), straight);

        // What the graph shows, checked pixel by pixel where it is certain: the grid, the
        // curve's ends in the channel's colour, the rings of the points in Edit Mode only.
        drag(editor, Qt::LeftButton, {onGraph(100, 160)});
        QImage image = editor.Graph()->grab().toImage();
        QCOMPARE(image.size(), QSize(260, 260));
        const QColor green(0, 255, 0);
        QCOMPARE(image.pixelColor(26, 100), LutGraph::GridColor());
        QCOMPARE(image.pixelColor(200, 129), LutGraph::GridColor());
        QCOMPARE(image.pixelColor(2, 258), green); // the start, at point 0
        QCOMPARE(image.pixelColor(255, 4), green); // the end, entry 31
        QVERIFY(ringPixels(image, QRect(95, 155, 11, 11)) >= 8);
        QCOMPARE(ringPixels(image, QRect(60, 60, 30, 30)), 0);

        editor.SetMode(LutCurve::Mode::View);
        editor.Curve().Table().fill(0);
        editor.Invalidate();
        image = editor.Graph()->grab().toImage();
        QCOMPARE(ringPixels(image, QRect(95, 155, 11, 11)), 0);
        QCOMPARE(image.pixelColor(130, 259), green); // a flat table lies along the bottom
    }

    // (Where the graph sits is proven by the mouse on it.)
    void pointCountIsNamedAndStepsWithItsArrowsAndKeys()
    {
        LutEditorWindow editor(WindowCamera::Get(), Lut::Green);
        editor.Initialize();
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto* box = editor.findChild<NumberBox*>("pointCount");
        QVERIFY(box->isReadOnly());
        QLabel* label = nullptr;
        for (QLabel* l : editor.findChildren<QLabel*>())
            label = l->buddy() ? l : label;
        QCOMPARE(label ? label->buddy() : nullptr, static_cast<QWidget*>(box));
        QCOMPARE(box->text(), QString("8"));
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->text(), QString("9"));
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->text(), QString("2"));
        QTest::keyClicks(box, "7");
        QCOMPARE(box->text(), QString("2"));

        editor.SetMode(LutCurve::Mode::View);
        editor.Curve().Table().fill(2048);
        QTest::mouseClick(editor.findChild<QPushButton*>("convertEditable"), Qt::LeftButton);
        QCOMPARE(editor.Curve().Points(), (std::vector<Point>{{0, 128}, {256, 0}}));
        QCOMPARE(editor.ModeText(), QString("Edit Mode"));
        QTest::mouseClick(editor.findChild<QPushButton*>("clearTable"), Qt::LeftButton);
        QCOMPARE(editor.Curve().Points(), (std::vector<Point>{{0, 260}, {260, 0}}));
    }

    // A file is read whole before any table changes: a bad line leaves every editor as it was.
    void lutFileFillsTheEditorsOnlyWhenSound()
    {
        TestPage page;
        ControlAdapter controls(page, WindowCamera::Get());
        LutFeature feature(WindowCamera::Get(), &page, controls);
        for (int c = 0; c < 3; ++c)
            feature.Editor(c).Curve().Table().fill(7);
        QTemporaryDir dir;
        const std::string bad = dir.filePath("bad.csv").toStdString();
        std::ofstream(bad, std::ios::binary) << "GammaData (R G B)\r\n1,2,3\r\n4,5,6\r\n7,8\r\n";
        m_notices->recorder.fileNames = {bad};
        feature.OpenLutFile();
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(feature.Editor(c).Curve().Table()[0], 7u);
            QCOMPARE(feature.Editor(c).ModeText(), QString("Edit Mode"));
        }
        QCOMPARE(m_notices->recorder.messages.size(), size_t(1));
        QCOMPARE(m_notices->recorder.messages[0].text, std::string("Invaild line format"));

        const std::string good = dir.filePath("good.csv").toStdString();
        std::ofstream(good, std::ios::binary) << "GammaData (R G B)\r\n1,2,3\r\n4,5,6\r\n";
        QVERIFY(feature.LoadFile(good));
        for (int c = 0; c < 3; ++c) {
            const Lut::Table& t = feature.Editor(c).Curve().Table();
            QCOMPARE(t[0], uint32_t(1 + c));
            QCOMPARE(t[1], uint32_t(4 + c));
            QCOMPARE(t[2], 7u); // rows the file does not have keep their values
            QCOMPARE(feature.Editor(c).ModeText(), QString("View Mode"));
        }
    }
};

QTEST_MAIN(LutEditorTest)
#include "lut_editor_test.moc"
