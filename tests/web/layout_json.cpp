// Prints both layout tables as JSON, in CSS pixels relative to each window's client area, so that
// the browser tests hold the page against the tables themselves rather than a copy of them. Built
// by the browser build and run with node.

#include "dictionary/form1.h"
#include "expression/form2.h"
#include "ui/layout.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// Every character outside printable ASCII as \uXXXX, which JSON reads back as the same UTF-16.
std::string quoted(std::u16string_view text)
{
    std::string out = "\"";
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F && unit != u'"' && unit != u'\\') {
            out += static_cast<char>(unit);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
            out += escape;
        }
    }
    return out + "\"";
}

std::string quoted(std::string_view ascii)
{
    return quoted(std::u16string(ascii.begin(), ascii.end()));
}

void print(const ui::WindowSpec &layout)
{
    const ui::ResolvedLayout resolved = ui::resolve(layout);
    std::printf("{\"name\": %s, \"caption\": %s, \"width\": %d, \"height\": %d, \"menu\": [",
        quoted(layout.name).c_str(), quoted(layout.caption).c_str(), resolved.clientWidth,
        resolved.clientHeight);
    for (std::size_t i = 0; i < layout.menu.size(); ++i) {
        const ui::MenuRow &item = layout.menu[i];
        std::printf("%s{\"name\": %s, \"caption\": %s, \"shortcut\": %s}", i ? ", " : "",
            quoted(item.name).c_str(), quoted(item.caption).c_str(), quoted(item.shortcut).c_str());
    }
    std::printf("], \"controls\": [");
    for (std::size_t i = 0; i < resolved.controls.size(); ++i) {
        const ui::ResolvedControl &control = resolved.controls[i];
        const ui::ControlRow &row = *control.row;
        std::printf("%s\n{\"name\": %s, \"kind\": %s, \"caption\": %s, \"left\": %d, "
                    "\"top\": %d, \"width\": %d, \"height\": %d, \"tab\": %d, \"prompt\": %s, "
                    "\"line\": %d, \"place\": %d}",
            i ? "," : "", quoted(control.name).c_str(), quoted(ui::kindName(row.kind)).c_str(),
            quoted(row.caption).c_str(), control.rect.left, control.rect.top, control.rect.width,
            control.rect.height, row.tab, quoted(row.prompt).c_str(), control.line, control.place);
    }
    std::printf("]}");
}

} // namespace

int main()
{
    std::printf("[");
    print(Form1::Layout);
    std::printf(",\n");
    print(Form2::Layout);
    std::printf("]\n");
    return 0;
}
