// The `lumora` Python module: the Qt-free camera layer for scripts, test benches and production
// lines. Every call runs the operation lumora-cli runs (ScriptCamera), with the interpreter's
// lock released while the camera exchanges; here are only the conversions between Python
// values and the camera layer's, the exceptions and the docstrings (lumora.pyi mirrors them).
#include "CommLink.h"
#include "CommandTable.h"
#include "ControlMode.h"
#include "IniSettings.h"
#include "LinkChoice.h"
#include "ProgramInfo.h"
#include "ScriptCamera.h"
#include "ScriptProgress.h"

#include <pybind11/eval.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <memory>
#include <cctype>

namespace py = pybind11;

namespace {

// The classes that carry attributes, written in Python.
const char* const kPythonClasses = R"(
import collections

class Error(Exception):
    """Every failure of a lumora call."""

class Refused(Error):
    """The camera refused a line, or keeps another value than the one set or applied.

    answer: the camera's reply (or the value it reads back); None when there is none.
    differences: after apply(verify=True), the settings that read back differently, as
    (setting, file_value, camera_value) tuples.
    """
    def __init__(self, message, answer=None, differences=()):
        super().__init__(message)
        self.answer = answer
        self.differences = list(differences)

class NoCamera(Error):
    """The port could not be opened, no camera answered, or the link was lost."""

class UsageError(Error):
    """A wrong argument: an unknown mnemonic, a value of the wrong kind or outside the range
    the parameter takes now, a file that cannot be read, a closed camera."""

Applied = collections.namedtuple("Applied", "value requested note")
Applied.__doc__ = """A value set: as the camera keeps it (read back), as it was requested, and
how the camera layer's rules changed it before it was sent (None when they did not)."""

Port = collections.namedtuple("Port", "mode index name device address stable_name present")
Port.__doc__ = """A port open() can take: its mode (0 serial port, 1 to 3 the Camera Link
libraries), its index (cl_port for modes 1 to 3), its name ("COM3": give it as port=), and for
COM names the device it leads to (device, stable_name, present) or its network address."""

del collections
)";

struct PythonTypes {
    py::object refused, noCamera, usage, applied, port;
};
// Set once when the module is imported; the module holds the objects for the process's life.
PythonTypes* g_types = nullptr;

// Camera texts are bytes as they came; every byte maps to one character.
py::str text(const std::string& bytes)
{
    return py::reinterpret_steal<py::str>(PyUnicode_DecodeLatin1(bytes.data(), py::ssize_t(bytes.size()), nullptr));
}

[[noreturn]] void usage(const std::string& message)
{
    throw ScriptError(ScriptError::Kind::Usage, message);
}

void checkSignals()
{
    if (PyErr_CheckSignals() != 0)
        throw py::error_already_set();
}

int commandOf(const std::string& mnemonic)
{
    const int command = FindMnemonic(mnemonic);
    if (command < 0)
        usage("Unknown parameter \"" + mnemonic + "\"");
    return command;
}

// Whether text is a number: an optional sign, digits, and (when a point is allowed) at most
// one point among them.
bool isNumber(const std::string& text, bool point)
{
    size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    bool digits = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])))
            digits = true;
        else if (text[i] == '.' && point)
            point = false;
        else
            return false;
    }
    return digits;
}

// A value as its command's kind has it: int, float or str (as sent, when it is no number of
// its kind; always for a command of no known kind, -1).
py::object typed(int command, const std::string& value)
{
    const uint32_t kind = command < 0 ? 2 : CommandTable::Instance().Entry(command).valueKind;
    if (kind == 0 && isNumber(value, false))
        return py::reinterpret_steal<py::object>(PyLong_FromString(value.c_str(), nullptr, 10));
    if (kind == 1 && isNumber(value, true))
        return py::float_(std::stod(value));
    return text(value);
}

// The same for a setting of a file, which may be a table entry's name: "LUTR 5".
py::object typed(const std::string& setting, const std::string& value)
{
    return typed(FindMnemonic(setting.substr(0, setting.find(' '))), value);
}

// The text a Python value is sent as.
std::string valueText(const std::string& mnemonic, py::handle value)
{
    if (py::isinstance<py::bool_>(value) || !(py::isinstance<py::int_>(value) || py::isinstance<py::float_>(value) ||
                                              py::isinstance<py::str>(value)))
        usage(mnemonic + " takes an int, a float or a str, not " + std::string(py::str(value.get_type().attr("__name__"))));
    if (py::isinstance<py::float_>(value))
        return py::repr(value); // the shortest text that is this number
    return py::str(value);
}

