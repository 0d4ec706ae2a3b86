#pragma once

#include "base/json_file.h"
#include "profiles/data_folders.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <json/reader.h>
#include <json/value.h>
#include <optional>
#include <string>

namespace morva::test {

inline Json::Value parseJson(const std::string& text) {
    Json::Value value;
    Json::Reader reader;
    EXPECT_TRUE(reader.parse(text, value)) << text;
    return value;
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sets (or with nullptr removes) an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        set(value);
    }
    ~ScopedEnv() { set(old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const char* value) {
        if (value) {
            ::setenv(name_, value, 1);
        } else {
            ::unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

// The shipped default data, read from the source tree.
inline std::filesystem::path sourceDefaultData() {
    return std::filesystem::path(MORVA_SOURCE_DIR) / "resources" / "DefaultData";
}

// A temporary program folder holding "DefaultData", and a profile path and default profile path
// inside the temporary folder.
class ProfileFixture : public ::testing::Test {
protected:
    void SetUp() override {
        profiles::folders::setProgramFolder(dir.path() / "program");
        std::filesystem::create_directories(profiles::folders::defaultDataFolder());
        std::filesystem::create_directories(dataFolder);
    }
    void TearDown() override { profiles::folders::setProgramFolder({}); }

    void writeDefault(const std::string& text) { writeText(defaultPath, text); }
    void writeProfile(const std::string& text) { writeText(profilePath, text); }
    Json::Value profileOnDisk() const { return readjsonFile(profilePath); }

    TempDir dir;
    std::filesystem::path dataFolder = dir.path() / "data";
    std::filesystem::path profilePath = dataFolder / "2024_01_02_03_04_05_006.Json";
    std::filesystem::path defaultPath = dir.path() / "program" / "DefaultData" / "keyboard.Json";
};

} // namespace morva::test
