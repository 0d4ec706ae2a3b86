#pragma once

#include <QImage>
#include <optional>

namespace morva::qt {

// A picture of smooth surfaces (the gradients of a window's background) looks the same kept at a
// fraction of its resolution and enlarged block by block when drawn, for a fraction of the
// memory. This is the reduced picture when it does: each pixel is within `tolerance` levels of
// its block's average, and neighbouring blocks are within `tolerance` of each other, so a
// block-by-block enlargement is off by at most twice that anywhere, even where the painter's
// rounding takes a neighbouring block. Null when the picture has more detail than that.
std::optional<QImage> reducedIfSmooth(const QImage& picture, int factor, int tolerance);

} // namespace morva::qt
