#pragma once

// What the browser binding keeps behind the handles of ui/controls.h and ui/window.h: each control
// is an element of the page, known to page.js by a number.

#include "ui/window.h"

#include <cstdint>
#include <vector>

namespace ui {

struct Native
{
    int element = 0;
};

struct Window::Impl
{
    int element = 0;
    // Sized once, when the window is built, so that a handle's pointer stays valid; a handle
    // changes its element, never the window.
    mutable std::vector<Native> controls; // by row of the layout table
    mutable std::vector<Native> menu; // by item
};

namespace web {

    void fitCaption(int element, bool empty);

    constexpr int rgb(Color c)
    {
        return c.red << 16 | c.green << 8 | c.blue;
    }

    constexpr Color colour(int rgb)
    {
        return {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)};
    }

} // namespace web

} // namespace ui
