// The updater program of the sample update package. It installs nothing: it reports progress to
// the running program through the user's message channel, as a real updater does, so the whole
// update flow can be seen without touching a device.

#include "platform/ipc_client.h"
#include "platform/ipc_message.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr uint32_t kFinished = 1;
constexpr uint32_t kProgress = 4;
constexpr int kStepPercent = 20;
constexpr auto kStepTime = std::chrono::milliseconds(300);

bool report(uint32_t what, int32_t value) {
    const morva::platform::SendResult result =
        morva::platform::sendInstanceMessage(morva::platform::MessageKind::Forward, what, value);
    if (result != morva::platform::SendResult::Sent) {
        std::fprintf(stderr, "sample updater: the program did not take the report: %s\n",
                     morva::platform::describe(result));
        return false;
    }
    return true;
}

} // namespace

int main() {
    std::printf("sample updater: nothing is installed; progress goes to the running program\n");
    for (int percent = 0; percent <= 100; percent += kStepPercent) {
        if (!report(kProgress, percent)) {
            return 1;
        }
        std::this_thread::sleep_for(kStepTime);
    }
    return report(kFinished, 0) ? 0 : 1;
}
