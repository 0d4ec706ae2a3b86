// Starts like the application: claims the single instance or wakes the running one. The first
// instance prints one line per message it receives and ends after as many messages as its second
// argument says.
//
// Usage: shell_instance_probe <socket path> <messages to serve> [<uid to run as>]
// The uid switch needs root; it lets the tests see what a process of another user meets.
// Lines: "first", "woke", then per message "message <kind> <wParam> <lParam> light <value>".

#include "app/light_control.h"
#include "app/single_instance.h"
#include "base/thread_event_loop.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <socket path> <messages to serve> [<uid>]\n", argv[0]);
        return 2;
    }
    if (argc == 4) {
        const auto uid = static_cast<uid_t>(std::strtoul(argv[3], nullptr, 10));
        if (::setgid(uid) != 0 || ::setuid(uid) != 0) {
            std::printf("cannot switch to uid %u: %s\n", uid, std::strerror(errno));
            return 2;
        }
    }
    const int toServe = std::atoi(argv[2]);
    morva::app::SingleInstance instance(argv[1]);
    const auto started = instance.claimOrWake();
    if (started == morva::app::SingleInstance::StartResult::WokeRunningInstance) {
        std::printf("woke\n");
        return 0;
    }
    if (started != morva::app::SingleInstance::StartResult::First) {
        std::printf("%s\n", morva::app::describe(started));
        return 1;
    }

    morva::ThreadEventLoop loop;
    morva::app::LightControl lightControl(nullptr, nullptr);
    int served = 0;
    const bool serving = instance.serve(loop, [&](const morva::platform::Message& message) {
        if (message.kind == morva::platform::MessageKind::LightControl) {
            lightControl.onLightControlMessage(message.wParam, message.lParam);
        }
        std::printf("message %d %u %d light %d\n", static_cast<int>(message.kind), message.wParam,
                    message.lParam, lightControl.value());
        std::fflush(stdout);
        if (++served >= toServe) {
            loop.quit();
        }
    });
    if (!serving) {
        std::printf("cannot serve\n");
        return 1;
    }
    std::printf("first\n");
    std::fflush(stdout);
    loop.run();
    instance.stop();
    return 0;
}
