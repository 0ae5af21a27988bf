#pragma once

#include "ui/controls.h"

#include <QColor>
#include <QString>

#include <string_view>

namespace ui {

inline QString toQString(std::u16string_view text)
{
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

inline QString toQString(std::string_view latin1)
{
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

inline Color toColor(const QColor &c)
{
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
        static_cast<std::uint8_t>(c.blue())};
}

inline QColor toQColor(Color c)
{
    return QColor(c.red, c.green, c.blue);
}

} // namespace ui
