// Run at several QT_SCALE_FACTOR values: the layouts keep their proportions.

#include "caption_fit.h"
#include "form1_test_support.h"
#include "form2_test_support.h"

#include "ui/layout.h"
#include "ui/qt/application.h"

#include <QApplication>

using namespace Qt::StringLiterals;

class HiDpiTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::setUpFonts(); }
    void windowsScaleAsAWhole_data();
    void windowsScaleAsAWhole();
};

void HiDpiTest::windowsScaleAsAWhole_data()
{
    QTest::addColumn<bool>("dictionary");
    QTest::newRow("dictionary window") << true;
    QTest::newRow("expression window") << false;
}

void HiDpiTest::windowsScaleAsAWhole()
{
    QFETCH(bool, dictionary);
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s).toDouble();
    DictionaryWindow form1;
    ExpressionWindow form2;
    ui::Window &window = dictionary ? form1.form->window() : form2.form->window();
    const ui::WindowSpec &layout = dictionary ? Form1::Layout : Form2::Layout;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(ui::widgetOf(window)));
    QCOMPARE(ui::widgetOf(window)->devicePixelRatioF(), factor);

    for (const ui::ControlRow &row : layout.controls) {
        const QString name = QString::fromStdString(ui::fullName(row.name, row.index));
        QWidget *control = ui::widgetOf(window)->findChild<QWidget *>(name);
        // Logical geometry stays the layout's; the device pixels grow with the factor.
        QCOMPARE(control->geometry(),
            QRect(ui::twipsToPixels(row.left), ui::twipsToPixels(row.top),
                ui::twipsToPixels(row.width), ui::twipsToPixels(row.height)));
        const QString problem = captionFitProblem(control, 0.9);
        QVERIFY2(problem.isEmpty(), qPrintable(name + u": "_s + problem));
    }

    // Japanese text is drawn at device resolution, not scaled up from a small picture.
    QWidget *japanese
        = ui::widgetOf(window)->findChild<QWidget *>(dictionary ? u"Label1"_s : u"Label2[0]"_s);
    const QPixmap picture = japanese->grab();
    QCOMPARE(picture.devicePixelRatio(), factor);
    QCOMPARE(picture.width(), qRound(japanese->width() * factor));
}

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
