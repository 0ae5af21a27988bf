#include "form1_test_support.h"
#include "form2_test_support.h"

#include "ui/layout.h"
#include "ui/qt/application.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

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

// What the screen reader is sent of a window's live fields: its notification, each time it starts
// showing, with the name it has then.
class Listener : public QObject
{
public:
    explicit Listener(QWidget *window)
        : m_notification(window->findChild<QWidget *>(u"liveRegion"_s))
    {
        m_notification->installEventFilter(this);
    }
    QStringList said() { return std::exchange(m_said, {}); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            m_said
                << QAccessible::queryAccessibleInterface(m_notification)->text(QAccessible::Name);
        return false;
    }

private:
    QWidget *m_notification;
    QStringList m_said;
};

void activate(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
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
    void aSearchOrBrowseStepSaysTheRecordOnce();
    void aCellsPressActionSaysItsReading();
    void theNotificationIsUnseen();
};

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

// Said once, in the words and order of the page's live region, and the focus stays where it was.
void AccessibilityTest::aSearchOrBrowseStepSaysTheRecordOnce()
{
    DictionaryWindow w;
    QWidget *window = ui::widgetOf(w.form->window());
    activate(window);
    Listener reader(window);
    QWidget *search = w.widget("Command2");
    QWidget *text1 = w.widget("Text1");
    text1->setFocus();
    QTest::keyClicks(text1, u"water"_s);
    QTest::keyClick(text1, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), search);
    QTest::keyClick(search, Qt::Key_Space);
    QCOMPARE(w.caption("Label1"), u"水"_s);
    QCOMPARE(reader.said(),
        QStringList {u"Record number: 264, The Kanji and its onyomi: 水, Kanji level: 4"_s});
    QCOMPARE(QApplication::focusWidget(), search);

    // Nothing is said again when the focus comes back; the same record searched again is.
    QTest::keyClick(search, Qt::Key_Tab);
    QTest::keyClick(text1, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), search);
    QCOMPARE(reader.said(), QStringList());
    QTest::keyClick(search, Qt::Key_Space);
    QCOMPARE(reader.said(),
        QStringList {u"Record number: 264, The Kanji and its onyomi: 水, Kanji level: 4"_s});
    // A browse step says its record.
    w.click("Command7");
    const QStringList browsed = reader.said();
    QVERIFY2(browsed.size() == 1 && browsed.front().startsWith(u"Record number: 265, "_s),
        qPrintable(browsed.join(u'|')));
}

// A cell is pressed through its action, as a screen reader presses it; a RUN of the reader says
// nothing. A RUN of the conjugator says the forms it wrote, each after its check box, and not
// the reading again.
void AccessibilityTest::aCellsPressActionSaysItsReading()
{
    ExpressionWindow w;
    QWidget *window = ui::widgetOf(w.form->window());
    activate(window);
    Listener reader(window);
    QWidget *run = w.widget(u"Command1"_s);
    run->setFocus();
    w.setText(u"Text1"_s, u"日本"_s);
    QTest::keyClick(run, Qt::Key_Space);
    QCOMPARE(reader.said(), QStringList());
    QAccessibleActionInterface *cell
        = QAccessible::queryAccessibleInterface(w.cell(0))->actionInterface();
    cell->doAction(cell->actionNames().front());
    QCOMPARE(QApplication::focusWidget(), run);
    const QStringList said = reader.said();
    QCOMPARE(said, QStringList {u"On, kun, meaning: "_s + w.caption(u"Label1"_s)});
    QVERIFY2(said.front().endsWith(u" hi; nichi/jitsu; day"_s), qPrintable(said.front()));

    QWidget *conjugate = w.widget(u"Command4"_s);
    conjugate->setFocus();
    const auto forms = [&w](std::initializer_list<int> ticked) {
        QStringList parts;
        for (int box : ticked)
            parts << static_cast<QCheckBox *>(w.widget(u"Check%1"_s.arg(box)))->text() + u' '
                    + w.caption(u"Label%1"_s.arg(box + 4));
        return QStringList {parts.join(u", "_s)};
    };
    w.setText(u"Text2"_s, u"taberu"_s);
    QTest::keyClick(conjugate, Qt::Key_Space);
    QCOMPARE(w.caption(u"Label6"_s), u"tabemasu"_s);
    QCOMPARE(reader.said(), forms({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QVERIFY(reader.said().isEmpty());
    // An unticked form keeps its last and is not said.
    w.tick(2, false);
    w.setText(u"Text2"_s, u"nomu"_s);
    QTest::keyClick(conjugate, Qt::Key_Space);
    QCOMPARE(w.caption(u"Label6"_s), u"tabemasu"_s);
    QCOMPARE(reader.said(), forms({1, 3, 4, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(QApplication::focusWidget(), conjugate);
}

// The reader finds the notification in a status bar, which keeps it from adding its role to the
// words; nothing of it is drawn, and it takes neither the focus nor a click.
void AccessibilityTest::theNotificationIsUnseen()
{
    DictionaryWindow w;
    QWidget *window = ui::widgetOf(w.form->window());
    activate(window);
    w.type(u"water"_s);
    w.click("Command2");
    auto *notification = window->findChild<QWidget *>(u"liveRegion"_s);
    QVERIFY(notification->isVisible());
    QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(notification);
    QCOMPARE(announced->role(), QAccessible::Notification);
    QCOMPARE(announced->parent()->role(), QAccessible::StatusBar);
    for (QWidget *unseen : {notification, notification->parentWidget()}) {
        QVERIFY(unseen->size().isEmpty());
        QCOMPARE(unseen->focusPolicy(), Qt::NoFocus);
        QVERIFY(unseen->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
