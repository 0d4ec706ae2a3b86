#include "tests/skin/skin_fixture.h"
#include "ui/toolkit/menu.h"

#include <fstream>
#include <sstream>

namespace morva::ui::test {
namespace {

// One line of the contract: the control the program looks up in a skin file, and its class.
struct ContractEntry {
    std::string file;
    std::string name;
    std::string className;
    int line = 0;
};

std::vector<ContractEntry> readContract(const std::filesystem::path& path) {
    std::vector<ContractEntry> entries;
    std::ifstream in(path);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (text.empty() || text[0] == '#') {
            continue;
        }
        std::istringstream fields(text);
        ContractEntry entry;
        std::string extra;
        entry.line = line;
        if (!(fields >> entry.file >> entry.name >> entry.className) || (fields >> extra)) {
            ADD_FAILURE() << path.filename() << ":" << line << " is not \"file name class\"";
            continue;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

const MenuItem* findItem(const std::vector<MenuItem>& items, std::string_view name) {
    for (const MenuItem& item : items) {
        if (item.name == name) {
            return &item;
        }
        if (const MenuItem* inner = findItem(item.children, name)) {
            return inner;
        }
    }
    return nullptr;
}

class SkinContractTest : public SkinTest {
protected:
    // What is wrong with the entry in the real skin; empty when nothing is.
    std::string check(const ContractEntry& entry) {
        if (entry.className == "MenuElement") {
            std::vector<MenuItem> items;
            if (!Menu::parse(toolkit, entry.file, items)) {
                return "the menu does not load";
            }
            return findItem(items, entry.name) != nullptr ? "" : "missing";
        }
        Control* root = rootOf(entry.file);
        if (root == nullptr) {
            return "the file does not build";
        }
        Control* control = findIn(*root, entry.name);
        if (control == nullptr) {
            return "missing";
        }
        if (control->className() != entry.className) {
            return "is a " + std::string(control->className()) + ", not a " + entry.className;
        }
        return "";
    }
    Control* rootOf(const std::string& file) {
        auto& built = trees[file];
        if (!built) {
            built = build(file);
        }
        return built.get();
    }
    std::map<std::string, std::unique_ptr<Control>> trees;
};

TEST_F(SkinContractTest, EveryControlTheProgramLooksUpIsInItsSkinFileWithItsClass) {
    const auto entries = readContract(std::filesystem::path(MORVA_SOURCE_DIR) / "tests" / "skin" /
                                      "skin_contract.txt");
    ASSERT_FALSE(entries.empty());
    for (const ContractEntry& entry : entries) {
        const std::string problem = check(entry);
        EXPECT_EQ(problem, "") << entry.file << " " << entry.name << " (" << entry.className
                               << ", line " << entry.line << ")";
    }
    EXPECT_EQ(unknownTags, std::vector<std::string>{});
}

} // namespace
} // namespace morva::ui::test
