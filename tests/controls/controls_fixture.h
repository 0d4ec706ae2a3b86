#pragma once

#include "tests/toolkit/toolkit_fixture.h"
#include "ui/toolkit/container.h"

#include <memory>
#include <string>
#include <utility>

namespace morva::ui::test {

// A bare window on the virtual clock whose root holds the controls under test; every
// notification is logged as "type:sender".
class ControlsTest : public ToolkitTest {
protected:
    ControlsTest() {
        window.create("ControlsTest", "controls", {400, 300});
        auto root = std::make_unique<VerticalLayout>();
        rootBox = root.get();
        window.setRoot(std::move(root));
        window.setNotifyHandler(
            [this](const Notification& n) { log.push_back(n.type + ":" + n.senderName); });
        drain();
    }

    // Adds a named control to the root (or to a container of the tree) and places it.
    template <typename T> T* place(std::string name, Rect rect = {}, Container* parent = nullptr) {
        auto owned = std::make_unique<T>();
        T* control = owned.get();
        control->setName(std::move(name));
        control->setLayoutRect(rect);
        (parent != nullptr ? parent : rootBox)->add(std::move(owned));
        return control;
    }

    static UiEvent at(EventType type, Point point) {
        UiEvent e = UiEvent::of(type);
        e.point = point;
        return e;
    }

    Window window{toolkit};
    Container* rootBox = nullptr;
};

} // namespace morva::ui::test
