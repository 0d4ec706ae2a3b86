#include "frontend/qt/smooth_reduction.h"

#include <array>
#include <cstdlib>

namespace morva::qt {
namespace {

using Channels = std::array<int, 4>;

Channels channelsOf(QRgb pixel) {
    return {qAlpha(pixel), qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

bool within(const Channels& a, const Channels& b, int tolerance) {
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::abs(a[i] - b[i]) > tolerance) {
            return false;
        }
    }
    return true;
}

// The rounded average of a block of pixels, clipped to the picture.
Channels blockAverage(const QImage& picture, int left, int top, int factor) {
    const int right = std::min(left + factor, picture.width());
    const int bottom = std::min(top + factor, picture.height());
    Channels sum{};
    for (int y = top; y < bottom; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = left; x < right; ++x) {
            const Channels pixel = channelsOf(line[x]);
            for (size_t i = 0; i < sum.size(); ++i) {
                sum[i] += pixel[i];
            }
        }
    }
    const int count = (right - left) * (bottom - top);
    for (int& channel : sum) {
        channel = (channel + count / 2) / count;
    }
    return sum;
}

bool blockIsFlat(const QImage& picture, int left, int top, int factor, const Channels& average,
                 int tolerance) {
    const int right = std::min(left + factor, picture.width());
    const int bottom = std::min(top + factor, picture.height());
    for (int y = top; y < bottom; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = left; x < right; ++x) {
            if (!within(channelsOf(line[x]), average, tolerance)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::optional<QImage> reducedIfSmooth(const QImage& picture, int factor, int tolerance) {
    if (picture.isNull() || factor < 2) {
        return std::nullopt;
    }
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = (source.width() + factor - 1) / factor;
    const int height = (source.height() + factor - 1) / factor;
    QImage reduced(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int by = 0; by < height; ++by) {
        auto* line = reinterpret_cast<QRgb*>(reduced.scanLine(by));
        const auto* above =
            by > 0 ? reinterpret_cast<const QRgb*>(reduced.constScanLine(by - 1)) : nullptr;
        for (int bx = 0; bx < width; ++bx) {
            const Channels average = blockAverage(source, bx * factor, by * factor, factor);
            if (!blockIsFlat(source, bx * factor, by * factor, factor, average, tolerance) ||
                (bx > 0 && !within(average, channelsOf(line[bx - 1]), tolerance)) ||
                (above != nullptr && !within(average, channelsOf(above[bx]), tolerance))) {
                return std::nullopt;
            }
            line[bx] = qRgba(average[1], average[2], average[3], average[0]);
        }
    }
    return reduced;
}

} // namespace morva::qt
