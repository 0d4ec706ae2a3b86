#pragma once

#include "hid/hid_model_tables.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace morva::hid {

// The product list handed to the update check and the about window: one record per product-table
// row. A model's record carries the HID version number of the device on its tab when its command
// channel is open (tabVersion returns 0 otherwise); the software's record, the last, carries the
// software's own version.
std::vector<ProductRecord> buildProductList(const std::function<uint32_t(size_t tab)>& tabVersion,
                                            uint32_t softwareVersion);

} // namespace morva::hid
