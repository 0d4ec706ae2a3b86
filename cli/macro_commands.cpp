#include "base/folder_lock.h"
#include "base/json_access.h"
#include "base/json_file.h"
#include "base/text.h"
#include "cli/command_groups.h"
#include "cli/profile_device.h"
#include "hid/hid_model_tables.h"
#include "keyassign/key_catalogue.h"
#include "macros/event_name.h"
#include "macros/macro_document.h"
#include "macros/macro_file.h"
#include "macros/macro_list.h"
#include "macros/macro_list_edits.h"
#include "macros/new_macro.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <optional>

// morvactl macro list|show|export|import: the macros of a keyboard or a mouse, on the same files
// as the program's macro panel.
namespace morva::cli {
namespace {

using macros::MacroEvent;

// What a macro command works with: the device, its data folder and its macro list as read.
struct MacroTarget {
    CliContext& context;
    std::string_view operation;
    ProfileDevice device;
    std::filesystem::path folder;
    macros::MacroList list;

    // "2: Jump": the macro number (as key assignments use it) and the name.
    std::string entryText(int number) const {
        return std::to_string(number) + ": " + list[static_cast<size_t>(number)].name;
    }

    int fail(std::string_view reason) const {
        context.err << "morvactl: macro " << operation << " " << device.folderName << ": " << reason
                    << "\n";
        return kExitFailure;
    }
};

bool hasMacros(const ProfileDevice& device) {
    return device.deviceType == hid::kDeviceKeyboard || device.deviceType == hid::kDeviceMouse;
}

// The macro a user names: by name (exact, then letter case aside), else by its number.
std::optional<int> findMacro(const macros::MacroList& list, std::string_view wanted) {
    for (const bool ignoreCase : {false, true}) {
        const auto found = std::find_if(list.begin(), list.end(), [&](const auto& entry) {
            return ignoreCase ? equalsIgnoreCase(entry.name, wanted) : entry.name == wanted;
        });
        if (found != list.end()) {
            return static_cast<int>(found - list.begin());
        }
    }
    int number = -1;
    const auto [end, error] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
    if (error == std::errc() && end == wanted.data() + wanted.size() && number >= 0 &&
        static_cast<size_t>(number) < list.size()) {
        return number;
    }
    return std::nullopt;
}

std::optional<int> findMacroOrSay(const MacroTarget& target, std::string_view wanted) {
    const std::optional<int> number = findMacro(target.list, wanted);
    if (!number) {
        target.fail("no macro is named or numbered \"" + std::string(wanted) + "\" (\"macro list " +
                    target.device.folderName + "\" shows them)");
    }
    return number;
}

std::string hexByte(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

// The readable part of a mouse event's language key: "mouse_key_left" is "mouse left",
// "mouse_move_to_left_text" "move left".
std::string mouseLabel(std::string_view key) {
    constexpr std::string_view kButton = "mouse_key_";
    constexpr std::string_view kMove = "mouse_move_to_";
    constexpr std::string_view kText = "_text";
    if (key.starts_with(kButton)) {
        return "mouse " + std::string(key.substr(kButton.size()));
    }
    key.remove_prefix(std::min(key.size(), kMove.size()));
    if (key.ends_with(kText)) {
        key.remove_suffix(kText.size());
    }
    return "move " + std::string(key);
}

// What an event does, in words: "down A", "up mouse left", "move left 10", "down type 2 button
// 77". Keys take the short names of the key catalogue, as the keys command writes them.
std::string eventLabel(const MacroEvent& event) {
    const std::string action = event.isPress() ? "down " : "up ";
    if (const std::optional<size_t> entry = macros::catalogueEntryOf(event)) {
        return action + std::string(keyassign::keyCatalogue()[*entry].name);
    }
    const macros::EventName name = macros::eventName(event);
    if (name.distance) {
        return mouseLabel(name.key) + " " + std::to_string(*name.distance);
    }
    if (!name.empty()) {
        return action + mouseLabel(name.key);
    }
    switch (event.type) {
    case macros::kTypeKeyboardKey:
        return action + "key usage " + hexByte(event.button);
    case macros::kTypeModifier:
        return action + "modifier " + hexByte(event.button);
    case macros::kTypeMouseButton:
        return action + "mouse button " + hexByte(event.button);
    default:
        return action + "type " + std::to_string(event.type) + " button " +
               std::to_string(event.button);
    }
}

std::string eventCount(size_t count) {
    return std::to_string(count) + (count == 1 ? " event" : " events");
}

int listMacros(MacroTarget& target, const Arguments&) {
    for (size_t i = 0; i < target.list.size(); ++i) {
        const macros::MacroListEntry& entry = target.list[i];
        target.context.out << target.entryText(static_cast<int>(i)) << "  "
                           << eventCount(macros::readMacro(target.folder, entry.identifier).size())
                           << "  (" << entry.identifier << ")\n";
    }
    return kExitOk;
}

int showMacro(MacroTarget& target, const Arguments& extra) {
    const std::optional<int> number = findMacroOrSay(target, extra[0]);
    if (!number) {
        return kExitFailure;
    }
    const std::vector<MacroEvent> events =
        macros::readMacro(target.folder, target.list[static_cast<size_t>(*number)].identifier);
    uint64_t totalMs = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        target.context.out << i << ": " << eventLabel(events[i]) << "  delay "
                           << events[i].delayMs() << " ms\n";
        totalMs += events[i].delayMs();
    }
    target.context.out << target.entryText(*number) << ": " << eventCount(events.size()) << ", "
                       << totalMs << " ms in all\n";
    return kExitOk;
}

std::string describeWrite(FileWriteStatus status) {
    switch (status) {
    case FileWriteStatus::ReadOnly:
        return "the file is read-only";
    case FileWriteStatus::Protected:
        return "nothing is written into the program's own folder";
    case FileWriteStatus::Exists:
        return "the file exists already";
    default:
        return "the file could not be written";
    }
}

int exportMacro(MacroTarget& target, const Arguments& extra) {
    const std::optional<int> number = findMacroOrSay(target, extra[0]);
    if (!number) {
        return kExitFailure;
    }
    const macros::MacroListEntry& entry = target.list[static_cast<size_t>(*number)];
    const std::vector<MacroEvent> events = macros::readMacro(target.folder, entry.identifier);
    const std::string& file = extra[1];
    const FileWriteStatus written =
        writeJsonDocument(file, macros::macroToJson(entry.name, entry.identifier, events));
    if (written != FileWriteStatus::Ok) {
        return target.fail(file + ": " + describeWrite(written));
    }
    target.context.out << "exported " << target.entryText(*number) << " ("
                       << eventCount(events.size()) << ") to " << file << "\n";
    return kExitOk;
}

// The macro document of a file the user gives; nothing after saying why it is none.
std::optional<Json::Value> readImportedMacro(const MacroTarget& target, const std::string& file) {
    JsonReadResult read = readJsonDocument(file);
    switch (read.status) {
    case JsonReadStatus::Ok:
        break;
    case JsonReadStatus::Missing:
        target.fail(file + ": there is no such file");
        return std::nullopt;
    case JsonReadStatus::Unreadable:
        target.fail(file + ": the file cannot be read (not a regular file, or too large)");
        return std::nullopt;
    case JsonReadStatus::NotJson:
        target.fail(file + ": the file is damaged or not JSON");
        return std::nullopt;
    }
    if (!macros::isMacroDocument(read.value)) {
        target.fail(file + ": the file is not a macro file");
        return std::nullopt;
    }
    return std::move(read.value);
}

// "--name <name>" after the file, or the name the file holds, or the file's own name.
std::string importedName(const Arguments& extra, const Json::Value& document) {
    if (extra.size() == 3) {
        return extra[2];
    }
    std::string name = json::toString(json::member(document, "MacroName"));
    return name.empty() ? std::filesystem::path(extra[0]).stem().string() : name;
}

int importMacro(MacroTarget& target, const Arguments& extra) {
    const std::optional<Json::Value> document = readImportedMacro(target, extra[0]);
    if (!document) {
        return kExitFailure;
    }
    const std::string name = importedName(extra, *document);
    if (name.empty()) {
        return target.fail("a macro needs a name");
    }
    const std::vector<MacroEvent> events = macros::eventsFromJson(*document);
    // The program's macro panel may change the list at the same time.
    const FolderLock lock(target.folder);
    if (!lock.locked()) {
        return target.fail(lock.busy() ? "another program holds the device's folder"
                                       : "the device's folder cannot be locked");
    }
    const macros::AddedMacro added = macros::addMacro(target.folder, name, events);
    if (added.change.status == macros::MacroListStatus::NameTaken) {
        return target.fail("a macro named \"" + name + "\" (letter case aside) is already in " +
                           "the list; give another with --name");
    }
    if (added.fileWrite != FileWriteStatus::Ok) {
        return target.fail("the macro file could not be made: " + describeWrite(added.fileWrite));
    }
    if (!added.ok()) {
        return target.fail(macros::describeMacroListChange(added.change));
    }
    if (added.change.keptBroken) {
        target.context.err << "morvactl: note: the damaged macro list was kept as "
                              "macro.config.bad and made anew\n";
    }
    target.list = macros::readMacroList(target.folder);
    target.context.out << "imported " << extra[0] << " as " << target.entryText(added.change.number)
                       << " (" << eventCount(events.size()) << ", " << added.identifier << ")\n";
    return kExitOk;
}

struct MacroOperation {
    std::string_view name;
    size_t arguments;     // after the device
    bool takesNameOption; // "--name <name>" may follow them
    std::string_view expected;
    int (*run)(MacroTarget& target, const Arguments& extra);
};

constexpr std::array kOperations = {
    MacroOperation{"list", 0, false, "nothing", listMacros},
    MacroOperation{"show", 1, false, "a macro name or number", showMacro},
    MacroOperation{"export", 2, false, "a macro name or number and a file", exportMacro},
    MacroOperation{"import", 1, true, "a file and, if wanted, \"--name <name>\"", importMacro},
};

bool argumentsFit(const MacroOperation& operation, const Arguments& extra) {
    return extra.size() == operation.arguments ||
           (operation.takesNameOption && extra.size() == operation.arguments + 2 &&
            extra[operation.arguments] == "--name");
}

} // namespace

int runMacroCommands(CliContext& context, const Arguments& arguments) {
    if (arguments.size() < 2) {
        context.err << "morvactl: macro needs an operation (list, show, export or import) and a "
                       "device\n";
        return kExitUsage;
    }
    const auto operation =
        std::find_if(kOperations.begin(), kOperations.end(),
                     [&](const MacroOperation& o) { return o.name == arguments[0]; });
    if (operation == kOperations.end()) {
        context.err << "morvactl: unknown macro operation \"" << arguments[0] << "\"\n";
        return kExitUsage;
    }
    const std::optional<ProfileDevice> device = findProfileDeviceOrSay(context, arguments[1]);
    if (!device) {
        return kExitUsage;
    }
    const Arguments extra(arguments.begin() + 2, arguments.end());
    if (!argumentsFit(*operation, extra)) {
        context.err << "morvactl: macro " << operation->name << " takes " << operation->expected
                    << " after the device\n";
        return kExitUsage;
    }
    if (!hasMacros(*device)) {
        context.err << "morvactl: macro " << operation->name << " " << device->folderName
                    << ": only keyboards and mice have macros\n";
        return kExitFailure;
    }
    const std::filesystem::path folder = device->dataFolder();
    MacroTarget target{context, operation->name, *device, folder, macros::readMacroList(folder)};
    return operation->run(target, extra);
}

} // namespace morva::cli
