#include "ui/platform.h"

#include "ui/fonts.h"
#include "ui/handlers.h"
#include "ui/qt/application.h"
#include "ui/qt/convert.h"
#include "ui/qt/live_region.h"
#include "ui/qt/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFont>
#include <QIcon>

namespace ui {

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
    installLiveRegionAccessibility();
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
    handlers().end();
    QApplication::exit(0);
}

Application::Application(int &argc, char **argv, const Identity &identity)
    : m_app(std::make_unique<QApplication>(argc, argv))
{
    auto set = [](std::string_view value, void (*setter)(const QString &)) {
        if (!value.empty())
            setter(toQString(value));
    };
    set(identity.name, &QApplication::setApplicationName);
    set(identity.version, &QApplication::setApplicationVersion);
    set(identity.desktopFileName, &QApplication::setDesktopFileName);
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
