#include "expression/form2.h"

#include "conjugation/conjugation.h"
#include "data/dictionary.h"
#include "data/text.h"
#include "ui/platform.h"

#include <string>

namespace {

std::string name(const char *prefix, std::size_t number)
{
    return prefix + std::to_string(number);
}

} // namespace

Form2::Form2(Links links)
    : m_links(std::move(links))
    , m_window(Layout)
{
    m_text1 = m_window.textBox("Text1");
    m_text2 = m_window.textBox("Text2");
    m_label1 = m_window.label("Label1");
    m_cells = m_window.labelArray("Label2");
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        // Check box N feeds result label N + 4.
        m_checks[i] = m_window.checkBox(name("Check", i + 1));
        m_results[i] = m_window.label(name("Label", i + 5));
    }

    m_window.button("Command1").onClick([this] { Command1_Click(); });
    m_window.button("Command2").onClick([this] { Command2_Click(); });
    m_window.button("Command3").onClick([this] { Command3_Click(); });
    m_window.button("Command4").onClick([this] { Command4_Click(); });
    m_cells.onClick([this](int index) { Label2_Click(static_cast<std::int16_t>(index)); });
    m_window.onClose([this] { Command2_Click(); });

    Form_Load();
}

void Form2::Form_Load()
{
    m_cellLimit = CellCount;
}

void Form2::Command1_Click()
{
    const std::u16string text = m_text1.text();
    for (int i = 1; i <= m_cellLimit; ++i) {
        m_cells.at(i - 1).setCaption(u"");
        m_cellChars[std::size_t(i)].clear();
    }
    const Module1::CellSplit split = Module1::SplitIntoCells(text, std::size_t(m_cellLimit));
    if (split.cut) {
        m_links.dialogs.message(
            m_window, u"We will take the first " + text::decimal(m_cellLimit) + u" letters only!");
    }
    for (std::size_t i = 1; i <= split.cells.size(); ++i) {
        m_cells.at(int(i) - 1).setCaption(split.cells[i - 1]);
        m_cellChars[i] = split.cells[i - 1];
    }
}

void Form2::Command2_Click()
{
    m_links.showDictionaryWindow();
    m_window.hide();
}

void Form2::Command3_Click()
{
    m_text1.setText(ui::clipboardText());
}

void Form2::Command4_Click()
{
    const auto forms = ConjugateVerb(m_text2.text());
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        if (m_checks[i].isTicked())
            m_results[i].setCaption(forms[i]);
    }
}

void Form2::Label2_Click(std::int16_t index)
{
    using namespace Module1::Col;
    m_cells.at(m_lastCell).setBackground(m_links.dictionaryBackground());
    m_lastCell = index;
    m_label1.setCaption(u"");
    const std::int16_t row = Module1::FindRecord(m_links.table, m_links.recordCount, Kanji,
        m_cellChars[std::size_t(index) + 1], Module1::Match::Exact);
    if (row == 0)
        return;
    const Module1::Row &record = m_links.table[std::size_t(row)];
    m_cells.at(index).setBackground(ui::White);
    m_label1.setCaption(record[Kunyomi] + u"; " + record[Onyomi] + u"; " + record[English]);
}
