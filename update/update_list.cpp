#include "update/update_list.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace morva::update {
namespace {

#ifdef _WIN32
constexpr std::string_view kProgramSuffix = ".exe";
#else
constexpr std::string_view kProgramSuffix = "";
#endif
constexpr std::string_view kApplicationKey = "AP";

constexpr std::array<std::string_view, 9> kStateTexts = {
    "LessUpdateText", "NeedUpdateText", "NeedUpdateText", "DownloadWaitText", "DownloadIngText",
    "DownloadOkText", "UpdateIngText",  "UpdateOkText",   "UpdateFailText"};
constexpr std::array<std::string_view, 5> kStatusTexts = {"GetUpdateInfoText", "HaveUpdateInfoText",
                                                          "NoUpdateInfoText", "ISUpdateINGText",
                                                          "UpdateIsLastText"};

std::string firmwareText(uint32_t version) {
    char text[16];
    std::snprintf(text, sizeof text, "V%04x", version);
    return text;
}

bool isOffered(RowState state) {
    return state == RowState::Offered || state == RowState::OfferedAlso;
}

// A row the batch is carrying: chosen and not yet finished or failed.
bool onItsWay(RowState state) {
    return state == RowState::Waiting || state == RowState::Downloading ||
           state == RowState::Downloaded || state == RowState::Updating;
}

std::filesystem::path programIn(const std::filesystem::path& folder, const std::string& name) {
    return folder / (name + std::string(kProgramSuffix));
}

} // namespace

std::string_view stateText(RowState state) {
    return kStateTexts[static_cast<size_t>(state)];
}

std::string_view statusText(OverallStatus status) {
    return kStatusTexts[static_cast<size_t>(status)];
}

UpdateList::UpdateList(const std::vector<UpdateEntry>& entries, std::filesystem::path updateFolder)
    : updateFolder_(std::move(updateFolder)) {
    for (const UpdateEntry& entry : entries) {
        if (entry.installedVersion == 0) {
            continue;
        }
        UpdateRow row;
        const bool application = entry.kind == 0;
        row.name = application ? std::string(kApplicationKey) : entry.name;
        row.installedText = application ? entry.versionText : firmwareText(entry.installedVersion);
        row.state = RowState::UpToDate;
        row.runNowProgram = programIn(updateFolder_, row.name);
        row.updaterProgram = row.runNowProgram;
        entries_.push_back(entry);
        rows_.push_back(std::move(row));
    }
}

void UpdateList::check(const std::vector<OfferedVersion>& offers) {
    bool anyOffered = false;
    for (size_t i = 0; i < rows_.size(); ++i) {
        UpdateRow& row = rows_[i];
        for (const OfferedVersion& offer : offersFor(offers, row.name)) {
            row.offeredText = "V" + offer.version;
            row.downloadAddress = offer.downloadAddress;
            row.state = comparableVersion(row.installedText) < offeredNumber(offer.version)
                            ? RowState::Offered
                            : RowState::UpToDate;
        }
        row.name = entries_[i].name;
        row.updaterProgram = programIn(updateFolder_, row.name);
        if (row.state == RowState::UpToDate) {
            row.offeredText.clear();
        }
        const bool marked = row.state != RowState::UpToDate && row.state != RowState::Unchecked;
        row.checked = marked;
        row.checkable = marked;
        anyOffered = anyOffered || marked;
    }
    if (anyOffered) {
        status_ = OverallStatus::Offered;
    } else {
        status_ = rows_.empty() ? OverallStatus::Empty : OverallStatus::UpToDate;
    }
}

bool UpdateList::startBatch() {
    bool chosen = false;
    for (UpdateRow& row : rows_) {
        const bool again = row.state == RowState::Failed;
        if (!isOffered(row.state) && !again) {
            continue;
        }
        if (row.checked) {
            // Without an address the shipped updater program is run as it is.
            row.state = row.downloadAddress.empty() ? RowState::Downloaded : RowState::Waiting;
            row.checkable = false;
            chosen = true;
        } else if (!again) {
            row.checkable = false;
        }
    }
    return chosen;
}

std::optional<size_t> UpdateList::nextDownload() const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].checked && rows_[i].state == RowState::Waiting) {
            return i;
        }
    }
    return std::nullopt;
}

void UpdateList::downloadStarted(size_t row) {
    rows_.at(row).state = RowState::Downloading;
    rows_.at(row).percent = 0;
    status_ = OverallStatus::Busy;
}

void UpdateList::downloadProgress(size_t row, double total, double received) {
    UpdateRow& target = rows_.at(row);
    if (total <= 0) {
        target.state = RowState::Failed;
        target.checkable = true;
        settleStatus();
        return;
    }
    target.percent = static_cast<int>(received * 100 / total);
    if (received >= total) {
        target.state = RowState::Downloaded;
    }
}

std::optional<size_t> UpdateList::nextInstall() const {
    std::optional<size_t> ready;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (!rows_[i].checked) {
            continue;
        }
        if (rows_[i].state == RowState::Updating) {
            return std::nullopt; // one updater at a time
        }
        if (!ready && rows_[i].state == RowState::Downloaded) {
            ready = i;
        }
    }
    return ready;
}

void UpdateList::installStarted(size_t row) {
    rows_.at(row).state = RowState::Updating;
    rows_.at(row).percent = 0;
    status_ = OverallStatus::Busy;
    current_ = row;
}

void UpdateList::updaterProgress(int what, int64_t value) {
    if (!current_) {
        return;
    }
    UpdateRow& row = rows_[*current_];
    switch (what) {
    case 1:
        row.installedText = row.offeredText;
        row.offeredText.clear();
        row.state = RowState::UpToDate;
        row.checked = false;
        row.checkable = false;
        settleStatus();
        return;
    case 2:
    case 3:
        row.state = RowState::Failed;
        row.checkable = true;
        settleStatus();
        return;
    case 4:
        row.percent = static_cast<int>(std::clamp<int64_t>(value, 0, 100));
        return;
    default:
        return;
    }
}

void UpdateList::settleStatus() {
    if (std::any_of(rows_.begin(), rows_.end(),
                    [](const UpdateRow& row) { return row.checked && onItsWay(row.state); })) {
        return; // the batch goes on
    }
    bool anyLeft = false;
    for (UpdateRow& row : rows_) {
        if (row.state != RowState::UpToDate) {
            row.checkable = true;
            anyLeft = true;
        }
    }
    status_ = anyLeft ? OverallStatus::Offered : OverallStatus::UpToDate;
}

bool UpdateList::mayClose() const {
    return std::none_of(rows_.begin(), rows_.end(), [](const UpdateRow& row) {
        return !isOffered(row.state) && row.state != RowState::UpToDate &&
               row.state != RowState::Failed;
    });
}

void UpdateList::setChecked(size_t row, bool checked) {
    rows_.at(row).checked = checked;
}

bool UpdateList::anyChecked() const {
    return std::any_of(rows_.begin(), rows_.end(),
                       [](const UpdateRow& row) { return row.checked; });
}

} // namespace morva::update
