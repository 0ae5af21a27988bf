// What every binding builds from a layout table, checked over every row of both windows at
// several scales, without a toolkit.

#include "dictionary/form1.h"
#include "expression/form2.h"
#include "ui/layout.h"
#include "ui/platform.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

QString nameOf(const ui::ResolvedControl &control)
{
    return QString::fromStdString(control.name);
}

bool within(const ui::Rect &inner, const ui::Rect &outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right()
        && inner.bottom() <= outer.bottom();
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolvesEveryRow_data();
    void resolvesEveryRow();

private:
    void checkCompact(const ui::ResolvedLayout &layout);
};

void LayoutTest::resolvesEveryRow_data()
{
    QTest::addColumn<const ui::WindowSpec *>("table");
    QTest::addColumn<double>("scale");
    for (const double scale : {1.0, 1.5, 2.0}) {
        QTest::addRow("Form1 at %g", scale) << &Form1::Layout << scale;
        QTest::addRow("Form2 at %g", scale) << &Form2::Layout << scale;
    }
}

void LayoutTest::resolvesEveryRow()
{
    QFETCH(const ui::WindowSpec *, table);
    QFETCH(double, scale);
    const ui::ResolvedLayout layout = ui::resolve(*table, scale);
    const ui::ResolvedLayout unscaled = ui::resolve(*table);
    const ui::Rect client {0, 0, layout.clientWidth, layout.clientHeight};
    QCOMPARE(layout.controls.size(), table->controls.size());

    std::set<std::string> names;
    std::map<std::string_view, std::vector<const ui::ResolvedControl *>> arrays;
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const ui::ResolvedControl &control = layout.controls[i];
        const ui::ControlRow &row = *control.row;
        QVERIFY2(names.insert(control.name).second, qPrintable(nameOf(control) + " twice"));
        QVERIFY2(within(control.rect, client), qPrintable(nameOf(control)));
        if (control.parent >= 0) {
            const ui::ResolvedControl &frame = layout.controls[std::size_t(control.parent)];
            QCOMPARE(frame.row->kind, ui::Kind::Frame);
            QCOMPARE(frame.row->name, row.parent);
            QVERIFY2(within(control.rect, frame.rect), qPrintable(nameOf(control)));
            QCOMPARE(control.rect.left, frame.rect.left + control.local.left);
            QCOMPARE(control.rect.top, frame.rect.top + control.local.top);
        } else {
            QCOMPARE(control.local, control.rect);
        }
        // Scaled as a whole: each edge as far from the unscaled one's as rounding takes it.
        const ui::Rect &one = unscaled.controls[i].rect;
        for (const auto &[edge, unscaledEdge] : {std::pair(control.rect.left, one.left),
                 std::pair(control.rect.top, one.top), std::pair(control.rect.width, one.width),
                 std::pair(control.rect.height, one.height)})
            QVERIFY2(
                std::abs(edge - unscaledEdge * scale) <= scale + 1, qPrintable(nameOf(control)));

        // A prompt stands before what it names, in reading order.
        QCOMPARE(control.prompt >= 0, !row.prompt.empty());
        if (control.prompt >= 0) {
            const ui::ResolvedControl &prompt = layout.controls[std::size_t(control.prompt)];
            QCOMPARE(prompt.row->name, row.prompt);
            QVERIFY2(prompt.rect.left < control.rect.left || prompt.rect.top < control.rect.top,
                qPrintable(nameOf(control)));
            QVERIFY2(std::pair(prompt.line, prompt.place) < std::pair(control.line, control.place),
                qPrintable(nameOf(control)));
        }

        const ui::FontFace face = ui::faceOf(row.font);
        QCOMPARE(control.face.family, face.family);
        QCOMPARE(control.face.points, face.points);
        QCOMPARE(control.face.bold, face.bold);
        QCOMPARE(control.families.front(), face.family);
        // The layouts name faces a Linux desktop lacks; each has an installed stand-in.
        if (row.font != ui::Font::Default)
            QVERIFY2(control.families.size() > 1, qPrintable(nameOf(control)));

        // Buttons and text boxes keep the toolkit's colours; the rest stand on the desktop.
        const bool ownColours = row.kind == ui::Kind::Button || row.kind == ui::Kind::TextBox;
        QCOMPARE(control.background, ownColours ? std::nullopt : std::optional(ui::desktopColor()));

        QCOMPARE(control.inArray, row.index >= 0);
        if (control.inArray)
            arrays[row.name].push_back(&control);

        const bool mayTakeFocus = row.kind != ui::Kind::Label && row.kind != ui::Kind::Frame;
        QCOMPARE(control.focusable, mayTakeFocus && row.tab != ui::NoTab);
        QCOMPARE(control.tabRank >= 0, control.focusable);
    }

    // Every control once, by the table's tab indices; the focusable ones ranked 0, 1, 2... so.
    QCOMPARE(
        std::set(layout.tabOrder.begin(), layout.tabOrder.end()).size(), layout.controls.size());
    int rank = 0;
    const ui::ControlRow *previous = nullptr;
    for (const int i : layout.tabOrder) {
        const ui::ResolvedControl &control = layout.controls[std::size_t(i)];
        QVERIFY2(!previous || previous->tab <= control.row->tab, qPrintable(nameOf(control)));
        previous = control.row;
        if (control.focusable)
            QCOMPARE(control.tabRank, rank++);
    }

    // Each label array's elements run from 0 in table order, row by row, left to right; a row
    // starts below the one before.
    for (const auto &[name, cells] : arrays) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            QCOMPARE(cells[i]->row->index, int(i));
            QCOMPARE(
                nameOf(*cells[i]), QStringLiteral("%1[%2]").arg(QLatin1StringView(name)).arg(i));
            if (i == 0)
                continue;
            const ui::Rect &previous = cells[i - 1]->rect;
            const ui::Rect &cell = cells[i]->rect;
            const bool sameRow = cell.top == previous.top && cell.left > previous.left;
            QVERIFY2(sameRow || cell.top >= previous.bottom(), qPrintable(nameOf(*cells[i])));
        }
    }

    checkCompact(layout);
}

