#include "dictionary/form1.h"

#include "data/dictionary.h"
#include "data/text.h"
#include "ui/platform.h"

#include <string>

using Module1::Col::English;

namespace {

constexpr std::u16string_view HelpNote
    = u"Do you know that the most frequently used kanji (1945) consist of: (A) 152 basic form "
      u"(single unit) Kanji (B) 483 Semantic compound Kanji (kanji with similar meaning based on "
      u"its classifiers/parts), (C) 1310 Phonetic compound Kanji (Kanji with same/similar "
      u"pronounciation based on its left/right/up/down part or bushu)? By remembering the onyomi "
      u"reading of Phonetic compound Kanji, you can easily guess the pronounciation of almost 67 "
      u"% of them!";

std::u16string rangePrompt(std::u16string_view sentence, std::int16_t recordCount)
{
    return std::u16string(sentence) + u" Enter the record number (1 to "
        + text::decimal(recordCount) + u") !";
}

} // namespace

Form1::Form1(Links links)
    : m_links(std::move(links))
    , m_window(Layout)
{
    m_label1 = m_window.label("Label1");
    m_label2 = m_window.label("Label2");
    m_label3 = m_window.label("Label3");
    m_label7 = m_window.label("Label7");
    m_label8 = m_window.label("Label8");
    m_label11 = m_window.label("Label11");
    m_label12 = m_window.label("Label12");
    m_label13 = m_window.label("Label13");
    m_label15 = m_window.label("Label15");
    m_label18 = m_window.label("Label18");
    m_text1 = m_window.textBox("Text1");
    m_command3 = m_window.button("Command3");
    m_command4 = m_window.button("Command4");
    m_command9 = m_window.button("Command9");

    m_window.button("Command1").onClick([this] { Command1_Click(); });
    m_window.button("Command2").onClick([this] { Command2_Click(); });
    m_command3.onClick([this] { Command3_Click(); });
    m_command4.onClick([this] { Command4_Click(); });
    m_window.button("Command5").onClick([this] { Command5_Click(); });
    m_window.button("Command6").onClick([this] { Command6_Click(); });
    m_window.button("Command7").onClick([this] { Command7_Click(); });
    m_window.button("Command8").onClick([this] { Command8_Click(); });
    m_command9.onClick([this] { Command9_Click(); });
    m_window.button("Command10").onClick([this] { Command10_Click(); });
    m_window.menuItem("Help").onClick([this] { Help_Click(); });
    m_window.onClose([this] { Command1_Click(); });

    Form_Load();
}

void Form1::Form_Load()
{
    m_command3.setVisible(false);
    m_command9.setVisible(false);
    m_englishToJapanese = true;
    m_indonesianVisible = false;
    m_detailsVisible = 0;
    for (ui::Label *label : {&m_label12, &m_label13, &m_label2, &m_label3, &m_label11})
        label->setVisible(false);
    m_text1.setText(u"");
    ClearRecordView();
    SetEnglishToJapaneseCaptions();
    m_command4.setVisible(true);
    m_currentRecord = 0;
    Module1::LoadBuiltinRecords(m_links.table, m_links.recordCount);
}

void Form1::ShowRecord(std::int16_t row, Pairing pairing)
{
    using namespace Module1::Col;
    // Rows outside the table never reach here; rows past the records are empty and show so.
    const Module1::Row &record = m_links.table.at(static_cast<std::size_t>(row));
    const bool englishFirst = pairing == Pairing::EnglishToJapanese;
    m_label1.setCaption(record[Kanji]);
    m_label3.setCaption(record[Onyomi]);
    m_label2.setCaption(record[englishFirst ? Kunyomi : English]);
    m_text1.setText(record[englishFirst ? English : Kunyomi]);
    m_label11.setCaption(record[Example]);
    m_label13.setCaption(record[Indonesian]);
    m_label15.setCaption(record[Number]);
    m_label18.setCaption(record[Level]);
    m_currentRecord = row;
}

