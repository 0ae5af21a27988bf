#pragma once

// What a screen reader hears of the fields a layout marks live: after each handler, the live fields
// it wrote, once, each after its prompt, as the page's live region reads them.
//
// Qt 6.4 has no announcement event, Orca drops name changes of labels, and Qt 6.4 sends a changed
// name or description with the object in place of the text, which Orca cannot speak. Orca speaks a
// notification that starts showing, by its name, and without its role inside a status bar. So
// the window holds a status bar with one notification, both without size (nothing is drawn, and
// neither takes the focus), and each announcement shows the notification anew with the text as
// its name.

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QLabel;
class QWidget;

namespace ui {

class LiveRegion : public QObject
{
    Q_OBJECT
public:
    struct Field
    {
        QLabel *value;
        QWidget *prompt; // a label or a check box, or null
    };

    // `fields` in reading order; the region is a child of `window`.
    LiveRegion(std::vector<Field> fields, QWidget *window);

    // Runs a handler, then tells the screen reader what it wrote into the live fields.
    static void runHandler(const std::function<void()> &handler);
    // A handler set the caption of `label`.
    static void written(QLabel *label);

    // What the region says of the written fields: the visible, non-empty ones in reading order,
    // each after its prompt; fields that share a prompt follow it together.
    QString text() const;
    // The notification the screen reader is shown.
    QWidget *notification() const { return m_notification; }

private:
    static std::vector<LiveRegion *> all();
    void announceWritten();

    std::vector<Field> m_fields;
    std::vector<bool> m_written; // by field, since the outermost handler began
    QWidget *m_notification;
};

// Lets assistive technology see the live regions' status bars and notifications as such.
void installLiveRegionAccessibility();

} // namespace ui
