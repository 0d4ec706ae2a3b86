#pragma once

#include "hid/hid_model_tables.h"

#include <functional>
#include <mutex>
#include <vector>

namespace morva::hid {

// The slot list: a copy of the supported-interface table whose slots get an interface assigned
// while it is present. Slot indices are row indices. Only the scan thread assigns and releases
// slots; the interface thread reads them. Reads and writes are locked, so a reader never sees a
// half-written path.
class SlotList {
public:
    // A copy of the shipped models' supported-interface table.
    SlotList();
    explicit SlotList(std::vector<InterfaceSlot> table);

    size_t size() const;
    InterfaceSlot at(size_t index) const;
    std::vector<InterfaceSlot> snapshot() const;

    bool anySlotFree() const;
    // Some slot holds this interface already.
    bool isAssigned(const std::wstring& path) const;
    // Some table row has the key's vendorId, productId, interfaceNumber and collectionNumber, and
    // some slot with those four values is free.
    bool preMatch(const InterfaceSlot& key) const;
    // Finds the table row equal to the key in all six identifying values, copies its deviceType
    // and role into the key, takes the first free slot with the same six values (connected, the
    // key's path) and returns its index; -1 when either search fails.
    int assign(InterfaceSlot& key);
    // Frees a slot (connected 0, path empty).
    void release(size_t index);
    // Changes fields the scan thread does not own (the partner fields).
    void modify(size_t index, const std::function<void(InterfaceSlot&)>& change);

private:
    std::vector<InterfaceSlot> table_; // set once at construction: read without the lock
    mutable std::mutex mutex_;
    std::vector<InterfaceSlot> slots_;
};

} // namespace morva::hid
