#include "app/app_startup.h"

#include "base/trace.h"

namespace morva::app {

StartupPaths startupPathsFor(const std::filesystem::path& programFolder) {
    return {programFolder, programFolder / "skin", programFolder / "Font" / "arial.ttf",
            programFolder / "DefaultData" / "Language.config"};
}

int runStartup(StartupSteps& steps, const StartupPaths& paths) {
    steps.loadPrivateFont(paths.fontFile);
    const SingleInstance::StartResult claimed = steps.claimInstance();
    trace("single instance: %s\n", describe(claimed));
    if (claimed == SingleInstance::StartResult::WokeRunningInstance) {
        steps.shutdown();
        return 0;
    }
    if (!steps.setupResources(paths.skinFolder)) {
        trace("skin resources missing in %s\n", paths.skinFolder.string().c_str());
        steps.shutdown();
        return 0;
    }
    if (claimed == SingleInstance::StartResult::First) {
        steps.serveMessages();
    }
    if (!steps.createMainWindow()) {
        trace("main window could not be built\n");
        steps.shutdown();
        return 0;
    }
    steps.runLoop();
    steps.shutdown();
    return 0;
}

} // namespace morva::app
