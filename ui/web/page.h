#pragma once

// The functions of page.js, which builds and drives the page's elements. Strings cross as UTF-16
// code units with their length; a string coming back is allocated with malloc and freed here.

#include <cstdint>
#include <string>
#include <string_view>

extern "C" {
int velmora_window(const char16_t *name, int nameLength, const char16_t *caption, int captionLength,
    int width, int height);
int velmora_menu_item(int window, const char16_t *name, int nameLength, const char16_t *caption,
    int captionLength, const char16_t *shortcut, int shortcutLength);
// `kind` is ui::kindName's, which page.js builds by.
int velmora_control(int window, const char16_t *kind, int kindLength, const char16_t *name,
    int nameLength, const char16_t *caption, int captionLength, int left, int top, int width,
    int height, int focusable, int centred);
void velmora_set_font(
    int element, const char16_t *families, int familiesLength, double points, int bold);
void velmora_describe(int control, int prompt, int names);
void velmora_set_line(int element, int line, int place);
void velmora_set_caption(int element, const char16_t *caption, int captionLength);
// Says `text` through the window's polite live region.
void velmora_say(int window, const char16_t *text, int textLength);
int velmora_caption(int element, char16_t **text);
void velmora_set_text(int element, const char16_t *text, int textLength);
int velmora_text(int element, char16_t **text);
void velmora_set_visible(int element, int visible);
int velmora_is_visible(int element);
void velmora_set_background(int element, int rgb);
int velmora_background(int element);
int velmora_is_ticked(int element);
int velmora_full_pixel_size(int element);
int velmora_fits(int element, int pixelSize, int stretch);
void velmora_set_fit(int element, int pixelSize, int stretch, int shrunk);
void velmora_show_window(int window);
void velmora_hide_window(int window);
int velmora_window_visible(int window);
// The page's modal boxes over `window`: each returns once answered (Asyncify sleeps meanwhile).
void velmora_message(
    int window, const char16_t *title, int titleLength, const char16_t *text, int textLength);
int velmora_input(int window, const char16_t *title, int titleLength, const char16_t *prompt,
    int promptLength, char16_t **answer);
int velmora_clipboard_text(char16_t **text);
void velmora_end_program();
}

namespace ui::web {

inline int length(std::u16string_view text)
{
    return static_cast<int>(text.size());
}

// Takes over a string that page.js allocated.
std::u16string adopt(char16_t *text, int length);

} // namespace ui::web
