#include "platform/input_settings_launcher.h"

#include "base/trace.h"

#include <cstdlib>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>

extern char** environ;

namespace morva::platform {

namespace {

// A fixed command line per desktop; nothing of it comes from outside the program.
std::string settingsCommand(int which) {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const bool kde =
        desktop != nullptr && std::string_view(desktop).find("KDE") != std::string_view::npos;
    if (kde) {
        return which == 0 ? "systemsettings kcm_keyboard" : "systemsettings kcm_mouse";
    }
    return which == 0 ? "gnome-control-center keyboard" : "gnome-control-center mouse";
}

} // namespace

bool openDesktopInputSettings(int which) {
    if (which != 0 && which != 1) {
        return false;
    }
    // The shell starts the settings program in the background and ends at once, so the caller
    // waits for nothing and no child is left unreaped.
    const std::string command = settingsCommand(which) + " >/dev/null 2>&1 &";
    char sh[] = "/bin/sh";
    char dashC[] = "-c";
    std::string line = command;
    char* argv[] = {sh, dashC, line.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0) {
        trace("input settings: cannot start \"%s\"\n", command.c_str());
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace morva::platform
