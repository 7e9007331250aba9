#pragma once
// How a subcommand ends: the exit status that an exchange's outcome means, and the report of a
// failure (the reason on standard error was given by the camera layer already; with --json an
// object on standard output says it again for the script).
#include "Command.h"
#include "Json.h"

#include <string>

class Session;

// Answered 0; Refused kExitRefused; anything else kExitNoCamera.
int ExitOf(Command::Outcome outcome);

// With --json prints {"ok":false,"exit":N,"error":...,"answer":...} (answer: the camera's
// last line, when it refused). Returns status.
int ReportFailure(bool json, int status, const std::string& error, const std::string& answer = {});

// Prints the object with "ok":true in front (json), and returns kExitOk.
int ReportSuccess(bool json, const Json::Object& body);
