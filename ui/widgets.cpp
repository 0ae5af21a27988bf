#include "ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

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

void WrapButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(contents, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(),
        caption, QPalette::ButtonText);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

CellLabel::CellLabel(int index, QWidget *parent)
    : QLabel(parent)
    , m_index(index)
{ }

void CellLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked(m_index);
    QLabel::mouseReleaseEvent(event);
}

namespace {

    class CellAccessible : public QAccessibleWidget
    {
    public:
        explicit CellAccessible(CellLabel *cell)
            : QAccessibleWidget(cell, QAccessible::Button)
        { }

        CellLabel *cell() const { return static_cast<CellLabel *>(widget()); }

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

        QStringList actionNames() const override { return {pressAction()}; }
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
