#include "ui/qt/live_region.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace ui {

namespace {

    // A widget of no size that assistive technology sees in the given role.
    class Unseen : public QWidget
    {
        Q_OBJECT
    public:
        Unseen(QAccessible::Role role, QWidget *parent)
            : QWidget(parent)
            , m_role(role)
        {
            setGeometry(0, 0, 0, 0);
            setFocusPolicy(Qt::NoFocus);
            setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        QAccessible::Role role() const { return m_role; }

    private:
        QAccessible::Role m_role;
    };

    QAccessibleInterface *unseenFactory(const QString &, QObject *object)
    {
        if (auto *unseen = qobject_cast<Unseen *>(object))
            return new QAccessibleWidget(unseen, unseen->role());
        return nullptr;
    }

} // namespace

void installLiveRegionAccessibility()
{
    static bool installed = false;
    if (!std::exchange(installed, true))
        QAccessible::installFactory(unseenFactory);
}

LiveRegion::LiveRegion(std::vector<Field> fields, QWidget *window)
    : QObject(window)
    , m_fields(std::move(fields))
    , m_written(m_fields.size(), false)
    , m_notification(
          new Unseen(QAccessible::Notification, new Unseen(QAccessible::StatusBar, window)))
{
    m_notification->setObjectName(QStringLiteral("liveRegion"));
    m_notification->hide();
}

std::vector<LiveRegion *> LiveRegion::all()
{
    std::vector<LiveRegion *> regions;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *region = window->findChild<LiveRegion *>(QString(), Qt::FindDirectChildrenOnly))
            regions.push_back(region);
    }
    return regions;
}

void LiveRegion::runHandler(const std::function<void()> &handler)
{
    // Only what this handler writes is said; a handler run from inside another's (a modal box's
    // event loop) adds to what the outer one says.
    static int depth = 0;
    if (depth == 0) {
        for (LiveRegion *region : all())
            region->m_written.assign(region->m_fields.size(), false);
    }
    ++depth;
    handler();
    if (--depth > 0)
        return;
    for (LiveRegion *region : all())
        region->announceWritten();
}

void LiveRegion::written(QLabel *label)
{
    QWidget *window = label->window();
    auto *region = window->findChild<LiveRegion *>(QString(), Qt::FindDirectChildrenOnly);
    if (!region)
        return;
    const auto field = std::find_if(region->m_fields.begin(), region->m_fields.end(),
        [label](const Field &field) { return field.value == label; });
    if (field != region->m_fields.end())
        region->m_written[std::size_t(field - region->m_fields.begin())] = true;
}

QString LiveRegion::text() const
{
    QStringList parts;
    const QWidget *lastPrompt = nullptr;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const Field &field = m_fields[i];
        const QString value = field.value->text().trimmed();
        if (!m_written[i] || field.value->isHidden() || value.isEmpty())
            continue;
        if (field.prompt && field.prompt == lastPrompt)
            parts.back() += u' ' + value;
        else
            parts << (field.prompt ? field.prompt->property("text").toString() + u' ' : QString())
                    + value;
        lastPrompt = field.prompt;
    }
    return parts.join(QStringLiteral(", "));
}

void LiveRegion::announceWritten()
{
    const QString text = this->text();
    m_written.assign(m_fields.size(), false);
    if (text.isEmpty() || static_cast<QWidget *>(parent())->isHidden())
        return;
    // Shown anew, so that the reader speaks it even when the text is the same as before.
    m_notification->hide();
    m_notification->setAccessibleName(text);
    m_notification->show();
}

} // namespace ui

#include "live_region.moc"
