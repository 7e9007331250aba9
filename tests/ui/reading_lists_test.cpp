// The progress window's contract with its owner and the Camera Link format lists as the
// reading of the camera fills them.
#include "AutomaticFunctions.h"
#include "Camera.h"
#include "ControlAdapter.h"
#include "FeatureRegistry.h"
#include "LutFeature.h"
#include "ParamTestSupport.h"
#include "ParameterControls.h"
#include "ProgressBarWindow.h"
#include "ReadingCamera.h"
#include "SequencerFeature.h"
#include "WindowCamera.h"

#include <QtTest>

class ReadingListsTest : public QObject {
    Q_OBJECT

private slots:
    // Shown, the progress window disables its owner and enables it again when it closes, but
    // never an owner that was disabled before (the walks' position and message: the reading
    // end-to-end test and the communication dialog test).
    void progressWindowDisablesItsOwner()
    {
        QWidget owner;
        owner.show();
        ProgressBarWindow& progress = ProgressBarWindow::Instance();
        progress.SetClosePause(0);
        for (bool enabledBefore : {true, false}) {
            owner.setEnabled(enabledBefore);
            progress.Show(&owner, "Now, reading camera settings.");
            QVERIFY(progress.IsVisible() && progress.Window()->isEnabled());
            QVERIFY(!owner.isEnabled());
            progress.Close();
            QVERIFY(!progress.IsVisible() && !progress.Window());
            QCOMPARE(owner.isEnabled(), enabledBefore);
        }
        progress.SetClosePause(1000);
    }

    // The lists as the camera's format fills them: the items offered and those selected.
    void clConfigurationLists()
    {
        const struct {
            const char* what;
            ClOutputFormat format; // configuration, bit allocation, clock
            std::vector<int> shown; // configuration item, bit items, bit item, clock item
        } cases[] = {
            {"Base asking for 12 bits: RGB8 only, nothing selected", {0, 5, 2}, {0, 1, -1, 2}},
            {"Medium with 12 bits", {1, 5, 0}, {1, 3, 2, 0}},
            {"Medium with an unknown depth counts as RGB8", {1, 9, 1}, {1, 3, 0, 1}},
            {"Full", {2, 3, 2}, {2, 1, 0, 2}},
            {"unknown configuration keeps the list's selection", {7, 3, 5}, {0, 1, 0, -1}},
        };
        for (const auto& c : cases) {
            TestPage page; // the Camera Link format lists
            for (int id : {1407, 1354, 2573, 1422})
                page.AddList(id, {});
            WindowCamera::Get().Format() = c.format;
            ControlAdapter controls(page, WindowCamera::Get());
            FeatureRegistry features;
            LutFeature lut(WindowCamera::Get(), &page, controls);
            ParameterControls parameters(WindowCamera::Get(), controls, features, lut);
            SequencerFeature sequencer(WindowCamera::Get(), &page, controls, parameters);
            AutomaticFunctions automatic(WindowCamera::Get(), &page, controls, parameters);
            ReadingCamera reading(WindowCamera::Get(), &page, controls, parameters, features, sequencer, automatic);
            reading.FillClConfigurationLists();
            QCOMPARE(page.List(1407)->count(), 4);
            QCOMPARE(page.List(1407)->itemData(3).toInt(), 3);
            QCOMPARE(page.List(1354)->itemText(0), QString("RGB8"));
            QCOMPARE(page.List(2573)->count(), 3);
            const std::vector<int> shown{page.List(1407)->currentIndex(), page.List(1354)->count(),
                                         page.List(1354)->currentIndex(), page.List(2573)->currentIndex()};
            QVERIFY2(shown == c.shown, c.what);
        }
    }
};

QTEST_MAIN(ReadingListsTest)
#include "reading_lists_test.moc"
