#pragma once
// What lumora-cli's exit status tells a script. --help lists the same.
enum CliExit : int {
    kExitOk = 0,
    kExitRefused = 1,  // the camera refused a line, or a value read back differs
    kExitUsage = 2,    // the command line, a mnemonic, a value or an input file is wrong
    kExitNoCamera = 3, // the link could not be opened, or the camera did not answer
};
