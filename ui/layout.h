#pragma once

// A layout table resolved once into what every binding builds from it, so that no binding works
// out a name, a place, a tab stop, a colour or a font of its own.

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/window.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// In pixels at the scale asked for.
struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const Rect &, const Rect &) = default;
};

struct ResolvedControl
{
    const ControlRow *row; // kind, caption, alignment
    std::string name; // "Label2[13]" for an element of a label array
    bool inArray;
    Rect rect; // in the client area
    Rect local; // in the parent: the frame it stands in, or the client area
    int parent; // index of its frame among the controls, or -1
    int prompt; // index of its prompt among the controls, or -1
    bool focusable;
    int tabRank; // place in the tab order among the focusable controls, or -1
    std::optional<Color> background; // where the binding paints it
    FontFace face;
    std::vector<std::u16string_view> families; // the face, then the installed faces for it
    // Its place in the window's compact arrangement: the line, and its place in the line; -1
    // where the window has none.
    int line = -1;
    int place = -1;
};

struct ResolvedLayout
{
    const WindowSpec *table;
    int clientWidth;
    int clientHeight;
    std::vector<ResolvedControl> controls; // in table order
    // Indices into `controls` by the table's tab index, ties in table order; the focusable ones
    // in this order are the tab order.
    std::vector<int> tabOrder;
};

// The name of a control, or of element `index` of a control array ("Label2[13]").
std::string fullName(std::string_view name, int index = -1);

// `scale` is pixels per 96-dpi pixel.
ResolvedLayout resolve(const WindowSpec &layout, double scale = 1);

} // namespace ui
