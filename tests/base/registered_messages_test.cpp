#include "base/registered_messages.h"

#include <gtest/gtest.h>
#include <string>

namespace morva {
namespace {

TEST(RegisteredMessages, ANameAlwaysGivesItsOwnNumberAboveTheFixedOnes) {
    const uint32_t first = registerWindowMessage("WM_TEST_FIRST");
    const uint32_t second = registerWindowMessage("WM_TEST_SECOND");
    EXPECT_NE(first, second);
    EXPECT_GE(first, kFirstRegisteredMessage);
    EXPECT_GE(second, kFirstRegisteredMessage);
    EXPECT_EQ(registerWindowMessage(std::string("WM_TEST_") + "FIRST"), first);
}

} // namespace
} // namespace morva
