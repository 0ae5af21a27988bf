#include "ui/platform.h"
#include "ui/qt/application.h"
#include "ui/qt/convert.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/native.h"
#include "ui/qt/widgets.h"
#include "ui/window.h"

#include "modal_boxes.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

using ui::ControlRow;
using ui::Font;
using ui::Kind;

// clang-format off
constexpr ControlRow Controls[] = {
    {"Frame1",  Kind::Frame,    u"Group",    1500,  0, 1500, 1500, Font::Default, ui::NoTab},
    {"Prompt",  Kind::Label,    u"Name:",       0,  0,  900,  255, Font::Default, 9},
    {"Text1",   Kind::TextBox,  u"",            0, 300,  900,  375, Font::Value,   2, ui::Align::Left, {}, -1, "Prompt"},
    {"Value",   Kind::Label,    u"",            0, 700,  900,  255, Font::Value,   8, ui::Align::Left, {}, -1, "Prompt"},
    {"Command1", Kind::Button,  u"Go",          0, 1000, 900,  375, Font::Default, 1},
    {"Check1",  Kind::CheckBox, u"tick",      120,  360, 900,  255, Font::Default, 3, ui::Align::Left, "Frame1"},
    {"Cell",    Kind::Label,    u"",            0, 1400, 375,  255, Font::Value,   ui::NoTab, ui::Align::Left, {}, 0},
    {"Cell",    Kind::Label,    u"",          480, 1400, 255,  255, Font::Value,   ui::NoTab, ui::Align::Left, {}, 1},
};
// clang-format on

const ui::WindowSpec SampleLayout {.name = "Sample",
    .caption = u"Sample window",
    .clientWidth = 3000,
    .clientHeight = 1800,
    .controls = Controls};

} // namespace

class ToolkitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::setUpFonts();
        ui::setUpAccessibility();
    }
    void twipsBecomePixels_data();
    void twipsBecomePixels();
    void windowIsBuiltFromItsTable();
    void labelsShowMarkupAsPlainText();
    void writtenValueShowsFromItsStart_data();
    void writtenValueShowsFromItsStart();
    void promptsNameAndDescribeTheirControls();
    void labelArrayReportsTheIndexClicked();
    void cellsOfferAPressAction();
    void closeBoxRunsTheFormsHandler();
    void messageBoxShowsOnlyTheText();
    void inputBoxReturnsTheAnswer_data();
    void inputBoxReturnsTheAnswer();
    void ordinaryFileTestIsLiteral_data();
    void ordinaryFileTestIsLiteral();
    void clipboardTextIsPlainText();
    void japaneseFaceHasJapaneseGlyphs();
};

void ToolkitTest::twipsBecomePixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("rounds to nearest") << 22 << 1;
    QTest::newRow("rounds half up") << 23 << 2;
}

void ToolkitTest::twipsBecomePixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(ui::twipsToPixels(twips), pixels);
}

void ToolkitTest::windowIsBuiltFromItsTable()
{
    ui::Window window(SampleLayout);
    QWidget *top = ui::widgetOf(window);
    QCOMPARE(top->objectName(), u"Sample"_s);
    QCOMPARE(top->windowTitle(), u"Sample window"_s);
    auto *check = top->findChild<QCheckBox *>(u"Check1"_s);
    QVERIFY(check);
    QCOMPARE(check->parentWidget()->objectName(), u"Frame1"_s);
    QCOMPARE(check->geometry(), QRect(8, 24, 60, 17));
    QVERIFY(window.checkBox("Check1").isTicked());
    QCOMPARE(top->findChild<QWidget *>(u"Cell[1]"_s)->geometry(), QRect(32, 93, 17, 17));
    QCOMPARE(window.background(), ui::desktopColor());
    QCOMPARE(window.label("Value").background(), ui::desktopColor());

    QVERIFY_THROWS_EXCEPTION(std::logic_error, window.label("Missing"));
}

void ToolkitTest::labelsShowMarkupAsPlainText()
{
    ui::Window window(SampleLayout);
    window.label("Value").setCaption(u"<b>x</b> &amp;");
    auto *label = ui::widgetOf(window)->findChild<QLabel *>(u"Value"_s);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(window.label("Value").caption(), u"<b>x</b> &amp;");
}

void ToolkitTest::writtenValueShowsFromItsStart_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("wider");
    QTest::newRow("short") << u"ok"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("record 132") << u"stand; counter for machines"_s << true;
    QTest::newRow("markup stays text") << u"<b>bold</b> &amp;  two  spaces"_s << true;
    QTest::newRow("kana") << u"あいうえおかきくけこ"_s << true;
    QTest::newRow("100,000 characters") << QString(100'000, u'x') << true;
}

