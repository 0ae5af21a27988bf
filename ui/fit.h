#pragma once

// How a caption that does not fit its fixed label is made to fit: narrower letters first, then a
// smaller size, each just enough. Both bindings measure with their own fonts and share this rule.

#include <functional>

namespace ui {

// Letters are narrowed no further than a condensed face (OpenType width class 3, 75 %); beyond
// that the caption is made smaller instead, which keeps letter shapes intact.
inline constexpr int NarrowestStretch = 75;

struct FitChoice
{
    int pixelSize; // the full size, unless even the narrowest letters do not fit at it
    int stretch; // percent of the normal width, NarrowestStretch to 100
};

// The largest whole pixel size up to `fullPixelSize`, then the widest stretch, at which
// `fits(pixelSize, stretch)` holds; for a caption that fits as it stands, {fullPixelSize, 100}.
// Where even one pixel does not fit, the caption is drawn at it anyway. Both searches halve their
// range, so a caption is measured some ten times, not a hundred.
FitChoice chooseFit(int fullPixelSize, const std::function<bool(int pixelSize, int stretch)> &fits);

} // namespace ui
