#pragma once

#include "ui/toolkit/control.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace morva::ui {

// Makes controls by skin tag. It knows the toolkit's own kinds; the program registers its
// custom classes by name ("CCircleProgressUI" is found for the tag "CircleProgress" too).
// Tags and names compare without case.
class ControlFactory {
public:
    using Maker = std::function<std::unique_ptr<Control>()>;

    ControlFactory();

    void registerClass(std::string_view name, Maker maker);
    // Null for a tag nobody knows.
    std::unique_ptr<Control> create(std::string_view tag) const;
    bool knows(std::string_view tag) const;

private:
    const Maker* find(std::string_view tag) const;

    std::map<std::string, Maker, std::less<>> makers_;
};

} // namespace morva::ui
