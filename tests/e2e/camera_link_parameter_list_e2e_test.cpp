// The parameter list and start-up through each Camera Link mode, end to end: the tool as main()
// builds it against lumora-camsim on a pseudo-terminal and behind its Camera Link libraries (in
// $LUMORA_LIB_DIR). The list's rows come from the camera's own description, "Read All Data"
// fills them, a changed row is written as a register, and the camera's ASCII side sees the new
// value (the same state behind both). In every Camera Link mode the tool reads the camera, and
// its registers, exactly as it does on the pseudo-terminal; the witness is the camera's own
// traffic log: lumora-camsim --log in mode 0, LUMORA_CAMSIM_LOG in the library modes.
//
// The libraries are found as a user's installation finds them: mode 1 in the folder of the
// settings value "Camera Link Library Folder", modes 2 and 3 through LD_LIBRARY_PATH.
#include "E2eTool.h"

#include "ClLibrary.h"
#include "ScopedEnv.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

const char* const kModel = "KT-5100W-QBCL";

// What one start-up left behind.
struct StartupRun {
    Lines traffic;                // "rx MD?", "tx MD=KT-5100W-QBCL", ... without times
    unsigned mode = 99;           // the link's mode when the start-up was over
    int connected = -1;
    Lines notices;                // the texts of the message boxes shown
    std::vector<int32_t> values;  // every parameter row's value after the reading
    bool listFromCamera = false;  // the parameter list: the camera's own description,
    std::string listGain;         // its Gain row after "Read All Data",
    int32_t typedGain = -1;       // and what the camera's command holds when 333 is typed there
};

} // namespace

class CameraLinkParameterListE2eTest : public QObject {
    Q_OBJECT

    std::string m_libDir;
    QTemporaryDir m_files;

    // The start-up in a mode (0: the serial port; else on the port whose list entry is the
    // simulator's), then the end of the program, so that the camera's log is complete.
    StartupRun Startup(unsigned mode, unsigned index)
    {
        const std::string log = m_files.filePath(QString("mode%1.jsonl").arg(mode)).toStdString();
        ScopedEnv logTo("LUMORA_CAMSIM_LOG", log);
        ScopedEnv camera("LUMORA_CAMSIM_ARGS", std::string("--model ") + kModel + " --set GA=222");
        E2eTool tool;
        tool.configure = [&](MemorySettings& s) {
            s.clFolder = m_libDir;
            s.ints[kCommunicationMode] = mode;
            s.ints[mode == 1 ? kCl2000DllIndex : mode == 2 ? kCl2001DllIndex : kClVer11DllIndex] = index;
        };
        const Lines args = {"--model", kModel, "--set", "GA=222"};
        StartupRun run;
        if (!tool.Start(mode == 0 ? &args : nullptr, 1))
            return run;
        run.mode = tool.Cam().Link().GetMode();
        run.connected = tool.window->Connected();
        for (int i = 0; i < tool.Cam().Table().RowCount(); ++i)
            run.values.push_back(tool.Cam().Table().Row(i).value);
        if (ParameterListWindow* list = tool.OpenParameterList()) {
            list->ReadAllData();
            run.listFromCamera = list->List().DescriptionSource() == ParameterList::Source::Camera;
            run.listGain = list->Grid()->valueText(list->RowOf("Gain")).toStdString();
            run.typedGain = TypeInto(*list->Grid(), list->RowOf("Gain"), "333") ? tool.Ascii("GA") : -1;
        }
        for (const auto& m : tool.notices.recorder.messages)
            run.notices.push_back(m.text);
        tool.program.reset();    // its camera's link goes with it: the library is unloaded
        tool.sim.Stop();              // its last lines are written before it ends
        for (const CamSimProcess::Entry& e : CamSimProcess::ReadLog(mode == 0 ? tool.sim.LogPath() : log))
            run.traffic.push_back(e.dir + " " + e.line);
        return run;
    }

private slots:
    void initTestCase()
    {
        const char* dir = std::getenv("LUMORA_LIB_DIR");
        QVERIFY2(dir && *dir, "LUMORA_LIB_DIR names the folder of the simulated camera's libraries");
        m_libDir = dir;
        for (const char* file : {"libclsersim.so", "libclserial.so", "libclallserial.so"})
            QVERIFY2(QFileInfo::exists(QString::fromStdString(m_libDir + "/" + file)), file);
        QVERIFY(m_files.isValid());
        ProgressBarWindow::Instance().SetClosePause(0);
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
        ParameterListWindow* dialog = tool.OpenParameterList();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("XML"));
        QCOMPARE(dialog->Header()->text(), QStringLiteral("Norvik KT-5100W-QBCL, serial number SIM0000001"));
        const ParameterList& list = dialog->List();
        QVERIFY(list.DescriptionSource() == ParameterList::Source::Camera);
        PropertyGrid& grid = *dialog->Grid();
        QVERIFY(dialog->RowOf("Gain") != 0);
        QVERIFY(std::any_of(list.Description().records.begin(), list.Description().records.end(),
                            [](const FeatureRecord& r) { return r.displayName == "Master Gain"; }));

