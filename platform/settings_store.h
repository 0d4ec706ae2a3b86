#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace morva::platform {

// The program's own small settings (the language choice): a JSON object of named values in one
// file, "settings.json" in "$XDG_CONFIG_HOME/QT4410-VIGOR MORVA/". Every read reads the file and
// every write replaces it atomically, so two processes never see half a file.
class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

    // The store of the user: $XDG_CONFIG_HOME (when it is an absolute path) or ~/.config.
    static SettingsStore forUser();

    const std::filesystem::path& file() const { return file_; }

    // The value, or nothing when the file or the value is missing or the value has another type.
    std::optional<int32_t> readInt(const std::string& name) const;
    std::optional<std::string> readString(const std::string& name) const;

    // Sets one value and keeps the others; creates the folder and the file when missing. False
    // when the file could not be written.
    bool writeInt(const std::string& name, int32_t value);
    bool writeString(const std::string& name, const std::string& value);

private:
    template <typename T> bool write(const std::string& name, const T& value);

    std::filesystem::path file_;
};

} // namespace morva::platform
