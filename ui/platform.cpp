#include "ui/platform.h"

#include "ui/convert.h"
#include "ui/fonts.h"
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
    for (const Substitution &substitution : Substitutions) {
        QStringList installed;
        for (std::u16string_view family : substitution.installed) {
            if (!family.empty())
                installed << toQString(family);
        }
        QFont::insertSubstitutions(toQString(substitution.face), installed);
    }
    const FontFace face = faceOf(Font::Default);
    QFont font(toQString(face.family));
    font.setPointSizeF(face.points);
    QApplication::setFont(font);
}

void setUpAccessibility()
{
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
    setUpAccessibility();
}

Application::~Application() = default;

int Application::exec()
{
    return QApplication::exec();
}

} // namespace ui
