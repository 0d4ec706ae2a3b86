#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// Small readers of sysfs attribute files, shared by the hidraw backend and its tests. They read
// regular files only, without blocking and never more than an attribute can hold, so a tree that
// is not what it seems (a FIFO, a device node, a huge file) cannot stall or flood them.
namespace morva::platform {

inline constexpr uint16_t kSysfsBusUsb = 0x0003;

struct SysfsHidIds {
    uint16_t bus = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

// Reads HID_ID=bbbb:vvvvvvvv:pppppppp from a HID device's uevent file.
bool readSysfsHidIds(const std::filesystem::path& ueventFile, SysfsHidIds& ids);
// A device's whole report descriptor attribute; false when missing, empty, unreadable or longer
// than a report descriptor can be.
bool readSysfsReportDescriptor(const std::filesystem::path& file, std::vector<uint8_t>& bytes);
// An attribute holding one hexadecimal number ("01\n", "0102\n").
std::optional<int> readSysfsHex(const std::filesystem::path& file);

} // namespace morva::platform
