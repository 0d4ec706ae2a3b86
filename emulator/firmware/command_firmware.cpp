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

bool contains(const std::vector<FaultKind>& fired, FaultKind kind) {
    return std::find(fired.begin(), fired.end(), kind) != fired.end();
}

} // namespace

CommandPacket replyTo(std::span<const uint8_t, kPacketSize> request, uint8_t status) {
    CommandPacket reply{};
    reply[packet_byte::kReportId] = kCommandReportId;
    reply[packet_byte::kCommand] = packetCommand(request);
    reply[packet_byte::kChunkLength] = packetChunkLength(request);
    reply[packet_byte::kOffsetLow] = request[packet_byte::kOffsetLow];
    reply[packet_byte::kOffsetHigh] = request[packet_byte::kOffsetHigh];
    reply[packet_byte::kStatus] = status;
    return reply;
}

CommandFirmware::CommandFirmware(const FirmwareConfig& config, const MemoryLayout& layout)
    : config_(config), layout_(layout),
      settings_(std::max(
          areaSize(layout.settings.readLength, layout.settings.readStride, config.profileCount),
          areaSize(layout.settings.writeLength, layout.settings.writeStride, config.profileCount))),
      keyTable_(size_t{config.keyCount} * 3),
      ledIndexTable_(layout.ledIndexTable ? config.keyCount : 0),
      macroMemory_(size_t{config.macroUnits} * DeviceInfoRecord::kMacroUnitBytes),
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

void CommandFirmware::injectFault(FaultKind kind, int command, uint32_t nth) {
    faults_.arm(kind, command, nth);
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

bool CommandFirmware::wellFormed(std::span<const uint8_t, kPacketSize> request) {
    return request[packet_byte::kReportId] == kCommandReportId &&
           packetChunkLength(request) <= kChunkSize && hasValidChecksum(request);
}

FirmwareResponse CommandFirmware::receiveOutputReport(std::span<const uint8_t> report) {
    if (report.size() == kPacketSize && report[0] == kCommandReportId) {
        return handleRequest(report.first<kPacketSize>());
    }
    if (!plugged_) {
        return FirmwareResponse{.accepted = false};
    }
    return handleOtherReport(report);
}

FirmwareResponse CommandFirmware::handleOtherReport(std::span<const uint8_t> /*report*/) {
    return {};
}

FirmwareResponse CommandFirmware::handleRequest(std::span<const uint8_t, kPacketSize> request) {
    FirmwareResponse response;
    if (!plugged_) {
        response.accepted = false;
        return response;
    }
    const uint8_t command = packetCommand(request);
    const std::vector<FaultKind> fired =
        faults_.empty() ? std::vector<FaultKind>{} : faults_.take(command);
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
    for (FaultKind kind : fired) {
        if (kind == FaultKind::StrayReport) {
            CommandPacket stray = replyTo(request, kStatusOk);
            stray[packet_byte::kCommand] = static_cast<uint8_t>(~command);
            response.add(stray);
        }
    }

    CommandPacket reply;
    if (!wellFormed(request)) {
        ++malformedRequests_;
        reply = replyTo(request, kStatusFailedFF);
    } else if (contains(fired, FaultKind::StatusFF)) {
        reply = replyTo(request, kStatusFailedFF);
    } else if (contains(fired, FaultKind::StatusFE)) {
        reply = replyTo(request, kStatusFailedFE);
    } else {
        reply = replyTo(request, kStatusOk);
        const uint8_t status = execute(request, reply);
        reply[packet_byte::kStatus] = status;
    }
    if (contains(fired, FaultKind::WrongEcho)) {
        reply[packet_byte::kCommand] = static_cast<uint8_t>(~command);
    }
    sealPacket(reply);
    response.add(reply);
    return response;
}

uint8_t CommandFirmware::readInto(const MemoryArea& area,
                                  std::span<const uint8_t, kPacketSize> request,
                                  CommandPacket& reply) const {
    const std::span<uint8_t> data =
        std::span<uint8_t>(reply).subspan(packet_byte::kData, packetChunkLength(request));
    return area.read(packetOffset(request), data) ? kStatusOk : kStatusFailedFF;
}

uint8_t CommandFirmware::writeFrom(MemoryArea& area,
                                   std::span<const uint8_t, kPacketSize> request) {
    const std::span<const uint8_t> data = packetData(request).first(packetChunkLength(request));
    return area.write(packetOffset(request), data) ? kStatusOk : kStatusFailedFF;
}

uint8_t CommandFirmware::storeLiveFrame(std::span<const uint8_t, kPacketSize> request) {
    const size_t offset = packetOffset(request);
    if (offset == 0) {
        liveFrameLength_ = 0;
        ++liveFrames_;
    }
    const uint8_t status = writeFrom(liveFrame_, request);
    if (status == kStatusOk) {
        liveFrameLength_ = std::max(liveFrameLength_, offset + packetChunkLength(request));
    }
    return status;
}

uint8_t CommandFirmware::execute(std::span<const uint8_t, kPacketSize> request,
                                 CommandPacket& reply) {
    switch (packetCommand(request)) {
    case command::kBeginTransaction:
        inTransaction_ = true;
        ++transactionsBegun_;
        return kStatusOk;
    case command::kEndTransaction:
        inTransaction_ = false;
        ++transactionsEnded_;
        return kStatusOk;
    case command::kReadDeviceInfo: {
        const std::span<uint8_t> data =
            std::span<uint8_t>(reply).subspan(packet_byte::kData, packetChunkLength(request));
        const size_t offset = packetOffset(request);
        if (offset > DeviceInfoRecord::kSize || data.size() > DeviceInfoRecord::kSize - offset) {
            return kStatusFailedFF;
        }
        std::copy_n(deviceInfo_.bytes.begin() + static_cast<std::ptrdiff_t>(offset), data.size(),
                    data.begin());
        return kStatusOk;
    }
    case command::kReadSettings:
        return readInto(settings_, request, reply);
    case command::kWriteSettings:
        return writeFrom(settings_, request);
    case command::kReadKeyTable:
        return readInto(keyTable_, request, reply);
    case command::kWriteKeyTable:
        return writeFrom(keyTable_, request);
    case command::kWriteLightFrame:
        return writeFrom(lightPages_, request);
    case command::kLiveLightFrame:
        return storeLiveFrame(request);
    case command::kWriteMacroImage:
        return writeFrom(macroMemory_, request);
    case command::kWriteGunKeyData:
        return writeFrom(gunKeyMemory_, request);
    case command::kReadStatus:
        return readInto(status_, request, reply);
    case command::kReadLedIndexTable:
        return readInto(ledIndexTable_, request, reply);
    default:
        return kStatusFailedFF; // not a command this device knows
    }
}

} // namespace morva::emulator
