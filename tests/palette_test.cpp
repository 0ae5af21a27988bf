// Text on the colours the program paints itself stays readable whatever palette the desktop
// switches to while both windows are open; standard controls keep the platform's colours.

#include "app/program.h"
#include "ui/platform.h"
#include "ui/qt/application.h"
#include "ui/qt/convert.h"

#include "program_test_support.h"
#include "wcag.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QPalette themed(const QColor &background, const QColor &text)
{
    QPalette palette(background);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    palette.setColor(QPalette::Base, background);
    return palette;
}

// The role each control draws its caption in, where it stands on a colour the program sets.
QPalette::ColorRole textOnOurColour(const QWidget *widget)
{
    if (qobject_cast<const QMenuBar *>(widget))
        return QPalette::ButtonText;
    if (qobject_cast<const QLabel *>(widget) || qobject_cast<const QCheckBox *>(widget)
        || qobject_cast<const QGroupBox *>(widget))
        return QPalette::WindowText;
    return QPalette::NoRole;
}

} // namespace

class PaletteTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textOnOurColoursIsReadable_data();
    void textOnOurColoursIsReadable();

private:
    std::unique_ptr<Program> m_program;
};

void PaletteTest::initTestCase()
{
    ui::setUpFonts();
    m_program = std::make_unique<Program>();
    m_program->start();
    // A record with its details, then the expression window with a highlighted cell (話).
    control<QLineEdit>(u"Form1"_s, u"Text1"_s)->setText(u"water"_s);
    click(u"Form1"_s, u"Command2"_s);
    click(u"Form1"_s, u"Command4"_s);
    click(u"Form1"_s, u"Command10"_s);
    control<QLineEdit>(u"Form2"_s, u"Text1"_s)->setText(u"日本語を話します"_s);
    click(u"Form2"_s, u"Command1"_s);
    QTest::mouseClick(control(u"Form2"_s, u"Label2[4]"_s), Qt::LeftButton);
    QCOMPARE(
        control(u"Form2"_s, u"Label2[4]"_s)->palette().color(QPalette::Window), QColor(Qt::white));
}

void PaletteTest::textOnOurColoursIsReadable_data()
{
    // Rows run in order, each switching the palette of the open windows; light comes last to
    // show that the platform's own colours come back.
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("dark") << themed(QColor(0x35, 0x35, 0x35), QColor(0xee, 0xee, 0xec));
    QTest::newRow("high contrast, white on black") << themed(Qt::black, Qt::white);
    QTest::newRow("text in the desktop colour")
        << themed(Qt::lightGray, ui::toQColor(ui::desktopColor()));
    QTest::newRow("light, dark grey text")
        << themed(QColor(0xf6, 0xf5, 0xf4), QColor(0x2e, 0x34, 0x36));
}

void PaletteTest::textOnOurColoursIsReadable()
{
    QFETCH(QPalette, palette);
    QApplication::setPalette(palette);
    QCoreApplication::processEvents(); // top-level windows take the new palette from a posted event
    QStringList faults;
    int checked = 0;
    for (const QString &form : {u"Form1"_s, u"Form2"_s}) {
        for (QWidget *widget : window(form)->findChildren<QWidget *>()) {
            const QString name = form + u'.'
                + (widget->objectName().isEmpty()
                        ? QString::fromLatin1(widget->metaObject()->className())
                        : widget->objectName());
            const QPalette used = widget->palette();
            const QPalette platform = QApplication::palette(widget);
            auto keeps = [&](QPalette::ColorRole role) {
                if (used.color(role) != platform.color(role))
                    faults << name + u" changed the platform's colour "_s + QString::number(role);
            };
            if (qobject_cast<QPushButton *>(widget)) {
                keeps(QPalette::ButtonText);
                keeps(QPalette::Button);
            } else if (qobject_cast<QLineEdit *>(widget)) {
                keeps(QPalette::Text);
                keeps(QPalette::Base);
            }
            const QPalette::ColorRole role = textOnOurColour(widget);
            if (role == QPalette::NoRole)
                continue;
            const QColor background = used.color(QPalette::Window);
            const double contrast = wcagContrast(used.color(role), background);
            if (contrast < 4.5)
                faults << name + u" %1:1"_s.arg(contrast, 0, 'f', 1);
            // Where the platform's colour reads well enough, it is kept.
            if (wcagContrast(platform.color(role), background) >= 4.5)
                keeps(role);
            ++checked;
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; "_s)));
    QVERIFY(checked > 100); // labels, cells, check boxes, the frame and the menu bar
}

QTEST_MAIN(PaletteTest)
#include "palette_test.moc"
