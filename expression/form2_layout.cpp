#include "expression/form2.h"

#include <array>

namespace {

using ui::Align;
using ui::ControlRow;
using ui::Font;
using ui::Kind;
using ui::Live;
using ui::NoTab;

// clang-format off
constexpr ControlRow Fixed[] = {
    // name       kind           caption                                 left   top  width height font          tab
    {"Command3",  Kind::Button,  u"or Paste from other source",          2880,    0, 3135,  375, Font::Value,         0},
    {"Label3",    Kind::Label,   u"Enter any expression:",                240,  120, 2655,  375, Font::Heading,      45},
    {"Label4",    Kind::Label,   u"On, kun, meaning:",                   6240,  120, 1815,  255, Font::SmallHeading, 46},
    {"Text1",     Kind::TextBox, u"",                                     240,  480, 5775,  855, Font::Value,         3, Align::Left, {}, -1, "Label3"},
    {"Label1",    Kind::Label,   u"",                                    6360,  600, 1215,  855, Font::Value,        52, Align::Left, {}, -1, "Label4", Live::Polite},
    {"Command1",  Kind::Button,  u"RUN and click on any kanji below:",    240, 1560, 3615,  375, Font::Value,         2},
    {"Label15",   Kind::Label,   u"Enter the verb in romaji:",            120, 4080, 1215,  375, Font::Default,      76},
    {"Text2",     Kind::TextBox, u"",                                    1440, 4080, 1215,  375, Font::Default,      75, Align::Left, {}, -1, "Label15"},
    {"Frame1",    Kind::Frame,   u"Select one or more:",                 2880, 4080, 3615, 3495, Font::Default,      53},
    {"Command4",  Kind::Button,  u"RUN",                                 1440, 4680, 1215,  375, Font::Default,      74},
    {"Command2",  Kind::Button,  u"Go back to Dictionary",                120, 7200, 2655,  375, Font::Value,         1},
};

// Inside Frame1, measured from its top-left corner: each check box with its result label, which
// a screen reader hears after the check box's caption when a RUN writes it.
constexpr ControlRow Conjugation[] = {
    {"Check1",  Kind::CheckBox, u"dictionary-form:",  120,  360, 1575, 255, Font::Default, 57, Align::Left, "Frame1"},
    {"Label5",  Kind::Label,    u"Label5",           2040,  360, 1215, 255, Font::Default, 66, Align::Left, "Frame1", -1, "Check1", Live::Polite},
    {"Check2",  Kind::CheckBox, u"masu-form:",        120,  720, 1335, 255, Font::Default, 58, Align::Left, "Frame1"},
    {"Label6",  Kind::Label,    u"Label6",           2040,  720, 1215, 255, Font::Default, 67, Align::Left, "Frame1", -1, "Check2", Live::Polite},
    {"Check3",  Kind::CheckBox, u"ta-form:",          120, 1080, 1095, 255, Font::Default, 59, Align::Left, "Frame1"},
    {"Label7",  Kind::Label,    u"Label7",           2040, 1080, 1215, 255, Font::Default, 68, Align::Left, "Frame1", -1, "Check3", Live::Polite},
    {"Check4",  Kind::CheckBox, u"te-form:",          120, 1320, 1215, 255, Font::Default, 60, Align::Left, "Frame1"},
    {"Label8",  Kind::Label,    u"Label8",           2040, 1320, 1215, 255, Font::Default, 64, Align::Left, "Frame1", -1, "Check4", Live::Polite},
    {"Check5",  Kind::CheckBox, u"Imperative form:",  120, 1560, 1815, 255, Font::Default, 61, Align::Left, "Frame1"},
    {"Label9",  Kind::Label,    u"Label9",           2040, 1560, 1215, 255, Font::Default, 69, Align::Left, "Frame1", -1, "Check5", Live::Polite},
    {"Check6",  Kind::CheckBox, u"Conditional-form:", 120, 1800, 1815, 255, Font::Default, 56, Align::Left, "Frame1"},
    {"Label10", Kind::Label,    u"Label10",          2040, 1800, 1215, 255, Font::Default, 70, Align::Left, "Frame1", -1, "Check6", Live::Polite},
    {"Check7",  Kind::CheckBox, u"Volitional form:",  120, 2160, 1455, 255, Font::Default, 62, Align::Left, "Frame1"},
    {"Label11", Kind::Label,    u"Label11",          2040, 2160, 1215, 255, Font::Default, 71, Align::Left, "Frame1", -1, "Check7", Live::Polite},
    {"Check8",  Kind::CheckBox, u"nai-form:",         120, 2400, 1335, 255, Font::Default, 63, Align::Left, "Frame1"},
    {"Label12", Kind::Label,    u"Label12",          2040, 2400, 1215, 255, Font::Default, 72, Align::Left, "Frame1", -1, "Check8", Live::Polite},
    {"Check9",  Kind::CheckBox, u"Passive-form:",     120, 2760, 1695, 255, Font::Default, 55, Align::Left, "Frame1"},
    {"Label13", Kind::Label,    u"Label13",          2040, 2760, 1215, 255, Font::Default, 73, Align::Left, "Frame1", -1, "Check9", Live::Polite},
    {"Check10", Kind::CheckBox, u"Causative-form:",   120, 3120, 1695, 255, Font::Default, 54, Align::Left, "Frame1"},
    {"Label14", Kind::Label,    u"Label14",          2040, 3120, 1215, 255, Font::Default, 65, Align::Left, "Frame1", -1, "Check10", Live::Polite},
};

// The kanji cells Label2(0) to Label2(61), row by row: the top of each row and the left edge of
// each cell. Neighbours stand 480 apart, or 360 where the grid is tighter.
struct GridRow { int top; std::array<int, 16> lefts; int count; };
constexpr GridRow Grid[] = {
    {2160, {240, 720, 1200, 1680, 2160, 2520, 3000, 3480, 3960, 4440, 4920, 5400, 5880, 6360, 6720}, 15},
    {2640, {240, 720, 1200, 1680, 2160, 2520, 3000, 3480, 3960, 4440, 4920, 5280, 5760, 6240, 6720}, 15},
    {3240, {240, 720, 1080, 1560, 2040, 2400, 2880, 3360, 3720, 4200, 4680, 5040, 5520, 6000, 6360, 6840}, 16},
    {3720, {120, 600, 960, 1440, 1920, 2280, 2760, 3240, 3600, 4080, 4560, 4920, 5400, 5880, 6240, 6720}, 16},
};
// clang-format on

constexpr int NarrowCell = 13;

constexpr auto Controls = [] {
    constexpr std::size_t fixed = std::size(Fixed);
    std::array<ControlRow, fixed + Form2::CellCount + std::size(Conjugation)> rows {};
    std::size_t next = 0;
    for (const ControlRow &row : Fixed)
        rows[next++] = row;
    int index = 0;
    for (const GridRow &grid : Grid) {
        for (int i = 0; i < grid.count; ++i, ++index) {
            rows[next++] = {"Label2", Kind::Label, u"", grid.lefts[std::size_t(i)], grid.top,
                index == NarrowCell ? 255 : 375, 255, Font::Value, NoTab, Align::Left, {}, index};
        }
    }
    for (const ControlRow &row : Conjugation)
        rows[next++] = row;
    return rows;
}();

// On a narrow screen, line by line: the meaning just above the cells that show it, and each check
// box with its result.
constexpr ui::CompactLine Compact[] = {
    {{"Label3", "Command3"}},
    {{"Text1"}},
    {{"Command1"}},
    {{"Label4", "Label1"}},
    {{"Label2"}},
    {{"Label15", "Text2", "Command4"}},
    {{"Frame1"}},
    {{"Check1", "Label5"}},
    {{"Check2", "Label6"}},
    {{"Check3", "Label7"}},
    {{"Check4", "Label8"}},
    {{"Check5", "Label9"}},
    {{"Check6", "Label10"}},
    {{"Check7", "Label11"}},
    {{"Check8", "Label12"}},
    {{"Check9", "Label13"}},
    {{"Check10", "Label14"}},
    {{"Command2"}},
};

static_assert([] {
    int cells = 0;
    for (const GridRow &grid : Grid)
        cells += grid.count;
    return cells == Form2::CellCount;
}());

} // namespace

const ui::WindowSpec Form2::Layout {
    .name = "Form2",
    .caption = u"Velmora University, Japan",
    .clientWidth = 8115,
    .clientHeight = 7710,
    .controls = Controls,
    .compact = Compact,
};
