#include "app/shell_messages.h"

#include "base/trace.h"

namespace morva::app {

void ShellMessageRouter::route(const platform::Message& message) {
    switch (message.kind) {
    case platform::MessageKind::Instance:
        trace("软件标示 %d，%xd%xd\n", static_cast<int>(message.kind), message.wParam,
              static_cast<unsigned>(message.lParam));
        if (onInstance_) {
            onInstance_(message.wParam, message.lParam);
        }
        return;
    case platform::MessageKind::Forward:
        if (forwardTarget_) {
            forwardTarget_(message);
        }
        return;
    case platform::MessageKind::LightControl:
        lightControl_.onLightControlMessage(message.wParam, message.lParam);
        return;
    case platform::MessageKind::Announce:
        // Our own announcements are for other programs.
        return;
    }
}

} // namespace morva::app
