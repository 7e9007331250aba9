// The answers of the reading that become list items and status texts: a known gamma value and
// the answers the lists do not know (the rest: reading_e2e_test).
#include "ReloadData.h"

#include <gtest/gtest.h>

using namespace ReloadData;

TEST(ReloadData, ValuesFindTheirItemsAndUnknownOnesTheFirstItemAndTheBaseRates)
{
    EXPECT_EQ(ItemForValue(GammaValues(), 65), 4);
    EXPECT_EQ(ItemForValue(GammaValues(), 70), 0);
    EXPECT_EQ(ItemForValue(FactoryBaudValues(), 3), 0);
    EXPECT_EQ(SupportedBaudText(30), "BaudRateMax 9600"); // no rate's mask
    // Without an answer (mask 0) the five rates every camera has; the last only with all bits.
    EXPECT_EQ(BaudRateItems(0).size(), 5u);
    EXPECT_EQ(BaudRateItems(254).size(), 7u);
    EXPECT_EQ(BaudRateItems(255).back().value, 128);
}
