// The fitting rule's arithmetic, shared by both bindings, against a caption whose ink width is
// proportional to size and stretch, so every answer can be worked out by hand.

#include "ui/fit.h"

#include <QTest>

class FitTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void narrowsFirstThenShrinks_data();
    void narrowsFirstThenShrinks();
};

void FitTest::narrowsFirstThenShrinks_data()
{
    // A caption `width` units wide at 16 px and 100 %, in a label 1600 units wide.
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("stretch");
    QTest::addColumn<int>("mostMeasures");
    QTest::newRow("fits as it stands") << 1600 << 16 << 100 << 1;
    QTest::newRow("a little too wide: narrowed just enough") << 1700 << 16 << 94 << 8;
    QTest::newRow("fits exactly at the narrowest") << 2133 << 16 << 75 << 8;
    QTest::newRow("too wide even narrowest: smaller, then narrowed") << 2200 << 15 << 77 << 12;
    QTest::newRow("far too wide: the smallest size, measured once more") << 100000 << 1 << 75 << 3;
}

void FitTest::narrowsFirstThenShrinks()
{
    QFETCH(int, width);
    QFETCH(int, pixelSize);
    QFETCH(int, stretch);
    QFETCH(int, mostMeasures);
    int measured = 0;
    const ui::FitChoice choice = ui::chooseFit(16, [&](int px, int percent) {
        ++measured;
        return width * px * percent <= 1600 * 16 * 100;
    });
    QCOMPARE(choice.pixelSize, pixelSize);
    QCOMPARE(choice.stretch, stretch);
    // The searches halve their range: a long caption is measured some ten times, not a hundred.
    QVERIFY(measured <= mostMeasures);
}

QTEST_APPLESS_MAIN(FitTest)
#include "fit_test.moc"
