#include "app/update_page.h"

#include "base/trace.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/notification.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"
#include "update/check_date.h"
#include "update/http_download.h"

namespace morva::app {
namespace {

using update::OverallStatus;
using update::RowState;
using update::UpdateRow;

constexpr std::string_view kRowSkin = "XML\\CustomControlXML\\device_Update_list_item.xml";
constexpr std::string_view kVersionFile = "FWVerInfo.Ver";
constexpr TickMs kThreadStopMs = 1000;
// The name of a row offered something, and of one with nothing to do.
constexpr uint32_t kOfferedNameColour = 0xFF0099FF;
constexpr uint32_t kIdleNameColour = 0xFFFFFFFF;
constexpr int kListPage = 0;
constexpr int kConfirmPage = 1;
constexpr TickMs kRunNowPauseMs = 5000;

template <typename T> T* childOf(ui::Control* row, std::string_view name) {
    auto* container = row != nullptr ? row->asContainer() : nullptr;
    return container != nullptr ? container->findDescendantAs<T>(name) : nullptr;
}

bool isIdle(RowState state) {
    return state == RowState::Unchecked || state == RowState::UpToDate;
}

} // namespace

UpdatePage::UpdatePage(ui::Toolkit& toolkit, ui::Window& window, EventLoop& loop,
                       Environment environment)
    : toolkit_(toolkit), window_(window), loop_(loop), environment_(std::move(environment)),
      self_(std::make_shared<UpdatePage*>(this)) {}

UpdatePage::~UpdatePage() {
    stop();
    if (inputPause_) {
        loop_.stopTimer(*inputPause_);
    }
    *self_ = nullptr;
}

void UpdatePage::post(std::function<void(UpdatePage&)> task) {
    loop_.post([self = std::weak_ptr<UpdatePage*>(self_), task = std::move(task)] {
        if (const auto page = self.lock(); page && *page != nullptr) {
            task(**page);
        }
    });
}

void UpdatePage::stop() {
    checkWorker_.stop(kThreadStopMs);
    downloadWorker_.stop(kThreadStopMs);
}

void UpdatePage::open(const std::vector<update::UpdateEntry>& entries) {
    stop();
    const std::string today = environment_.today ? environment_.today() : std::string();
    lastCheckDate_ = update::readCheckDate(environment_.checkDateFile, today);
    list_ = std::make_unique<update::UpdateList>(entries, environment_.updateFolder);
    if (auto* pages = window_.findAs<ui::TabLayout>("get_update_tab_layout")) {
        pages->selectItem(kListPage);
    }
    showRows();
    const std::filesystem::path versionFile = environment_.updateFolder / kVersionFile;
    checkWorker_.start([this, versionFile](std::stop_token) {
        std::vector<update::OfferedVersion> offers = update::readVersionFile(versionFile);
        post([offers = std::move(offers)](UpdatePage& page) mutable {
            page.checkFinished(std::move(offers));
        });
    });
}

void UpdatePage::checkFinished(std::vector<update::OfferedVersion> offers) {
    list_->check(offers);
    if (!list_->rows().empty()) {
        update::writeCheckDate(environment_.checkDateFile,
                               environment_.today ? environment_.today() : std::string());
    }
    showRows();
}

bool UpdatePage::handle(const ui::Notification& n) {
    if (!list_) {
        return false;
    }
    if (n.is(ui::notify::kClick) && n.senderNamed("update_fw_and_ap")) {
        if (auto* pages = window_.findAs<ui::TabLayout>("get_update_tab_layout")) {
            pages->selectItem(kConfirmPage);
        }
        return true;
    }
    if (n.is(ui::notify::kClick) && n.senderNamed("update_OK_btn")) {
        startBatch();
        return true;
    }
    if (n.is(ui::notify::kClick) && n.senderNamed("UpdateBtn") && n.sender.get() != nullptr) {
        runNow(*n.sender.get());
        return true;
    }
    if (n.is(ui::notify::kSelectChanged) && n.senderNamed("check_name_select")) {
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (auto* box = childOf<ui::Option>(rows_[i], "check_name_select")) {
                list_->setChecked(i, box->selected());
            }
        }
        showChooseButton();
        return true;
    }
    return false;
}

void UpdatePage::startBatch() {
    list_->startBatch();
    if (auto* pages = window_.findAs<ui::TabLayout>("get_update_tab_layout")) {
        pages->selectItem(kListPage);
    }
    showRows();
    downloadNext();
}

void UpdatePage::downloadNext() {
    const std::optional<size_t> next = list_->nextDownload();
    if (!next) {
        installNext();
        return;
    }
    const size_t row = *next;
    list_->downloadStarted(row);
    showRow(row);
    showStatus();
    const UpdateRow& record = list_->rows()[row];
    downloadWorker_.stop(kThreadStopMs);
    downloadWorker_.start([this, row, url = record.downloadAddress,
                           target = record.updaterProgram](std::stop_token stop) {
        update::download(
            url, target,
            [this, row](double total, double received) {
                post([row, total, received](UpdatePage& page) {
                    page.downloadProgress(row, total, received);
                });
            },
            stop);
    });
}

void UpdatePage::downloadProgress(size_t row, double total, double received) {
    list_->downloadProgress(row, total, received);
    showRow(row);
    const RowState state = list_->rows()[row].state;
    if (state == RowState::Downloaded || state == RowState::Failed) {
        showStatus();
        downloadNext();
    }
}

