#pragma once

#include <QCache>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QSvgRenderer>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace morva::qt {

// The skin's pictures as the widgets draw them. An SVG picture is drawn at the size of its box
// in device pixels, so it is crisp at every display scale; each file is parsed once, and the
// pictures drawn lately are kept (up to kDrawnBudgetKiB), so a repaint does not draw again but
// resizing the window through many sizes does not keep a background for each. Other pictures
// (PNG, a user's background) are read once and scaled by the painter.
// The value of `key='…'` in an image description ("file='x.svg' fade='128'"), if it has one.
std::optional<std::string> imageDescriptionValue(std::string_view description,
                                                 std::string_view key);

class SkinPictures {
public:
    static constexpr int kDrawnBudgetKiB = 32 * 1024;

    SkinPictures() : drawn_(kDrawnBudgetKiB) {}

    // Relative descriptions are looked up here; absolute paths are read as given.
    void setFolder(std::filesystem::path folder);

    // The picture of an image description ("file='x.svg' ..." or a plain path) for a box of
    // `size` logical pixels on a device of that pixel ratio; null when the file is missing.
    QPixmap picture(const std::string& description, QSize size, qreal pixelRatio);
    // The picture's shape in one colour (its alpha kept, its colours replaced), for pictures
    // coloured at run time such as an LED's glow. Only the shape is cached, never the colour.
    QPixmap tinted(const std::string& description, QSize size, qreal pixelRatio,
                   const QColor& colour);

    // The file a description names, as found in the folder; found once per description, since
    // every repaint asks again.
    std::filesystem::path fileOf(const std::string& description) const;
    // What the drawn pictures kept take.
    qsizetype drawnKiB() const { return drawn_.totalCost(); }

private:
    QPixmap svgPicture(const std::filesystem::path& file, QSize pixels, qreal pixelRatio);
    QPixmap plainPicture(const std::filesystem::path& file);
    QSvgRenderer* svgOf(const std::filesystem::path& file);
    std::filesystem::path locate(const std::string& description) const;

    std::filesystem::path folder_;
    std::map<std::string, std::unique_ptr<QSvgRenderer>, std::less<>> svgs_;
    // Keyed by file and size in device pixels; the cost of an entry is its size in KiB.
    QCache<QString, QPixmap> drawn_;
    std::map<std::string, QPixmap, std::less<>> plain_;
    mutable std::map<std::string, std::filesystem::path, std::less<>> files_;
};

} // namespace morva::qt