void Form1::ClearRecordView()
{
    for (ui::Label *label :
        {&m_label1, &m_label2, &m_label3, &m_label11, &m_label13, &m_label15, &m_label18})
        label->setCaption(u"");
}

void Form1::SetEnglishToJapaneseCaptions()
{
    m_label8.setCaption(u"Enter the English word:");
    m_label7.setCaption(u"The Kunyomi:");
}

// Browsing shows the English-to-Japanese captions and values, so the next search looks for the
// English word that the caption asks for.
void Form1::ShowBrowsedRecord(std::int16_t row)
{
    m_englishToJapanese = true;
    SetEnglishToJapaneseCaptions();
    ShowRecord(row, Pairing::EnglishToJapanese);
}

void Form1::Command1_Click()
{
    m_links.endProgram();
}

void Form1::Command2_Click()
{
    ClearRecordView();
    const std::size_t column = m_englishToJapanese ? English : Module1::Col::Kunyomi;
    const std::int16_t row = Module1::FindRecord(
        m_links.table, m_links.recordCount, column, m_text1.text(), Module1::Match::Folded);
    if (row == 0) {
        m_links.dialogs.message(m_window, u"Sorry, the word is not yet in the dictionary!");
        return;
    }
    ShowRecord(row, m_englishToJapanese ? Pairing::EnglishToJapanese : Pairing::JapaneseToEnglish);
}

void Form1::Command3_Click()
{
    const std::u16string name = std::u16string(text::trimmedSpaces(m_label2.caption())) + u".wav";
    if (!ui::isOrdinaryFile(name))
        m_links.dialogs.message(m_window, u"Sorry the sound file is not available yet");
}

void Form1::Command4_Click()
{
    const bool show = m_detailsVisible == 0;
    for (ui::Label *label : {&m_label2, &m_label3, &m_label11})
        label->setVisible(show);
    m_detailsVisible = show ? -1 : 0;
}

void Form1::Command5_Click()
{
    m_englishToJapanese = true;
    m_text1.setText(u"");
    ClearRecordView();
    SetEnglishToJapaneseCaptions();
    m_command3.setVisible(false);
    m_command4.setVisible(true);
}

void Form1::Command6_Click()
{
    m_englishToJapanese = false;
    m_text1.setText(u"");
    ClearRecordView();
    m_label7.setCaption(u"The English word:");
    m_label8.setCaption(u"Enter the Kunyomi:");
    m_command3.setVisible(false);
    m_label2.setVisible(true);
}

void Form1::Command7_Click()
{
    if (m_currentRecord < m_links.recordCount) {
        ShowBrowsedRecord(static_cast<std::int16_t>(m_currentRecord + 1));
        return;
    }
    const std::u16string answer = m_links.dialogs.input(
        m_window, rangePrompt(u"Sorry, This is the last record.", m_links.recordCount));
    if (const auto record
        = Module1::RecordFromAnswer(answer, Module1::BrowseEnd::Last, m_links.recordCount))
        m_currentRecord = *record;
}

void Form1::Command8_Click()
{
    if (m_currentRecord > 1) {
        ShowBrowsedRecord(static_cast<std::int16_t>(m_currentRecord - 1));
        return;
    }
    const std::u16string answer = m_links.dialogs.input(
        m_window, rangePrompt(u"Sorry, This is the first record.", m_links.recordCount));
    if (const auto record
        = Module1::RecordFromAnswer(answer, Module1::BrowseEnd::First, m_links.recordCount))
        m_currentRecord = *record;
}

void Form1::Command9_Click()
{
    m_indonesianVisible = !m_indonesianVisible;
    m_label12.setVisible(m_indonesianVisible);
    m_label13.setVisible(m_indonesianVisible);
}

void Form1::Command10_Click()
{
    m_window.hide();
    m_links.showExpressionWindow();
}

void Form1::Help_Click()
{
    m_links.dialogs.message(m_window, HelpNote);
}
