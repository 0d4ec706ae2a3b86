#include "frontend/qt/skin_pictures.h"

#include "base/text.h"
#include "base/trace.h"
#include "frontend/qt/smooth_reduction.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace morva::qt {
namespace {

QString toQPath(const std::filesystem::path& file) {
    return QString::fromStdString(file.string());
}

QSize devicePixels(QSize size, qreal pixelRatio) {
    return {std::max(1, static_cast<int>(std::lround(size.width() * pixelRatio))),
            std::max(1, static_cast<int>(std::lround(size.height() * pixelRatio)))};
}

// A vector picture, drawn at any size.
bool isSvgFile(const std::filesystem::path& file) {
    return toLowerAscii(file.extension().string()) == ".svg";
}

} // namespace

std::optional<std::string> imageDescriptionValue(std::string_view description,
                                                 std::string_view key) {
    const std::string opening = std::string(key) + "='";
    const size_t at = description.find(opening);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const size_t start = at + opening.size();
    const size_t end = description.find('\'', start);
    return std::string(description.substr(
        start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

void SkinPictures::setFolder(std::filesystem::path folder) {
    folder_ = std::move(folder);
    svgs_.clear();
    drawn_.clear();
    shapes_.clear();
    plain_.clear();
    sources_.clear();
    fileNumbers_.clear();
}

const SkinPictures::Source& SkinPictures::sourceOf(const std::string& description) const {
    if (auto known = sources_.find(description); known != sources_.end()) {
        return known->second;
    }
    std::filesystem::path file = locate(description);
    const size_t number = fileNumbers_.emplace(file, fileNumbers_.size()).first->second;
    Source source{file, toQPath(file), isSvgFile(file), number};
    return sources_.emplace(description, std::move(source)).first->second;
}

const std::filesystem::path& SkinPictures::fileOf(const std::string& description) const {
    return sourceOf(description).file;
}

std::filesystem::path SkinPictures::locate(const std::string& description) const {
    // "file='x.svg' ..." or a plain path.
    std::string file = imageDescriptionValue(description, "file").value_or(description);
    std::replace(file.begin(), file.end(), '\\', '/');
    std::filesystem::path path(file);
    if (path.is_relative()) {
        path = folder_ / path;
    }
    // Earlier versions drew the skin's pictures as PNG and recorded choices (a preset
    // background) by those names; the same picture is now an SVG beside where the PNG was.
    std::error_code error;
    if (toLowerAscii(path.extension().string()) == ".png" &&
        !std::filesystem::exists(path, error)) {
        std::filesystem::path vector = path;
        vector.replace_extension(".svg");
        if (std::filesystem::exists(vector, error)) {
            return vector;
        }
    }
    return path;
}

QPixmap SkinPictures::picture(const std::string& description, QSize size, qreal pixelRatio) {
    return drawnPicture(description, size, pixelRatio).pixmap;
}

SkinPictures::Drawn SkinPictures::drawnPicture(const std::string& description, QSize size,
                                               qreal pixelRatio) {
    if (description.empty()) {
        return {};
    }
    const Source& source = sourceOf(description);
    if (source.vector && !size.isEmpty()) {
        return svgPicture(source, devicePixels(size, pixelRatio), pixelRatio);
    }
    return {plainPicture(source), false};
}

void SkinPictures::draw(QPainter& painter, const QRect& box, const std::string& description) {
    const Drawn drawn =
        drawnPicture(description, box.size(), painter.device()->devicePixelRatioF());
    if (drawn.pixmap.isNull()) {
        return;
    }
    if (!drawn.reduced) {
        painter.drawPixmap(box, drawn.pixmap);
        return;
    }
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(box, drawn.pixmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

const QImage* SkinPictures::shapeOf(const std::string& description, QSize size, qreal pixelRatio) {
    const DrawnKey key{sourceOf(description).fileNumber, devicePixels(size, pixelRatio)};
    if (const QImage* shape = shapes_.object(key)) {
        return shape;
    }
    const QPixmap drawn = picture(description, size, pixelRatio);
    if (drawn.isNull()) {
        return nullptr;
    }
    auto* shape = new QImage(drawn.toImage().convertToFormat(QImage::Format_Alpha8));
    shape->setDevicePixelRatio(drawn.devicePixelRatio());
    const qsizetype kib = std::max<qsizetype>(1, shape->sizeInBytes() / 1024);
    return shapes_.insert(key, shape, kib) ? shape : nullptr;
}

QImage SkinPictures::tinted(const std::string& description, QSize size, qreal pixelRatio,
                            const QColor& colour) {
    const QImage* shape = shapeOf(description, size, pixelRatio);
    if (shape == nullptr) {
        return {};
    }
    QImage out(shape->size(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(shape->devicePixelRatio());
    // The colour at each coverage, premultiplied once for the whole picture.
    const QRgb rgb = colour.rgb();
    std::array<QRgb, 256> ramp{};
    for (int coverage = 0; coverage < 256; ++coverage) {
        ramp[static_cast<size_t>(coverage)] =
            qPremultiply(qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), coverage));
    }
    const int width = shape->width();
    const int height = shape->height();
    for (int y = 0; y < height; ++y) {
        const uchar* coverage = shape->constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = ramp[coverage[x]];
        }
    }
    return out;
}

QSvgRenderer* SkinPictures::svgOf(const Source& source) {
    if (auto known = svgs_.find(source.fileNumber); known != svgs_.end()) {
        return known->second.get();
    }
    auto renderer = std::make_unique<QSvgRenderer>(source.qtPath);
    if (!renderer->isValid()) {
        trace("SKIN PICTURE NOT READABLE: %s\n", source.file.string().c_str());
        renderer.reset();
    }
    return svgs_.emplace(source.fileNumber, std::move(renderer)).first->second.get();
}

SkinPictures::Drawn SkinPictures::svgPicture(const Source& source, QSize pixels, qreal pixelRatio) {
    const DrawnKey key{source.fileNumber, pixels};
    if (const Drawn* drawn = drawn_.object(key)) {
        return *drawn;
    }
    Drawn out;
    if (QSvgRenderer* svg = svgOf(source)) {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        if (image.sizeInBytes() / 1024 >= kReduceFromKiB) {
            if (std::optional<QImage> reduced =
                    reducedIfSmooth(image, kReduction, kReductionTolerance)) {
                image = std::move(*reduced);
                out.reduced = true;
            }
        }
        out.pixmap = QPixmap::fromImage(std::move(image));
        out.pixmap.setDevicePixelRatio(out.reduced ? pixelRatio / kReduction : pixelRatio);
    }
    const qsizetype kib =
        std::max<qsizetype>(1, qsizetype{out.pixmap.width()} * out.pixmap.height() * 4 / 1024);
    drawn_.insert(key, new Drawn(out), kib);
    return out;
}

QPixmap SkinPictures::plainPicture(const Source& source) {
    if (auto loaded = plain_.find(source.fileNumber); loaded != plain_.end()) {
        return loaded->second;
    }
    QPixmap out;
    // A missing picture draws nothing.
    out.load(source.qtPath);
    plain_.emplace(source.fileNumber, out);
    return out;
}

} // namespace morva::qt
