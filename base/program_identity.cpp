#include "base/program_identity.h"

namespace morva {

std::string_view programVersion() {
    return MORVA_VERSION;
}

std::string_view desktopId() {
    return MORVA_DESKTOP_ID;
}

} // namespace morva
