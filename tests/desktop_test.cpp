// The program's desktop identity: the window icon it sets up, and the packaging files that must
// carry the same desktop id and executable name for a desktop to match the running program to
// its entry.

#include "app/identity.h"
#include "ui/qt/application.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTest>

class DesktopTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowIconDrawsAtEachSize_data();
    void windowIconDrawsAtEachSize();
    void packagingFilesNameTheProgram_data();
    void packagingFilesNameTheProgram();
};

void DesktopTest::windowIconDrawsAtEachSize_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("16 px, title bar") << 16;
    QTest::newRow("48 px, launcher") << 48;
    QTest::newRow("256 px, software centre") << 256;
}

void DesktopTest::windowIconDrawsAtEachSize()
{
    QFETCH(int, size);
    const QIcon icon = QApplication::windowIcon();
    QVERIFY2(!icon.isNull(), "no window icon: resource or SVG icon plugin missing");
    // At device pixel ratio 1, so a scale factor does not change the pixels examined.
    const QImage image
        = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(size, size));
    // A rounded square: transparent corners, opaque paper in the middle, ink somewhere.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size * 3 / 4)), 255);
    int dark = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb p = image.pixel(x, y);
            dark += qAlpha(p) == 255 && qGray(p) < 128;
        }
    }
    QVERIFY2(dark > size * size / 25, "the brush strokes are missing");
}

void DesktopTest::packagingFilesNameTheProgram_data()
{
    const QString id = QApplication::desktopFileName();
    const QString executable = QApplication::applicationName();
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("line");
    QTest::newRow("desktop entry names the icon by the desktop id")
        << id + ".desktop" << "Icon=" + id;
    QTest::newRow("icon file carries the desktop id") << id + ".svg" << "<svg";
    QTest::newRow("metainfo id is the desktop id") << id + ".metainfo.xml" << "<id>" + id + "</id>";
    QTest::newRow("metainfo launches the desktop entry") << id
            + ".metainfo.xml" << "<launchable type=\"desktop-id\">" + id + ".desktop</launchable>";
    QTest::newRow("metainfo provides the executable")
        << id + ".metainfo.xml" << "<binary>" + executable + "</binary>";
}

void DesktopTest::packagingFilesNameTheProgram()
{
    QFETCH(QString, file);
    QFETCH(QString, line);
    QFile packaging(VELMORA_PACKAGING_DIR "/" + file);
    QVERIFY2(packaging.open(QIODevice::ReadOnly), qPrintable("cannot read " + file));
    bool found = false;
    while (!found && !packaging.atEnd())
        found = QString::fromUtf8(packaging.readLine()).trimmed().startsWith(line);
    QVERIFY2(found, qPrintable(file + " has no line starting with " + line));
}

// The program's own application object, so the test sees what the program sets up.
int main(int argc, char **argv)
{
    ui::Application application(argc, argv,
        {.name = app::ExecutableName,
            .version = app::Version,
            .desktopFileName = app::DesktopFileName});
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
