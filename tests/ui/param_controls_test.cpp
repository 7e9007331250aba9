// The parameter controls driven through real widgets and the change router, with the camera
// scripted on the far end of a real pseudo-terminal and features standing in as probes.
#include "Camera.h"
#include "ChangeRouter.h"
#include "CommLink.h"
#include "ControlAdapter.h"
#include "FeatureRegistry.h"
#include "Ids.h"
#include "LutFeature.h"
#include "ParamTestSupport.h"
#include "ParameterControls.h"
#include "ParameterTable.h"
#include "PtyCamera.h"
#include "SettingsStore.h"
#include "UserNotice.h"
#include "WindowCamera.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

namespace {

// A feature that records its claims and moments in one log, in the order they come, with the
// number of lines the camera had received by then.
class Probe : public Feature {
public:
    Probe(std::vector<Claim> claims, QStringList& log, std::function<int()> lines)
        : m_claims(std::move(claims)), m_log(log), m_lines(std::move(lines)) {}
    std::vector<Claim> Claims() override
    {
        std::vector<Claim> claims = m_claims;
        for (Claim& claim : claims)
            claim.handler = [this, id = claim.ctrlId, when = claim.when] {
                m_log << QString("%1 %2 after %3").arg(id).arg(int(when)).arg(m_lines());
            };
        return claims;
    }
    std::vector<MomentClaim> Moments() override
    {
        std::vector<MomentClaim> claims;
        for (int m = 0; m <= int(Moment::ListValuesAttached); ++m)
            claims.push_back({Moment(m), [this, m] { onMoment(Moment(m)); }});
        return claims;
    }
    void onMoment(Moment moment)
    {
        m_log << QString("moment %1").arg(int(moment));
        if (moment == Moment::ExposureLimitsDue)
            for (int row : ControlRules::ExposureRows())
                WindowCamera::Get().Table().SetRange(uint32_t(row), 3, 40000);
    }

private:
    std::vector<Claim> m_claims;
    QStringList& m_log;
    std::function<int()> m_lines;
};

} // namespace


class ParamControlsTest : public QObject {
    Q_OBJECT

private:
    PtyPeer m_peer;
    MemorySettings m_settings;
    std::unique_ptr<PtyCamera> m_camera;
    std::unique_ptr<TestPage> m_page;
    QLineEdit* m_elsewhere = nullptr; // somewhere for the focus to go
    std::unique_ptr<ControlAdapter> m_adapter;
    std::unique_ptr<LutFeature> m_lut;
    std::unique_ptr<FeatureRegistry> m_features;
    ParameterControls* m_controls = nullptr;
    std::unique_ptr<ChangeRouter> m_router;
    std::unique_ptr<ScopedRecordingNotice> m_notices;
    QStringList m_probeLog;

    ParameterTable& table() { return WindowCamera::Get().Table(); }

