#include "ui/qt/live_region.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

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

LiveRegion::LiveRegion(QWidget *window)
    : m_notification(
          new Unseen(QAccessible::Notification, new Unseen(QAccessible::StatusBar, window)))
{
    m_notification->setObjectName(QStringLiteral("liveRegion"));
    m_notification->hide();
}

void LiveRegion::announce(const QString &text)
{
    // Shown anew, so that the reader speaks it even when the text is the same as before.
    m_notification->hide();
    m_notification->setAccessibleName(text);
    m_notification->show();
}

} // namespace ui

#include "live_region.moc"
