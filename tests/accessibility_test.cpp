#include "form1_test_support.h"
#include "form2_test_support.h"

#include "ui/qt/application.h"
#include "ui/qt/convert.h"

#include <QAccessible>
#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

// Presses Tab from the window's first focus until the focus comes back, and lists the stops.
QStringList tabStops(ui::Window &window)
{
    window.show();
    if (!QTest::qWaitForWindowActive(ui::widgetOf(window)))
        return {u"window never became active"_s};
    QStringList stops;
    QWidget *first = QApplication::focusWidget();
    QWidget *current = first;
    do {
        stops << (current ? current->objectName() : u"(none)"_s);
        QTest::keyClick(current, Qt::Key_Tab);
        current = QApplication::focusWidget();
    } while (current != first && stops.size() < 100);
    window.hide();
    return stops;
}

// Every control of the layout is announced with a role and a name or a description.
QStringList silentControls(ui::Window &window, const ui::WindowSpec &layout)
{
    QStringList silent;
    for (const ui::ControlRow &row : layout.controls) {
        const QString name = ui::objectName(row.name, row.index);
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(
            ui::widgetOf(window)->findChild<QWidget *>(name));
        if (!control || control->role() == QAccessible::NoRole
            || (control->text(QAccessible::Name).isEmpty()
                && control->text(QAccessible::Description).isEmpty()))
            silent << name;
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
    void tabReachesTheDictionaryControlsInOrder();
    void tabReachesTheExpressionControlsInOrder();
    void everyControlIsAnnounced();
    void buttonsAreNamedByTheirCaptions();
    void onlyFilledCellsAreButtons();
};

void AccessibilityTest::tabReachesTheDictionaryControlsInOrder()
{
    DictionaryWindow w;
    QCOMPARE(tabStops(w.form->window()),
        (QStringList {u"Command1"_s, u"Command2"_s, u"Text1"_s, u"Command4"_s, u"Command5"_s,
            u"Command6"_s, u"Command7"_s, u"Command8"_s, u"Command10"_s}));
}

void AccessibilityTest::tabReachesTheExpressionControlsInOrder()
{
    ExpressionWindow w;
    QCOMPARE(tabStops(w.form->window()),
        (QStringList {u"Command3"_s, u"Command2"_s, u"Command1"_s, u"Text1"_s, u"Check10"_s,
            u"Check9"_s, u"Check6"_s, u"Check1"_s, u"Check2"_s, u"Check3"_s, u"Check4"_s,
            u"Check5"_s, u"Check7"_s, u"Check8"_s, u"Command4"_s, u"Text2"_s}));
}

void AccessibilityTest::everyControlIsAnnounced()
{
    DictionaryWindow dictionary;
    QCOMPARE(silentControls(dictionary.form->window(), Form1::Layout), QStringList());
    ExpressionWindow expression;
    QCOMPARE(silentControls(expression.form->window(), Form2::Layout), QStringList());
    // After a record is shown, value fields are announced by their values.
    dictionary.click("Command7");
    QCOMPARE(
        QAccessible::queryAccessibleInterface(dictionary.widget("Label1"))->text(QAccessible::Name),
        u"悪"_s);
}

void AccessibilityTest::buttonsAreNamedByTheirCaptions()
{
    DictionaryWindow w;
    QAccessibleInterface *search = QAccessible::queryAccessibleInterface(w.widget("Command2"));
    QCOMPARE(search->role(), QAccessible::Button);
    QCOMPARE(search->text(QAccessible::Name), u"Search for the word"_s);
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