    // Types the text into the box as a person would and moves on to another control.
    void typeAndLeave(int boxId, const QString& text)
    {
        NumberBox* box = m_page->Box(boxId);
        box->setFocus();
        QVERIFY(box->hasFocus());
        box->selectAll();
        QTest::keyClicks(box, text);
        m_elsewhere->setFocus();
        QVERIFY(!box->hasFocus());
    }
    void choose(int listId, int index)
    {
        QComboBox* list = m_page->List(listId);
        // Keyboard selection on a closed list: the person's choice, as "activated" reports it.
        list->setFocus();
        // One step from the neighbouring entry, so exactly one choice is reported.
        if (index > 0) {
            list->setCurrentIndex(index - 1);
            QTest::keyClick(list, Qt::Key_Down);
        } else {
            list->setCurrentIndex(1);
            QTest::keyClick(list, Qt::Key_Up);
        }
        QCOMPARE(list->currentIndex() == index || !m_notices->recorder.messages.empty(), true);
    }
    // Clicks a check box or radio button on its indicator, where a person clicks.
    void click(const char* name)
    {
        auto* button = m_page->findChild<QAbstractButton*>(name);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    QStringList sent()
    {
        QStringList lines;
        for (const std::string& line : m_camera->lines())
            lines << QString::fromStdString(line).trimmed();
        return lines;
    }
    void setRow(int ctrlId, int value)
    {
        table().SetDataValue(uint32_t(ctrlId), value);
        table().CommitAll();
        m_adapter->SetControlValue(ctrlId, value);
    }
    // A probe for these claims, registered after the parameter controls.
    void probe(std::vector<Feature::Claim> claims)
    {
        m_features->Add(std::make_unique<Probe>(std::move(claims), m_probeLog, [this] { return int(sent().size()); }));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_peer.IsOpen());
        m_settings.ports["COM1"] = m_peer.SlavePath();
        SetSettingsStore(&m_settings);
        WindowCamera::Fresh();
        QCOMPARE(WindowCamera::Get().Link().Open(0, 115200, 0), 1);
        m_camera = std::make_unique<PtyCamera>(m_peer);
    }

    void cleanupTestCase()
    {
        m_camera.reset();
        WindowCamera::Get().Link().Close();
        SetSettingsStore(nullptr);
    }

    void init()
    {
        m_notices = std::make_unique<ScopedRecordingNotice>();
        table().Reset();
        // Binning off, as a reading stores it (the row keeps the list position).
        table().SetDataValue(1406, 0);
        table().CommitAll();
        m_page = std::make_unique<TestPage>();
        // Boxes and their spins; the colour matrix (2631) is committed without a spin, the
        // sequencer's width (2785) is written by the sequencer's own button.
        for (auto [box, spin] : {std::pair{1338, 1339}, {1363, 1364}, {1357, 1358}, {1359, 1579}, {2513, 2514},
                                 {2515, 2516}, {2631, 0}, {2785, 2786}, {2789, 2790}})
            m_page->AddBox(box, spin);
        m_page->AddList(2797, {"Off", "x2"});
        m_page->AddList(1406, {"Off", "x2"});
        m_page->AddList(2538, {"Off", "Continuous", "Once"});
        m_page->AddList(1337, {"OFF", "Timed", "Trigger width"});
        m_page->AddList(1341, {"Off", "On"});
        m_page->AddList(1356, {"Low", "High", "Trigger"});
        m_page->AddRadioGroup({2661, 9101, 9102});
        m_page->AddRadioGroup({2664, 9103});
        m_page->Add<QCheckBox>(2540);
        for (int id = 1943; id <= 1958; ++id)
            m_page->Add<QCheckBox>(id);
        m_page->Add<QPushButton>(1882);
        m_page->AddList(1368, {"Common", "Individual"});
        m_page->AddList(2542, {"Off", "On"});
        m_page->AddList(2539, {"Off", "Continuous", "Once"});
        m_page->AddList(1407, {"Base", "Medium", "Full", "Eighty-Bit"});
        m_page->AddList(1354, {"RGB8", "RGB10", "RGB12"});
        // Controls that only the enable rules touch.
        for (int id : {1343, 1344, 1345, 1346, 1347, 1348, 1376, 1377, 1379, 1380, 1369, 1370, 1373, 1374})
            m_page->Add<QCheckBox>(id);
        m_elsewhere = new QLineEdit(m_page.get());
        m_page->layout()->addWidget(m_elsewhere);

        WindowCamera::Get().Format() = ClOutputFormat{};
        WindowCamera::Get().Model().modelType = 2;
        m_adapter = std::make_unique<ControlAdapter>(*m_page, WindowCamera::Get());
        m_lut = std::make_unique<LutFeature>(WindowCamera::Get(), m_page.get(), *m_adapter);
        m_features = std::make_unique<FeatureRegistry>();
        auto controls = std::make_unique<ParameterControls>(WindowCamera::Get(), *m_adapter, *m_features, *m_lut);
        m_controls = controls.get();
        m_features->Add(std::move(controls));
        m_router = std::make_unique<ChangeRouter>(*m_page, *m_features);
        m_router->Attach(m_page.get());
        m_controls->ApplySpinRanges();
        m_controls->AttachListValues();
        m_adapter->RefreshAllControls();
        m_probeLog.clear();

        m_page->show();
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_camera->reset();
    }

