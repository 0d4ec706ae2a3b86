#pragma once

#include "base/event_loop.h"
#include "base/worker.h"
#include "update/update_list.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morva::ui {
class Control;
class Toolkit;
class Window;
struct Notification;
} // namespace morva::ui

namespace morva::app {

// The settings window's update page: it lists the components that can be updated, checks them
// against the update package's version file, and runs a batch update — each chosen row's updater
// program fetched (when the package names an address) on a download thread, then run one at a
// time, each reporting its progress back through the program's message channel.
class UpdatePage {
public:
    struct Environment {
        std::filesystem::path updateFolder;  // the package: version file and updater programs
        std::filesystem::path checkDateFile; // "updatetime.config"
        std::function<bool(const std::filesystem::path& program)> runProgram;
        std::function<std::string()> today; // the date text of the check
    };

    UpdatePage(ui::Toolkit& toolkit, ui::Window& window, EventLoop& loop, Environment environment);
    ~UpdatePage();
    UpdatePage(const UpdatePage&) = delete;
    UpdatePage& operator=(const UpdatePage&) = delete;

    // A fresh list for the entries, checked on the check thread.
    void open(const std::vector<update::UpdateEntry>& entries);
    // The page's controls; false for notifications of other controls.
    bool handle(const ui::Notification& notification);
    // The running updater's report: 1 finished, 2 or 3 failed, 4 progress (percent).
    void onUpdaterMessage(uint32_t what, int32_t value);
    // Texts made of a language text and more are made again.
    void onLanguageChanged();
    // Closing is refused while a row is downloading or updating.
    bool mayClose() const;
    // Ends the threads, each given up to a second.
    void stop();

    const update::UpdateList* list() const { return list_.get(); }

private:
    void checkFinished(std::vector<update::OfferedVersion> offers);
    void startBatch();
    void downloadNext();
    void downloadProgress(size_t row, double total, double received);
    void installNext();
    void runNow(const ui::Control& button);
    // After an updater is started by hand the page takes no input for a while, so a second
    // click does not start it twice.
    void pauseInput();
    void showRows();
    void showRow(size_t row);
    void showStatus();
    void showChooseButton();
    ui::Control* rowControl(size_t row) const;
    // Runs a task on the interface thread while this page exists.
    void post(std::function<void(UpdatePage&)> task);

    ui::Toolkit& toolkit_;
    ui::Window& window_;
    EventLoop& loop_;
    Environment environment_;
    std::unique_ptr<update::UpdateList> list_;
    std::string lastCheckDate_;
    std::vector<ui::Control*> rows_;
    std::shared_ptr<UpdatePage*> self_;
    std::optional<TimerId> inputPause_;
    Worker checkWorker_{"update check"};
    Worker downloadWorker_{"update download"};
};

} // namespace morva::app
