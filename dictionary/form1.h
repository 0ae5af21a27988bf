#pragma once

// The dictionary window: look a kanji up by English word or kunyomi, browse the records one by
// one, and hide or show the readings to test oneself. Layout: form1_layout.cpp; handlers:
// form1.cpp.

#include "data/kanji_table.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/window.h"

#include <cstdint>
#include <functional>

class Form1
{
public:
    struct Links
    {
        ui::Dialogs &dialogs;
        // The table Form_Load fills and every handler reads.
        Module1::Table &table;
        std::int16_t &recordCount;
        // Shows the expression window, creating it on first use.
        std::function<void()> showExpressionWindow;
        std::function<void()> endProgram;
    };

    enum class Pairing { EnglishToJapanese, JapaneseToEnglish };

    static const ui::WindowSpec Layout;

    // Builds the window and runs Form_Load; the window is not shown yet.
    explicit Form1(Links links);

    ui::Window &window() { return m_window; }

    bool englishToJapanese() const { return m_englishToJapanese; }
    bool indonesianVisible() const { return m_indonesianVisible; }
    std::int16_t detailsVisible() const { return m_detailsVisible; }
    std::int16_t currentRecord() const { return m_currentRecord; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Help_Click();

private:
    void Form_Load();
    void ShowRecord(std::int16_t row, Pairing pairing);
    void ClearRecordView();
    void SetEnglishToJapaneseCaptions();
    void ShowBrowsedRecord(std::int16_t row);

    Links m_links;
    ui::Window m_window;

    ui::Label m_label1, m_label2, m_label3, m_label7, m_label8, m_label11, m_label12, m_label13,
        m_label15, m_label18;
    ui::TextBox m_text1;
    ui::Button m_command3, m_command4, m_command9;

    bool m_englishToJapanese = true;
    bool m_indonesianVisible = false;
    std::int16_t m_detailsVisible = 0; // 0 hidden, -1 shown
    std::int16_t m_currentRecord = 0; // 0: no record shown yet
};
