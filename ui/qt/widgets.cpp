#include "ui/qt/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace ui {

void FormWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closeHandler) {
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    m_closeHandler();
}

QRect WrapButton::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

double WrapButton::captionScale() const
{
    const QRect room = captionRect();
    const QFontMetrics metrics(font());
    const QRect wrapped = metrics.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text());
    if (wrapped.width() <= room.width() && wrapped.height() <= room.height())
        return 1.0;
    return std::min(1.0, double(room.width()) / metrics.horizontalAdvance(text()));
}

void WrapButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect room = captionRect();
    const double scale = captionScale();
    if (scale < 1.0) {
        painter.save();
        painter.translate(room.left(), 0);
        painter.scale(scale, 1.0);
        const QRect line(0, room.top(), int(room.width() / scale) + 1, room.height());
        painter.drawItemText(
            line, Qt::AlignCenter, palette(), isEnabled(), caption, QPalette::ButtonText);
        painter.restore();
    } else {
        painter.drawItemText(room, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(),
            caption, QPalette::ButtonText);
    }
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
    // Etched: a dark line with a light one beside it.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border);

    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

CellLabel::CellLabel(int index, QWidget *parent)
    : FitLabel(parent)
    , m_index(index)
{ }

void CellLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked(m_index);
    FitLabel::mouseReleaseEvent(event);
}

PromptLink &PromptLink::of(QLabel *prompt)
{
    if (PromptLink *link = find(prompt))
        return *link;
    return *new PromptLink(prompt);
}

PromptLink *PromptLink::find(QLabel *prompt)
{
    return prompt->findChild<PromptLink *>(QString(), Qt::FindDirectChildrenOnly);
}

void PromptLink::describe(QWidget *control)
{
    m_controls.emplace_back(control);
}

void PromptLink::update(const QString &caption)
{
    for (QWidget *control : m_controls) {
        if (control)
            control->setAccessibleDescription(caption);
    }
}

namespace {

    class CellAccessible : public QAccessibleWidget
    {
    public:
        explicit CellAccessible(CellLabel *cell)
            : QAccessibleWidget(cell, QAccessible::Button)
        { }

        CellLabel *cell() const { return static_cast<CellLabel *>(widget()); }

        // An empty cell is no button: there is nothing in it to press.
        QAccessible::Role role() const override
        {
            return cell()->text().isEmpty() ? QAccessible::StaticText : QAccessible::Button;
        }

        QString text(QAccessible::Text t) const override
        {
            switch (t) {
            case QAccessible::Name:
                return cell()->text();
            case QAccessible::Description:
                return QStringLiteral("cell %1").arg(cell()->index() + 1);
            default:
                return QAccessibleWidget::text(t);
            }
        }

        QStringList actionNames() const override
        {
            return cell()->text().isEmpty() ? QStringList() : QStringList {pressAction()};
        }
        QStringList keyBindingsForAction(const QString &) const override { return {}; }
        void doAction(const QString &name) override
        {
            if (name == pressAction())
                Q_EMIT cell()->clicked(cell()->index());
        }
    };

    QAccessibleInterface *cellFactory(const QString &, QObject *object)
    {
        if (auto *cell = qobject_cast<CellLabel *>(object))
            return new CellAccessible(cell);
        return nullptr;
    }

} // namespace

void installCellAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(cellFactory);
        installed = true;
    }
}

} // namespace ui