std::string pathOf(py::handle path)
{
    return py::str(py::module_::import("os").attr("fspath")(path));
}

py::list differencesList(const std::vector<SettingFile::Difference>& differences)
{
    py::list list;
    for (const SettingFile::Difference& d : differences)
        list.append(py::make_tuple(text(d.setting), typed(d.setting, d.fileValue),
                                   d.cameraValue.empty() ? py::object(py::none()) : typed(d.setting, d.cameraValue)));
    return list;
}

void raise(const ScriptError& e)
{
    py::object instance;
    switch (e.kind) {
    case ScriptError::Kind::Refused:
        instance = g_types->refused(text(e.what()), e.answer.empty() ? py::object(py::none()) : text(e.answer),
                                    differencesList(e.differences));
        break;
    case ScriptError::Kind::NoCamera:
        instance = g_types->noCamera(text(e.what()));
        break;
    case ScriptError::Kind::Usage:
        instance = g_types->usage(text(e.what()));
        break;
    }
    PyErr_SetObject(instance.get_type().ptr(), instance.ptr());
}

// Runs a walk with the lock released; what stopped it from Python (Ctrl-C, the callback's
// exception) is raised in place of the walk's own failure.
template <class Result, class Walk>
Result walking(ScriptProgress& progress, Walk&& walk)
{
    std::optional<Result> result;
    try {
        py::gil_scoped_release release;
        result.emplace(walk());
    } catch (const ScriptError&) {
        progress.RaiseIfStopped();
        throw;
    }
    progress.RaiseIfStopped();
    return std::move(*result);
}

template <class F>
auto released(F&& f)
{
    py::gil_scoped_release release;
    return f();
}

Lut::Table tableOf(const char* name, py::handle values)
{
    Lut::Table table{};
    std::vector<py::object> entries;
    try {
        for (py::handle entry : py::iter(values))
            entries.push_back(py::reinterpret_borrow<py::object>(entry));
    } catch (py::error_already_set&) {
        usage(std::string(name) + " must be a sequence of " + std::to_string(Lut::kEntries) + " ints");
    }
    if (entries.size() != size_t(Lut::kEntries))
        usage(std::string(name) + " holds " + std::to_string(entries.size()) + " entries, not " +
              std::to_string(Lut::kEntries));
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!py::isinstance<py::int_>(entries[i]) || py::isinstance<py::bool_>(entries[i]))
            usage(std::string(name) + "[" + std::to_string(i) + "] is not an int");
        const long long value = entries[i].cast<long long>();
        if (value < 0 || value > Lut::kMaxValue)
            usage(std::string(name) + "[" + std::to_string(i) + "] = " + std::to_string(value) + " is not 0 to " +
                  std::to_string(Lut::kMaxValue));
        table[i] = uint32_t(value);
    }
    return table;
}

// cam.lut, cam.userset, cam.area: views on one camera.
struct LutView {
    std::shared_ptr<ScriptCamera> camera;
};
struct AreaView {
    std::shared_ptr<ScriptCamera> camera;
    bool userSet;
};

int64_t optionalInt(const py::object& value)
{
    return value.is_none() ? -1 : value.cast<int64_t>();
}

std::shared_ptr<ScriptCamera> openCamera(const py::object& port, const py::object& baud, const py::object& mode,
                                         const py::object& clPort, const py::object& timeout)
{
    LinkRequest request;
    if (!port.is_none())
        request.port = pathOf(port);
    request.baud = optionalInt(baud);
    if (!baud.is_none() && (request.baud <= 0 || CommLink::IndexToBaud(CommLink::BaudToIndex(uint32_t(request.baud))) != request.baud))
        usage("baud " + std::to_string(request.baud) + " is not 9600, 19200, 38400, 57600 or 115200");
    if (!mode.is_none() && (optionalInt(mode) < 0 || optionalInt(mode) > 3))
        usage("mode " + std::to_string(optionalInt(mode)) + " is not 0 to 3");
    request.mode = int(optionalInt(mode));
    request.clPort = optionalInt(clPort);
    if (!clPort.is_none() && request.clPort < 0)
        usage("cl_port must not be negative");
    uint32_t limitMs = 0;
    if (!timeout.is_none()) {
        const double seconds = timeout.cast<double>();
        if (!(seconds > 0) || !std::isfinite(seconds))
            usage("timeout must be a positive number of seconds");
        limitMs = uint32_t(std::min(std::ceil(seconds * 1000), 600000.0));
    }
    auto camera = std::make_shared<ScriptCamera>();
    released([&] {
        camera->Open(request, limitMs);
        return 0;
    });
    return camera;
}

