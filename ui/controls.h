#pragma once

// Thin handles over the controls of a window, with only the operations the forms use. Forms see
// these handles and plain C++ strings, never a type of the toolkit behind them: each binding
// (ui/qt/, ui/web/, ui/win32/) defines `Native` and the operations; ui/controls.cpp those that
// follow the rules of ui/ (a caption a screen reader hears, a click that runs a handler).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A control as the binding holds it.
struct Native;
class LiveFields;

struct Color
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color &, const Color &) = default;
};

inline constexpr Color White {255, 255, 255};

class Label
{
public:
    Label() = default;
    // `live`: the live fields of its window, told when the caption of row `control` is set.
    explicit Label(Native *native, LiveFields *live = nullptr, int control = -1)
        : m_native(native)
        , m_live(live)
        , m_control(control)
    { }

    std::u16string caption() const;
    void setCaption(std::u16string_view caption);
    bool isVisible() const;
    void setVisible(bool visible);
    Color background() const;
    void setBackground(Color color);

private:
    Native *m_native = nullptr;
    LiveFields *m_live = nullptr;
    int m_control = -1;
};

class TextBox
{
public:
    TextBox() = default;
    explicit TextBox(Native *native)
        : m_native(native)
    { }

    std::u16string text() const;
    void setText(std::u16string_view text);

private:
    Native *m_native = nullptr;
};

class Button
{
public:
    Button() = default;
    explicit Button(Native *native)
        : m_native(native)
    { }

    bool isVisible() const;
    void setVisible(bool visible);
    void onClick(std::function<void()> handler);

private:
    Native *m_native = nullptr;
};

class CheckBox
{
public:
    CheckBox() = default;
    explicit CheckBox(Native *native)
        : m_native(native)
    { }

    bool isTicked() const;

private:
    Native *m_native = nullptr;
};

class MenuItem
{
public:
    MenuItem() = default;
    explicit MenuItem(Native *native)
        : m_native(native)
    { }

    void onClick(std::function<void()> handler);

private:
    Native *m_native = nullptr;
};

// A control array of labels that reports a click with the index of the element clicked.
class LabelArray
{
public:
    LabelArray() = default;
    explicit LabelArray(std::vector<Native *> cells)
        : m_cells(std::move(cells))
    { }

    int size() const { return static_cast<int>(m_cells.size()); }
    Label at(int index) const;
    void onClick(std::function<void(int)> handler);

private:
    std::vector<Native *> m_cells;
};

} // namespace ui
