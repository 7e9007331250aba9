// The simulated camera against the command and parameter tables: it must know every command
// the tool can send, and take back every value it reports for a row of the setting files.
#include "SimCamera.h"

#include "CommandTable.h"
#include "ParameterTable.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Commands that address a list entry and so are queried with an argument.
const std::set<std::string> kArgumentForms = {"LUTR", "LUTG", "LUTB", "BMPXWR", "BMPYWR",
                                              "BMPXWG", "BMPYWG", "BMPXWB", "BMPYWB"};

TEST(SimCatalog, EveryTableCommandIsAnswered)
{
    for (const char* model : {"KT-5100W-QBCL", "KT-5200W-QBCL"}) {
        SimOptions options;
        options.model = model;
        SimCamera camera(options);
        ASSERT_EQ(camera.InitError(), "");
        const CommandTable& table = CommandTable::Instance();
        int answered = 0;
        for (int i = 0; i < table.Count(); ++i) {
            std::string mnemonic = table.GetMnemonic(i);
            if (mnemonic.empty())
                continue;
            SCOPED_TRACE(mnemonic);
            bool multiRoi = mnemonic.rfind("SMR", 0) == 0;
            std::string query = mnemonic + "?" + (kArgumentForms.count(mnemonic) ? "1" : "");
            std::string reply = camera.HandleLine(query);
            if (multiRoi && std::string(model) == "KT-5200W-QBCL") {
                EXPECT_EQ(reply, SimCamera::kErrUnknown);
                continue;
            }
            EXPECT_EQ(reply.rfind(mnemonic + "=", 0), 0u) << reply;
            ++answered;
        }
        EXPECT_GT(answered, 400);
    }
}

TEST(SimCatalog, FileRowsTakeBackWhatTheyReport)
{
    // Loading a setting file written from a reload sends every file row's value back.
    SimCamera camera;
    const CommandTable& commands = CommandTable::Instance();
    ParameterTable& rows = ParameterTable::Instance();
    int checked = 0;
    for (int r = 0; r < rows.RowCount(); ++r) {
        const ParameterRow& row = rows.Row(r);
        std::string mnemonic = commands.GetMnemonic(static_cast<int>(row.cmdId));
        if (!row.inFile || mnemonic.empty())
            continue;
        SCOPED_TRACE(mnemonic);
        std::string reply = camera.HandleLine(mnemonic + "?");
        ASSERT_EQ(reply.rfind(mnemonic + "=", 0), 0u) << reply;
        EXPECT_EQ(camera.HandleLine(mnemonic + "=" + reply.substr(mnemonic.size() + 1)), SimCamera::kComplete);
        // and the table's own initial value is one the camera takes
        EXPECT_EQ(camera.HandleLine(mnemonic + "=" + std::to_string(row.value)), SimCamera::kComplete)
            << row.value;
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

} // namespace
