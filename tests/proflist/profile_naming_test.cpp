#include "profiles/list/profile_naming.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using Names = std::vector<std::string>;

struct NamingCase {
    const char* what;
    Names names;
    std::string source; // copied or imported name; unused for a new profile
    std::string expected;
};
void PrintTo(const NamingCase& c, std::ostream* os) {
    *os << c.what;
}

std::string caseName(const testing::TestParamInfo<NamingCase>& info) {
    return info.param.what;
}

class NewProfileName : public testing::TestWithParam<NamingCase> {};
TEST_P(NewProfileName, TakesTheFirstFreeNumber) {
    EXPECT_EQ(profiles::newProfileName(GetParam().names), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, NewProfileName,
    testing::Values(NamingCase{"Empty", {}, "", "profile1"},
                    NamingCase{"Profile1AndProfile2", {"Profile1", "profile2"}, "", "profile3"},
                    NamingCase{"Profile2Alone", {"profile2"}, "", "profile1"},
                    NamingCase{"OrderDoesNotMatter", {"profile2", "PROFILE1"}, "", "profile3"},
                    NamingCase{"GapIsFilled", {"profile1", "profile3"}, "", "profile2"}),
    caseName);

class CopiedProfileName : public testing::TestWithParam<NamingCase> {};
TEST_P(CopiedProfileName, AppendsCopyUntilFree) {
    EXPECT_EQ(profiles::copiedProfileName(GetParam().source, GetParam().names),
              GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, CopiedProfileName,
    testing::Values(NamingCase{"First", {"A"}, "A", "A copy"},
                    NamingCase{"CopyExists", {"A", "A copy"}, "A", "A copy copy"},
                    NamingCase{"CopyExistsInOtherCase", {"A", "a COPY"}, "A", "A copy copy"},
                    NamingCase{
                        "TwoCopiesExist", {"A", "A copy", "A copy copy"}, "A", "A copy copy copy"}),
    caseName);

class ImportedProfileName : public testing::TestWithParam<NamingCase> {};
TEST_P(ImportedProfileName, NumbersTheNameUntilFree) {
    EXPECT_EQ(profiles::importedProfileName(GetParam().source, GetParam().names),
              GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, ImportedProfileName,
    testing::Values(NamingCase{"Free", {"profile1"}, "Game", "Game"},
                    NamingCase{"GameAndGame1Exist", {"Game", "Game(1)"}, "Game", "Game(2)"},
                    NamingCase{"OtherCase", {"GAME"}, "Game", "Game(1)"},
                    NamingCase{"OnlyNumberedExists", {"Game(1)"}, "Game", "Game"}),
    caseName);

} // namespace
} // namespace morva
