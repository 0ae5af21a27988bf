#include "ui/fit.h"

namespace ui {

FitChoice chooseFit(int fullPixelSize, const std::function<bool(int pixelSize, int stretch)> &fits)
{
    if (fits(fullPixelSize, 100))
        return {fullPixelSize, 100};
    int size = fullPixelSize;
    if (!fits(size, NarrowestStretch)) {
        // Where even this does not fit, the caption is drawn at it anyway; neither search could
        // find more, and each of their steps would measure the whole caption again.
        if (!fits(1, NarrowestStretch))
            return {1, NarrowestStretch};
        int small = 1;
        int tooLarge = fullPixelSize;
        while (tooLarge - small > 1) {
            const int middle = (small + tooLarge) / 2;
            (fits(middle, NarrowestStretch) ? small : tooLarge) = middle;
        }
        size = small;
    }
    int narrow = NarrowestStretch;
    int tooWide = 101;
    while (tooWide - narrow > 1) {
        const int middle = (narrow + tooWide) / 2;
        (fits(size, middle) ? narrow : tooWide) = middle;
    }
    return {size, narrow};
}

} // namespace ui
