#include "ui/toolkit/skin_builder.h"

#include "base/text.h"
#include "base/trace.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <pugixml.hpp>

namespace morva::ui {
namespace {

// Deep enough for any real skin, shallow enough to stop a file that includes itself.
constexpr int kMaxDepth = 64;

bool isTag(const pugi::xml_node& node, std::string_view tag) {
    return equalsIgnoreCase(node.name(), tag);
}

void applyWindowAttributes(const pugi::xml_node& node, Window& window) {
    for (const pugi::xml_attribute a : node.attributes()) {
        if (equalsIgnoreCase(a.name(), "size")) {
            if (const auto size = attr::parseSize(a.value())) {
                window.resize(*size);
            }
        } else if (equalsIgnoreCase(a.name(), "mininfo")) {
            if (const auto size = attr::parseSize(a.value())) {
                window.setMinimumSize(*size);
            }
        } else if (equalsIgnoreCase(a.name(), "title")) {
            window.setTitle(a.value());
        }
    }
}

void addComboItem(Combo& combo, const pugi::xml_node& node) {
    ComboItem item;
    item.text = node.attribute("text").as_string();
    item.userData = node.attribute("userdata").as_string();
    item.height = attr::parseInt(node.attribute("height").as_string()).value_or(0);
    item.visible = attr::parseBool(node.attribute("visible").as_string()).value_or(true);
    combo.addItem(std::move(item));
    if (attr::parseBool(node.attribute("selected").as_string()).value_or(false)) {
        combo.selectItem(static_cast<int>(combo.count()) - 1, false);
    }
}

} // namespace

std::unique_ptr<Control> SkinBuilder::build(std::string_view resource,
                                            const CreateControlFn& createControl, Window* window) {
    return buildFile(resource, createControl, window, 0);
}

std::unique_ptr<Control> SkinBuilder::buildFile(std::string_view resource,
                                                const CreateControlFn& createControl,
                                                Window* window, int depth) {
    const std::string name(resource);
    const auto path = toolkit_.resources().resolve(resource);
    if (!path) {
        trace("skin \"%s\" not built: no such resource or file in %s", name.c_str(),
              toolkit_.resources().folder().string().c_str());
        return nullptr;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(*path, error)) {
        trace("skin \"%s\" not built: file %s is missing", name.c_str(), path->string().c_str());
        return nullptr;
    }
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(path->c_str());
    if (!parsed) {
        trace("skin \"%s\" not built: %s is not readable XML (%s at byte %td)", name.c_str(),
              path->string().c_str(), parsed.description(), parsed.offset);
        return nullptr;
    }
    return buildDocument(doc.document_element(), name, createControl, window, depth);
}

std::unique_ptr<Control> SkinBuilder::buildFromText(std::string_view xml,
                                                    const CreateControlFn& createControl,
                                                    Window* window) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        trace("skin text not built: %s at byte %td", parsed.description(), parsed.offset);
        return nullptr;
    }
    return buildDocument(doc.document_element(), "(text)", createControl, window, 0);
}

std::unique_ptr<Control> SkinBuilder::buildDocument(const pugi::xml_node& top,
                                                    std::string_view origin,
                                                    const CreateControlFn& createControl,
                                                    Window* window, int depth) {
    pugi::xml_node rootNode = top;
    if (isTag(top, "Window")) {
        if (window != nullptr) {
            applyWindowAttributes(top, *window);
        }
        rootNode = {};
        for (const pugi::xml_node child : top.children()) {
            if (child.type() == pugi::node_element && !isTag(child, "Font") &&
                !isTag(child, "Default")) {
                rootNode = child;
                break;
            }
        }
    }
    std::unique_ptr<Control> root =
        rootNode ? buildElement(rootNode, origin, createControl, depth) : nullptr;
    if (!root) {
        trace("skin \"%.*s\" not built: it holds no control that could be made",
              static_cast<int>(origin.size()), origin.data());
    }
    return root;
}

std::unique_ptr<Control> SkinBuilder::buildElement(const pugi::xml_node& node,
                                                   std::string_view origin,
                                                   const CreateControlFn& createControl,
                                                   int depth) {
    if (depth > kMaxDepth) {
        trace("skin \"%.*s\": nesting deeper than %d, <%s> skipped",
              static_cast<int>(origin.size()), origin.data(), kMaxDepth, node.name());
        return nullptr;
    }
    std::unique_ptr<Control> control;
    if (isTag(node, "Include")) {
        control =
            buildFile(node.attribute("source").as_string(), createControl, nullptr, depth + 1);
    } else {
        control = toolkit_.factory().create(node.name());
        if (!control && createControl) {
            control = createControl(node.name());
        }
        if (!control) {
            trace("skin \"%.*s\": unknown tag <%s> skipped", static_cast<int>(origin.size()),
                  origin.data(), node.name());
            return nullptr;
        }
    }
    if (!control) {
        return nullptr;
    }
    for (const pugi::xml_attribute a : node.attributes()) {
        if (!isTag(node, "Include") || !equalsIgnoreCase(a.name(), "source")) {
            control->setAttribute(a.name(), a.value());
        }
    }
    buildChildren(node, *control, origin, createControl, depth);
    return control;
}

void SkinBuilder::buildChildren(const pugi::xml_node& node, Control& parent,
                                std::string_view origin, const CreateControlFn& createControl,
                                int depth) {
    auto* combo = dynamic_cast<Combo*>(&parent);
    Container* container = parent.asContainer();
    for (const pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (combo != nullptr && isTag(child, "Item")) {
            addComboItem(*combo, child);
            continue;
        }
        if (container == nullptr) {
            trace("skin \"%.*s\": <%s> cannot hold <%s>; skipped", static_cast<int>(origin.size()),
                  origin.data(), node.name(), child.name());
            continue;
        }
        if (auto built = buildElement(child, origin, createControl, depth + 1)) {
            container->add(std::move(built));
        }
    }
}

} // namespace morva::ui
