// The feature table from GenICam descriptions: what becomes a record, what is left out and
// said, and text that is no description at all.
#include "FeatureTable.h"
#include "ParameterList.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string description(const std::string& nodes)
{
    return "<?xml version=\"1.0\"?>\n<RegisterDescription ModelName=\"Test\" "
           "xmlns=\"http://www.genicam.org/GenApi/Version_1_1\">\n"
        + nodes + "</RegisterDescription>\n";
}

std::string intReg(const std::string& name, const std::string& address, int length, const std::string& access)
{
    return "<IntReg Name=\"" + name + "\"><Address>" + address + "</Address><Length>" + std::to_string(length)
        + "</Length><AccessMode>" + access + "</AccessMode><Endianess>BigEndian</Endianess></IntReg>\n";
}

const FeatureRecord* find(const FeatureDescription& d, const std::string& name)
{
    for (const FeatureRecord& r : d.records)
        if (r.name == name)
            return &r;
    return nullptr;
}

} // namespace

TEST(FeatureTable, FeaturesOnOneRegisterBecomeRecordsUnderTheirCategories)
{
    const FeatureDescription d = ReadFeatureDescription(description(
        "<Category Name=\"Root\"><pFeature>Analog</pFeature><pFeature>Device</pFeature></Category>\n"
        "<Category Name=\"Analog\"><DisplayName>Analog Control</DisplayName>"
        "<pFeature>Mode</pFeature><pFeature>Flip</pFeature><pFeature>Go</pFeature>"
        "<pFeature>Gamma</pFeature></Category>\n"
        "<Category Name=\"Device\"><pFeature>Name</pFeature><pFeature>Analog</pFeature></Category>\n"
        "<Enumeration Name=\"Mode\"><EnumEntry Name=\"A\"><Value>0</Value></EnumEntry>"
          "<EnumEntry Name=\"B\"><DisplayName>Bee</DisplayName><Value>0x10</Value></EnumEntry>"
          "<pValue>ModeReg</pValue></Enumeration>\n"
        + intReg("ModeReg", "0x10004", 1, "RW")
        + "<Boolean Name=\"Flip\"><pValue>FlipReg</pValue><OnValue>3</OnValue></Boolean>\n"
        + intReg("FlipReg", "0x10008", 2, "RO")
        + "<Command Name=\"Go\"><pValue>GoReg</pValue><CommandValue>2</CommandValue></Command>\n"
        + intReg("GoReg", "0x1000C", 8, "WO")
        + "<Group Comment=\"floats\"><Float Name=\"Gamma\"><pValue>GammaReg</pValue></Float>\n"
          "<FloatReg Name=\"GammaReg\"><Address>0x10000</Address><Address>0x10</Address><Length>8</Length>"
          "<AccessMode>RW</AccessMode></FloatReg></Group>\n"
          "<StringReg Name=\"Name\"><Address>0x20000</Address><Length>16</Length><AccessMode>RW</AccessMode>"
          "</StringReg>\n"));
    ASSERT_TRUE(d.Ok()) << d.error;
    EXPECT_TRUE(d.problems.empty()) << d.problems.front();
    EXPECT_EQ(d.modelName, "Test");
    EXPECT_EQ(d.sections, (std::vector<std::string>{"Analog Control", "Device"}));
    ASSERT_EQ(d.records.size(), 5u); // Analog named twice is walked once

    // Whole numbers, display names, addresses, signs and byte order as the camera's own rows
    // show them: parameter_list_e2e_test.
    EXPECT_EQ(find(d, "Mode")->valueMap, (std::vector<std::pair<int64_t, std::string>>{{0, "A"}, {16, "Bee"}}));
    EXPECT_EQ(find(d, "Flip")->valueMap.back(), (std::pair<int64_t, std::string>{3, "True"}));
    EXPECT_EQ(find(d, "Flip")->flags, uint32_t(FeatureRecord::Readable));

    const FeatureRecord& go = *find(d, "Go");
    EXPECT_EQ(go.flags, FeatureRecord::Writable | FeatureRecord::Command);
    EXPECT_EQ(go.commandValue, 2.0);
    EXPECT_EQ(go.length, 8u); // a 64-bit register is listed too

    const FeatureRecord& gamma = *find(d, "Gamma");
    EXPECT_TRUE(gamma.Has(FeatureRecord::Float));
    EXPECT_EQ(gamma.address, 0x10010u); // the sum of its addresses
    EXPECT_TRUE(gamma.littleEndian);     // as the schema has it when nothing is said
    EXPECT_TRUE(find(d, "Name")->Has(FeatureRecord::Text));
    EXPECT_EQ(find(d, "Name")->section, "Device");
}

