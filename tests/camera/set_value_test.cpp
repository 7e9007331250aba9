// Values typed on the command line, checked against the command's kind before anything is
// sent, and compared with what the camera reads back. The decimal kind is taken in the
// entry's scaled unit, which no command of the shipped table uses yet, so it is tested here.
#include "SetValue.h"

#include <gtest/gtest.h>

namespace {

const CommandEntry kInteger{0, "PE", 0, 0};
const CommandEntry kDecimal{0, "GX", 1, 2};
const CommandEntry kText{0, "UD", 2, 0};

TEST(SetValueTest, TypedValuesAreTakenOrRefusedByKind)
{
    struct Case {
        const CommandEntry* entry;
        const char* text;
        bool accepted;
        int32_t scaled;
    };
    const Case cases[] = {
        {&kInteger, "1234", true, 1234},       {&kInteger, "-5", true, -5},
        {&kInteger, "+7", true, 7},            {&kInteger, "2147483647", true, 2147483647},
        {&kInteger, "2147483648", false, 0},   {&kInteger, "1.0", false, 0},
        {&kInteger, "", false, 0},             {&kInteger, "12 ", false, 0},
        {&kInteger, "0x10", false, 0},         {&kDecimal, "1.5", true, 150},
        {&kDecimal, "-0.05", true, -5},        {&kDecimal, "3", true, 300},
        {&kDecimal, "1.555", false, 0},        {&kDecimal, "21474836.48", false, 0},
    };
    for (const Case& c : cases) {
        SetValue value;
        const std::string problem = ParseSetValue(*c.entry, c.text, value);
        EXPECT_EQ(problem.empty(), c.accepted) << c.entry->mnemonic << "=" << c.text << ": " << problem;
        if (c.accepted) {
            EXPECT_FALSE(value.isText);
            EXPECT_EQ(value.scaled, c.scaled) << c.text;
        }
    }
}

TEST(SetValueTest, LineBreaksAndControlCharactersAreRefusedForEveryKind)
{
    for (const CommandEntry* entry : {&kInteger, &kDecimal, &kText})
        for (const char* text : {"1\r\nSA=1", "1\n", "a\tb", "\x7f"}) {
            SetValue value;
            EXPECT_FALSE(ParseSetValue(*entry, text, value).empty()) << entry->mnemonic;
        }
    SetValue text;
    EXPECT_EQ(ParseSetValue(kText, "Line 7, left", text), "");
    EXPECT_EQ(text.text, "Line 7, left");
}

TEST(SetValueTest, ReadBackComparesByValueNotBySpelling)
{
    struct Case {
        const CommandEntry* entry;
        const char* set;
        const char* readBack;
        bool same;
    };
    const Case cases[] = {
        {&kInteger, "1000", "1000", true},  {&kInteger, "1000", "992", false},
        {&kInteger, "5", "+5", true},       {&kInteger, "5", "ERROR", false},
        {&kDecimal, "1.5", "1.50", true},   {&kDecimal, "1.5", "1.5", true},
        {&kDecimal, "1.5", "1.49", false},  {&kDecimal, "2", "2.000", true},
        {&kText, "Line-7", "LINE-7", true}, {&kText, "Line-7", "Line-8", false},
    };
    for (const Case& c : cases) {
        SetValue value;
        ASSERT_EQ(ParseSetValue(*c.entry, c.set, value), "");
        EXPECT_EQ(SameValue(*c.entry, value, c.readBack), c.same) << c.set << " vs " << c.readBack;
    }
}

} // namespace
