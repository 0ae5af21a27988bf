#pragma once

// What the browser binding keeps behind the handles of ui/controls.h and ui/window.h: each control
// is an element of the page, known to page.js by a number.

#include "ui/window.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace ui {

struct Native
{
    int element = 0;
};

struct Window::Impl
{
    int element = 0;
    std::map<std::string, std::unique_ptr<Native>, std::less<>> controls;
};

namespace web {

    // Runs `handler` when page.js reports a click on `element`.
    void onElementClick(int element, std::function<void()> handler);

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
