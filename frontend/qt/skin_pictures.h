#pragma once

#include <QCache>
#include <QColor>
#include <QHashFunctions>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QSvgRenderer>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class QPainter;

namespace morva::qt {

// The value of `key='…'` in an image description ("file='x.svg' fade='128'"), if it has one.
std::optional<std::string> imageDescriptionValue(std::string_view description,
                                                 std::string_view key);

// The skin's pictures as the widgets draw them. An SVG picture is drawn at the size of its box
// in device pixels, so it is crisp at every display scale; each file is parsed once, and the
// pictures drawn lately are kept (up to kDrawnBudgetKiB), so a repaint does not draw again but
// resizing the window through many sizes does not keep a background for each. A large one made
// of smooth surfaces only, as the window's backgrounds are, is kept at a quarter of that
// resolution (see reducedIfSmooth). Other pictures (PNG, a user's background) are read once and
// scaled by the painter.
class SkinPictures {
public:
    static constexpr int kDrawnBudgetKiB = 32 * 1024;
    static constexpr int kShapeBudgetKiB = 1024;
    // Smaller pictures are kept as drawn.
    static constexpr qsizetype kReduceFromKiB = 256;
    static constexpr int kReduction = 4;
    static constexpr int kReductionTolerance = 2;

    SkinPictures() : drawn_(kDrawnBudgetKiB) {}

    // Relative descriptions are looked up here; absolute paths are read as given.
    void setFolder(std::filesystem::path folder);

    // The picture of an image description ("file='x.svg' ..." or a plain path) for a box of
    // `size` logical pixels on a device of that pixel ratio; null when the file is missing.
    QPixmap picture(const std::string& description, QSize size, qreal pixelRatio);
    // Draws the picture into the box: a reduced picture is enlarged block by block, which is
    // as cheap as drawing it whole; others as the painter's hints say.
    void draw(QPainter& painter, const QRect& box, const std::string& description);
    // The picture's shape in one colour (its alpha kept, its colours replaced), for pictures
    // coloured at run time such as an LED's glow. Only the shape is cached, never the colour;
    // the colour is laid on without a painter, since the LED preview does it for every LED on
    // every frame.
    QImage tinted(const std::string& description, QSize size, qreal pixelRatio,
                  const QColor& colour);

    // The file a description names, as found in the folder; found once per description, since
    // every repaint asks again.
    const std::filesystem::path& fileOf(const std::string& description) const;
    // What the drawn pictures kept take.
    qsizetype drawnKiB() const { return drawn_.totalCost(); }

private:
    // A description's file as the drawing needs it, worked out once.
    struct Source {
        std::filesystem::path file;
        QString qtPath;
        bool vector = false;
        size_t fileNumber = 0; // the same for descriptions that name the same file
    };
    // A drawn picture: its file and its size in device pixels.
    struct DrawnKey {
        size_t fileNumber = 0;
        QSize pixels;
        bool operator==(const DrawnKey&) const = default;
        friend size_t qHash(const DrawnKey& key, size_t seed) {
            return qHashMulti(seed, key.fileNumber, key.pixels.width(), key.pixels.height());
        }
    };

    // A drawn SVG picture as kept.
    struct Drawn {
        QPixmap pixmap;
        bool reduced = false;
    };

    const Source& sourceOf(const std::string& description) const;
    Drawn svgPicture(const Source& source, QSize pixels, qreal pixelRatio);
    Drawn drawnPicture(const std::string& description, QSize size, qreal pixelRatio);
    QPixmap plainPicture(const Source& source);
    QSvgRenderer* svgOf(const Source& source);
    std::filesystem::path locate(const std::string& description) const;
    // The shape's coverage, one byte a pixel, for tinting.
    const QImage* shapeOf(const std::string& description, QSize size, qreal pixelRatio);

    std::filesystem::path folder_;
    // Parsed SVG files and read plain pictures, by the file's number.
    std::unordered_map<size_t, std::unique_ptr<QSvgRenderer>> svgs_;
    std::unordered_map<size_t, QPixmap> plain_;
    // In both caches the cost of an entry is its size in KiB.
    QCache<DrawnKey, Drawn> drawn_;
    QCache<DrawnKey, QImage> shapes_{kShapeBudgetKiB};
    mutable std::map<std::string, Source, std::less<>> sources_;
    mutable std::map<std::filesystem::path, size_t> fileNumbers_;
};

} // namespace morva::qt
