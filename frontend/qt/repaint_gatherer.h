#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

class QObject;

namespace morva::qt {

// Repaints asked for while the model changes, done together once the loop runs again. When many
// children of one parent ask at once (the LEDs of a preview frame), the parent repaints one
// rectangle around them: left to itself, Qt repaints a region of a hundred small rectangles and
// fills the pictures beneath it batch of spans by batch, each batch handed to its painting
// threads and waited for.
class RepaintGatherer {
public:
    static constexpr size_t kSiblingsForOneRectangle = 8;

    // The gathered repaints are posted to `context`'s thread.
    explicit RepaintGatherer(QObject& context) : context_(context) {}

    void repaint(QWidget& widget);
    // Does the gathered repaints now; the loop calls it once it runs again.
    void repaintGathered();

private:
    QObject& context_;
    std::vector<QPointer<QWidget>> asked_;
    bool posted_ = false;
};

} // namespace morva::qt
