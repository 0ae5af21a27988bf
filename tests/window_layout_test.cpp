// Both windows on real widgets as their resolved layouts say, at each QT_SCALE_FACTOR the test
// runs under: every control's place, parent, font and caption, the window's own, what is drawn on
// top where controls overlap, and the tab order.

#include "caption_fit.h"
#include "form1_test_support.h"
#include "form2_test_support.h"
#include "ui/layout.h"
#include "ui/qt/application.h"

#include <QApplication>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace {

QWidget *find(QWidget *top, const std::string &name)
{
    return top->findChild<QWidget *>(QString::fromStdString(name));
}

QString toQString(std::u16string_view text)
{
    return QString::fromStdU16String(std::u16string(text));
}

// Presses Tab from the window's first focus until the focus comes back, and lists the stops.
QStringList tabStops(QWidget *top)
{
    QStringList stops;
    QWidget *first = QApplication::focusWidget();
    QWidget *current = first;
    do {
        stops << (current ? current->objectName() : u"(none)"_s);
        QTest::keyClick(current, Qt::Key_Tab);
        current = QApplication::focusWidget();
    } while (current != first && top->isAncestorOf(current) && stops.size() < 100);
    return stops;
}

} // namespace

class WindowLayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::setUpFonts(); }
    void init();
    void cleanup();
    void controlsStandAsResolved_data();
    void controlsStandAsResolved();
    void tabFollowsTheRanks_data() { controlsStandAsResolved_data(); }
    void tabFollowsTheRanks();

private:
    std::unique_ptr<DictionaryWindow> m_dictionary;
    std::unique_ptr<ExpressionWindow> m_expression;
    const ui::WindowSpec *m_spec = nullptr;
    QWidget *m_top = nullptr;
};

void WindowLayoutTest::init()
{
    const bool dictionary = QTest::currentDataTag() == "dictionary"_L1;
    m_dictionary = std::make_unique<DictionaryWindow>();
    m_expression = std::make_unique<ExpressionWindow>();
    m_spec = dictionary ? &Form1::Layout : &Form2::Layout;
    ui::Window &window = dictionary ? m_dictionary->form->window() : m_expression->form->window();
    m_top = ui::widgetOf(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(m_top));
}

void WindowLayoutTest::cleanup()
{
    m_dictionary.reset();
    m_expression.reset();
}

void WindowLayoutTest::controlsStandAsResolved_data()
{
    QTest::addColumn<bool>("unused"); // the tag picks the window
    QTest::newRow("dictionary") << true;
    QTest::newRow("expression") << false;
}