void ToolkitTest::writtenValueShowsFromItsStart()
{
    QFETCH(QString, value);
    QFETCH(bool, wider);
    ui::Window window(SampleLayout);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(ui::widgetOf(window)));
    auto *edit = ui::widgetOf(window)->findChild<QLineEdit *>(u"Text1"_s);
    ui::TextBox box = window.textBox("Text1");
    box.setText(u"a value long enough to scroll the box before the next one is written");
    edit->grab();
    box.setText(value.toStdU16String());

    QCOMPARE(edit->cursorPosition(), 0);
    edit->grab(); // QLineEdit scrolls when it paints
    QCOMPARE(edit->cursorPositionAt(QPoint(6, edit->height() / 2)), 0);
    QTextDocument tip;
    tip.setHtml(edit->toolTip());
    QCOMPARE(tip.toPlainText(), wider ? value : QString());

    // Typing is the line edit's own; the tooltip of the written value goes.
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, u"z"_s);
    QCOMPARE(edit->text(), value + u"z"_s);
    QCOMPARE(edit->cursorPosition(), value.size() + 1);
    QVERIFY(edit->toolTip().isEmpty());
}

void ToolkitTest::promptsNameAndDescribeTheirControls()
{
    ui::Window window(SampleLayout);
    window.label("Value").setCaption(u"42");
    QWidget *top = ui::widgetOf(window);
    auto *value = QAccessible::queryAccessibleInterface(top->findChild<QWidget *>(u"Value"_s));
    auto *text = QAccessible::queryAccessibleInterface(top->findChild<QWidget *>(u"Text1"_s));
    QCOMPARE(value->text(QAccessible::Name), u"42"_s);
    QCOMPARE(value->text(QAccessible::Description), u"Name:"_s);
    QCOMPARE(text->text(QAccessible::Name), u"Name:"_s);
    window.label("Prompt").setCaption(u"Other:");
    QCOMPARE(value->text(QAccessible::Description), u"Other:"_s);
    QCOMPARE(text->text(QAccessible::Name), u"Other:"_s);
}

void ToolkitTest::labelArrayReportsTheIndexClicked()
{
    ui::Window window(SampleLayout);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(ui::widgetOf(window)));
    ui::LabelArray cells = window.labelArray("Cell");
    QCOMPARE(cells.size(), 2);
    QList<int> clicked;
    cells.onClick([&](int index) { clicked << index; });
    QTest::mouseClick(ui::widgetOf(window)->findChild<QWidget *>(u"Cell[1]"_s), Qt::LeftButton);
    QTest::mouseClick(ui::widgetOf(window)->findChild<QWidget *>(u"Cell[0]"_s), Qt::LeftButton);
    QTest::mouseClick(ui::widgetOf(window)->findChild<QWidget *>(u"Cell[0]"_s), Qt::RightButton);
    QCOMPARE(clicked, (QList<int> {1, 0}));
}

void ToolkitTest::cellsOfferAPressAction()
{
    ui::Window window(SampleLayout);
    QList<int> clicked;
    window.labelArray("Cell").onClick([&](int index) { clicked << index; });
    window.labelArray("Cell").at(1).setCaption(u"悪");
    auto *cell = QAccessible::queryAccessibleInterface(
        ui::widgetOf(window)->findChild<QWidget *>(u"Cell[1]"_s));
    QCOMPARE(cell->text(QAccessible::Name), u"悪"_s);
    QCOMPARE(cell->text(QAccessible::Description), u"cell 2"_s);
    QAccessibleActionInterface *actions = cell->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicked, (QList<int> {1}));
}