    void cleanup()
    {
        m_router.reset();
        m_features.reset();
        m_lut.reset();
        m_adapter.reset();
        m_page.reset();
        m_notices.reset();
    }

    // The road of one change: the value is set, acknowledged, read back and shown as the
    // camera has it (here the camera rounds it to its own step). A spin step sends the new
    // position, and none at the top of its range.
    void exposureBoxSendsReadsBackAndShowsTheAnswer()
    {
        m_camera->answerQuery("PE", "PE=480");
        typeAndLeave(1338, "500");
        QCOMPARE(sent(), (QStringList{"PE=500", "PE?"}));
        QCOMPARE(m_page->Box(1338)->text(), QString("480"));
        QCOMPARE(table().GetDataValue(1338), 480);
        QCOMPARE(table().GetCommittedValue(1338), 480);
        QVERIFY(m_notices->recorder.messages.empty());
        // Enter commits as leaving does, and the box keeps the focus.
        m_camera->clearLines();
        m_page->Box(1338)->setFocus();
        m_page->Box(1338)->selectAll();
        QTest::keyClicks(m_page->Box(1338), "1234");
        QTest::keyClick(m_page->Box(1338), Qt::Key_Return);
        QCOMPARE(sent(), (QStringList{"PE=1234", "PE?"}));
        QVERIFY(m_page->Box(1338)->hasFocus());

        m_camera->reset();
        setRow(1338, 100);
        m_page->Spin(1339)->step(+1);
        QCOMPARE(sent(), (QStringList{"PE=101", "PE?"}));
        QCOMPARE(m_page->Box(1338)->text(), QString("101"));
        m_camera->clearLines();
        setRow(1338, 8000000);
        m_page->Spin(1339)->step(+1);
        QCOMPARE(sent(), QStringList{});
    }

