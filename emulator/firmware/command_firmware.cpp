#include "emulator/firmware/command_firmware.h"

#include <algorithm>

namespace morva::emulator {
namespace {

size_t areaSize(size_t length, size_t stride, size_t profiles) {
    if (length == 0 || profiles == 0) {
        return 0;
    }
    return stride * (profiles - 1) + length;
}

bool contains(const std::vector<FiredFault>& fired, FaultKind kind) {
    return std::any_of(fired.begin(), fired.end(),
                       [kind](const FiredFault& fault) { return fault.kind == kind; });
}

uint32_t extraDelay(const std::vector<FiredFault>& fired) {
    uint32_t delay = 0;
    for (const FiredFault& fault : fired) {
        if (fault.kind == FaultKind::Late) {
            delay += fault.delayMs;
        }
    }
    return delay;
}

} // namespace

device::CommandPacket replyTo(std::span<const uint8_t, device::kPacketSize> request,
                              uint8_t status) {
    device::CommandPacket reply{};
    reply[device::packet_byte::kReportId] = device::kCommandReportId;
    reply[device::packet_byte::kCommand] = device::packetCommand(request);
    reply[device::packet_byte::kChunkLength] = device::packetChunkLength(request);
    reply[device::packet_byte::kOffsetLow] = request[device::packet_byte::kOffsetLow];
    reply[device::packet_byte::kOffsetHigh] = request[device::packet_byte::kOffsetHigh];
    reply[device::packet_byte::kStatus] = status;
    return reply;
}

CommandFirmware::CommandFirmware(const FirmwareConfig& config, const MemoryLayout& layout)
    : config_(config), layout_(layout),
      settings_(std::max(
          areaSize(layout.settings.readLength, layout.settings.readStride, config.profileCount),
          areaSize(layout.settings.writeLength, layout.settings.writeStride, config.profileCount))),
      keyTable_(size_t{config.keyCount} * 3),
      ledIndexTable_(layout.ledIndexTable ? config.keyCount : 0),
      macroMemory_(size_t{config.macroUnits} * device::DeviceInfoRecord::kMacroUnitBytes),
      gunKeyMemory_(layout.gunKeyBytes), lightPages_(layout.lightPageSize * layout.lightPageCount),
      liveFrame_(layout.liveFrameBytes), status_(layout.statusBytes) {
    deviceInfo_.setKeyCount(config.keyCount);
    deviceInfo_.setMacroMemoryUnits(config.macroUnits);
    deviceInfo_.setDpiPerStep(config.dpiPerStep);
    deviceInfo_.setDpiSteps(config.dpiSteps);
    deviceInfo_.setLowestDpi(config.lowestDpi);
    std::span<uint8_t> leds = ledIndexTable_.bytes();
    for (size_t k = 0; k < leds.size(); ++k) {
        leds[k] = static_cast<uint8_t>(k);
    }
}

std::span<uint8_t> CommandFirmware::settingsBlock(size_t profile) {
    return settings_.slice(profile * layout_.settings.readStride, layout_.settings.readLength);
}

std::span<uint8_t> CommandFirmware::writtenSettingsBlock(size_t profile) {
    return settings_.slice(profile * layout_.settings.writeStride, layout_.settings.writeLength);
}

std::span<uint8_t> CommandFirmware::lightPage(size_t page) {
    return lightPages_.slice(page * layout_.lightPageSize, layout_.lightPageSize);
}

std::span<const uint8_t> CommandFirmware::lastLiveFrame() const {
    return liveFrame_.bytes().first(liveFrameLength_);
}

void CommandFirmware::injectFault(FaultKind kind, int command, uint32_t nth, uint32_t delayMs) {
    faults_.arm(kind, command, nth, delayMs);
}

std::vector<ConsumerReport> CommandFirmware::takeConsumerReports() {
    std::vector<ConsumerReport> reports(consumerOutbox_.begin(), consumerOutbox_.end());
    consumerOutbox_.clear();
    return reports;
}

void CommandFirmware::sendConsumerEvent(uint16_t code) {
    const ConsumerReport report = {config_.consumerReportId, static_cast<uint8_t>(code & 0xFF),
                                   static_cast<uint8_t>(code >> 8)};
    if (consumerSink_) {
        consumerSink_(report);
    } else {
        consumerOutbox_.push_back(report);
    }
}

void CommandFirmware::unplug() {
    plugged_ = false;
    if (onUnplug_) {
        onUnplug_();
    }
}

bool CommandFirmware::wellFormed(std::span<const uint8_t, device::kPacketSize> request) {
    return request[device::packet_byte::kReportId] == device::kCommandReportId &&
           device::packetChunkLength(request) <= device::kChunkSize &&
           device::hasValidChecksum(request);
}

FirmwareResponse CommandFirmware::receiveOutputReport(std::span<const uint8_t> report) {
    if (report.size() == device::kPacketSize && report[0] == device::kCommandReportId) {
        return handleRequest(report.first<device::kPacketSize>());
    }
    if (!plugged_) {
        return FirmwareResponse{.accepted = false};
    }
    return handleOtherReport(report);
}

FirmwareResponse CommandFirmware::handleOtherReport(std::span<const uint8_t> /*report*/) {
    return {};
}

FirmwareResponse
CommandFirmware::handleRequest(std::span<const uint8_t, device::kPacketSize> request) {
    FirmwareResponse response;
    if (!plugged_) {
        response.accepted = false;
        return response;
    }
    const uint8_t command = device::packetCommand(request);
    const std::vector<FiredFault> fired =
        faults_.empty() ? std::vector<FiredFault>{} : faults_.take(command);
    if (contains(fired, FaultKind::WriteFails)) {
        response.accepted = false;
        return response;
    }
    if (contains(fired, FaultKind::Unplug)) {
        unplug();
        response.accepted = false;
        return response;
    }
    if (recordRequests_) {
        requests_.emplace_back();
        std::copy(request.begin(), request.end(), requests_.back().begin());
    }
    if (silent_ || !answers(command) || contains(fired, FaultKind::NoReply)) {
        return response;
    }
    response.extraDelayMs = extraDelay(fired);
    for (const FiredFault& fault : fired) {
        if (fault.kind == FaultKind::StrayReport) {
            device::CommandPacket stray = replyTo(request, kStatusOk);
            stray[device::packet_byte::kCommand] = static_cast<uint8_t>(~command);
            response.add(stray);
        }
    }

    device::CommandPacket reply;
    if (!wellFormed(request)) {
        ++malformedRequests_;
        reply = replyTo(request, device::kStatusFailedFF);
    } else if (contains(fired, FaultKind::StatusFF)) {
        reply = replyTo(request, device::kStatusFailedFF);
    } else if (contains(fired, FaultKind::StatusFE)) {
        reply = replyTo(request, device::kStatusFailedFE);
    } else {
        reply = replyTo(request, kStatusOk);
        const uint8_t status = execute(request, reply);
        reply[device::packet_byte::kStatus] = status;
    }
    if (contains(fired, FaultKind::WrongEcho)) {
        reply[device::packet_byte::kCommand] = static_cast<uint8_t>(~command);
    }
    device::sealPacket(reply);
    response.add(reply);
    return response;
}

uint8_t CommandFirmware::readInto(const MemoryArea& area,
                                  std::span<const uint8_t, device::kPacketSize> request,
                                  device::CommandPacket& reply) const {
    const std::span<uint8_t> data = std::span<uint8_t>(reply).subspan(
        device::packet_byte::kData, device::packetChunkLength(request));
    return area.read(device::packetOffset(request), data) ? kStatusOk : device::kStatusFailedFF;
}

uint8_t CommandFirmware::writeFrom(MemoryArea& area,
                                   std::span<const uint8_t, device::kPacketSize> request) {
    const std::span<const uint8_t> data =
        device::packetData(request).first(device::packetChunkLength(request));
    return area.write(device::packetOffset(request), data) ? kStatusOk : device::kStatusFailedFF;
}

uint8_t CommandFirmware::storeLiveFrame(std::span<const uint8_t, device::kPacketSize> request) {
    const size_t offset = device::packetOffset(request);
    if (offset == 0) {
        liveFrameLength_ = 0;
        ++liveFrames_;
    }
    const uint8_t status = writeFrom(liveFrame_, request);
    if (status == kStatusOk) {
        liveFrameLength_ = std::max(liveFrameLength_, offset + device::packetChunkLength(request));
    }
    return status;
}

// The gun-key image comes in 56-byte chunks from offset 0, each right after the one before, the
// last one shorter. Longer chunks are refused as malformed with every other command; a chunk
// that leaves a gap, overlaps or follows the short last one is refused here, so a host that cuts
// the image any other way fails.
uint8_t CommandFirmware::storeGunKeyChunk(std::span<const uint8_t, device::kPacketSize> request) {
    const size_t offset = device::packetOffset(request);
    const size_t length = device::packetChunkLength(request);
    if (offset != 0 && offset != gunKeyNextOffset_) {
        gunKeyNextOffset_.reset();
        return device::kStatusFailedFF;
    }
    const uint8_t status = writeFrom(gunKeyMemory_, request);
    if (status == kStatusOk && length == device::kChunkSize) {
        gunKeyNextOffset_ = offset + length;
    } else {
        gunKeyNextOffset_.reset();
    }
    return status;
}

uint8_t CommandFirmware::execute(std::span<const uint8_t, device::kPacketSize> request,
                                 device::CommandPacket& reply) {
    switch (device::packetCommand(request)) {
    case device::command::kBeginTransaction:
        inTransaction_ = true;
        ++transactionsBegun_;
        return kStatusOk;
    case device::command::kEndTransaction:
        inTransaction_ = false;
        ++transactionsEnded_;
        return kStatusOk;
    case device::command::kReadDeviceInfo: {
        const std::span<uint8_t> data = std::span<uint8_t>(reply).subspan(
            device::packet_byte::kData, device::packetChunkLength(request));
        const size_t offset = device::packetOffset(request);
        if (offset > device::DeviceInfoRecord::kSize ||
            data.size() > device::DeviceInfoRecord::kSize - offset) {
            return device::kStatusFailedFF;
        }
        std::copy_n(deviceInfo_.bytes.begin() + static_cast<std::ptrdiff_t>(offset), data.size(),
                    data.begin());
        return kStatusOk;
    }
    case device::command::kReadSettings:
        return readInto(settings_, request, reply);
    case device::command::kWriteSettings:
        return writeFrom(settings_, request);
    case device::command::kReadKeyTable:
        return readInto(keyTable_, request, reply);
    case device::command::kWriteKeyTable:
        return writeFrom(keyTable_, request);
    case device::command::kWriteLightFrame:
        return writeFrom(lightPages_, request);
    case device::command::kLiveLightFrame:
        return storeLiveFrame(request);
    case device::command::kWriteMacroImage:
        return writeFrom(macroMemory_, request);
    case device::command::kWriteGunKeyData:
        return storeGunKeyChunk(request);
    case device::command::kReadStatus:
        return readInto(status_, request, reply);
    case device::command::kReadLedIndexTable:
        return readInto(ledIndexTable_, request, reply);
    default:
        return device::kStatusFailedFF; // not a command this device knows
    }
}

} // namespace morva::emulator
