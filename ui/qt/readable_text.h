#pragma once

class QWidget;

namespace ui {

// Gives `widget` a text colour readable on the background it fills itself with (the rule of
// ui/contrast.h), and keeps it so when the application palette changes (a theme switch). Other
// widgets are left alone.
void keepTextReadable(QWidget *widget);

} // namespace ui
