#pragma once

// How the Qt binding tells a screen reader what a handler wrote (the words: ui/live_fields.h).
//
// Qt 6.4 has no announcement event, Orca drops name changes of labels, and Qt 6.4 sends a changed
// name or description with the object in place of the text, which Orca cannot speak. Orca speaks a
// notification that starts showing, by its name, and without its role inside a status bar. So
// the window holds a status bar with one notification, both without size (nothing is drawn, and
// neither takes the focus), and each announcement shows the notification anew with the text as
// its name.

#include <QString>

class QWidget;

namespace ui {

class LiveRegion
{
public:
    // The region's widgets are children of `window`.
    explicit LiveRegion(QWidget *window);

    void announce(const QString &text);
    // The notification the screen reader is shown.
    QWidget *notification() const { return m_notification; }

private:
    QWidget *m_notification;
};

// Lets assistive technology see the live regions' status bars and notifications as such.
void installLiveRegionAccessibility();

} // namespace ui
