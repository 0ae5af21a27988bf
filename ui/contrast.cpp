#include "ui/contrast.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

    double luminance(Color c)
    {
        auto linear = [](std::uint8_t channel) {
            const double v = channel / 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
    }

} // namespace

double contrastRatio(Color a, Color b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color readableTextColor(Color background, Color text)
{
    if (contrastRatio(background, text) >= MinimumContrast)
        return text;
    // One of the two always reaches 4.5:1: the worst background, mid grey, gives both about 4.6.
    constexpr Color Black {0, 0, 0};
    return contrastRatio(background, Black) >= contrastRatio(background, White) ? Black : White;
}

} // namespace ui