TEST(FeatureTable, WhatCannotBeMappedIsLeftOutAndSaid)
{
    const FeatureDescription d = ReadFeatureDescription(description(
        "<Category Name=\"Root\"><pFeature>A</pFeature><pFeature>B</pFeature><pFeature>C</pFeature>"
        "<pFeature>D</pFeature><pFeature>E</pFeature><pFeature>Gone</pFeature><pFeature>Loop</pFeature>"
        "<pFeature>Root</pFeature></Category>\n"
        "<Integer Name=\"A\"><Value>5</Value></Integer>\n"
        "<Integer Name=\"B\"><pValue>Missing</pValue></Integer>\n"
        "<Integer Name=\"C\"><pValue>CReg</pValue></Integer>\n"
        "<IntReg Name=\"CReg\"><pAddress>Base</pAddress><Length>4</Length></IntReg>\n"
        "<Integer Name=\"D\"><pValue>DReg</pValue></Integer>\n"
        + intReg("DReg", "0x100000000", 4, "RW")
        + "<Float Name=\"E\"><pValue>EReg</pValue></Float>\n" + intReg("EReg", "0x10", 4, "RW")
        + "<Integer Name=\"Loop\"><pValue>Loop</pValue></Integer>\n"));
    ASSERT_TRUE(d.Ok());
    EXPECT_TRUE(d.records.empty());
    EXPECT_EQ(d.problems.size(), 7u);
}

TEST(FeatureTable, TextThatIsNoDescriptionIsRefusedWhole)
{
    for (const std::string text : {"", "<RegisterDescription>", "not xml at all", "<Other/>"}) {
        const FeatureDescription d = ReadFeatureDescription(text);
        EXPECT_FALSE(d.Ok()) << text;
        EXPECT_TRUE(d.records.empty());
    }
}

TEST(FeatureTable, TheTableHoldsAtMostItsLimit)
{
    std::string nodes = "<Category Name=\"Root\">";
    const size_t count = FeatureDescription::kMaxRecords + 3;
    for (size_t i = 0; i < count; ++i)
        nodes += "<pFeature>R" + std::to_string(i) + "</pFeature>";
    nodes += "</Category>\n";
    for (size_t i = 0; i < count; ++i)
        nodes += intReg("R" + std::to_string(i), std::to_string(4 * i), 4, "RO");
    const FeatureDescription d = ReadFeatureDescription(description(nodes));
    EXPECT_EQ(d.records.size(), FeatureDescription::kMaxRecords);
    EXPECT_EQ(d.problems.size(), 1u);
}

// What their rows read and write: parameter_list_e2e_test.
TEST(FeatureTable, TheShippedDescriptionsListEveryFeatureTheyName)
{
    for (const std::string model : {"KT-5100W-QBCL", "KT-5200W-QBCL"}) {
        const std::string path = ParameterList::ShippedDescriptionPath(model);
        ASSERT_FALSE(path.empty()) << model;
        std::ifstream in(path);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const FeatureDescription d = ReadFeatureDescription(text);
        ASSERT_TRUE(d.Ok()) << model << ": " << d.error;
        EXPECT_TRUE(d.problems.empty()) << model << ": " << d.problems.front();
        EXPECT_EQ(d.modelName, model);
    }
    // A model name from the camera never leads out of the folders.
    EXPECT_TRUE(ParameterList::ShippedDescriptionPath("../KT-5100W-QBCL").empty());
}
