// The rules every binding applies, without a toolkit: when a handler may run, and what a screen
// reader is told after it.

#include "dictionary/form1.h"
#include "expression/form2.h"
#include "ui/handlers.h"
#include "ui/layout.h"
#include "ui/live_fields.h"

#include <QTest>

#include <functional>
#include <map>
#include <optional>

using namespace Qt::StringLiterals;

class RulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aHandlerRunsOnlyWhenNothingElseHolds_data();
    void aHandlerRunsOnlyWhenNothingElseHolds();
    void theWrittenFieldsAreSaidAfterTheirPrompts_data();
    void theWrittenFieldsAreSaidAfterTheirPrompts();
    void aWindowSaysWhatItsHandlerWrote_data();
    void aWindowSaysWhatItsHandlerWrote();
};

// Each row tries to run a handler in its own state of the rules.
using Attempt = std::function<void(ui::Handlers &, const std::function<void()> &)>;
Q_DECLARE_METATYPE(Attempt)

void RulesTest::aHandlerRunsOnlyWhenNothingElseHolds_data()
{
    using Box = ui::Handlers::Box;
    QTest::addColumn<Attempt>("attempt");
    QTest::addColumn<bool>("runs");
    QTest::newRow("nothing running") << Attempt([](auto &h, auto &run) { h.run(run); }) << true;
    QTest::newRow("a box open") << Attempt([](auto &h, auto &run) {
        const Box box(h);
        h.run(run);
    }) << false;
    QTest::newRow("a box open and closed again") << Attempt([](auto &h, auto &run) {
        std::optional<Box>(std::in_place, h).reset();
        h.run(run);
    }) << true;
    QTest::newRow("inside another handler")
        << Attempt([](auto &h, auto &run) { h.run([&] { h.run(run); }); }) << false;
    QTest::newRow("after the program ended") << Attempt([](auto &h, auto &run) {
        h.end();
        h.run(run);
    }) << false;
    QTest::newRow("after a handler that failed without unwinding, its box still open") << Attempt(
        [](auto &h, auto &run) {
            const Box stuck(h);
            h.recover();
            h.run(run);
        }) << true;
}

void RulesTest::aHandlerRunsOnlyWhenNothingElseHolds()
{
    QFETCH(Attempt, attempt);
    QFETCH(bool, runs);
    ui::Handlers handlers;
    std::vector<bool> told;
    handlers.onAcceptingChanged = [&told](bool accepting) {
        told.push_back(accepting);
    };
    bool ran = false;
    attempt(handlers, [&ran] { ran = true; });
    QCOMPARE(ran, runs);
    // A binding that queues clicks itself was told each change, the last as things stand.
    QCOMPARE(told.empty() || told.back() == handlers.accepting(), true);
}

using Fields = std::vector<ui::LiveField>;
Q_DECLARE_METATYPE(Fields)

void RulesTest::theWrittenFieldsAreSaidAfterTheirPrompts_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QString>("said");
    const ui::LiveField a {u"A:", 1, u"x", true, true};
    const ui::LiveField b {u"B:", 2, u"y", true, true};
    const ui::LiveField alone {u"", -1, u"z", true, true};
    auto with = [](ui::LiveField field, auto change) {
        change(field);
        return field;
    };
    QTest::newRow("each after its prompt") << Fields {a, b} << u"A: x, B: y"_s;
    QTest::newRow("a field without a prompt alone") << Fields {alone, b} << u"z, B: y"_s;
    QTest::newRow("fields of one prompt together")
        << Fields {a, with(a, [](auto &f) { f.value = u"w"; }), b} << u"A: x w, B: y"_s;
    QTest::newRow("one prompt apart is said again")
        << Fields {a, b, with(a, [](auto &f) { f.value = u"w"; })} << u"A: x, B: y, A: w"_s;
    QTest::newRow("not written: left out")
        << Fields {with(a, [](auto &f) { f.written = false; }), b} << u"B: y"_s;
    QTest::newRow("hidden: left out")
        << Fields {a, with(b, [](auto &f) { f.shown = false; })} << u"A: x"_s;
    QTest::newRow("blank: left out, the rest trimmed")
        << Fields {with(a, [](auto &f) { f.value = u" \u3000"; }),
               with(b, [](auto &f) { f.value = u" y\u00a0"; })}
        << u"B: y"_s;
    QTest::newRow("nothing written: nothing said")
        << Fields {with(a, [](auto &f) { f.written = false; })} << QString();
}

