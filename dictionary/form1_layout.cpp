#include "dictionary/form1.h"

namespace {

using ui::Align;
using ui::ControlRow;
using ui::Font;
using ui::Kind;
using ui::Live;

// Twips, from the top of the client area; one row per control, top to bottom.
// clang-format off
constexpr ControlRow Controls[] = {
    // name       kind          caption                                   left   top  width height font         tab
    {"Label6",    Kind::Label,  u"English-Japanese Kanji Dictionary",          0,  240, 7095,  975, Font::Title,    3, Align::Centre},
    {"Label9",    Kind::Label,  u"Version 1.01 (245 kanji of level 3 and 4)", 1320, 840, 3375,  255, Font::Default, 15, Align::Centre},
    {"Label4",    Kind::Label,  u"漢字辞書",                                4920,  840,  735,  255, Font::Default, 14},
    {"Command5",  Kind::Button, u"English to Japanese",                      240, 1440,  975,  615, Font::Default, 12},
    {"Command6",  Kind::Button, u"Japanese to English",                     1320, 1440,  855,  615, Font::Default, 13},
    {"Command7",  Kind::Button, u"Browse Up",                               2400, 1440, 1215,  255, Font::Default, 18},
    {"Command10", Kind::Button, u"Check Expression",                        4800, 1440, 1935,  495, Font::Default, 26},
    {"Command8",  Kind::Button, u"Browse Down",                             2400, 1800, 1215,  255, Font::Default, 19},
    {"Command9",  Kind::Button, u"Show/hide the word in Indonesian",        4800, 2040, 1935,  495, Font::Default, 22},
    {"Label8",    Kind::Label,  u"Enter the English word:",                  240, 2640, 1815,  255, Font::Default,  8},
    {"Text1",     Kind::TextBox, u"",                                       2280, 2640, 2415,  375, Font::Value,    6, Align::Left, {}, -1, "Label8"},
    {"Command2",  Kind::Button, u"Search for the word",                     4800, 2640, 1935,  375, Font::Default,  5},
    {"Label14",   Kind::Label,  u"Record number:",                           240, 3000, 1215,  255, Font::Default, 23},
    {"Label15",   Kind::Label,  u"",                                        1560, 3000,  615,  255, Font::Default, 24, Align::Left, {}, -1, "Label14", Live::Polite},
    {"Label1",    Kind::Label,  u"",                                        2520, 3240, 1215,  855, Font::Kanji,    0, Align::Left, {}, -1, "Label5", Live::Polite},
    {"Command3",  Kind::Button, u"Hear the kunyomi sound",                  5400, 3240, 1335,  735, Font::Default, 10},
    {"Label5",    Kind::Label,  u"The Kanji and its onyomi:",                240, 3360, 1935,  375, Font::Default,  9},
    {"Label3",    Kind::Label,  u"",                                        3840, 3360, 1455,  375, Font::Value,    2, Align::Left, {}, -1, "Label5", Live::Polite},
    {"Label17",   Kind::Label,  u"Kanji level:",                             240, 3840,  975,  255, Font::Default, 27},
    {"Label18",   Kind::Label,  u"",                                        1200, 3840,  495,  255, Font::Default, 28, Align::Left, {}, -1, "Label17", Live::Polite},
    {"Command4",  Kind::Button, u"Show/hide Onyomi, Kunyomi, Example",      5400, 4080, 1335,  855, Font::Default, 11},
    {"Label7",    Kind::Label,  u"The kunyomi:",                             240, 4200, 1815,  255, Font::Default,  7},
    {"Label2",    Kind::Label,  u"",                                        2280, 4200, 3015,  375, Font::Value,    1, Align::Left, {}, -1, "Label7", Live::Polite},
    {"Label10",   Kind::Label,  u"Example(s) on Onyomi:",                    240, 4800, 1935,  375, Font::Default, 16},
    {"Label11",   Kind::Label,  u"",                                        2280, 4800, 2895,  735, Font::Value,   17, Align::Left, {}, -1, "Label10", Live::Polite},
    {"Label12",   Kind::Label,  u"The word in Indonesian:",                  240, 5640, 1815,  375, Font::Default, 20},
    {"Label13",   Kind::Label,  u"",                                        2280, 5640, 2655,  375, Font::Value,   21, Align::Left, {}, -1, "Label12", Live::Polite},
    {"Command1",  Kind::Button, u"Exit",                                    5400, 5640, 1335,  615, Font::Default,  4},
    {"Label16",   Kind::Label,  u"NOTE: ( ) on kunyomi indicates intransitif verb/jidoushi", 240, 6240, 4695, 255, Font::Default, 25},
};
// clang-format on

constexpr ui::MenuRow Menu[] = {{"Help", u"Help", "F1"}};

// On a narrow screen, line by line. Each button stays with the one below it on the desktop, so
// that "Browse Up" and "Browse Down" stay together.
constexpr ui::CompactLine Compact[] = {
    {{"Label6"}},
    {{"Label9", "Label4"}},
    {{"Command5", "Command6"}},
    {{"Command7", "Command8"}},
    {{"Command10", "Command9"}},
    {{"Label8", "Text1", "Command2"}},
    {{"Label14", "Label15"}},
    {{"Label5", "Label1", "Label3", "Command3"}},
    {{"Label17", "Label18"}},
    {{"Command4"}},
    {{"Label7", "Label2"}},
    {{"Label10", "Label11"}},
    {{"Label12", "Label13"}},
    {{"Command1"}},
    {{"Label16"}},
};

} // namespace

const ui::WindowSpec Form1::Layout {
    .name = "Form1",
    .caption = u"Velmora University: Online Kanji Learning Program",
    .clientWidth = 7200,
    .clientHeight = 6825,
    .controls = Controls,
    .menu = Menu,
    .compact = Compact,
};
