#include "macros/macro_list_edits.h"

#include "base/json_access.h"
#include "base/json_edit.h"
#include "base/json_file.h"

#include <string>

namespace morva::macros {
namespace {

// The list document as read for a change.
struct ListDocument {
    Json::Value document;
    bool readable = true;
    bool damaged = false; // unparsable, or not of a list's shape: it starts over
};

// The document to change; what a damaged one held is lost from it, so the write keeps the file
// as ".bad" first. Members other than the list stay.
ListDocument readForChange(const std::filesystem::path& path) {
    JsonReadResult read = readJsonDocument(path);
    ListDocument list;
    if (read.status == JsonReadStatus::Unreadable) {
        list.readable = false;
        return list;
    }
    const Json::Value& entries = json::member(read.value, "MacroInfo");
    list.damaged = read.status == JsonReadStatus::NotJson ||
                   (read.ok() && !read.value.isObject()) ||
                   (!entries.isNull() && !entries.isArray());
    list.document = read.ok() && read.value.isObject() ? std::move(read.value) : Json::Value();
    json::makeObject(list.document);
    return list;
}

MacroListChange writeChanged(const std::filesystem::path& path, const ListDocument& list,
                             int number) {
    MacroListChange change;
    change.number = number;
    change.keptBroken = list.damaged && keepBrokenFileCopy(path);
    change.write = writeJsonDocument(path, list.document);
    if (change.write != FileWriteStatus::Ok) {
        change.status = MacroListStatus::NotWritten;
    }
    return change;
}

MacroListChange refused(MacroListStatus status, int number = -1) {
    MacroListChange change;
    change.status = status;
    change.number = number;
    return change;
}

bool inRange(const MacroList& list, int number) {
    return number >= 0 && static_cast<size_t>(number) < list.size();
}

const char* describeWrite(FileWriteStatus status) {
    switch (status) {
    case FileWriteStatus::ReadOnly:
        return "macro.config is read-only";
    case FileWriteStatus::Protected:
        return "the folder is the program's own, where nothing is written";
    default:
        return "macro.config could not be written";
    }
}

} // namespace

MacroListChange appendMacroEntry(const std::filesystem::path& folder, std::string_view name,
                                 std::string_view identifier) {
    const std::filesystem::path path = macroListPath(folder);
    ListDocument list = readForChange(path);
    if (!list.readable) {
        return refused(MacroListStatus::Unreadable);
    }
    const MacroList entries = entriesFromJson(list.document);
    if (entries.size() >= kMaxMacros) {
        return refused(MacroListStatus::Full);
    }
    if (name.empty()) {
        return refused(MacroListStatus::EmptyName);
    }
    if (nameTaken(entries, name)) {
        return refused(MacroListStatus::NameTaken);
    }
    Json::Value entry(Json::objectValue);
    entry["MacroName"] = std::string(name);
    entry["Guid"] = std::string(identifier);
    json::arrayMember(list.document, "MacroInfo").append(std::move(entry));
    return writeChanged(path, list, static_cast<int>(entries.size()));
}

MacroListChange renameMacroEntry(const std::filesystem::path& folder, int number,
                                 std::string_view name) {
    const std::filesystem::path path = macroListPath(folder);
    ListDocument list = readForChange(path);
    const MacroList entries = entriesFromJson(list.document);
    if (!inRange(entries, number)) {
        return refused(list.readable ? MacroListStatus::NoSuchMacro : MacroListStatus::Unreadable,
                       number);
    }
    if (name.empty()) {
        return refused(MacroListStatus::EmptyName, number);
    }
    if (nameTaken(entries, name)) {
        return refused(MacroListStatus::NameTaken, number);
    }
    Json::Value& entry = json::arrayElement(json::arrayMember(list.document, "MacroInfo"), number);
    json::setMember(json::makeObject(entry), "MacroName", std::string(name));
    return writeChanged(path, list, number);
}

MacroListChange removeMacroEntry(const std::filesystem::path& folder, int number) {
    const std::filesystem::path path = macroListPath(folder);
    ListDocument list = readForChange(path);
    if (!inRange(entriesFromJson(list.document), number)) {
        return refused(list.readable ? MacroListStatus::NoSuchMacro : MacroListStatus::Unreadable,
                       number);
    }
    Json::Value removed;
    json::arrayMember(list.document, "MacroInfo")
        .removeIndex(static_cast<Json::ArrayIndex>(number), &removed);
    return writeChanged(path, list, number);
}

std::string describeMacroListChange(const MacroListChange& change) {
    switch (change.status) {
    case MacroListStatus::Ok:
        return "done";
    case MacroListStatus::Full:
        return "the list holds " + std::to_string(kMaxMacros) + " macros already";
    case MacroListStatus::NameTaken:
        return "a macro of that name (letter case aside) is already in the list";
    case MacroListStatus::EmptyName:
        return "a macro needs a name";
    case MacroListStatus::NoSuchMacro:
        return "there is no macro number " + std::to_string(change.number);
    case MacroListStatus::Unreadable:
        return "macro.config cannot be read";
    case MacroListStatus::NotWritten:
        return describeWrite(change.write);
    }
    return "unknown";
}

} // namespace morva::macros
