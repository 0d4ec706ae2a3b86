#include "frontend/qt/skin_pictures.h"

#include "base/text.h"
#include "base/trace.h"

#include <QPainter>
#include <algorithm>
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
    plain_.clear();
    files_.clear();
}

std::filesystem::path SkinPictures::fileOf(const std::string& description) const {
    if (auto known = files_.find(description); known != files_.end()) {
        return known->second;
    }
    return files_.emplace(description, locate(description)).first->second;
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
    if (description.empty()) {
        return {};
    }
    const std::filesystem::path file = fileOf(description);
    if (isSvgFile(file) && !size.isEmpty()) {
        return svgPicture(file, devicePixels(size, pixelRatio), pixelRatio);
    }
    return plainPicture(file);
}

QPixmap SkinPictures::tinted(const std::string& description, QSize size, qreal pixelRatio,
                             const QColor& colour) {
    const QPixmap shape = picture(description, size, pixelRatio);
    if (shape.isNull()) {
        return {};
    }
    QPixmap out(shape.size());
    out.setDevicePixelRatio(shape.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.drawPixmap(0, 0, shape);
    // Keeps the shape's coverage and takes the colour: one small fill, no SVG drawing.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(out.rect(), colour);
    painter.end();
    return out;
}

QSvgRenderer* SkinPictures::svgOf(const std::filesystem::path& file) {
    const std::string key = file.string();
    if (auto known = svgs_.find(key); known != svgs_.end()) {
        return known->second.get();
    }
    auto renderer = std::make_unique<QSvgRenderer>(toQPath(file));
    if (!renderer->isValid()) {
        trace("SKIN PICTURE NOT READABLE: %s\n", key.c_str());
        renderer.reset();
    }
    return svgs_.emplace(key, std::move(renderer)).first->second.get();
}

QPixmap SkinPictures::svgPicture(const std::filesystem::path& file, QSize pixels,
                                 qreal pixelRatio) {
    const QString key =
        QStringLiteral("%1|%2x%3").arg(toQPath(file)).arg(pixels.width()).arg(pixels.height());
    if (const QPixmap* drawn = drawn_.object(key)) {
        return *drawn;
    }
    QPixmap out;
    if (QSvgRenderer* svg = svgOf(file)) {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        out = QPixmap::fromImage(std::move(image));
        out.setDevicePixelRatio(pixelRatio);
    }
    const qsizetype kib =
        std::max<qsizetype>(1, qsizetype{pixels.width()} * pixels.height() * 4 / 1024);
    drawn_.insert(key, new QPixmap(out), kib);
    return out;
}

QPixmap SkinPictures::plainPicture(const std::filesystem::path& file) {
    const std::string key = file.string();
    if (auto loaded = plain_.find(key); loaded != plain_.end()) {
        return loaded->second;
    }
    QPixmap out;
    // A missing picture draws nothing.
    out.load(toQPath(file));
    plain_.emplace(key, out);
    return out;
}

} // namespace morva::qt
