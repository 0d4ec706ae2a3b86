#include "base/json_file.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace morva::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The program's own files under a data folder: the profiles and lists it wrote.
std::vector<fs::path> jsonFilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    if (!fs::exists(folder)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".Json" || extension == ".json")) {
            files.push_back(entry.path());
        }
    }
    return files;
}

// The demo program, offscreen, with its own folders.
class RunningProgram {
public:
    explicit RunningProgram(const fs::path& home) {
        fs::create_directories(home / "runtime");
        fs::permissions(home / "runtime", fs::perms::owner_all);
        std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen",
                                                "XDG_DATA_HOME=" + (home / "data").string(),
                                                "XDG_CONFIG_HOME=" + (home / "config").string(),
                                                "XDG_RUNTIME_DIR=" + (home / "runtime").string()};
        std::vector<char*> envp;
        for (std::string& variable : environment) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        std::string program = (fs::path(MORVA_RUNTIME_DIR) / "morva").string();
        std::string demo = "--demo";
        char* argv[] = {program.data(), demo.data(), nullptr};
        started_ = posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, envp.data()) == 0;
    }
    ~RunningProgram() {
        if (started_ && !ended_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool started() const { return started_; }
    void signal(int number) { ::kill(pid_, number); }
    // The exit status once the program has ended within the time; nothing otherwise.
    std::optional<int> waitForExit(std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                ended_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(20ms);
        }
        return std::nullopt;
    }

private:
    pid_t pid_ = 0;
    bool started_ = false;
    bool ended_ = false;
};

TEST(Termination, SigtermAndSigintEndTheProgramInOrderWithExitCodeZero) {
    for (const int number : {SIGTERM, SIGINT}) {
        TempDir home;
        RunningProgram program(home.path());
        ASSERT_TRUE(program.started());
        // Running: the demo devices have their profiles written.
        const auto until = std::chrono::steady_clock::now() + 20s;
        while (jsonFilesUnder(home.path() / "data").size() < 4 &&
               std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(50ms);
        }
        ASSERT_GE(jsonFilesUnder(home.path() / "data").size(), 4u) << "the program did not start";
        program.signal(number);
        EXPECT_EQ(program.waitForExit(15s), 0) << "signal " << number;
        for (const fs::path& file : jsonFilesUnder(home.path() / "data")) {
            EXPECT_TRUE(readJsonDocument(file).ok()) << file << " is torn";
        }
    }
}

} // namespace
} // namespace morva::test
