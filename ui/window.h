#pragma once

// A window built from a layout table. Positions and sizes are in twips (15 twips per pixel at
// 96 dpi); the table is the one place a form's geometry is written down.

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/live_fields.h"

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace ui {

struct ResolvedLayout;

enum class Kind { Label, TextBox, Button, CheckBox, Frame };

// The kind's name where it leaves C++: in a message, and the page builds each control by it.
constexpr std::string_view kindName(Kind kind)
{
    switch (kind) {
    case Kind::Label:
        return "label";
    case Kind::TextBox:
        return "textbox";
    case Kind::Button:
        return "button";
    case Kind::CheckBox:
        return "checkbox";
    case Kind::Frame:
        break;
    }
    return "frame";
}
enum class Align { Left, Centre };
// Polite: a change of the control's caption is read out to a screen reader, after its prompt.
enum class Live { Off, Polite };

inline constexpr int NoTab = -1;

struct ControlRow
{
    std::string_view name;
    Kind kind;
    std::u16string_view caption;
    int left;
    int top;
    int width;
    int height;
    Font font;
    int tab;
    Align align = Align::Left;
    // Frame the control stands in; its position is then relative to the frame.
    std::string_view parent = {};
    // Element index of a label array, or -1.
    int index = -1;
    // Label whose caption names this control to assistive technology.
    std::string_view prompt = {};
    Live live = Live::Off;
};

struct MenuRow
{
    std::string_view name;
    std::u16string_view caption;
    std::string_view shortcut = {}; // a key sequence in Qt's portable text form, as "F1"
};

// One line of a narrow screen's arrangement: controls by name, in reading order, a prompt before
// what it names. The name of a label array stands for all its elements. Unused places are empty.
struct CompactLine
{
    std::array<std::string_view, 4> names;
};

struct WindowSpec
{
    std::string_view name;
    std::u16string_view caption;
    int clientWidth;
    int clientHeight;
    std::span<const ControlRow> controls;
    std::span<const MenuRow> menu = {};
    // Where a screen is narrower than the window: its controls line by line, top to bottom, each
    // line wrapping where it does not fit. Empty: the window is scaled down instead.
    std::span<const CompactLine> compact = {};
};

constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

class Window
{
public:
    explicit Window(const WindowSpec &layout);
    ~Window();
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    // A control of the layout by name, of the kind asked for; another kind is the caller's fault.
    Label label(std::string_view name) const;
    TextBox textBox(std::string_view name) const;
    Button button(std::string_view name) const;
    CheckBox checkBox(std::string_view name) const;
    LabelArray labelArray(std::string_view name) const;
    MenuItem menuItem(std::string_view name) const;

    void show();
    void hide();
    bool isVisible() const;
    Color background() const;
    void onClose(std::function<void()> handler);

    // What the binding keeps of the window; each binding's native.h defines it.
    struct Impl;
    Impl &impl() const { return *m_impl; }

private:
    // The binding's constructor ends with it, once the controls exist.
    void startLiveFields(const ResolvedLayout &layout);
    int rowOf(std::string_view name, Kind kind) const;

    const WindowSpec *m_table;
    std::unique_ptr<Impl> m_impl;
    mutable LiveFields m_live;
};

} // namespace ui