        tool.sim.ClearLog();
        QTest::mouseClick(dialog->ReadAllButton(), Qt::LeftButton);
        QCOMPARE(grid.valueText(dialog->RowOf("DeviceModelName")), QString::fromLatin1(kModel));
        QCOMPARE(grid.valueText(dialog->RowOf("DeviceTemperature")), QStringLiteral("42.5"));
        QCOMPARE(grid.valueText(dialog->RowOf("TestPattern")), QStringLiteral("Off"));
        QCOMPARE(grid.valueText(dialog->RowOf("BlackLevel")), QString::number(tool.Ascii("BL")));
        QVERIFY(tool.notices.recorder.messages.empty());
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
        QCOMPARE(tool.Ascii("BL"), -7);
        std::string userId;
        QVERIFY(TypeInto(grid, dialog->RowOf("DeviceUserID"), "LINE-7"));
        QCOMPARE(tool.Cam().QueryText(CommandTable::Instance().FindCommand("UD"), userId), 1);
        QCOMPARE(userId, std::string("LINE-7"));

        // An unsigned register takes its whole range and shows what the camera then holds; the
        // same value typed again is written again.
        const PropertyGrid::ItemId gain = dialog->RowOf("Gain");
        QVERIFY(TypeInto(grid, gain, "4294967294"));
        QCOMPARE(tool.Ascii("GA"), -2); // the camera keeps the word's bits
        QCOMPARE(grid.valueText(gain), QStringLiteral("4294967294"));
        tool.sim.ClearLog();
        QVERIFY(TypeInto(grid, gain, "H' FFFFFFFE"));
        size_t writes = 0;
        for (const std::string& line : tool.sim.Received())
            writes += line.rfind("GENCP WRITE ", 0) == 0 && line.find(" DATA FFFFFFFE") != std::string::npos;
        QCOMPARE(writes, size_t(1));
        QVERIFY(tool.notices.recorder.messages.empty());

        // A value the camera refuses is named with its register, and the row shows the camera's.
        const PropertyGrid::ItemId width = dialog->RowOf("Width");
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
        ParameterListWindow* dialog = tool.OpenParameterList();
        QVERIFY(dialog);
        QVERIFY(dialog->List().DescriptionSource() == ParameterList::Source::Shipped);
        QVERIFY(dialog->Note()->text().contains(QStringLiteral("shipped for KT-5100W-QBCL")));
        dialog->ReadAllData();
        QCOMPARE(dialog->Grid()->valueText(dialog->RowOf("ExposureTime")), QStringLiteral("777"));
    }

    void everyCameraLinkModeReadsTheCameraAsTheSerialPortDoes()
    {
        ScopedEnv search("LD_LIBRARY_PATH", m_libDir);
        const StartupRun serial = Startup(0, 0);
        QCOMPARE(serial.connected, 1);
        // A whole reading: the model check first, then the factory mode's reload set.
        QVERIFY(serial.traffic.size() > 2 * E2eTool::ReloadQueries(0, 1).size());
        QVERIFY(StartsWith(serial.traffic, {"rx MD?", std::string("tx MD=") + kModel}));
        QVERIFY(serial.notices.empty() && serial.listFromCamera);
        QCOMPARE(serial.listGain, std::string("222"));
        QCOMPARE(serial.typedGain, 333);

        // Mode 1 lists every libclser*.so of the folder (libclserial.so among them).
        const Lines files = ClScanFolder(m_libDir, "libclser*.so");
        const auto sim2000 = std::find(files.begin(), files.end(), "libclsersim.so");
        QVERIFY(sim2000 != files.end());
        const std::pair<unsigned, unsigned> modes[] = {{1, unsigned(sim2000 - files.begin())}, {2, 0}, {3, 0}};
        for (const auto& [mode, index] : modes) {
            const StartupRun run = Startup(mode, index);
            const QByteArray where = "mode " + QByteArray::number(mode);
            // Only a previous run that did not end normally sends the tool back to mode 0.
            QVERIFY2(run.mode == mode,
                     (where + ": the tool connected in mode " + QByteArray::number(run.mode)).constData());
            QByteArray shown;
            for (const std::string& text : run.notices)
                shown += " \"" + QByteArray::fromStdString(text) + "\"";
            QVERIFY2(run.connected == 1, (where + " not connected; messages:" + shown).constData());
            const std::string d = Difference(run.traffic, serial.traffic);
            QVERIFY2(d.empty(), (where + ": " + QByteArray::fromStdString(d)).constData());
            QVERIFY2(run.notices == serial.notices, where.constData());
            QVERIFY2(run.values == serial.values, where.constData());
            QVERIFY2(run.listFromCamera && run.listGain == "222" && run.typedGain == 333, where.constData());
        }
    }
};

QTEST_MAIN(CameraLinkParameterListE2eTest)
#include "camera_link_parameter_list_e2e_test.moc"
