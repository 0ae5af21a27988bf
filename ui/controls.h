#pragma once

// Thin handles over the widgets of a window, with only the operations the forms use. Forms see
// these handles and plain C++ strings, never a Qt type.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QAction;

namespace ui {

class CellLabel;

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
    explicit Label(QLabel *widget)
        : m_widget(widget)
    { }

    std::u16string caption() const;
    void setCaption(std::u16string_view caption);
    bool isVisible() const;
    void setVisible(bool visible);
    Color background() const;
    void setBackground(Color color);

private:
    QLabel *m_widget = nullptr;
};

class TextBox
{
public:
    TextBox() = default;
    explicit TextBox(QLineEdit *widget)
        : m_widget(widget)
    { }

    std::u16string text() const;
    void setText(std::u16string_view text);

private:
    QLineEdit *m_widget = nullptr;
};

class Button
{
public:
    Button() = default;
    explicit Button(QAbstractButton *widget)
        : m_widget(widget)
    { }

    bool isVisible() const;
    void setVisible(bool visible);
    void onClick(std::function<void()> handler);

private:
    QAbstractButton *m_widget = nullptr;
};

class CheckBox
{
public:
    CheckBox() = default;
    explicit CheckBox(QCheckBox *widget)
        : m_widget(widget)
    { }

    bool isTicked() const;

private:
    QCheckBox *m_widget = nullptr;
};

class MenuItem
{
public:
    MenuItem() = default;
    explicit MenuItem(QAction *action)
        : m_action(action)
    { }

    void onClick(std::function<void()> handler);

private:
    QAction *m_action = nullptr;
};

// A control array of labels that reports a click with the index of the element clicked.
class LabelArray
{
public:
    LabelArray() = default;
    explicit LabelArray(std::vector<CellLabel *> cells)
        : m_cells(std::move(cells))
    { }

    int size() const { return static_cast<int>(m_cells.size()); }
    Label at(int index) const;
    void onClick(std::function<void(int)> handler);

private:
    std::vector<CellLabel *> m_cells;
};

} // namespace ui
