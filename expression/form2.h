#pragma once

// The expression window: a kanji reader (spread a text over 62 cells, click a kanji to see its
// readings and meaning) and a verb conjugator (ten forms of a verb in romaji). Layout:
// form2_layout.cpp; handlers: form2.cpp.

#include "data/kanji_table.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/window.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class Form2
{
public:
    struct Links
    {
        ui::Dialogs &dialogs;
        // The dictionary's table, loaded by the dictionary window.
        const Module1::Table &table;
        const std::int16_t &recordCount;
        std::function<void()> showDictionaryWindow;
        std::function<ui::Color()> dictionaryBackground;
    };

    static const ui::WindowSpec Layout;
    static constexpr int CellCount = 62;
    // Slots 0 to 100 of CellChars; slot i holds cell i - 1, so slot 0 and slots past the cells
    // stay empty.
    static constexpr std::size_t CellCharSlots = 101;

    // Builds the window and runs Form_Load; the window is not shown yet.
    explicit Form2(Links links);

    ui::Window &window() { return m_window; }

    std::int16_t cellLimit() const { return m_cellLimit; }
    std::int16_t lastCell() const { return m_lastCell; }
    // Slot i holds the character that the last RUN placed in cell i - 1.
    const std::u16string &cellChar(int slot) const { return m_cellChars.at(std::size_t(slot)); }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Label2_Click(std::int16_t index);

private:
    void Form_Load();

    Links m_links;
    ui::Window m_window;

    ui::TextBox m_text1, m_text2;
    ui::Label m_label1;
    ui::LabelArray m_cells;
    std::array<ui::CheckBox, 10> m_checks;
    std::array<ui::Label, 10> m_results;

    std::int16_t m_cellLimit = 0;
    std::array<std::u16string, CellCharSlots> m_cellChars;
    std::int16_t m_lastCell = 0;
};