    void typedValuesAreAdjustedBeforeSending_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("binning");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent");
        QTest::newRow("frame period above the limit") << 1363 << 0 << "8000001" << "AR=8000000";
        QTest::newRow("width with binning masked to 8") << 2515 << 1 << "1000" << "WTC=1000";
        QTest::newRow("width with binning, minimum 48") << 2515 << 1 << "40" << "WTC=48";
        QTest::newRow("leading blanks and junk") << 1338 << 0 << "  +77x9" << "PE=77";
        QTest::newRow("colour matrix clamped, no spin needed") << 2631 << 0 << "50" << "CMVRR=20";
    }

    void typedValuesAreAdjustedBeforeSending()
    {
        QFETCH(int, box);
        QFETCH(int, binning);
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        m_page->List(1406)->setCurrentIndex(binning);
        m_controls->ApplySpinRanges();
        setRow(box, 500);
        typeAndLeave(box, typed);
        const QStringList lines = this->sent();
        QVERIFY(!lines.empty());
        QCOMPARE(lines.front(), sent);
    }

    // A region box that passes its check narrows its partner's spin and then re-reads the
    // four region rows, in their fixed order.
    void regionChangeNarrowsThePartnerAndRereadsTheRegion()
    {
        typeAndLeave(2515, "1000");
        QCOMPARE(sent(), (QStringList{"WTC=992", "WTC?", "HTL?", "WTC?", "OFL?", "OFC?"}));
        QCOMPARE(m_page->Spin(2514)->minimum(), 0);
        QCOMPARE(m_page->Spin(2514)->maximum(), 2064 - 992);
    }

    void regionOffTheSensorRestoresAndSendsNothing_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("partner");
        QTest::addColumn<int>("partnerValue");
        QTest::addColumn<int>("oldValue");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("sensorHeight");
        QTest::newRow("offset X beside a full width") << 2513 << 2515 << 1936 << 16 << "200" << 1544;
        QTest::newRow("width beyond offset X") << 2515 << 2513 << 1000 << 960 << "1100" << 1544;
        QTest::newRow("offset Y below a full height") << 1357 << 1359 << 1216 << 0 << "400" << 1544;
        QTest::newRow("height beyond offset Y, small sensor") << 1359 << 1357 << 400 << 600 << "800" << 1088;
    }

    void regionOffTheSensorRestoresAndSendsNothing()
    {
        QFETCH(int, box);
        QFETCH(int, partner);
        QFETCH(int, partnerValue);
        QFETCH(int, oldValue);
        QFETCH(QString, typed);
        QFETCH(int, sensorHeight);
        WindowCamera::Get().Model().modelType = sensorHeight == 1088 ? 0 : 1;
        m_controls->ApplySpinRanges();
        setRow(partner, partnerValue);
        setRow(box, oldValue);
        typeAndLeave(box, typed);
        QCOMPARE(m_page->Box(box)->text(), QString::number(oldValue));
        QCOMPARE(table().GetDataValue(uint32_t(box)), oldValue);
        QCOMPARE(m_page->Spin(m_page->Box(box)->spinId())->position(), oldValue);
        // Nothing went out: the next exchange is the first line the camera sees.
        m_page->Box(1338)->setFocus();
        typeAndLeave(1338, "42");
        QCOMPARE(sent(), (QStringList{"PE=42", "PE?"}));
    }

    // Sequencer boxes are masked and checked, but only the sequencer's "Write" sends them.
    void sequencerBoxIsCheckedButNotSent()
    {
        setRow(2797, 0); // no horizontal binning
        m_controls->ApplySpinRanges();
        m_page->Box(2789)->setText("1000");
        typeAndLeave(2785, "1001");
        QCOMPARE(m_page->Box(2785)->text(), QString("992"));
        QCOMPARE(m_page->Spin(2790)->maximum(), 2064 - 992);
        QCOMPARE(sent(), QStringList{});
        typeAndLeave(2785, "1100"); // 1000 + 1088 > 2064: the row's value comes back
        QCOMPARE(m_page->Box(2785)->text(), QString::number(table().GetDataValue(2785)));
        QCOMPARE(sent(), QStringList{});
    }

    void radioInTheMiddleStoresItsPositionInTheFirstButtonsRow()
    {
        setRow(2661, 0);
        click("ctrl_9101");
        QCOMPARE(sent(), (QStringList{"HBM=1", "HBM?"}));
        QCOMPARE(table().GetDataValue(2661), 1);
        QCOMPARE(table().GetDataValue(2664), 1); // the next group's row is untouched
        QCOMPARE(m_adapter->GetControlValue(2661), 1);
        m_camera->clearLines();
        click("ctrl_9102");
        QCOMPARE(sent(), (QStringList{"HBM=2", "HBM?"}));
        // Setting the group selects by position and clears the rest.
        m_adapter->SetControlValue(2661, 0);
        QVERIFY(m_page->findChild<QRadioButton*>("ctrl_2661")->isChecked());
        QVERIFY(!m_page->findChild<QRadioButton*>("ctrl_9102")->isChecked());
        m_adapter->SetControlValue(2661, 7);
        QCOMPARE(m_adapter->GetControlValue(2661), 0);
        QVERIFY(!m_page->findChild<QRadioButton*>("ctrl_2661")->isChecked());
    }

    void failedSetStopsTheWalkAndLeavesLaterControlsAsEntered()
    {
        m_camera->refuseSet("OFL", "NG");
        m_page->Box(1357)->setText("100");
        m_page->Box(1338)->setText("700");
        table().SetDataValue(1357, 100); // row 52
        table().SetDataValue(1338, 700); // row 58, later in the table
        QCOMPARE(m_controls->SendPendingRows(), 0);
        QCOMPARE(sent(), (QStringList{"OFL=100"}));
        QCOMPARE(m_page->Box(1357)->text(), QString("100"));
        QCOMPARE(m_page->Box(1338)->text(), QString("700"));
        QVERIFY(table().IsPending(table().CtrlId2TblIndex(1338)));
        QCOMPARE(m_notices->recorder.messages.size(), size_t(1));
        QCOMPARE(m_notices->recorder.messages[0].text, std::string("NG"));
    }

    // A refused change sends nothing and runs no After claim.
    void exposureModeIsRefusedWhileExposureAutoIsContinuous()
    {
        probe({{1337, When::After}});
        setRow(1337, 1);
        setRow(2538, 1);
        QCOMPARE(m_page->List(2538)->currentText(), QString("Continuous"));
        choose(1337, 2);
        QCOMPARE(m_notices->recorder.messages.size(), size_t(1));
        QCOMPARE(m_notices->recorder.messages[0].text, std::string("Please Set Exposure Auto to Off"));
        QVERIFY(m_notices->recorder.messages[0].icon == NoticeIcon::Error);
        QCOMPARE(m_page->List(1337)->currentIndex(), 1);
        QCOMPARE(table().GetDataValue(1337), 1);
        QCOMPARE(sent(), (QStringList{}));
        QCOMPARE(m_probeLog, QStringList{});
    }

    void selectAllDisablesTheAreasAndRereadsThem()
    {
        m_camera->setValue("ALCLML", 0);
        m_camera->setValue("ALCHL", 1);
        click("ctrl_2540");
        const QStringList lines = sent();
        QCOMPARE(lines.size(), 2 + 16);
        QCOMPARE(lines[0], QString("ALCA=1"));
        QCOMPARE(lines[2], QString("ALCLR?"));
        QCOMPARE(lines[17], QString("ALCHL?"));
        QVERIFY(!m_page->findChild<QCheckBox*>("ctrl_1945")->isEnabled());
        QVERIFY(!m_page->findChild<QCheckBox*>("ctrl_1945")->isChecked()); // as the camera has it
        click("ctrl_2540");
        QVERIFY(m_page->findChild<QCheckBox*>("ctrl_1945")->isEnabled());
    }

    // Controls that a feature claims reach it and send nothing themselves; the router
    // connects each control once, however often it attaches.
    void claimedListsAndButtonsGoToTheirFeature()
    {
        probe({{1356, When::Instead}, {1882, When::Instead}});
        m_router->Attach(m_page.get());
        choose(1356, 2);
        QTest::mouseClick(m_page->findChild<QPushButton*>("ctrl_1882"), Qt::LeftButton);
        QCOMPARE(m_probeLog, (QStringList{"1356 1 after 0", "1882 1 after 0"}));
        QCOMPARE(sent(), (QStringList{}));
    }

    // The table-driven rules share one engine (a selection's case, else the "any other" case),
    // shown on the exposure mode; the rows of the other tables are data. The automatic rules
    // are code of their own.
    void enableRules_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QList<int>>("selections"); // list, item, list, item, ...
        QTest::addColumn<QList<int>>("enabled");
        QTest::addColumn<QList<int>>("disabled");
        using R = ControlRules::EnableRule;
        QTest::newRow("exposure mode off") << int(R::ExposureMode) << QList<int>{1337, 0}
                                           << QList<int>{1363, 1364} << QList<int>{1338, 2538, 1341};
        QTest::newRow("exposure mode timed") << int(R::ExposureMode) << QList<int>{1337, 1}
                                             << QList<int>{1338, 2538, 1341} << QList<int>{};
        QTest::newRow("exposure mode other") << int(R::ExposureMode) << QList<int>{1337, 2} << QList<int>{}
                                             << QList<int>{1338, 2538, 1341, 1363, 1364};
        QTest::newRow("shutter continuous, individual")
            << int(R::AutomaticShutter) << QList<int>{2538, 1, 1368, 1} << QList<int>{1376, 1377, 1379, 1380}
            << QList<int>{1343, 1344, 1345, 1346, 1347, 1348, 1368};
        QTest::newRow("shutter off, common") << int(R::AutomaticShutter) << QList<int>{2538, 0, 1368, 0}
                                             << QList<int>{1338, 1339, 1368} << QList<int>{1376, 1377, 1379, 1380};
        QTest::newRow("gain continuous") << int(R::AutomaticGain) << QList<int>{2539, 1}
                                         << QList<int>{1369, 1370, 1373, 1374} << QList<int>{};
        QTest::newRow("gain once") << int(R::AutomaticGain) << QList<int>{2539, 2} << QList<int>{}
                                   << QList<int>{1369, 1370, 1373, 1374};
    }

    void enableRules()
    {
        QFETCH(int, rule);
        QFETCH(QList<int>, selections);
        QFETCH(QList<int>, enabled);
        QFETCH(QList<int>, disabled);
        for (int i = 0; i + 1 < selections.size(); i += 2)
            m_page->List(selections[i])->setCurrentIndex(selections[i + 1]);
        for (int id : enabled)
            m_page->FindControl(id)->setEnabled(false);
        for (int id : disabled)
            m_page->FindControl(id)->setEnabled(true);
        m_controls->ApplyEnableRule(ControlRules::EnableRule(rule));
        for (int id : enabled)
            QVERIFY2(m_page->FindControl(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : disabled)
            QVERIFY2(!m_page->FindControl(id)->isEnabled(), qPrintable(QString::number(id)));
    }

    // Before claims run ahead of the generic path, After claims once the list is stored and
    // sent.
    void claimsRunAroundTheGenericPath()
    {
        probe({{2539, When::Before}, {2542, When::Before}, {2542, When::After}});
        choose(2539, 1);
        choose(2542, 1);
        QCOMPARE(m_probeLog, (QStringList{"2539 0 after 0", "2542 0 after 2", "2542 2 after 4"}));
        QCOMPARE(sent(), (QStringList{"AGC=1", "AGC?", "IGM=1", "IGM?"}));
    }

    // A Camera Link format change keeps the format and asks for new exposure limits, which
    // the spins then take.
    void formatListsUpdateTheFormatAndTheExposureLimits()
    {
        probe({});
        choose(1407, 0); // Base: only RGB8 may be taken over
        const ClOutputFormat& format = WindowCamera::Get().Format();
        QCOMPARE(format.m_ClConfguration, 0);
        m_page->List(1354)->setItemData(0, 3);
        m_page->List(1354)->setItemData(2, 5);
        choose(1354, 2);
        QCOMPARE(format.m_BitAllocation, 3);
        choose(1407, 1); // Medium: any allocation
        choose(1354, 2);
        QCOMPARE(format.m_BitAllocation, 5);
        QCOMPARE(sent().mid(0, 2), (QStringList{"CLCFG=0", "CLCFG?"}));
        const QString limits = QString("moment %1").arg(int(Moment::ExposureLimitsDue));
        const QString times = QString("moment %1").arg(int(Moment::ExposureTimesDue));
        QCOMPARE(m_probeLog.count(limits), 4);
        QCOMPARE(m_probeLog.mid(0, 2), (QStringList{limits, times}));
        QCOMPARE(m_page->Spin(1339)->minimum(), 3);
        QCOMPARE(m_page->Spin(1339)->maximum(), 40000);
    }
};

QTEST_MAIN(ParamControlsTest)
#include "param_controls_test.moc"
