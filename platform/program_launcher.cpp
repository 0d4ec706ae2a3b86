#include "platform/program_launcher.h"

#include "base/trace.h"

#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace morva::platform {

bool startProgram(const std::filesystem::path& program) {
    if (::access(program.c_str(), X_OK) != 0) {
        trace("start %s: %s\n", program.c_str(), std::strerror(errno));
        return false;
    }
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ);
    if (error != 0) {
        trace("start %s: %s\n", program.c_str(), std::strerror(error));
        return false;
    }
    // The program runs as long as it likes; a waiting thread keeps it from lingering as a zombie.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}

} // namespace morva::platform