void WindowLayoutTest::controlsStandAsResolved()
{
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s).toDouble();
    QCOMPARE(m_top->devicePixelRatioF(), factor);
    // Qt scales logical pixels itself: the binding asks for scale 1.
    const ui::ResolvedLayout layout = ui::resolve(*m_spec);
    QCOMPARE(m_top->objectName(), QString::fromStdString(std::string(m_spec->name)));
    QCOMPARE(m_top->windowTitle(), toQString(m_spec->caption));
    QWidget *client = m_top->findChild<QWidget *>(u"client"_s);
    QCOMPARE(client->size(), QSize(layout.clientWidth, layout.clientHeight));
    auto *bar = m_top->findChild<QMenuBar *>();
    const QList<QAction *> actions = bar ? bar->actions() : QList<QAction *>();
    QCOMPARE(std::size_t(actions.size()), m_spec->menu.size());
    for (std::size_t i = 0; i < m_spec->menu.size(); ++i) {
        QCOMPARE(actions[qsizetype(i)]->text(), toQString(m_spec->menu[i].caption));
        QCOMPARE(actions[qsizetype(i)]->shortcut(),
            QKeySequence(QString::fromStdString(std::string(m_spec->menu[i].shortcut))));
        QVERIFY(!actions[qsizetype(i)]->menu());
    }

    // Buttons show their captions at full width, but for the expression window's long Command1,
    // narrowed a little.
    const double narrowest = m_spec == &Form1::Layout ? 1.0 : 0.9;
    // The captions of the table, before a handler writes any.
    const ui::Window bare(*m_spec);
    std::vector<std::pair<QWidget *, QRect>> placed;
    for (const ui::ResolvedControl &control : layout.controls) {
        const QString name = QString::fromStdString(control.name);
        QWidget *widget = find(m_top, control.name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->parentWidget(),
            control.parent < 0 ? client : find(m_top, layout.controls[control.parent].name));
        const ui::Rect &r = control.local;
        QCOMPARE(widget->geometry(), QRect(r.left, r.top, r.width, r.height));
        placed.emplace_back(widget, widget->geometry());
        const QFont font = widget->font();
        if (control.row->font == ui::Font::Default) {
            QCOMPARE(font, QApplication::font());
        } else {
            QCOMPARE(font.family(), toQString(control.face.family));
            QCOMPARE(font.pointSizeF(), control.face.points);
            QCOMPARE(font.bold(), control.face.bold);
        }
        QCOMPARE(
            captionOf(find(ui::widgetOf(bare), control.name)), toQString(control.row->caption));
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(bool(label->alignment() & Qt::AlignHCenter),
                control.row->align == ui::Align::Centre);
        }
        // Each cell of a label array shows a whole kanji.
        if (control.inArray)
            QVERIFY(QFontMetrics(widget->font()).horizontalAdvance(u"曰"_s) <= widget->width());
        const QString problem = captionFitProblem(widget, narrowest);
        QVERIFY2(problem.isEmpty(), qPrintable(name + u": "_s + problem));
    }

    // Where a control overlaps a label, the control is drawn over it.
    for (const ui::ResolvedControl &label : layout.controls) {
        if (label.row->kind != ui::Kind::Label)
            continue;
        for (const ui::ResolvedControl &control : layout.controls) {
            QWidget *widget = find(m_top, control.name);
            const QRect overlap
                = QRect(label.rect.left, label.rect.top, label.rect.width, label.rect.height)
                & QRect(
                    control.rect.left, control.rect.top, control.rect.width, control.rect.height);
            if (control.row->kind == ui::Kind::Label || overlap.isEmpty() || widget->isHidden())
                continue;
            QWidget *top = client->childAt(overlap.center());
            QVERIFY2(top == widget || widget->isAncestorOf(top), label.name.c_str());
        }
    }

    // Larger or smaller than its layout, the window clips: nothing moves or shrinks.
    for (const QSize size : {QSize(1000, 900), QSize(150, 100)}) {
        m_top->resize(size);
        QTRY_COMPARE(m_top->size(), size);
        for (const auto &[widget, geometry] : placed)
            QCOMPARE(widget->geometry(), geometry);
    }

    // Japanese text is drawn at device resolution, not scaled up from a small picture.
    QWidget *japanese
        = m_top->findChild<QWidget *>(m_spec == &Form1::Layout ? u"Label1"_s : u"Label2[0]"_s);
    const QPixmap picture = japanese->grab();
    QCOMPARE(picture.devicePixelRatio(), factor);
    QCOMPARE(picture.width(), qRound(japanese->width() * factor));
}

void WindowLayoutTest::tabFollowsTheRanks()
{
    const ui::ResolvedLayout layout = ui::resolve(*m_spec);
    std::vector<const ui::ResolvedControl *> ranked;
    for (const ui::ResolvedControl &control : layout.controls) {
        if (control.focusable)
            ranked.push_back(&control);
    }
    std::sort(ranked.begin(), ranked.end(),
        [](const auto *a, const auto *b) { return a->tabRank < b->tabRank; });
    // The focus starts on the first and skips what the window hides at start-up.
    QStringList expected;
    for (const ui::ResolvedControl *control : ranked) {
        if (!find(m_top, control->name)->isHidden())
            expected << QString::fromStdString(control->name);
    }
    QVERIFY(expected.size() > 8);
    QCOMPARE(tabStops(m_top), expected);
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
