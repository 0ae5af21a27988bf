// Every value the windows show is drawn whole, legible, broken at spaces only and off the
// label's border: each record's fields in the value labels of the dictionary window, each kanji's
// text in the reader. Run at several QT_SCALE_FACTOR values.

#include "caption_fit.h"
#include "form1_test_support.h"
#include "form2_test_support.h"
#include "loaded_records.h"

#include "ui/qt/application.h"
#include "ui/qt/convert.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QSet>
#include <QToolTip>

using namespace Qt::StringLiterals;
using namespace Module1::Col;

class ValueFitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::setUpFonts(); }
    void everyValueIsDrawnWholeAndLegible_data();
    void everyValueIsDrawnWholeAndLegible();
};

void ValueFitTest::everyValueIsDrawnWholeAndLegible_data()
{
    QTest::addColumn<QString>("label");
    // Browsing writes the column into the label; English there is what a search in Japanese
    // writes. 0: the reader's text.
    QTest::addColumn<int>("column");
    QTest::newRow("Form1.Label1 kanji") << u"Label1"_s << int(Kanji);
    QTest::newRow("Form1.Label2 kunyomi") << u"Label2"_s << int(Kunyomi);
    QTest::newRow("Form1.Label2 English") << u"Label2"_s << int(English);
    QTest::newRow("Form1.Label3 onyomi") << u"Label3"_s << int(Onyomi);
    QTest::newRow("Form1.Label11 example") << u"Label11"_s << int(Example);
    QTest::newRow("Form1.Label13 Indonesian") << u"Label13"_s << int(Indonesian);
    QTest::newRow("Form1.Label15 number") << u"Label15"_s << int(Number);
    QTest::newRow("Form1.Label18 level") << u"Label18"_s << int(Level);
    QTest::newRow("Form2.Label1 reader text") << u"Label1"_s << 0;
}

void ValueFitTest::everyValueIsDrawnWholeAndLegible()
{
    QFETCH(QString, label);
    QFETCH(int, column);
    DictionaryWindow dictionary;
    ExpressionWindow reader;
    dictionary.form->Command4_Click();
    dictionary.form->Command9_Click();
    ui::Window &window = column ? dictionary.form->window() : reader.form->window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(ui::widgetOf(window)));
    auto *field = ui::widgetOf(window)->findChild<ui::FitLabel *>(label);
    // No value is drawn with a smaller x-height than the prompts beside it (the UI font's).
    const qreal legible = QFontMetricsF(QApplication::font()).xHeight();

    QSet<std::u16string> kanjiShown;
    QFont smallest = field->font();
    int shrunk = 0;
    const LoadedRecords &records = loadedRecords();
    for (int record = 1; record <= records.count; ++record) {
        const Module1::Row &row = records.row(record);
        std::u16string expected = row[std::size_t(column)];
        if (column == 0) {
            if (kanjiShown.contains(row[Kanji])) // the reader shows a kanji's first record
                continue;
            kanjiShown.insert(row[Kanji]);
            reader.run(ui::toQString(row[Kanji]));
            reader.form->Label2_Click(0);
            expected = row[Kunyomi] + u"; " + row[Onyomi] + u"; " + row[English];
        } else {
            dictionary.form->Command7_Click();
            if (column == English)
                dictionary.form->window().label("Label2").setCaption(expected);
        }
        const QByteArray where = u"record %1 \"%2\": "_s.arg(record).arg(field->text()).toUtf8();
        QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name),
            ui::toQString(expected));
        QVERIFY2(field->drawnLines().join(u' ') == field->text(), where + "broken not at a space");
        const QString border = inkOnBorder(field);
        QVERIFY2(border.isEmpty(), where + border.toUtf8());
        QVERIFY2(QFontMetricsF(field->drawnFont()).xHeight() >= legible, where + "too small");
        if (field->isShrunk()) {
            ++shrunk;
            QHelpEvent help(QEvent::ToolTip, QPoint(), field->mapToGlobal(QPoint()));
            QApplication::sendEvent(field, &help);
            QVERIFY2(QToolTip::text().contains(field->text().toHtmlEscaped()), where + "tooltip");
            if (QFontInfo(field->drawnFont()).pixelSize() < QFontInfo(smallest).pixelSize())
                smallest = field->drawnFont();
        }
    }
    const qreal ratio = field->devicePixelRatioF();
    qInfo("%d values narrowed or made smaller; smallest %d px, x-height %.1f device pixels (at "
          "least %.1f)",
        shrunk, QFontInfo(smallest).pixelSize(), QFontMetricsF(smallest).xHeight() * ratio,
        legible * ratio);
}

QTEST_MAIN(ValueFitTest)
#include "value_fit_test.moc"
