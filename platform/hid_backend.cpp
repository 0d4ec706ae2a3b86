#include "platform/hid_backend.h"

namespace morva::platform {

std::string_view describeHidOpenResult(HidOpenResult result) {
    switch (result) {
    case HidOpenResult::kOk:
        return "ok";
    case HidOpenResult::kNotFound:
        return "not present";
    case HidOpenResult::kAccessDenied:
        return "permission denied";
    case HidOpenResult::kBusy:
        return "busy";
    case HidOpenResult::kFailed:
        break;
    }
    return "failed";
}

std::string_view describeHidIoResult(HidIoResult result) {
    switch (result) {
    case HidIoResult::kOk:
        return "ok";
    case HidIoResult::kTimedOut:
        return "timed out";
    case HidIoResult::kCancelled:
        return "cancelled";
    case HidIoResult::kDisconnected:
        return "device gone";
    case HidIoResult::kFailed:
        break;
    }
    return "failed";
}

std::unique_ptr<DeviceChangeMonitor> HidBackend::openChangeMonitor(std::string& whyNot) {
    whyNot = "this HID backend announces no changes";
    return nullptr;
}

} // namespace morva::platform
