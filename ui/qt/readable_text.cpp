#include "ui/qt/readable_text.h"

#include "ui/contrast.h"
#include "ui/qt/convert.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>

namespace ui {

namespace {

    // The role a widget draws its text in over the Window colour, or NoRole.
    QPalette::ColorRole textRole(const QWidget *widget)
    {
        if (qobject_cast<const QMenuBar *>(widget))
            return QPalette::ButtonText; // the menu bar fills with Window but writes ButtonText
        if (auto *label = qobject_cast<const QLabel *>(widget))
            return label->foregroundRole();
        if (qobject_cast<const QCheckBox *>(widget) || qobject_cast<const QGroupBox *>(widget))
            return QPalette::WindowText;
        return QPalette::NoRole;
    }

    // Sets the text colour only where it is not ours yet or differs, so the PaletteChange this
    // causes comes back with nothing left to do.
    void applyReadableText(QWidget *widget)
    {
        const QPalette::ColorRole role = textRole(widget);
        if (role == QPalette::NoRole)
            return;
        // What the platform gives this kind of control, before any colour of ours.
        const QPalette platform = QApplication::palette(widget);
        QPalette palette = widget->palette();
        bool changed = false;
        // Disabled text is exempt from the contrast minimum; it keeps the platform's colour.
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            const QColor platformText = platform.color(group, role);
            const Color chosen = readableTextColor(
                toColor(palette.color(group, QPalette::Window)), toColor(platformText));
            const QColor text = chosen == toColor(platformText) ? platformText : toQColor(chosen);
            if (!palette.isBrushSet(group, role)
                || palette.color(group, role).rgba() != text.rgba()) {
                palette.setColor(group, role, text);
                changed = true;
            }
        }
        if (changed)
            widget->setPalette(palette);
    }

    // Recomputes the text colour whenever the widget's palette or the application's changes:
    // a new background, QApplication::setPalette or a switch of desktop theme.
    class ReadableText : public QObject
    {
        Q_OBJECT
    public:
        using QObject::QObject;

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            const auto type = event->type();
            if ((type == QEvent::PaletteChange || type == QEvent::ApplicationPaletteChange)
                && !m_applying) {
                m_applying = true;
                applyReadableText(static_cast<QWidget *>(watched));
                m_applying = false;
            }
            return false;
        }

    private:
        bool m_applying = false;
    };

} // namespace

void keepTextReadable(QWidget *widget)
{
    if (textRole(widget) == QPalette::NoRole)
        return;
    if (!widget->findChild<ReadableText *>(QString(), Qt::FindDirectChildrenOnly))
        widget->installEventFilter(new ReadableText(widget));
    applyReadableText(widget);
}

} // namespace ui

#include "readable_text.moc"
