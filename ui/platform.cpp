#include "ui/platform.h"

#include "ui/convert.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFont>
#include <QIcon>

namespace ui {

Color desktopColor()
{
    // A light steel blue: distinct from the white highlight of the kanji reader, and black text
    // on it keeps a contrast of about 10:1.
    return {0x9D, 0xB9, 0xD5};
}

void setUpFonts()
{
    // fontconfig knows none of the Windows faces the layouts name.
    const QStringList gothic {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
        QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(QStringLiteral(u"ＭＳ Ｐゴシック"), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), gothic);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
        {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Lucida Sans Unicode"), {QStringLiteral("DejaVu Sans")});

    // The layouts were drawn for a small UI font. At 8 pt the descenders of two-line captions
    // ("Enter the verb in romaji:") lose a pixel row at scale factors 1.5 and 2; 7.8 pt keeps
    // every caption whole at 1, 1.5 and 2.
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPointSizeF(7.8);
    QApplication::setFont(font);
    installCellAccessibility();
}

std::u16string clipboardText()
{
    return QApplication::clipboard()->text().toStdU16String();
}

bool isOrdinaryFile(std::u16string_view name)
{
    if (name.empty() || name.front() == u'.' || name.find_first_of(u"/\\") != name.npos)
        return false;
    const QFileInfo info(toQString(name));
    return info.isFile() && !info.isHidden();
}

void endProgram()
{
    QApplication::exit(0);
}

Application::Application(int &argc, char **argv)
    : m_app(std::make_unique<QApplication>(argc, argv))
{
    QApplication::setApplicationName(QStringLiteral("velmora-kanji"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.velmora.Kanji"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/org.velmora.Kanji.svg")));
    setUpFonts();
}

Application::~Application() = default;

int Application::exec()
{
    return QApplication::exec();
}

} // namespace ui
