#pragma once

#include "base/json_file.h"
#include "fixed_local_time.h"
#include "profiles/list/profile_list.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <json/reader.h>
#include <sstream>

// A device data folder in a temporary folder, a default profile, and ways to seed and inspect the
// list and profile files.
namespace morva::test_profiles {

namespace fs = std::filesystem;

constexpr int kKeyboard = 1;

inline Json::Value parse(const std::string& text) {
    Json::Value value;
    Json::Reader reader;
    EXPECT_TRUE(reader.parse(text, value)) << text;
    return value;
}

inline std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Names and identifiers of a list as stored on disk.
} // namespace morva::test_profiles

namespace morva {
// Readable failures: a profile entry prints as its name and identifier.
inline void PrintTo(const profiles::ProfileEntry& entry, std::ostream* os) {
    *os << '"' << entry.name << "\" (" << entry.identifier << ")";
}
} // namespace morva

namespace morva::test_profiles {

inline std::vector<profiles::ProfileEntry> listedEntries(const Json::Value& list) {
    std::vector<profiles::ProfileEntry> entries;
    for (const Json::Value& element : list["profilelist"]) {
        entries.push_back({element["profilename"].asString(), element["profileUUID"].asString()});
    }
    return entries;
}

inline std::vector<std::string> namesOf(const std::vector<profiles::ProfileEntry>& entries) {
    std::vector<std::string> names;
    for (const profiles::ProfileEntry& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

// Test names from the cases' own names.
template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& param) {
    return param.param.what;
}

class ProfileListTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder);
        fs::create_directories(defaultPath.parent_path());
        ASSERT_TRUE(writejsonFile(defaultPath, defaultProfile()));
    }

    static Json::Value defaultProfile() {
        return parse(R"({"Device": [{"LightInfo": {"Light": 3},
                                     "CustomEQNameInfo": [{"Name": "Factory"}],
                                     "CustomEQHzValueInfo": [[{"value": 0}]]}]})");
    }

    // A list on disk with identifiers "id0", "id1", ... and one profile file per entry whose
    // device entry carries the entry's number as "Marker".
    void seed(const std::vector<std::string>& names, int selected) {
        Json::Value list(Json::objectValue);
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string id = "id" + std::to_string(i);
            Json::Value element;
            element["profilename"] = names[i];
            element["profileUUID"] = id;
            element["profileislink"] = 0;
            element["profilelinkmame"] = "";
            list["profilelist"].append(element);
            Json::Value profile;
            profile["profilename"] = names[i];
            profile["profileUUID"] = id;
            profile["Device"][0]["Marker"] = static_cast<int>(i);
            ASSERT_TRUE(writejsonFile(folder / (id + ".Json"), profile));
        }
        list["profileselect"] = selected;
        ASSERT_TRUE(writejsonFile(listPath(), list));
    }

    profiles::ProfileList loaded(int deviceType = kKeyboard) {
        profiles::ProfileList list(folder, defaultPath, deviceType, clock);
        EXPECT_TRUE(list.load().ok());
        return list;
    }

    fs::path listPath() const { return folder / "ProfileList.ini"; }
    Json::Value listFile() const { return readjsonFile(listPath()); }
    Json::Value profileFile(const std::string& id) const {
        return readjsonFile(folder / (id + ".Json"));
    }
    size_t filesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    test::TempDir dir;
    fs::path folder = dir.path() / "keyboard";
    fs::path defaultPath = dir.path() / "DefaultData" / "keyboard.Json";
    test::FixedLocalTime clock{{2021, 3, 7, 8, 15, 42, 7}};
};

} // namespace morva::test_profiles
