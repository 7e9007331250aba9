// lumora-cli: the camera from scripts, production lines and machines without a display, on the
// same camera layer as the window.
#include "CliExit.h"
#include "ProgramInfo.h"
#include "Subcommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace {

const char* const kFooter = R"(Connection options go before the subcommand; without them the
settings of the Lumora Camera Control Tool window are used (the camera it last used):
  $XDG_CONFIG_HOME/Norvik/Lumora Camera Control Tool.conf (usually ~/.config/...).
--port takes a COM name (mapped to a device in the [Ports] group of that file) or a
device path, and means mode 0 unless --mode says otherwise.

Exit status:
  0  success
  1  the camera refused a line, a value read back differs from the one set,
     or (diff) the camera differs from the file
  2  usage error: unknown subcommand, option, mnemonic, a bad value or input file
  3  no camera: the port or library could not be opened, or nothing answered

Messages go to standard error; results to standard output (one JSON object with --json).
Nothing is ever asked interactively.

Examples:
  lumora-cli ports
  lumora-cli --port /dev/ttyUSB0 --baud 115200 get PE GA
  lumora-cli --port COM3 set PE=1000
  lumora-cli --port rfc2217://line7-pc:4001 get MD
  lumora-cli --json get MD
  lumora-cli dump -o line7.cam
  lumora-cli apply --verify line7.cam
  lumora-cli diff line7.cam
  lumora-cli --mode 2 --cl-port 0 lut read -o gamma.csv
  lumora-cli userset store 1)";

} // namespace

int main(int argc, char** argv)
{
    CliContext context;
    CLI::App app("lumora-cli " + std::string(ProgramInfo::kVersion) +
                 ": read and set a Lumora Camera Link camera over its serial control channel.");
    app.footer(kFooter);
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string(ProgramInfo::kVersion));
    ConnectionOptions& connection = context.connection;
    app.add_option("--port", connection.port, "COM name (COM1..COM32), device path (/dev/ttyUSB0) or network port (tcp://HOST:PORT, rfc2217://HOST:PORT)");
    app.add_option("--baud", connection.baud, "baud rate")->check(CLI::IsMember({9600, 19200, 38400, 57600, 115200}));
    app.add_option("--mode", connection.mode, "0 serial port, 1 Camera Link 2000, 2 Camera Link 2001, 3 Camera Link Ver 1.1")
        ->check(CLI::Range(0, 3));
    app.add_option("--cl-port", connection.clPort, "port index of the Camera Link library (modes 1 to 3)")
        ->check(CLI::NonNegativeNumber);
    app.add_flag("--json", context.json, "print the result as one JSON object");

    AddPortsCommand(app, context);
    AddGetCommand(app, context);
    AddSetCommand(app, context);
    AddSendCommand(app, context);
    AddSettingFileCommands(app, context);
    AddLutCommand(app, context);
    AddUserSetCommand(app, context);
    AddAreaCommand(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? kExitOk : kExitUsage;
    }
    return context.run ? context.run(context) : kExitUsage;
}