void UpdatePage::installNext() {
    const std::optional<size_t> next = list_->nextInstall();
    if (!next) {
        showStatus();
        return;
    }
    list_->installStarted(*next);
    showRow(*next);
    showStatus();
    const std::filesystem::path program = list_->rows()[*next].updaterProgram;
    if (!environment_.runProgram || !environment_.runProgram(program)) {
        trace("update: the updater %s could not be started\n", program.c_str());
        onUpdaterMessage(2, 0);
    }
}

void UpdatePage::onUpdaterMessage(uint32_t what, int32_t value) {
    if (!list_ || !list_->currentRow()) {
        return;
    }
    const size_t row = *list_->currentRow();
    list_->updaterProgress(static_cast<int>(what), value);
    showRow(row);
    showStatus();
    if (list_->rows()[row].state != RowState::Updating) {
        installNext();
    }
}

void UpdatePage::runNow(const ui::Control& button) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (childOf<ui::Control>(rows_[i], "UpdateBtn") == &button) {
            const std::filesystem::path program = list_->rows()[i].runNowProgram;
            if (!environment_.runProgram || !environment_.runProgram(program)) {
                trace("update: %s could not be started\n", program.c_str());
                return;
            }
            pauseInput();
            return;
        }
    }
}

void UpdatePage::pauseInput() {
    ui::Control* root = window_.find("settings_root");
    if (root == nullptr || inputPause_) {
        return;
    }
    root->setEnabled(false);
    inputPause_ = loop_.startTimer(kRunNowPauseMs, [this] {
        loop_.stopTimer(*inputPause_);
        inputPause_.reset();
        if (ui::Control* paused = window_.find("settings_root")) {
            paused->setEnabled(true);
        }
    });
}

bool UpdatePage::mayClose() const {
    return !list_ || list_->mayClose();
}

void UpdatePage::onLanguageChanged() {
    if (list_) {
        showStatus();
    }
}

void UpdatePage::showRows() {
    auto* container = window_.findAs<ui::Container>("update_list");
    if (container == nullptr) {
        return;
    }
    container->removeAll();
    rows_.clear();
    ui::SkinBuilder builder(toolkit_);
    for (size_t i = 0; i < list_->rows().size(); ++i) {
        std::unique_ptr<ui::Control> row = builder.build(kRowSkin);
        if (!row) {
            break;
        }
        rows_.push_back(container->add(std::move(row)));
        showRow(i);
    }
    showStatus();
    showChooseButton();
}

ui::Control* UpdatePage::rowControl(size_t row) const {
    return row < rows_.size() ? rows_[row] : nullptr;
}

void UpdatePage::showRow(size_t index) {
    ui::Control* row = rowControl(index);
    if (row == nullptr) {
        return;
    }
    const UpdateRow& record = list_->rows()[index];
    if (auto* box = childOf<ui::Option>(row, "check_name_select")) {
        box->setText(record.name);
        box->setSelected(record.checked, false);
        box->setEnabled(record.checkable);
        box->setTextColor(isIdle(record.state) ? kIdleNameColour : kOfferedNameColour);
    }
    if (auto* installed = childOf<ui::Control>(row, "OldRev")) {
        installed->setText(record.installedText);
    }
    if (auto* offered = childOf<ui::Control>(row, "updateRev")) {
        offered->setText(record.offeredText);
        offered->setVisible(!record.offeredText.empty());
    }
    if (auto* state = childOf<ui::Control>(row, "update_status_text")) {
        state->setTextKey(update::stateText(record.state));
    }
    const bool busy = record.state == RowState::Downloading || record.state == RowState::Updating;
    if (auto* progress = childOf<ui::Control>(row, "update_status_ing")) {
        progress->setVisible(busy);
    }
    if (auto* bar = childOf<ui::Progress>(row, "update_progress")) {
        bar->setValue(record.percent);
    }
    if (auto* value = childOf<ui::Control>(row, "update_progress_value")) {
        value->setText(std::to_string(record.percent) + "%");
    }
    if (auto* done = childOf<ui::Control>(row, "update_status_ok")) {
        done->setVisible(record.state == RowState::Downloaded);
    }
    if (auto* run = childOf<ui::Control>(row, "UpdateBtn")) {
        run->setEnabled(record.checkable);
    }
}

void UpdatePage::showStatus() {
    const OverallStatus status = list_->status();
    const bool checking = status == OverallStatus::Checking;
    if (ui::Control* ring = window_.find("update_status_ring")) {
        ring->setVisible(checking);
    }
    if (ui::Control* image = window_.find("update_status_image")) {
        image->setVisible(!checking);
    }
    ui::Control* text = window_.find("Update_Status_text");
    if (text == nullptr) {
        return;
    }
    if (status == OverallStatus::UpToDate) {
        const std::string_view key = update::statusText(status);
        text->setText(toolkit_.language().lookup(key).value_or(std::string(key)) + lastCheckDate_);
    } else {
        text->setTextKey(update::statusText(status));
    }
}

void UpdatePage::showChooseButton() {
    ui::Control* button = window_.find("update_fw_and_ap");
    if (button == nullptr) {
        return;
    }
    const bool offered =
        std::any_of(list_->rows().begin(), list_->rows().end(),
                    [](const UpdateRow& row) { return row.checked && row.checkable; });
    button->setVisible(offered);
    button->setEnabled(offered);
}

} // namespace morva::app
