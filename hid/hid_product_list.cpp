#include "hid/hid_product_list.h"

namespace morva {

std::vector<ProductRecord> buildProductList(const std::function<uint32_t(size_t tab)>& tabVersion,
                                            uint32_t softwareVersion) {
    const auto& table = ProductTable();
    std::vector<ProductRecord> list(table.begin(), table.end());
    for (size_t k = 0; k < list.size(); ++k) {
        const bool last = k + 1 == list.size();
        list[k].versionNumber = last ? softwareVersion : (tabVersion ? tabVersion(k) : 0);
    }
    return list;
}

} // namespace morva
