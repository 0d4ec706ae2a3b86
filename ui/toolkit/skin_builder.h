#pragma once

#include "ui/toolkit/control.h"

#include <functional>
#include <memory>
#include <string_view>

namespace pugi {
class xml_node;
}

namespace morva::ui {

class Toolkit;
class Window;

// Called with each tag the builder does not know. The caller returns its own control (which the
// builder then fills with the tag's attributes and, for a container, its children) or null to
// skip the tag.
using CreateControlFn = std::function<std::unique_ptr<Control>(std::string_view tag)>;

// Builds control trees from skin files.
//
// A skin file holds one control element, or a <Window> element whose attributes ("size",
// "title") describe the window and whose first control element is the root. Tags name control
// classes (known to the toolkit's factory, or created by the callback); attributes are the
// controls' attributes; child elements of a container are its children. Items of a combo are
// <Item text=".." userdata=".." height=".." visible=".."/> children. <Include source="file"/>
// builds another skin file in place.
class SkinBuilder {
public:
    explicit SkinBuilder(Toolkit& toolkit) : toolkit_(toolkit) {}

    // The tree of a resource ("XML_MAIN") or skin file; null when the resource is unknown, the
    // file is missing or not well-formed XML, or it holds no control (each traced). With a
    // window, the <Window> attributes apply to it.
    std::unique_ptr<Control> build(std::string_view resource,
                                   const CreateControlFn& createControl = {},
                                   Window* window = nullptr);
    // The same from XML text in memory (rows made at run time, tests of odd input).
    std::unique_ptr<Control> buildFromText(std::string_view xml,
                                           const CreateControlFn& createControl = {},
                                           Window* window = nullptr);

private:
    std::unique_ptr<Control> buildDocument(const pugi::xml_node& top, std::string_view origin,
                                           const CreateControlFn& createControl, Window* window,
                                           int depth);
    std::unique_ptr<Control> buildElement(const pugi::xml_node& node, std::string_view origin,
                                          const CreateControlFn& createControl, int depth);
    void buildChildren(const pugi::xml_node& node, Control& parent, std::string_view origin,
                       const CreateControlFn& createControl, int depth);
    std::unique_ptr<Control> buildFile(std::string_view resource,
                                       const CreateControlFn& createControl, Window* window,
                                       int depth);

    Toolkit& toolkit_;
};

} // namespace morva::ui
