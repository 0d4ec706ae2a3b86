#include "frontend/qt/main_window_parts.h"

namespace morva::qt {

std::vector<MainWindowPart> createMainWindowParts(MainWindowContext& /*context*/) {
    // The device manager and the routing core join here: create them with the context's
    // toolkit, loop, window and router, fill in context.chrome.hooks() and
    // context.createControl, and return them so they live as long as the window.
    return {};
}

} // namespace morva::qt
