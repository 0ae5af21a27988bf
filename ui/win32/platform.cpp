#include "ui/platform.h"

#include "ui/handlers.h"
#include "ui/win32/native.h"

namespace ui {

std::u16string clipboardText()
{
    std::u16string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *chars = static_cast<const char16_t *>(GlobalLock(data))) {
            // Up to the terminating NUL, and never past the block the owner gave.
            const std::size_t room = GlobalSize(data) / sizeof(char16_t);
            text.assign(chars,
                std::u16string_view(chars, room).find(u'\0') == std::u16string_view::npos
                    ? room
                    : std::u16string_view(chars, room).find(u'\0'));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool isOrdinaryFile(std::u16string_view name)
{
    // Taken literally: a name with a wildcard or a separator names no single file here, and a
    // stream name ("a:b") or a device is no ordinary file either.
    if (name.empty() || name.front() == u'.'
        || name.find_first_of(u"/\\*?:<>|\"") != std::u16string_view::npos
        || name.find(u'\0') != std::u16string_view::npos)
        return false;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(win32::wideString(name).c_str(), GetFileExInfoStandard, &data))
        return false;
    const DWORD notOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN
        | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    return (data.dwFileAttributes & notOrdinary) == 0;
}

void endProgram()
{
    handlers().end(); // a click already queued runs nothing
    PostQuitMessage(0);
}

} // namespace ui
