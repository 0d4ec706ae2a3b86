#pragma once

#include "emulator/emulated_descriptors.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morva {

namespace fs = std::filesystem;

inline void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

// A sysfs tree as the kernel lays it out: /sys/class/hidraw/hidrawN/device links to the HID
// device, which sits below its USB interface, which sits below the USB device.
class FakeSysfs : public ::testing::Test {
protected:
    fs::path sys() const { return dir_.path() / "sys"; }
    fs::path dev() const { return dir_.path() / "dev"; }

    void addUsbNode(const std::string& name, const std::string& usbDevice, int interfaceNumber,
                    const std::string& hidName, const std::vector<uint8_t>& descriptor) {
        const fs::path usb = sys() / "devices/pci0000:00/0000:00:14.0/usb1" / usbDevice;
        writeFile(usb / "bcdDevice", "0105\n");
        const fs::path usbInterface = usb / (usbDevice + ":1." + std::to_string(interfaceNumber));
        writeFile(usbInterface / "bInterfaceNumber", "0" + std::to_string(interfaceNumber) + "\n");
        addHidDevice(name, usbInterface / hidName, descriptor);
    }

    void addHidDevice(const std::string& name, const fs::path& hidDevice,
                      const std::vector<uint8_t>& descriptor) {
        const std::string ids = hidDevice.filename().string(); // bbbb:VVVV:PPPP.nnnn
        writeFile(hidDevice / "uevent", "DRIVER=hid-generic\nHID_ID=" + ids.substr(0, 4) + ":0000" +
                                            ids.substr(5, 4) + ":0000" + ids.substr(10, 4) +
                                            "\nHID_NAME=Test\n");
        writeBytes(hidDevice / "report_descriptor", descriptor);
        fs::create_directories(sys() / "class/hidraw" / name);
        fs::create_directory_symlink(hidDevice, sys() / "class/hidraw" / name / "device");
        writeFile(dev() / name, "");
    }

    // The HID device of the keyboard's vendor interface (hidraw1).
    fs::path vendorHidDevice() const {
        return sys() / "devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:0C45:8501.0002";
    }

    void addKeyboard() {
        addUsbNode("hidraw0", "1-2", 0, "0003:0C45:8501.0001", emulator::bootKeyboardDescriptor());
        addUsbNode("hidraw1", "1-2", 1, "0003:0C45:8501.0002",
                   emulator::controlInterfaceDescriptor());
    }

    test::TempDir dir_;
};

} // namespace morva
