// The parameter list end to end: the tool as main() builds it, opened from its Utility menu,
// against lumora-camsim on a pseudo-terminal (behind the Camera Link libraries: the Camera Link
// test). The rows come from the camera's own description, "Read All Data" fills them, a changed
// row is written as a register, and the camera's ASCII side sees the new value (the same state
// behind both).
#include "E2eTool.h"


#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>

namespace {

const char* const kModel = "KT-5100W-QBCL";

// The texts of the message boxes shown so far, one a line.
std::string Shown(const E2eTool& tool)
{
    std::string texts;
    for (const auto& m : tool.notices.recorder.messages)
        texts += m.text + "\n";
    return texts;
}

} // namespace

class ParameterListE2eTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_files;

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        CProgressBarDialog::Instance().SetClosePause(0);
    }

    void rowsComeFromTheCamerasDescriptionAndChangesReachItsCommands()
    {
        // The camera serves the shipped description with Gain renamed: a row of that name can
        // only have come from the camera.
        std::ifstream in(ParameterList::ShippedDescriptionPath(kModel));
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string shipped = "<DisplayName>Gain</DisplayName>";
        QVERIFY(text.find(shipped) != std::string::npos);
        text.replace(text.find(shipped), shipped.size(), "<DisplayName>Master Gain</DisplayName>");
        const std::string path = m_files.filePath("camera.xml").toStdString();
        std::ofstream(path) << text;

        E2eTool tool;
        QVERIFY(tool.Start({"--model", kModel, "--genicam", path}, 1));
        CXMLDialog* dialog = tool.OpenParameterList();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("XML"));
        QCOMPARE(dialog->Header()->text(), QStringLiteral("Norvik KT-5100W-QBCL, serial number SIM0000001"));
        const ParameterList& list = dialog->List();
        QVERIFY(list.DescriptionSource() == ParameterList::Source::Camera);
        CPropertyGrid& grid = *dialog->Grid();
        QVERIFY(dialog->RowOf("Gain") != 0);
        QVERIFY(std::any_of(list.Description().records.begin(), list.Description().records.end(),
                            [](const FeatureRecord& r) { return r.displayName == "Master Gain"; }));

        tool.sim.ClearLog();
        QTest::mouseClick(dialog->ReadAllButton(), Qt::LeftButton);
        QCOMPARE(grid.valueText(dialog->RowOf("DeviceModelName")), QString::fromLatin1(kModel));
        QCOMPARE(grid.valueText(dialog->RowOf("DeviceTemperature")), QStringLiteral("42.5"));
        QCOMPARE(grid.valueText(dialog->RowOf("TestPattern")), QStringLiteral("Off"));
        QCOMPARE(grid.valueText(dialog->RowOf("BlackLevel")), QString::number(AsciiValue("BL")));
        QCOMPARE(Shown(tool), std::string());
        size_t reads = 0;
        for (const std::string& line : tool.sim.Received())
            reads += line.rfind("GENCP READ ", 0) == 0;
        size_t readable = 0;
        for (const FeatureRecord& r : list.Description().records)
            readable += r.Has(FeatureRecord::Readable);
        QCOMPARE(reads, readable);

        // A signed number and a text typed into their rows reach the camera's commands (a gain
        // through every link: the Camera Link test).
        QVERIFY(TypeInto(grid, dialog->RowOf("BlackLevel"), "-7"));
        QCOMPARE(AsciiValue("BL"), -7);
        std::string userId;
        QVERIFY(TypeInto(grid, dialog->RowOf("DeviceUserID"), "LINE-7"));
        QCOMPARE(Camera::Instance().QueryText(CommandTable::Instance().FindCommand("UD"), userId), 1);
        QCOMPARE(userId, std::string("LINE-7"));

        // A value the camera refuses is named with its register, and the row shows the camera's.
        const CPropertyGrid::ItemId width = dialog->RowOf("Width");
        const QString widthBefore = grid.valueText(width);
        QVERIFY(TypeInto(grid, width, "1"));
        QCOMPARE(tool.notices.recorder.messages.size(), size_t(1));
        QVERIFY(tool.notices.recorder.messages[0].text.find("\"Width\"") != std::string::npos);
        QVERIFY(tool.notices.recorder.messages[0].text.find("refused") != std::string::npos);
        QCOMPARE(grid.valueText(width), widthBefore);

        // A push row writes its command value.
        tool.sim.ClearLog();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.valueRect(dialog->RowOf("TriggerSoftware")).center());
        const std::vector<std::string> rx = tool.sim.Received();
        QCOMPARE(rx.size(), size_t(1));
        QVERIFY2(rx[0].rfind("GENCP WRITE ", 0) == 0 && rx[0].find(" DATA 00000001") != std::string::npos, rx[0].c_str());
    }

    void withoutADescriptionFromTheCameraTheShippedOneIsListed()
    {
        E2eTool tool;
        QVERIFY(tool.Start({"--model", kModel, "--genicam", "none", "--set", "PE=777"}, 1));
        CXMLDialog* dialog = tool.OpenParameterList();
        QVERIFY(dialog);
        QVERIFY(dialog->List().DescriptionSource() == ParameterList::Source::Shipped);
        QVERIFY(dialog->Note()->text().contains(QStringLiteral("shipped for KT-5100W-QBCL")));
        dialog->ReadAllData();
        QCOMPARE(dialog->Grid()->valueText(dialog->RowOf("ExposureTime")), QStringLiteral("777"));
    }
};

QTEST_MAIN(ParameterListE2eTest)
#include "parameter_list_e2e_test.moc"
