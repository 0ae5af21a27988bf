#include "app/platform_choice.h"

#include <QTest>

#include <optional>
#include <string>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<std::string>)

class PlatformChoiceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void xcbOnlyForGnomeBeforeQt68_data();
    void xcbOnlyForGnomeBeforeQt68();
};

void PlatformChoiceTest::xcbOnlyForGnomeBeforeQt68_data()
{
    using Set = std::optional<std::string>;
    QTest::addColumn<Set>("qtQpaPlatform");
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QString>("qtVersion");
    QTest::addColumn<bool>("xDisplay");
    QTest::addColumn<QString>("platform");

    QTest::newRow("GNOME") << Set() << u"GNOME"_s << u"6.4.2"_s << true << u"xcb"_s;
    QTest::newRow("ubuntu:GNOME") << Set() << u"ubuntu:GNOME"_s << u"6.4.2"_s << true << u"xcb"_s;
    QTest::newRow("Qt 5") << Set() << u"GNOME"_s << u"5.15.8"_s << true << u"xcb"_s;
    QTest::newRow("Qt 6.7") << Set() << u"GNOME"_s << u"6.7.3"_s << true << u"xcb"_s;
    QTest::newRow("Qt 6.8") << Set() << u"GNOME"_s << u"6.8.0"_s << true << QString();
    QTest::newRow("Qt 6.10") << Set() << u"GNOME"_s << u"6.10.1"_s << true << QString();
    QTest::newRow("Qt 7") << Set() << u"GNOME"_s << u"7.0.0"_s << true << QString();
    QTest::newRow("no X display") << Set() << u"GNOME"_s << u"6.4.2"_s << false << QString();
    QTest::newRow("KDE") << Set() << u"KDE"_s << u"6.4.2"_s << true << QString();
    QTest::newRow("GNOME only in a longer name")
        << Set() << u"GNOME-Flashback"_s << u"6.4.2"_s << true << QString();
    QTest::newRow("unset desktop") << Set() << QString() << u"6.4.2"_s << true << QString();
    QTest::newRow("user's wayland")
        << Set("wayland") << u"GNOME"_s << u"6.4.2"_s << true << QString();
    QTest::newRow("user's xcb on KDE") << Set("xcb") << u"KDE"_s << u"6.4.2"_s << true << QString();
    // Qt reads an empty QT_QPA_PLATFORM as unset.
    QTest::newRow("empty QT_QPA_PLATFORM")
        << Set("") << u"GNOME"_s << u"6.4.2"_s << true << u"xcb"_s;
}

void PlatformChoiceTest::xcbOnlyForGnomeBeforeQt68()
{
    QFETCH(std::optional<std::string>, qtQpaPlatform);
    QFETCH(QString, desktop);
    QFETCH(QString, qtVersion);
    QFETCH(bool, xDisplay);
    QFETCH(QString, platform);
    const app::PlatformFacts facts {
        qtQpaPlatform, desktop.toStdString(), qtVersion.toStdString(), xDisplay};
    const std::string_view chosen = app::platformFor(facts);
    QCOMPARE(QString::fromUtf8(chosen.data(), qsizetype(chosen.size())), platform);
}

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "platform_choice_test.moc"
