#include "dictionary/form1.h"

#include "data/kanji_table.h"
#include "data/text.h"
#include "ui/platform.h"

#include <cmath>
#include <optional>
#include <string>

using Module1::KanjiTable;
using Module1::RecordCount;
using Module1::Col::English;

namespace {

constexpr std::u16string_view HelpNote
    = u"Do you know that the most frequently used kanji (1945) consist of: (A) 152 basic form "
      u"(single unit) Kanji (B) 483 Semantic compound Kanji (kanji with similar meaning based on "
      u"its classifiers/parts), (C) 1310 Phonetic compound Kanji (Kanji with same/similar "
      u"pronounciation based on its left/right/up/down part or bushu)? By remembering the onyomi "
      u"reading of Phonetic compound Kanji, you can easily guess the pronounciation of almost 67 "
      u"% of them!";

std::u16string rangePrompt(std::u16string_view sentence)
{
    return std::u16string(sentence) + u" Enter the record number (1 to "
        + text::decimal(RecordCount) + u") !";
}

// Reads a record number typed at a browsing prompt: optional sign, decimal digits with an
// optional fraction, halves rounded to the even neighbour. Anything else, and any number outside
// 1 to RecordCount, is no answer.
std::optional<std::int16_t> recordNumber(std::u16string_view answer)
{
    const std::u16string_view s = text::trimmed(answer);
    std::string ascii;
    bool digits = false;
    bool point = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if ((c == u'+' || c == u'-') && i == 0) {
            ascii += static_cast<char>(c);
        } else if (c >= u'0' && c <= u'9') {
            ascii += static_cast<char>(c);
            digits = true;
        } else if (c == u'.' && !point) {
            ascii += '.';
            point = true;
        } else {
            return std::nullopt;
        }
        if (ascii.size() > 32)
            return std::nullopt; // far outside any record number
    }
    if (!digits)
        return std::nullopt;
    const double rounded = std::nearbyint(std::stod(ascii)); // ties to even
    if (rounded < 1 || rounded > RecordCount)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
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
    Module1::LoadBuiltinRecords(KanjiTable, RecordCount);
}

void Form1::ShowRecord(std::int16_t row, Pairing pairing)
{
    using namespace Module1::Col;
    // Rows outside the table never reach here; rows past the records are empty and show so.
    const Module1::Row &record = KanjiTable.at(static_cast<std::size_t>(row));
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

void Form1::Command1_Click()
{
    m_links.endProgram();
}

void Form1::Command2_Click()
{
    ClearRecordView();
    const std::u16string key = text::folded(m_text1.text());
    const std::size_t column = m_englishToJapanese ? English : Module1::Col::Kunyomi;
    for (std::int16_t row = 1; row <= RecordCount; ++row) {
        if (text::folded(KanjiTable[static_cast<std::size_t>(row)][column]) == key) {
            ShowRecord(
                row, m_englishToJapanese ? Pairing::EnglishToJapanese : Pairing::JapaneseToEnglish);
            return;
        }
    }
    m_links.dialogs.message(u"Sorry, the word is not yet in the dictionary!");
}

void Form1::Command3_Click()
{
    const std::u16string name = std::u16string(text::trimmed(m_label2.caption())) + u".wav";
    if (!ui::isOrdinaryFile(name))
        m_links.dialogs.message(u"Sorry the sound file is not available yet");
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
    if (m_currentRecord < RecordCount) {
        ++m_currentRecord;
        SetEnglishToJapaneseCaptions();
        ShowRecord(m_currentRecord, Pairing::EnglishToJapanese);
        return;
    }
    const std::u16string answer
        = m_links.dialogs.input(rangePrompt(u"Sorry, This is the last record."));
    if (const auto number = recordNumber(answer))
        m_currentRecord = *number;
}

void Form1::Command8_Click()
{
    if (m_currentRecord > 1) {
        --m_currentRecord;
        SetEnglishToJapaneseCaptions();
        ShowRecord(m_currentRecord, Pairing::EnglishToJapanese);
        return;
    }
    const std::u16string answer
        = m_links.dialogs.input(rangePrompt(u"Sorry, This is the first record."));
    if (const auto number = recordNumber(answer))
        m_currentRecord = static_cast<std::int16_t>(*number + 1);
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
    m_links.dialogs.message(HelpNote);
}
