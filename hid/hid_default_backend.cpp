#include "hid/hid_default_backend.h"

#include "platform/hid_linux_backend.h"

#include <atomic>

namespace morva::hid {
namespace {

std::atomic<platform::HidBackend*> installed{nullptr};

platform::HidBackend& systemBackend() {
    static platform::LinuxHidBackend backend;
    return backend;
}

} // namespace

platform::HidBackend& defaultHidBackend() {
    platform::HidBackend* backend = installed.load();
    return backend != nullptr ? *backend : systemBackend();
}

void setDefaultHidBackend(platform::HidBackend* backend) {
    installed.store(backend);
}

} // namespace morva::hid
