#include "ui/layout.h"

#include "ui/platform.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace ui {

namespace {

    int index(std::span<const ControlRow> rows, std::string_view name)
    {
        if (name.empty())
            return -1;
        const auto row = std::find_if(
            rows.begin(), rows.end(), [name](const ControlRow &r) { return r.name == name; });
        if (row == rows.end())
            throw std::logic_error("no control named " + std::string(name));
        return static_cast<int>(row - rows.begin());
    }

    std::vector<std::u16string_view> familiesOf(std::u16string_view face)
    {
        std::vector<std::u16string_view> families {face};
        for (const Substitution &substitution : Substitutions) {
            if (substitution.face != face)
                continue;
            for (std::u16string_view installed : substitution.installed) {
                if (!installed.empty())
                    families.push_back(installed);
            }
        }
        return families;
    }

} // namespace

std::string fullName(std::string_view name, int index)
{
    std::string result(name);
    if (index >= 0) {
        result += '[';
        result += std::to_string(index);
        result += ']';
    }
    return result;
}

ResolvedLayout resolve(const WindowSpec &layout, double scale)
{
    // Rounded to the nearest pixel, as twipsToPixels does at scale 1.
    const auto pixels = [scale](int twips) {
        return static_cast<int>(std::lround(twips * scale / 15.0));
    };
    ResolvedLayout resolved {
        &layout, pixels(layout.clientWidth), pixels(layout.clientHeight), {}, {}};
    resolved.controls.reserve(layout.controls.size());
    for (const ControlRow &row : layout.controls) {
        const bool focusable
            = row.tab != NoTab && row.kind != Kind::Label && row.kind != Kind::Frame;
        const bool painted
            = row.kind == Kind::Label || row.kind == Kind::CheckBox || row.kind == Kind::Frame;
        const FontFace face = faceOf(row.font);
        ResolvedControl control {&row, fullName(row.name, row.index), row.index >= 0, {},
            {pixels(row.left), pixels(row.top), pixels(row.width), pixels(row.height)},
            index(layout.controls, row.parent), index(layout.controls, row.prompt), focusable, -1,
            painted ? std::optional(desktopColor()) : std::nullopt, face, familiesOf(face.family)};
        // Frames come before their children in the table.
        const int parent = control.parent;
        if (parent >= static_cast<int>(resolved.controls.size()))
            throw std::logic_error("frame " + std::string(row.parent) + " comes after its child");
        const Rect origin = parent < 0 ? Rect {} : resolved.controls[std::size_t(parent)].rect;
        control.rect = {origin.left + control.local.left, origin.top + control.local.top,
            control.local.width, control.local.height};
        resolved.controls.push_back(std::move(control));
    }

    for (int i = 0; i < static_cast<int>(layout.controls.size()); ++i)
        resolved.tabOrder.push_back(i);
    std::stable_sort(resolved.tabOrder.begin(), resolved.tabOrder.end(),
        [&layout](int a, int b) { return layout.controls[a].tab < layout.controls[b].tab; });
    int rank = 0;
    for (int i : resolved.tabOrder) {
        ResolvedControl &control = resolved.controls[std::size_t(i)];
        if (control.focusable)
            control.tabRank = rank++;
    }
    return resolved;
}

} // namespace ui
