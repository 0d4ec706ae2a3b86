#pragma once

#include "update/version_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The update page's list as data: one row per component that can be updated, the state each
// row is in, and the overall status, with every transition the page makes. No window and no
// thread: the page shows what this holds and its workers call these transitions.
namespace morva::update {

// A component the main window offers for updating.
struct UpdateEntry {
    int kind = 0; // 0 the application itself, 1 or 2 a device's firmware
    uint32_t installedVersion = 0;
    std::string modelCode;
    std::string name; // also the stem of its updater program's file name
    std::string versionText;
};

enum class RowState : int {
    Unchecked = 0,   // "LessUpdateText"
    Offered = 1,     // "NeedUpdateText"
    OfferedAlso = 2, // "NeedUpdateText"
    Waiting = 3,     // "DownloadWaitText"
    Downloading = 4, // "DownloadIngText"
    Downloaded = 5,  // "DownloadOkText"
    Updating = 6,    // "UpdateIngText"
    UpToDate = 7,    // "UpdateOkText"
    Failed = 8,      // "UpdateFailText"
};

enum class OverallStatus : int {
    Checking = 0, // "GetUpdateInfoText"
    Offered = 1,  // "HaveUpdateInfoText"
    Empty = 2,    // "NoUpdateInfoText"
    Busy = 3,     // "ISUpdateINGText"
    UpToDate = 4, // "UpdateIsLastText" and the date of the last check
};

// The language key of a row state and of an overall status.
std::string_view stateText(RowState state);
std::string_view statusText(OverallStatus status);

struct UpdateRow {
    std::string name;          // the lookup key until the check, then the entry's name
    std::string installedText; // "OldRev"
    std::string offeredText;   // "updateRev": "V" and the offered version, empty while none
    RowState state = RowState::Unchecked;
    bool checked = false;
    bool checkable = false;
    int percent = 0;
    std::filesystem::path runNowProgram; // what "UpdateBtn" opens
    std::filesystem::path updaterProgram;
    std::string downloadAddress; // empty: the shipped updater program is run as it is
};

class UpdateList {
public:
    // Rows for the entries, all up to date until checked; `updateFolder` holds the updater
    // programs.
    UpdateList(const std::vector<UpdateEntry>& entries, std::filesystem::path updateFolder);

    // Compares each row with the offers; a row offered a newer version is checked and can be
    // chosen. Sets the overall status.
    void check(const std::vector<OfferedVersion>& offers);

    // The chosen rows wait for their download (or, without an address, are ready to run); the
    // rest can no longer be chosen. False when nothing was chosen.
    bool startBatch();
    // The next chosen row whose updater program is to be fetched (waiting, or failed before).
    std::optional<size_t> nextDownload() const;
    void downloadStarted(size_t row);
    // A progress report of the download of a row (total 0: failed).
    void downloadProgress(size_t row, double total, double received);
    // The next chosen row whose updater can run now; none while another one runs.
    std::optional<size_t> nextInstall() const;
    void installStarted(size_t row);
    // The running updater's report: 1 finished, 2 or 3 failed, 4 progress (percent).
    void updaterProgress(int what, int64_t value);

    // Closing is refused while a row is on its way (waiting, downloading, downloaded, updating).
    bool mayClose() const;

    void setChecked(size_t row, bool checked);
    bool anyChecked() const;

    const std::vector<UpdateRow>& rows() const { return rows_; }
    OverallStatus status() const { return status_; }
    std::optional<size_t> currentRow() const { return current_; }

private:
    void settleStatus();

    std::vector<UpdateEntry> entries_;
    std::vector<UpdateRow> rows_;
    std::filesystem::path updateFolder_;
    OverallStatus status_ = OverallStatus::Checking;
    std::optional<size_t> current_;
};

} // namespace morva::update
