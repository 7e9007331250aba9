// Start-up and the parameter list through each Camera Link mode, end to end: the tool in this
// process connects to the simulated camera behind its Camera Link libraries (in $LUMORA_LIB_DIR)
// and reads it, and its registers, exactly as it reads lumora-camsim on a pseudo-terminal in
// mode 0. The witness is the camera's own traffic log: lumora-camsim --log in mode 0,
// LUMORA_CAMSIM_LOG in the library modes.
//
// The libraries are found as a user's installation finds them: mode 1 in the folder of the
// settings value "Camera Link Library Folder", modes 2 and 3 through LD_LIBRARY_PATH.
#include "E2eTool.h"

#include "ClLibrary.h"
#include "ScopedEnv.h"

#include <QTemporaryDir>

#include <cstdlib>

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

class CameraLinkE2eTest : public QObject {
    Q_OBJECT

    std::string m_libDir;
    QTemporaryDir m_logs;

    // The start-up in a mode (0: the serial port; else on the port whose list entry is the
    // simulator's), then the end of the program, so that the camera's log is complete.
    StartupRun Startup(unsigned mode, unsigned index)
    {
        const std::string log = m_logs.filePath(QString("mode%1.jsonl").arg(mode)).toStdString();
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
        run.mode = CommLink::Instance().GetMode();
        run.connected = tool.window->Connected();
        for (int i = 0; i < ParameterTable::Instance().RowCount(); ++i)
            run.values.push_back(ParameterTable::Instance().Row(i).value);
        if (CXMLDialog* list = tool.OpenParameterList()) {
            list->ReadAllData();
            run.listFromCamera = list->List().DescriptionSource() == ParameterList::Source::Camera;
            run.listGain = list->Grid()->valueText(list->RowOf("Gain")).toStdString();
            run.typedGain = TypeInto(*list->Grid(), list->RowOf("Gain"), "333") ? AsciiValue("GA") : -1;
        }
        for (const auto& m : tool.notices.recorder.messages)
            run.notices.push_back(m.text);
        tool.program.reset();
        CommLink::Instance().Close(); // unloads the library and its camera
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
        QVERIFY(m_logs.isValid());
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

QTEST_MAIN(CameraLinkE2eTest)
#include "camera_link_e2e_test.moc"
