#include "frontend/qt/repaint_gatherer.h"

#include <QMetaObject>
#include <QObject>
#include <algorithm>
#include <map>
#include <utility>

namespace morva::qt {

void RepaintGatherer::repaint(QWidget& widget) {
    asked_.emplace_back(&widget);
    if (!posted_) {
        posted_ = true;
        QMetaObject::invokeMethod(
            &context_, [this] { repaintGathered(); }, Qt::QueuedConnection);
    }
}

void RepaintGatherer::repaintGathered() {
    posted_ = false;
    std::map<QWidget*, std::vector<QWidget*>> byParent;
    for (const QPointer<QWidget>& asked : std::exchange(asked_, {})) {
        if (QWidget* widget = asked.data()) {
            std::vector<QWidget*>& siblings = byParent[widget->parentWidget()];
            if (std::find(siblings.begin(), siblings.end(), widget) == siblings.end()) {
                siblings.push_back(widget);
            }
        }
    }
    for (const auto& [parent, children] : byParent) {
        if (parent == nullptr || children.size() < kSiblingsForOneRectangle) {
            for (QWidget* child : children) {
                child->update();
            }
            continue;
        }
        QRect around;
        for (const QWidget* child : children) {
            around |= child->geometry();
        }
        parent->update(around);
    }
}

} // namespace morva::qt
