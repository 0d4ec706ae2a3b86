#include "hid/hid_product_list.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(ProductList, DeviceRecordsTakeTheirTabsVersionAndTheLastOneTheSoftwares) {
    // Tabs 1 and 3 have an open command channel.
    const auto list = hid::buildProductList(
        [](size_t tab) -> uint32_t { return tab == 1   ? 0x0102
                                            : tab == 3 ? 0x0200
                                                       : 0; }, 0x0100);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].versionNumber, 0u);
    EXPECT_EQ(list[1].versionNumber, 0x0102u);
    EXPECT_EQ(list[1].modelCode, "QN20M12B");
    EXPECT_EQ(list[3].versionNumber, 0x0200u);
    EXPECT_EQ(list[4].versionNumber, 0x0100u) << "the software's own, not tab 4's";
    EXPECT_EQ(list[4].versionText, "V0.1.0.0");
    EXPECT_EQ(list[4].kind, 0);
    EXPECT_EQ(hid::ProductTable()[1].versionNumber, 0u) << "the table itself stays unchanged";
}

} // namespace
} // namespace morva
