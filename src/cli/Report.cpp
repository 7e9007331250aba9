#include "Report.h"

#include "CliExit.h"

#include <cstdio>

int ExitOf(Command::Outcome outcome)
{
    switch (outcome) {
    case Command::Outcome::Answered: return kExitOk;
    case Command::Outcome::Refused: return kExitRefused;
    default: return kExitNoCamera;
    }
}

int ReportFailure(bool json, int status, const std::string& error, const std::string& answer)
{
    if (json) {
        Json::Object report;
        report.Bool("ok", false).Int("exit", status).Text("error", error);
        if (!answer.empty())
            report.Text("answer", answer);
        std::printf("%s\n", report.Str().c_str());
    }
    return status;
}

int ReportSuccess(bool json, const Json::Object& body)
{
    if (json) {
        const std::string members = body.Str();
        std::printf("{\"ok\":true%s%s\n", members.size() > 2 ? "," : "", members.c_str() + 1);
    }
    return kExitOk;
}