py::list portList()
{
    std::vector<PortListing> ports = released([] {
        IniSettings settings(IniSettings::DefaultPath());
        return ListPorts(settings);
    });
    const auto optional = [](const std::string& s) { return s.empty() ? py::object(py::none()) : py::object(text(s)); };
    py::list list;
    for (const PortListing& p : ports)
        list.append(g_types->port(p.mode, p.index, text(p.name), optional(p.device), optional(p.address),
                                  optional(p.stableName), p.present));
    return list;
}

} // namespace

PYBIND11_MODULE(lumora, m)
{
    m.doc() = R"(Lumora Camera Link cameras over their serial control channel.

    with lumora.open(port="/dev/ttyUSB0", baud=115200) as cam:
        print(cam.model, cam.get("PE"))
        cam.set(PE=1000, GA=150)
        cam.dump("line7.cam")

The same camera operations and rules as the Lumora Control Tool window and lumora-cli. Each
camera is used by one thread at a time; several cameras work in parallel from several threads
(the interpreter's lock is released while a camera exchanges). Failures raise lumora.Error:
Refused, NoCamera or UsageError. Nothing is printed.)";
    m.attr("__version__") = ProgramInfo::kVersion;

    py::exec(kPythonClasses, m.attr("__dict__"));
    for (const char* name : {"Error", "Refused", "NoCamera", "UsageError", "Applied", "Port"})
        m.attr(name).attr("__module__") = "lumora";
    g_types = new PythonTypes{m.attr("Refused"), m.attr("NoCamera"), m.attr("UsageError"), m.attr("Applied"),
                              m.attr("Port")};
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p)
                std::rethrow_exception(p);
        } catch (const ScriptError& e) {
            raise(e);
        }
    });
    // The Control Mode decides which settings a file holds; it is read once from the window's
    // settings, as lumora-cli reads it, before any thread uses it.
    {
        IniSettings settings(IniSettings::DefaultPath());
        uint32_t mode = ControlMode::kNormal;
        settings.ReadInt(kControlMode, mode, ControlMode::kNormal);
        ControlMode::Set(mode);
    }

    py::class_<ScriptCamera, std::shared_ptr<ScriptCamera>> camera(m, "Camera", R"(One camera, opened by lumora.open().

Used as a context manager it closes its link at the end of the block; close() does the same.
Used by one thread at a time: a second thread's call waits for the first.)");

    m.def("open", &openCamera, py::arg("port") = py::none(), py::arg("baud") = py::none(), py::arg("mode") = py::none(),
          py::arg("cl_port") = py::none(), py::arg("timeout") = py::none(),
          R"(Open the link to a camera and ask it for its model; returns a Camera.

port: a COM name ("COM3", mapped to a device in the [Ports] group of the Lumora Control Tool's
    settings file), a device path ("/dev/ttyUSB0") or a network port ("tcp://HOST:PORT",
    "rfc2217://HOST:PORT" served by ser2net); means mode 0 unless mode says otherwise. None:
    the port the window last used.
baud: 9600, 19200, 38400, 57600 or 115200; None: the window's.
mode: 0 serial port, 1 Camera Link 2000, 2 Camera Link 2001, 3 Camera Link Ver 1.1; None:
    the window's (0 when a port is given).
cl_port: the Camera Link library's port index (modes 1 to 3; lumora.ports() lists them).
timeout: the longest any one answer is waited for, in seconds; None: each exchange's own
    time-out (1 s for the model, 2.5 s for a value, up to 40 s for a flash store).

Raises NoCamera when the port cannot be opened or no camera answers, UsageError for a wrong
argument.)");
    m.def("ports", &portList, R"(Every port of every mode that open() can take, as Port tuples.

COM names show the device (or network address) the window's settings map them to; nothing is
opened or connected to.)");

    camera
        .def_property_readonly("model", [](ScriptCamera& c) { return released([&] { return c.ModelName(); }); },
                               "The model name the camera reported when it was opened, e.g. \"KT-5100W-QBCL\".")
        .def_property_readonly("port", &ScriptCamera::Where,
                               "Where the link leads: \"COM3 (/dev/ttyUSB0)\", a path or address as given, or "
                               "\"Camera Link port 0 (mode 2)\".")
        .def_property_readonly("closed", [](const ScriptCamera& c) { return !c.IsOpen(); },
                               "True once the link is closed.")
        .def("close", [](ScriptCamera& c) { released([&] { c.Close(); return 0; }); },
             "Close the link (also at the end of a with block). Further calls raise UsageError.")
        .def("__enter__", [](py::object self) { return self; })
        .def("__exit__", [](ScriptCamera& c, py::args) { released([&] { c.Close(); return 0; }); return false; })
        .def("__repr__", [](const ScriptCamera& c) {
            return text("<lumora.Camera " + c.Where() + (c.IsOpen() ? "" : ", closed") + ">");
        })
        .def(
            "get",
            [](ScriptCamera& c, const std::string& mnemonic) {
                const int command = commandOf(mnemonic);
                const std::string value = released([&] { return c.Get(command); });
                return typed(command, value);
            },
            py::arg("mnemonic"),
            R"(The camera's value of a parameter by its mnemonic (any case), e.g. get("PE") -> 1000.

An int, a float or a str by the command's kind. Raises Refused with the camera's answer when it
refuses the query, NoCamera when it does not answer, UsageError for an unknown mnemonic.)")
        .def(
            "get_many",
            [](ScriptCamera& c, const std::vector<std::string>& mnemonics) {
                std::vector<int> commands;
                for (const std::string& mnemonic : mnemonics)
                    commands.push_back(commandOf(mnemonic));
                py::dict values;
                for (size_t i = 0; i < commands.size(); ++i) {
                    const std::string value = released([&] { return c.Get(commands[i]); });
                    values[text(Camera::Mnemonic(commands[i]))] = typed(commands[i], value);
                    checkSignals();
                }
                return values;
            },
            py::arg("mnemonics"),
            R"(Several values in the order given, as a dict by mnemonic: get_many(["PE", "GA"]).

Stops at the first failure, raising as get() does; nothing is asked for an unknown mnemonic.)")
        .def(
            "set",
            [](ScriptCamera& c, const py::object& values, const py::kwargs& settings) {
                std::vector<std::pair<std::string, py::object>> given;
                if (!values.is_none())
                    for (auto item : py::dict(values))
                        given.emplace_back(py::str(item.first), py::reinterpret_borrow<py::object>(item.second));
                for (auto item : settings)
                    given.emplace_back(py::str(item.first), py::reinterpret_borrow<py::object>(item.second));
                // Every value is checked against its command's kind before anything is sent.
                std::vector<SetRequest> requests;
                for (const auto& [mnemonic, value] : given) {
                    SetRequest request;
                    const std::string problem = PrepareSet(mnemonic, valueText(mnemonic, value), request);
                    if (!problem.empty())
                        usage(problem);
                    requests.push_back(request);
                }
                py::dict applied;
                for (size_t i = 0; i < requests.size(); ++i) {
                    const SetOutcome outcome = released([&] { return c.Set(requests[i]); });
                    const std::string mnemonic = Camera::Mnemonic(requests[i].command);
                    applied[text(mnemonic)] =
                        g_types->applied(typed(requests[i].command, outcome.readBack), given[i].second,
                                         outcome.note.empty() ? py::object(py::none()) : py::object(text(outcome.note + ".")));
                    checkSignals();
                }
                return applied;
            },
            py::arg("values") = py::none(), py::pos_only(),
            R"(Set parameters in the order given and read each back: set(PE=1000, GA=150) or
set({"PE": 1000}); returns {mnemonic: Applied(value, requested, note)}.

The window's rules hold: what a rule looks at (binning, gain mode, a region's partner) is read
from the camera first; a value the rules change is sent changed and its note says how ("WTC=1001
sent as 992: 1001 is not a multiple of 16."); a value outside the range the parameter takes now
raises UsageError before it is sent. Stops at the first value the camera refuses (Refused, with
its answer) or keeps otherwise (Refused, answer: the value read back); the values before it stay
set. Every value's kind is checked before anything is sent.)")
        .def(
            "send",
            [](ScriptCamera& c, const std::string& line) {
                const std::vector<std::string> answer = released([&] { return c.Send(line); });
                py::list lines;
                for (const std::string& l : answer)
                    lines.append(text(l));
                return lines;
            },
            py::arg("line"),
            R"(Send one raw line as typed in the terminal (CR LF is added) and return the lines the
camera answers with. Raises NoCamera when nothing answers, UsageError for a line with control
characters.)")
        .def(
            "dump",
            [](ScriptCamera& c, const py::object& path, bool shipping, const py::object& progress) {
                const std::string file = path.is_none() ? std::string() : pathOf(path);
                ScriptProgress bridge(progress);
                return text(walking<std::string>(bridge, [&] { return c.Dump(file, shipping, bridge); }));
            },
            py::arg("path") = py::none(), py::kw_only(), py::arg("shipping") = false, py::arg("progress") = py::none(),
            R"(Read every setting and return the camera setting file's text (.cam, as File > Save as
writes it); with a path, write it there too (replacing a file only once the new one is complete).

shipping: Shipping Data (without factory settings) instead of All Data.
progress: called as progress(done, total) after each exchange; an exception from it, or Ctrl-C,
    stops the reading after the exchange in flight and is raised here; nothing is written then.
Raises NoCamera when the camera stopped answering before every setting was read.)")
        .def(
            "apply",
            [](ScriptCamera& c, const py::object& path, bool verify, const py::object& progress) {
                const std::string file = pathOf(path);
                ScriptProgress bridge(progress);
                return walking<int>(bridge, [&] { return c.Apply(file, verify, bridge); });
            },
            py::arg("path"), py::kw_only(), py::arg("verify") = false, py::arg("progress") = py::none(),
            R"(Load a camera setting file into the camera as File > Open does; returns the number of
lines applied.

The file is read and checked before anything is sent. Lines the camera refuses raise Refused
after the rest is applied, lines whose value cannot be taken UsageError. verify: read every
setting back afterwards; raises Refused with .differences when any differs (refused lines
among them). progress: as for dump().)")
        .def(
            "diff",
            [](ScriptCamera& c, const py::object& path, const py::object& progress) {
                const std::string file = pathOf(path);
                ScriptProgress bridge(progress);
                return differencesList(walking<std::vector<SettingFile::Difference>>(
                    bridge, [&] { return c.Diff(file, bridge); }));
            },
            py::arg("path"), py::kw_only(), py::arg("progress") = py::none(),
            R"(Compare the camera with a setting file without changing anything: a list of
(setting, file_value, camera_value) for every setting that differs (camera_value None when the
camera gave none); empty when the camera holds the file. Lines whose value cannot be taken are
left out. progress: as for dump().)")
        .def_property_readonly(
            "lut", [](std::shared_ptr<ScriptCamera> c) { return LutView{std::move(c)}; },
            "The camera's three output lookup tables (red, green, blue), 32 entries of 0 to 4095 each.")
        .def_property_readonly(
            "userset", [](std::shared_ptr<ScriptCamera> c) { return AreaView{std::move(c), true}; },
            "The camera's user sets: store(1 to 3) the working settings, load(0 Default, 1 to 3).")
        .def_property_readonly(
            "area", [](std::shared_ptr<ScriptCamera> c) { return AreaView{std::move(c), false}; },
            "The camera's flash areas: load(0 factory, 1 to 3), store(1 to 3; 0 in Control Mode 1 only).");

    py::class_<LutView>(m, "Lut", "The lookup tables of one camera (Camera.lut).")
        .def(
            "read",
            [](LutView& v, const py::object& progress) {
                ScriptProgress bridge(progress);
                bridge.SetTotal(Lut::kChannels * Lut::kEntries);
                const Lut::Tables tables = walking<Lut::Tables>(bridge, [&] { return v.camera->ReadLut(bridge); });
                return py::make_tuple(py::cast(tables[0]), py::cast(tables[1]), py::cast(tables[2]));
            },
            py::kw_only(), py::arg("progress") = py::none(),
            R"(Read the three tables: a tuple (red, green, blue) of lists of 32 ints. progress: as for
Camera.dump(), counting the 96 entries.)")
        .def(
            "write",
            [](LutView& v, const py::object& red, const py::object& green, const py::object& blue,
               const py::object& progress) {
                const Lut::Tables tables{tableOf("red", red), tableOf("green", green), tableOf("blue", blue)};
                ScriptProgress bridge(progress);
                bridge.SetTotal(Lut::kChannels * Lut::kEntries);
                walking<int>(bridge, [&] {
                    v.camera->WriteLut(tables, bridge);
                    return 0;
                });
            },
            py::arg("red"), py::arg("green"), py::arg("blue"), py::kw_only(), py::arg("progress") = py::none(),
            R"(Write the three tables, each a sequence of 32 ints 0 to 4095 (checked before anything is
sent). progress: as for Camera.dump().)");

    py::class_<AreaView>(m, "FlashAreas", "The flash areas of one camera (Camera.userset, Camera.area).")
        .def(
            "load", [](AreaView& v, int n) { released([&] { v.camera->LoadArea(n, v.userSet); return 0; }); },
            py::arg("n"), "Load area n into the camera's working settings (0 the factory area / Default).")
        .def(
            "store", [](AreaView& v, int n) { released([&] { v.camera->StoreArea(n, v.userSet); return 0; }); },
            py::arg("n"), "Store the camera's working settings into area n (the camera takes seconds).");
}
