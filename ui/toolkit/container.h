#pragma once

#include "ui/toolkit/control.h"

#include <functional>
#include <memory>
#include <vector>

namespace morva::ui {

// A control with children. The plain container places its children freely: each child's "pos"
// is its rectangle inside the container (the "free positioning" the device pictures use).
class Container : public Control {
public:
    std::string_view className() const override { return "Container"; }
    Container* asContainer() override { return this; }

    size_t count() const { return children_.size(); }
    Control* childAt(size_t index) const;
    int indexOf(const Control* child) const;
    const std::vector<std::unique_ptr<Control>>& children() const { return children_; }

    // Adds at the end or at an index (clamped to the end); returns the added control.
    Control* add(std::unique_ptr<Control> child);
    Control* addAt(std::unique_ptr<Control> child, size_t index);
    // Takes a child out of the tree and hands it back; null when it is not a child.
    std::unique_ptr<Control> remove(Control* child);
    void removeAll();

    // Depth first, this container excluded; the visitor returns false to stop.
    bool visitDescendants(const std::function<bool(Control&)>& visitor) const;
    // The first descendant with exactly this name, or null (also for an empty name).
    Control* findDescendant(std::string_view name) const;
    template <typename T> T* findDescendantAs(std::string_view name) const {
        return dynamic_cast<T*>(findDescendant(name));
    }

    // Gap between children of a layout, and the inner margin.
    int childPadding() const { return childPadding_; }
    void setChildPadding(int padding);
    const Rect& inset() const { return inset_; }
    void setInset(const Rect& inset);

    bool setAttribute(std::string_view name, std::string_view value) override;
    void onLanguageChanged() override;

protected:
    virtual void onChildAdded(Control& /*child*/, size_t /*index*/) {}
    virtual void onChildRemoved(size_t /*index*/) {}
    void onWindowChanged() override;

private:
    std::vector<std::unique_ptr<Control>> children_;
    int childPadding_ = 0;
    Rect inset_;
};

// Children one below the other.
class VerticalLayout : public Container {
public:
    std::string_view className() const override { return "VerticalLayout"; }
};

// Children side by side.
class HorizontalLayout : public Container {
public:
    std::string_view className() const override { return "HorizontalLayout"; }
};

// Shows one child (page) at a time.
class TabLayout : public Container {
public:
    std::string_view className() const override { return "TabLayout"; }

    // -1 while there is no page.
    int selectedIndex() const { return selected_; }
    // Shows that page and hides the others; false for an index that is not a page.
    bool selectItem(int index);
    bool selectItem(const Control* page);

    bool setAttribute(std::string_view name, std::string_view value) override;

protected:
    void onChildAdded(Control& child, size_t index) override;
    void onChildRemoved(size_t index) override;

private:
    int selected_ = -1;
};

} // namespace morva::ui
