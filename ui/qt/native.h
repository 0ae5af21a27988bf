#pragma once

// What the Qt binding keeps behind the handles of ui/controls.h and ui/window.h.

#include "ui/window.h"

#include <map>
#include <memory>
#include <vector>

class QObject;
class QWidget;

namespace ui {

class FormWindow;
class LiveRegion;

struct Native
{
    QObject *object = nullptr;
};

struct Window::Impl
{
    std::unique_ptr<FormWindow> window;
    std::vector<QObject *> controls; // by row of the layout table
    std::vector<QObject *> menu; // the actions, by item
    std::unique_ptr<LiveRegion> live;
    // One per control handed out, so that every handle of a control shares it.
    mutable std::map<const QObject *, std::unique_ptr<Native>> natives;

    Native *native(QObject *object) const;
};

// The top-level widget of `window`, for the program's start-up code and for tests.
QWidget *widgetOf(const Window &window);

} // namespace ui
