#pragma once

#include "app/single_instance.h"

#include <filesystem>

namespace morva::app {

// Where the program finds its files: in the folder of its shipped files.
struct StartupPaths {
    std::filesystem::path programFolder;
    std::filesystem::path skinFolder;   // programFolder / "skin"
    std::filesystem::path fontFile;     // programFolder / "Font/arial.ttf"
    std::filesystem::path languageList; // programFolder / "DefaultData/Language.config"
};
StartupPaths startupPathsFor(const std::filesystem::path& programFolder);

// The steps of a start, in the order runStartup takes them. The GUI implements them with its
// toolkit; tests with fakes.
class StartupSteps {
public:
    virtual ~StartupSteps() = default;
    // A font that cannot be loaded leaves the program without it; the start goes on.
    virtual void loadPrivateFont(const std::filesystem::path& fontFile) = 0;
    virtual SingleInstance::StartResult claimInstance() = 0;
    // The skin folder and its index, the custom controls; false ends the start.
    virtual bool setupResources(const std::filesystem::path& skinFolder) = 0;
    // Serves the messages of other processes (after the instance is ours).
    virtual void serveMessages() = 0;
    // The main window, built and shown; false ends the start.
    virtual bool createMainWindow() = 0;
    virtual void runLoop() = 0;
    // Main window gone, workers stopped, font released.
    virtual void shutdown() = 0;
};

// Starts the program: font, single instance (a second start wakes the first and ends),
// resources, messages, main window, the loop, shutdown. Returns the exit code: 0 in every path.
int runStartup(StartupSteps& steps, const StartupPaths& paths);

} // namespace morva::app