// The narrow screen's lines: every control in one place; lines, and controls within a line, in
// reading order (on, or down, or across into a column further right); a label array alone on its
// line; each check box alone with its result. Prompts come first: see resolvesEveryRow.
void LayoutTest::checkCompact(const ui::ResolvedLayout &layout)
{
    std::vector<std::vector<const ui::ResolvedControl *>> lines(layout.table->compact.size());
    for (const ui::ResolvedControl &control : layout.controls) {
        QVERIFY2(control.line >= 0, qPrintable(nameOf(control) + " on no line"));
        auto &line = lines[std::size_t(control.line)];
        line.resize(std::max(line.size(), std::size_t(control.place) + 1));
        QVERIFY2(!line[std::size_t(control.place)], qPrintable(nameOf(control) + " shares"));
        line[std::size_t(control.place)] = &control;
    }
    const ui::ResolvedControl *start = nullptr;
    for (const auto &line : lines) {
        QVERIFY(!line.empty() && std::count(line.begin(), line.end(), nullptr) == 0);
        const ui::Rect &first = line.front()->rect;
        QVERIFY2(!start || first.top >= start->rect.top || first.left >= start->rect.right(),
            qPrintable(nameOf(*line.front())));
        start = line.front();
        for (std::size_t i = 1; i < line.size(); ++i) {
            const ui::ResolvedControl &before = *line[i - 1];
            const ui::ResolvedControl &next = *line[i];
            QVERIFY2(next.rect.left > before.rect.left || next.rect.top >= before.rect.bottom(),
                qPrintable(nameOf(next)));
            // Either both of one label array, or neither of any.
            QCOMPARE(next.inArray || before.inArray,
                next.inArray && before.inArray && next.row->name == before.row->name);
        }
        if (std::any_of(line.begin(), line.end(),
                [](auto *c) { return c->row->kind == ui::Kind::CheckBox; })) {
            QCOMPARE(line.size(), std::size_t(2));
            QCOMPARE(line.front()->row->kind, ui::Kind::CheckBox);
            QCOMPARE(line.back()->prompt, int(line.front() - layout.controls.data()));
        }
    }
}

QTEST_APPLESS_MAIN(LayoutTest)
#include "layout_test.moc"
