// A frame of the keyboard's lighting preview as the interface thread makes it: every LED of the
// real skin's keyboard takes a new colour, the renderer gathers the repaints and Qt paints them
// into the window's backing store (offscreen, so the display's share is left out).
#include "app/language_apply.h"
#include "frontend/qt/qt_event_loop.h"
#include "frontend/qt/qt_host.h"
#include "frontend/qt/qt_renderer.h"
#include "ui/controls/custom_controls.h"
#include "ui/controls/device_key_button.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

namespace morva::qt {
namespace {

// The keyboard picture where its page puts it, over the window's background.
constexpr const char* kPreviewSkin =
    R"(<VerticalLayout bkimage="common/background.svg" bkcolor="#FF16181D">
         <Include source="XML\DeviceXml\keyboard_keys.xml" float="true" pos="218,6,966,229"/>
       </VerticalLayout>)";

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

class KeyboardPreview {
public:
    KeyboardPreview() {
        host_.attach(toolkit_, renderer_);
        const std::filesystem::path skin = std::filesystem::path(MORVA_RUNTIME_DIR) / "skin";
        renderer_.setSkinFolder(skin);
        if (!toolkit_.setResourcePath(skin)) {
            throw std::runtime_error("the skin folder is missing: " + skin.string());
        }
        ui::registerCustomControls(toolkit_.factory());
        app::ToolkitLanguageTarget(toolkit_, {}).rebuildFontTable(app::buildFontTable());
        toolkit_.loadLanguageFile("lan_en.xml");

        window_ = std::make_unique<ui::Window>(toolkit_);
        window_->create("PreviewBench", "preview", {1000, 240});
        window_->setRoot(ui::SkinBuilder(toolkit_).buildFromText(kPreviewSkin));
        window_->show();
        window_->visitControls([this](ui::Control& control) {
            if (auto* led = dynamic_cast<ui::CDeviceKeyButtonUI*>(&control);
                led != nullptr && !led->lightImage().empty()) {
                leds_.push_back(led);
            }
            return true;
        });
        if (leds_.empty()) {
            throw std::runtime_error("the keyboard picture has no LEDs");
        }
        settle();
        QWidget* panel = renderer_.widgetOf(*window_->find("device_key_light"));
        if (panel == nullptr) {
            throw std::runtime_error("the keyboard picture has no widget");
        }
        panel->installEventFilter(&counter_);
    }

    // A colour wave across the keys, one step further each frame.
    void nextFrame() {
        ++frame_;
        for (size_t i = 0; i < leds_.size(); ++i) {
            const QColor colour =
                QColor::fromHsv(static_cast<int>((i * 7 + frame_ * 11) % 360), 255, 255);
            // The device's order: blue in the high byte, red in the low.
            const uint32_t bgr = static_cast<uint32_t>(colour.blue()) << 16 |
                                 static_cast<uint32_t>(colour.green()) << 8 |
                                 static_cast<uint32_t>(colour.red());
            leds_[i]->setLed(bgr, 255, true);
        }
        settle();
    }

    size_t ledCount() const { return leds_.size(); }
    int panelPaints() const { return counter_.paints; }

private:
    // The gathered repaints are posted, and they post the paint.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }

    QtEventLoop loop_;
    // The host is destroyed before the toolkit it observes.
    ui::Toolkit toolkit_{loop_, host_};
    QtHost host_;
    QtRenderer renderer_{toolkit_};
    std::unique_ptr<ui::Window> window_;
    std::vector<ui::CDeviceKeyButtonUI*> leds_;
    PaintCounter counter_;
    int frame_ = 0;
};

void keyboardPreviewFrame(benchmark::State& state) {
    KeyboardPreview preview;
    const int paintsBefore = preview.panelPaints();
    for (auto _ : state) {
        preview.nextFrame();
    }
    // One paint of the picture per frame, or the figure measures something else.
    state.counters["panel paints per frame"] =
        static_cast<double>(preview.panelPaints() - paintsBefore) /
        static_cast<double>(state.iterations());
    state.counters["LEDs"] = static_cast<double>(preview.ledCount());
}
// Qt hands parts of large draws to painting threads: their time counts too.
BENCHMARK(keyboardPreviewFrame)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

} // namespace
} // namespace morva::qt

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