void RulesTest::theWrittenFieldsAreSaidAfterTheirPrompts()
{
    QFETCH(Fields, fields);
    QFETCH(QString, said);
    QCOMPARE(QString::fromStdU16String(ui::announcement(fields)), said);
}

// The live fields of the real layouts, in their reading order: a handler writes `written`, each
// control's caption is its name, and `hidden` is not shown.
void RulesTest::aWindowSaysWhatItsHandlerWrote_data()
{
    QTest::addColumn<const ui::WindowSpec *>("layout");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QString>("said");
    QTest::newRow("a search, the details hidden")
        << &Form1::Layout
        << QStringList {u"Label15"_s, u"Label1"_s, u"Label3"_s, u"Label18"_s, u"Label2"_s,
               u"Label11"_s, u"Label13"_s}
        << QStringList {u"Label3"_s, u"Label2"_s, u"Label11"_s, u"Label13"_s}
        << u"Label14 Label15, Label5 Label1, Label17 Label18"_s;
    QTest::newRow("a browse step, the details shown")
        << &Form1::Layout
        << QStringList {u"Label15"_s, u"Label1"_s, u"Label3"_s, u"Label18"_s, u"Label2"_s,
               u"Label11"_s, u"Label13"_s}
        << QStringList {}
        << u"Label14 Label15, Label5 Label1 Label3, Label17 Label18, Label7 Label2, "
           "Label10 Label11, Label12 Label13"_s;
    QTest::newRow("a cell pressed")
        << &Form2::Layout << QStringList {u"Label1"_s} << QStringList {} << u"Label4 Label1"_s;
    QTest::newRow("a RUN of the conjugator, the second form unticked")
        << &Form2::Layout
        << QStringList {u"Label5"_s, u"Label7"_s, u"Label8"_s, u"Label9"_s, u"Label10"_s,
               u"Label11"_s, u"Label12"_s, u"Label13"_s, u"Label14"_s}
        << QStringList {}
        << u"Check1 Label5, Check3 Label7, Check4 Label8, Check5 Label9, Check6 Label10, "
           "Check7 Label11, Check8 Label12, Check9 Label13, Check10 Label14"_s;
}

void RulesTest::aWindowSaysWhatItsHandlerWrote()
{
    QFETCH(const ui::WindowSpec *, layout);
    QFETCH(QStringList, written);
    QFETCH(QStringList, hidden);
    QFETCH(QString, said);
    const ui::ResolvedLayout resolved = ui::resolve(*layout);
    std::map<QString, int> byName;
    for (int i = 0; i < int(resolved.controls.size()); ++i)
        byName[QString::fromStdString(resolved.controls[std::size_t(i)].name)] = i;
    const auto name = [&resolved](int control) {
        return QString::fromStdString(resolved.controls[std::size_t(control)].name);
    };
    ui::Handlers handlers;
    QStringList delivered;
    bool windowShown = true;
    ui::LiveFields live;
    live.start(resolved,
        {
            .caption = [&](int control) { return name(control).toStdU16String(); },
            .shown = [&](int control) { return !hidden.contains(name(control)); },
            .windowShown = [&windowShown] { return windowShown; },
            .deliver =
                [&](std::u16string_view text) {
                    delivered << QString::fromStdU16String(std::u16string(text));
                },
        },
        handlers);
    const auto write = [&] {
        for (const QString &field : written)
            live.written(byName.at(field));
    };
    handlers.run(write);
    QCOMPARE(delivered, QStringList {said});
    // Nothing more: the next handler writes nothing, the one after writes into a hidden window.
    handlers.run([] { });
    windowShown = false;
    handlers.run(write);
    QCOMPARE(delivered.size(), 1);
}

QTEST_APPLESS_MAIN(RulesTest)
#include "rules_test.moc"
