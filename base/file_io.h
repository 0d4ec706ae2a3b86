#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Whole-file reads and writes for the user's data files. Reads open only regular files and never
// block (a FIFO or device in place of a data file is refused, not waited on); writes go to a
// temporary file that is renamed into place, so an interrupted write leaves the old file whole.
namespace morva {

enum class FileReadStatus {
    Ok,
    Missing,    // nothing at the path
    NotRegular, // a folder, FIFO, socket or device
    TooLarge,   // longer than the caller's limit
    Failed,     // the system refused the open or the read
};

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Failed;
    std::string content;
    bool ok() const { return status == FileReadStatus::Ok; }
};

// Data files are small; anything near this size is not one of ours.
inline constexpr size_t kMaxDataFileBytes = 16 * 1024 * 1024;

// Reads a regular file of at most maxBytes.
FileReadResult readRegularFile(const std::filesystem::path& path,
                               size_t maxBytes = kMaxDataFileBytes);

enum class FileWriteStatus {
    Ok,
    ReadOnly,  // the target exists and its owner may not write it
    Protected, // the target lies in a folder nothing may be written to (the program's own)
    Exists,    // createFileAtomically: something already has the name
    Failed,    // the system refused (full disk, no permission, no folder)
};

// Replaces (or creates) the file with the content. A target the user made read-only is left
// alone; a replaced file keeps its permissions.
FileWriteStatus replaceFileAtomically(const std::filesystem::path& path, std::string_view content);
// Creates the file with the content only when nothing has its name yet; two processes creating
// the same name never overwrite each other.
FileWriteStatus createFileAtomically(const std::filesystem::path& path, std::string_view content);

// Whether the name has the form of a temporary file a write leaves behind when it is interrupted.
bool isTemporaryWriteFileName(std::string_view fileName);
// Removes the temporary files interrupted writes left in the folder; returns how many.
int removeTemporaryWriteFiles(const std::filesystem::path& folder);

// Keeps a copy of a file that is about to be repaired as <name>.bad (replacing an older copy), so
// the repair never destroys what the user had. The original stays where it is. False when there
// was nothing to keep: no regular file, or an empty one.
bool keepBrokenFileCopy(const std::filesystem::path& path);
inline constexpr std::string_view kBrokenFileSuffix = ".bad";

const char* describeFileReadStatus(FileReadStatus status);

} // namespace morva
