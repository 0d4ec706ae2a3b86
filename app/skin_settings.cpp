#include "app/skin_settings.h"

#include "base/file_io.h"
#include "base/json_file.h"
#include "base/text.h"
#include "base/trace.h"
#include "platform/user_folders.h"

#include <charconv>
#include <system_error>
#include <vector>

namespace morva::app {
namespace {

constexpr const char* kSection = "SKINIMAGE";
constexpr const char* kFlagsKey = "FLAGS";
constexpr const char* kImageKey = "IMAGE";
constexpr const char* kColorKey = "COLOR";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// An INI text kept line by line, so that writing one key leaves every other line as it was.
// Section and key names compare without case.
class IniText {
public:
    explicit IniText(const std::string& text) {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            lines_.push_back(line);
        }
    }

    std::optional<std::string> value(std::string_view section, std::string_view key) const {
        const auto index = findKey(section, key);
        if (!index) {
            return std::nullopt;
        }
        const std::string_view line = lines_[*index];
        return std::string(trimmed(line.substr(line.find('=') + 1)));
    }

    void set(std::string_view section, std::string_view key, const std::string& value) {
        const std::string line = std::string(key) + "=" + value;
        if (const auto index = findKey(section, key)) {
            lines_[*index] = line;
            return;
        }
        const auto header = findSection(section);
        if (!header) {
            lines_.push_back("[" + std::string(section) + "]");
            lines_.push_back(line);
            return;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(*header)), line);
    }

    std::string text() const {
        std::string out;
        for (const std::string& line : lines_) {
            out += line;
            out += '\n';
        }
        return out;
    }

private:
    static std::optional<std::string_view> sectionName(std::string_view line) {
        line = trimmed(line);
        if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
            return std::nullopt;
        }
        return trimmed(line.substr(1, line.size() - 2));
    }

    std::optional<size_t> findSection(std::string_view section) const {
        for (size_t i = 0; i < lines_.size(); ++i) {
            const auto name = sectionName(lines_[i]);
            if (name && equalsIgnoreCase(*name, section)) {
                return i;
            }
        }
        return std::nullopt;
    }

    // The line after the section's last line.
    size_t sectionEnd(size_t header) const {
        size_t end = header + 1;
        while (end < lines_.size() && !sectionName(lines_[end])) {
            ++end;
        }
        // New keys go after the section's last non-empty line.
        while (end > header + 1 && trimmed(lines_[end - 1]).empty()) {
            --end;
        }
        return end;
    }

    std::optional<size_t> findKey(std::string_view section, std::string_view key) const {
        const auto header = findSection(section);
        if (!header) {
            return std::nullopt;
        }
        for (size_t i = *header + 1; i < lines_.size() && !sectionName(lines_[i]); ++i) {
            const std::string_view line = trimmed(lines_[i]);
            const auto equals = line.find('=');
            if (equals != std::string_view::npos && line.front() != ';' &&
                equalsIgnoreCase(trimmed(line.substr(0, equals)), key)) {
                return i;
            }
        }
        return std::nullopt;
    }

    std::vector<std::string> lines_;
};

// Only a regular file is read: a FIFO in its place must not hold the start up.
std::string readText(const std::filesystem::path& path) {
    return readRegularFile(path).content;
}

template <typename T> std::optional<T> parseNumber(const std::optional<std::string>& text) {
    if (!text) {
        return std::nullopt;
    }
    T value{};
    const char* end = text->data() + text->size();
    const auto [next, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || next != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

SkinSettings SkinSettings::forUser() {
    return SkinSettings(platform::userDataFolder() / "main.ini");
}

bool SkinSettings::recordPreset(const std::string& image) {
    return record(SkinChoice::Preset, image, std::nullopt);
}

bool SkinSettings::recordColor(uint32_t color) {
    return record(SkinChoice::Color, "", color);
}

bool SkinSettings::recordCustomImage(const std::filesystem::path& image) {
    return record(SkinChoice::CustomImage, image.string(), std::nullopt);
}

bool SkinSettings::recordReset() {
    return record(SkinChoice::Default, kDefaultBackground, std::nullopt);
}

bool SkinSettings::record(SkinChoice choice, const std::string& image,
                          std::optional<uint32_t> color) {
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error) {
        trace("skin: cannot create %s: %s\n", file_.parent_path().string().c_str(),
              error.message().c_str());
        return false;
    }
    IniText ini(readText(file_));
    ini.set(kSection, kFlagsKey, std::to_string(static_cast<int>(choice)));
    if (color) {
        ini.set(kSection, kColorKey, std::to_string(*color));
    } else {
        ini.set(kSection, kImageKey, image);
    }
    return writeFileAtomically(file_, ini.text());
}

std::optional<SkinChangedParam> SkinSettings::recordedBackground() const {
    const IniText ini(readText(file_));
    const auto flags = parseNumber<int>(ini.value(kSection, kFlagsKey));
    if (!flags) {
        return std::nullopt;
    }
    const std::string image = ini.value(kSection, kImageKey).value_or("");
    switch (static_cast<SkinChoice>(*flags)) {
    case SkinChoice::Default:
        return SkinChangedParam{0, 0, kDefaultBackground};
    case SkinChoice::Preset:
        if (image.empty()) {
            return std::nullopt;
        }
        return SkinChangedParam{0, 0, image};
    case SkinChoice::Color:
        if (const auto color = parseNumber<uint32_t>(ini.value(kSection, kColorKey))) {
            return SkinChangedParam{1, *color, ""};
        }
        return std::nullopt;
    case SkinChoice::CustomImage: {
        std::error_code error;
        if (image.empty() || !std::filesystem::is_regular_file(image, error)) {
            return SkinChangedParam{0, 0, kDefaultBackground};
        }
        return SkinChangedParam{0, 0, image};
    }
    }
    return std::nullopt;
}

} // namespace morva::app