void ToolkitTest::closeBoxRunsTheFormsHandler()
{
    ui::Window window(SampleLayout);
    int closes = 0;
    window.onClose([&] {
        ++closes;
        window.hide();
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(ui::widgetOf(window)));
    ui::widgetOf(window)->close();
    QCOMPARE(closes, 1);
    QVERIFY(!window.isVisible());
}

void ToolkitTest::messageBoxShowsOnlyTheText()
{
    // Another window is the active one: the box still goes to the window that asked for it.
    ui::Window owner(SampleLayout);
    ui::Window active(SampleLayout);
    owner.show();
    ui::widgetOf(owner)->move(120, 90);
    active.show();
    QVERIFY(QTest::qWaitForWindowActive(ui::widgetOf(active)));
    QString title, text;
    int buttons = -1;
    QMessageBox::Icon icon = QMessageBox::Critical;
    Qt::TextFormat format = Qt::RichText;
    BoxPlace place;
    whenModalOpens([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        place = BoxPlace::of(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        format = box->textFormat();
        buttons = static_cast<int>(box->buttons().size());
        QTest::keyClick(box, Qt::Key_Return);
    });
    ui::QtDialogs(u"Online Kanji Learning Program")
        .message(owner, u"Sorry, <b>the</b> word is not yet in the dictionary!");
    verifyBelongsTo(place, ui::widgetOf(owner));
    QCOMPARE(title, u"Online Kanji Learning Program"_s);
    QCOMPARE(text, u"Sorry, <b>the</b> word is not yet in the dictionary!"_s);
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(buttons, 1);
}

void ToolkitTest::inputBoxReturnsTheAnswer_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::newRow("OK with a number") << u"10"_s << true << u"10"_s;
    QTest::newRow("OK with nothing") << QString() << true << QString();
    QTest::newRow("Cancel after typing") << u"10"_s << false << QString();
}

void ToolkitTest::inputBoxReturnsTheAnswer()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    ui::Window owner(SampleLayout);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(ui::widgetOf(owner)));
    QString title, label, initial;
    BoxPlace place;
    whenModalOpens([&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialog);
        place = BoxPlace::of(dialog);
        title = dialog->windowTitle();
        label = dialog->labelText();
        auto *edit = dialog->findChild<QLineEdit *>();
        initial = edit->text();
        QTest::keyClicks(edit, typed);
        if (accept)
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        else
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    });
    const std::u16string result = ui::QtDialogs(u"Online Kanji Learning Program")
                                      .input(owner, u"Enter the record number (1 to 320) !");
    verifyBelongsTo(place, ui::widgetOf(owner));
    QCOMPARE(QString::fromStdU16String(result), answer);
    QCOMPARE(title, u"Online Kanji Learning Program"_s);
    QCOMPARE(label, u"Enter the record number (1 to 320) !"_s);
    QCOMPARE(initial, QString());
}

void ToolkitTest::ordinaryFileTestIsLiteral_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::newRow("existing file") << u"warui.wav"_s << true;
    QTest::newRow("missing file") << u"yasui.wav"_s << false;
    QTest::newRow("star is no wildcard") << u"*.wav"_s << false;
    QTest::newRow("question mark is no wildcard") << u"waru?.wav"_s << false;
    QTest::newRow("directory") << u"dir.wav"_s << false;
    QTest::newRow("hidden file") << u".hidden.wav"_s << false;
    QTest::newRow("nothing shown") << u".wav"_s << false;
    QTest::newRow("path separator") << u"sub/inner.wav"_s << false;
    QTest::newRow("parent directory") << u"../outside.wav"_s << false;
    QTest::newRow("backslash") << u"sub\\inner.wav"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void ToolkitTest::ordinaryFileTestIsLiteral()
{
    QFETCH(QString, name);
    QFETCH(bool, found);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir root(dir.path());
    for (const QString &file : {u"warui.wav"_s, u".hidden.wav"_s, u"sub/inner.wav"_s, u".wav"_s}) {
        root.mkpath(QFileInfo(root.filePath(file)).path());
        QFile f(root.filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    root.mkdir(u"dir.wav"_s);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const bool result = ui::isOrdinaryFile(name.toStdU16String());
    QDir::setCurrent(previous);
    QCOMPARE(result, found);
}

void ToolkitTest::clipboardTextIsPlainText()
{
    QApplication::clipboard()->setText(u"日本語のテキスト"_s);
    QCOMPARE(ui::clipboardText(), u"日本語のテキスト");
    QApplication::clipboard()->clear();
    QCOMPARE(ui::clipboardText(), u"");
}

void ToolkitTest::japaneseFaceHasJapaneseGlyphs()
{
    ui::Window window(SampleLayout);
    const QFont font = ui::widgetOf(window)->findChild<QWidget *>(u"Text1"_s)->font();
    QCOMPARE(font.family(), QString::fromUtf16(ui::JapaneseGothic.data()));
    const QFontInfo resolved(font);
    QCOMPARE(resolved.family(), u"IPAPGothic"_s); // the first substitute, installed by setup
    const QFontMetrics metrics(font);
    for (char32_t c : std::u32string_view(U"悪曰明漢ひカ"))
        QVERIFY2(metrics.inFontUcs4(c), qPrintable(QString::number(c, 16)));
}

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
