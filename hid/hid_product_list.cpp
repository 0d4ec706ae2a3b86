#include "hid/hid_product_list.h"

namespace morva::hid {

std::vector<ProductRecord> buildProductList(const std::function<uint32_t(size_t tab)>& tabVersion,
                                            uint32_t softwareVersion) {
    const auto& table = ProductTable();
    std::vector<ProductRecord> list(table.begin(), table.end());
    for (ProductRecord& record : list) {
        const bool software = record.tabRow < 0;
        record.versionNumber = software     ? softwareVersion
                               : tabVersion ? tabVersion(static_cast<size_t>(record.tabRow))
                                            : 0;
    }
    return list;
}

} // namespace morva::hid
