#pragma once

// Text on the colours we paint ourselves (the desktop colour, the white highlight) must stay
// readable whatever the desktop theme's text colour is.

#include "ui/controls.h"

namespace ui {

// WCAG 2 body-text minimum.
inline constexpr double MinimumContrast = 4.5;

// WCAG 2 contrast ratio: 1 for equal colours, 21 for black on white.
double contrastRatio(Color a, Color b);

// The colour to draw text in on `background`: the platform's `text` where it reaches
// MinimumContrast, else black, or white on a background too dark for black.
Color readableTextColor(Color background, Color text);

} // namespace ui
