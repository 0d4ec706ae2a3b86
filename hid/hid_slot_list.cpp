#include "hid/hid_slot_list.h"

#include <algorithm>

namespace morva::hid {
namespace {

bool sameInterface(const InterfaceSlot& a, const InterfaceSlot& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber;
}

bool sameInterfaceAndUsage(const InterfaceSlot& a, const InterfaceSlot& b) {
    return sameInterface(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

} // namespace

SlotList::SlotList() : SlotList(SupportedInterfaceTable()) {}

SlotList::SlotList(std::vector<InterfaceSlot> table) : table_(std::move(table)), slots_(table_) {}

size_t SlotList::size() const {
    std::lock_guard lock(mutex_);
    return slots_.size();
}

InterfaceSlot SlotList::at(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < slots_.size() ? slots_[index] : InterfaceSlot{};
}

std::vector<InterfaceSlot> SlotList::snapshot() const {
    std::lock_guard lock(mutex_);
    return slots_;
}

bool SlotList::anySlotFree() const {
    std::lock_guard lock(mutex_);
    return std::any_of(slots_.begin(), slots_.end(), [](const auto& s) { return s.isFree(); });
}

bool SlotList::isAssigned(const std::wstring& path) const {
    std::lock_guard lock(mutex_);
    return std::any_of(slots_.begin(), slots_.end(),
                       [&](const auto& s) { return s.connected != 0 && s.path == path; });
}

bool SlotList::preMatch(const InterfaceSlot& key) const {
    const bool inTable = std::any_of(table_.begin(), table_.end(),
                                     [&](const auto& row) { return sameInterface(row, key); });
    std::lock_guard lock(mutex_);
    return inTable && std::any_of(slots_.begin(), slots_.end(), [&](const auto& slot) {
               return slot.isFree() && sameInterface(slot, key);
           });
}

int SlotList::assign(InterfaceSlot& key) {
    const auto row = std::find_if(table_.begin(), table_.end(),
                                  [&](const auto& r) { return sameInterfaceAndUsage(r, key); });
    if (row == table_.end()) {
        return -1;
    }
    key.deviceType = row->deviceType;
    key.role = row->role;
    std::lock_guard lock(mutex_);
    const auto slot = std::find_if(slots_.begin(), slots_.end(), [&](const auto& s) {
        return s.isFree() && sameInterfaceAndUsage(s, key);
    });
    if (slot == slots_.end()) {
        return -1;
    }
    slot->connected = 1;
    slot->path = key.path;
    return static_cast<int>(slot - slots_.begin());
}

void SlotList::release(size_t index) {
    std::lock_guard lock(mutex_);
    if (index < slots_.size()) {
        slots_[index].connected = 0;
        slots_[index].path.clear();
    }
}

void SlotList::modify(size_t index, const std::function<void(InterfaceSlot&)>& change) {
    std::lock_guard lock(mutex_);
    if (index < slots_.size()) {
        change(slots_[index]);
    }
}

} // namespace morva::hid
