#include "frontend/qt/repaint_gatherer.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

// Repaints asked for together: many siblings repaint as one rectangle of their parent, a few as
// themselves, and a widget gone before the loop runs is left out.
namespace morva::qt::test {
namespace {

// A widget that notes the region of every paint event it gets.
class PaintLog : public QWidget {
public:
    using QWidget::QWidget;
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override { painted += event->region(); }
};

class RepaintGathererTest : public ::testing::Test {
protected:
    RepaintGathererTest() {
        top.resize(400, 120);
        parent = new PaintLog(&top);
        parent->setGeometry(0, 0, 400, 120);
        // A row of 12 small children, 30 pixels apart.
        for (int i = 0; i < 12; ++i) {
            auto* child = new PaintLog(parent);
            child->setGeometry(10 + i * 30, 40, 20, 20);
            children.push_back(child);
        }
        top.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&top));
        settle();
    }

    void settle() {
        runLoop();
        QCoreApplication::sendPostedEvents();
        parent->painted = {};
        for (PaintLog* child : children) {
            child->painted = {};
        }
    }

    static void runLoop() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }

    QWidget top;
    PaintLog* parent = nullptr;
    std::vector<PaintLog*> children;
    QObject context;
    RepaintGatherer gatherer{context};
};

TEST_F(RepaintGathererTest, ManySiblingsRepaintAsOneRectangleAroundThem) {
    // Children 1..10: the ten of them in one rectangle, from child 1's left to child 10's right.
    for (size_t i = 1; i <= 10; ++i) {
        gatherer.repaint(*children[i]);
    }
    EXPECT_TRUE(parent->painted.isEmpty()) << "nothing repaints before the loop runs";
    runLoop();
    const QRect around(children[1]->geometry().topLeft(), children[10]->geometry().bottomRight());
    EXPECT_EQ(parent->painted, QRegion(around));
    EXPECT_TRUE(children[0]->painted.isEmpty()) << "outside the rectangle";
    EXPECT_FALSE(children[5]->painted.isEmpty());
}

TEST_F(RepaintGathererTest, AFewSiblingsRepaintAsThemselves) {
    for (const size_t i : {0, 4, 9}) {
        gatherer.repaint(*children[i]);
        gatherer.repaint(*children[i]); // asked twice, repainted once
    }
    runLoop();
    QRegion expected;
    for (const size_t i : {0, 4, 9}) {
        expected += children[i]->geometry();
        EXPECT_FALSE(children[i]->painted.isEmpty()) << "child " << i;
    }
    EXPECT_EQ(parent->painted, expected);
    EXPECT_TRUE(children[5]->painted.isEmpty()) << "not asked";
}

TEST_F(RepaintGathererTest, AWidgetGoneBeforeTheLoopRunsIsLeftOut) {
    gatherer.repaint(*children[2]);
    gatherer.repaint(*children[3]);
    delete children[2];
    children.erase(children.begin() + 2);
    runLoop();
    EXPECT_FALSE(children[2]->painted.isEmpty()) << "the one that stayed (child 3)";
}

} // namespace
} // namespace morva::qt::test
