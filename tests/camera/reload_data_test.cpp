// The answers of the reading that become list items and status texts.
#include "ReloadData.h"

#include <gtest/gtest.h>

using namespace ReloadData;

TEST(ReloadData, ValuesBecomeTheirItemsAndUnknownValuesTheFirst)
{
    EXPECT_EQ(ItemForValue(GammaValues(), 45), 0);
    EXPECT_EQ(ItemForValue(GammaValues(), 65), 4);
    EXPECT_EQ(ItemForValue(GammaValues(), 70), 0);
    EXPECT_EQ(ItemForValue(FactoryBaudValues(), 128), 7);
    EXPECT_EQ(ItemForValue(FactoryBaudValues(), 3), 0);
}

TEST(ReloadData, BaudRatesFollowTheMask)
{
    EXPECT_EQ(SupportedBaudText(31), "BaudRateMax 115200");
    EXPECT_EQ(SupportedBaudText(30), "BaudRateMax 9600");
    // Without an answer (mask 0) the five rates every camera has.
    EXPECT_EQ(BaudRateItems(0).size(), 5u);
    EXPECT_EQ(BaudRateItems(254).size(), 7u);
    EXPECT_EQ(BaudRateItems(255).back().value, 128);
}

TEST(ReloadData, CameraModeTexts)
{
    EXPECT_STREQ(CameraModeText(3), "Normal Mode");
    EXPECT_STREQ(CameraModeText(4), "SensorMultiRoiMode");
}
