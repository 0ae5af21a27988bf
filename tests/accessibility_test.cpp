#include "form1_test_support.h"
#include "form2_test_support.h"

#include "ui/layout.h"
#include "ui/qt/application.h"

#include <QAccessible>
#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

// Every control of the layout is announced with a role and a name or a description; a button as a
// button named by its caption; one with a prompt by the prompt's caption, as its name (a text box)
// or its description.
QStringList silentControls(ui::Window &window, const ui::WindowSpec &layout)
{
    QStringList silent;
    const ui::ResolvedLayout resolved = ui::resolve(layout);
    auto find = [&](const std::string &name) {
        return ui::widgetOf(window)->findChild<QWidget *>(QString::fromStdString(name));
    };
    for (const ui::ResolvedControl &control : resolved.controls) {
        const QString name = QString::fromStdString(control.name);
        QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(find(control.name));
        if (!announced || announced->role() == QAccessible::NoRole
            || (announced->text(QAccessible::Name).isEmpty()
                && announced->text(QAccessible::Description).isEmpty()))
            silent << name;
        if (announced && control.row->kind == ui::Kind::Button
            && (announced->role() != QAccessible::Button
                || announced->text(QAccessible::Name)
                    != find(control.name)->property("text").toString()))
            silent << name + u" not a button named by its caption"_s;
        if (control.prompt < 0)
            continue;
        const QString prompt = find(resolved.controls[std::size_t(control.prompt)].name)
                                   ->property("text")
                                   .toString();
        const auto text
            = control.row->kind == ui::Kind::TextBox ? QAccessible::Name : QAccessible::Description;
        if (announced && announced->text(text) != prompt)
            silent << name + u" without its prompt's caption"_s;
    }
    return silent;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::setUpFonts();
        ui::setUpAccessibility();
    }
    void everyControlIsAnnounced();
    void onlyFilledCellsAreButtons();
};

void AccessibilityTest::everyControlIsAnnounced()
{
    DictionaryWindow dictionary;
    QCOMPARE(silentControls(dictionary.form->window(), Form1::Layout), QStringList());
    ExpressionWindow expression;
    QCOMPARE(silentControls(expression.form->window(), Form2::Layout), QStringList());
    // A prompt whose caption a handler changes still names its field.
    dictionary.click("Command6");
    QCOMPARE(QAccessible::queryAccessibleInterface(dictionary.widget("Label2"))
                 ->text(QAccessible::Description),
        u"The English word:"_s);
    // After a record is shown, value fields are announced by their values.
    dictionary.click("Command7");
    QCOMPARE(
        QAccessible::queryAccessibleInterface(dictionary.widget("Label1"))->text(QAccessible::Name),
        u"悪"_s);
}

void AccessibilityTest::onlyFilledCellsAreButtons()
{
    ExpressionWindow w;
    w.setText(u"Text1"_s, u"日本"_s);
    w.click(u"Command1"_s);
    QAccessibleInterface *filled = QAccessible::queryAccessibleInterface(w.cell(1));
    QAccessibleInterface *empty = QAccessible::queryAccessibleInterface(w.cell(2));
    QCOMPARE(filled->role(), QAccessible::Button);
    QCOMPARE(filled->actionInterface()->actionNames().size(), 1);
    QCOMPARE(empty->role(), QAccessible::StaticText);
    QVERIFY(empty->actionInterface()->actionNames().isEmpty());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
