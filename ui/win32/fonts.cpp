// The layout's fonts in GDI, and the captions fitted to their controls by the rule of ui/fit.h.

#include "ui/fit.h"
#include "ui/win32/native.h"

#include <cmath>

namespace ui {

namespace {

    bool installed(std::u16string_view family)
    {
        LOGFONTW wanted {};
        wanted.lfCharSet = DEFAULT_CHARSET;
        family.copy(reinterpret_cast<char16_t *>(wanted.lfFaceName), LF_FACESIZE - 1);
        bool found = false;
        HDC dc = GetDC(nullptr);
        EnumFontFamiliesExW(
            dc, &wanted,
            [](const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found) -> int {
                *reinterpret_cast<bool *>(found) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, dc);
        return found;
    }

    // The first installed of the faces the layout resolved for the control; the layout's own face
    // where none is, which GDI's font mapper then stands in for.
    std::u16string_view familyOf(const ResolvedControl &control)
    {
        static std::map<std::u16string_view, std::u16string_view> chosen;
        const auto known = chosen.find(control.families.front());
        if (known != chosen.end())
            return known->second;
        std::u16string_view family = control.families.front();
        for (std::u16string_view candidate : control.families) {
            if (installed(candidate)) {
                family = candidate;
                break;
            }
        }
        return chosen[control.families.front()] = family;
    }

    LOGFONTW logFont(std::u16string_view family, int pixelSize, int letterWidth, bool bold)
    {
        LOGFONTW font {};
        font.lfHeight = -pixelSize;
        font.lfWidth = letterWidth;
        font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfQuality = CLEARTYPE_QUALITY;
        family.copy(reinterpret_cast<char16_t *>(font.lfFaceName), LF_FACESIZE - 1);
        return font;
    }

    // GDI narrows letters by their average width: `stretch` percent of the face's own.
    int letterWidth(HDC dc, std::u16string_view family, int pixelSize, int stretch, bool bold)
    {
        if (stretch >= 100)
            return 0;
        const LOGFONTW normal = logFont(family, pixelSize, 0, bold);
        HFONT font = CreateFontIndirectW(&normal);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics {};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        DeleteObject(font);
        return std::max(1, int(std::lround(metrics.tmAveCharWidth * stretch / 100.0)));
    }

    // The room a caption has inside its control, as comctl32 draws it: a push button's frame and
    // margins, a check box's box and the gap after it, a frame's indent.
    RECT roomOf(const ResolvedControl &control, UINT dpi)
    {
        const auto px = [dpi](int pixels) {
            return MulDiv(pixels, int(dpi), 96);
        };
        const Rect &r = control.rect;
        switch (control.row->kind) {
        case Kind::Button:
            return {0, 0, r.width - px(10), r.height - px(4)};
        case Kind::CheckBox:
            return {0, 0, r.width - px(13) - px(4), r.height};
        case Kind::Frame:
            return {0, 0, r.width - px(16), r.height};
        case Kind::Label:
        case Kind::TextBox:
            break;
        }
        return {0, 0, r.width, r.height};
    }

    // A button's caption in the lines the fit measured, each held together by no-break spaces:
    // comctl32 draws them as they are, where Wine's would break a wrapped caption at every space.
    std::wstring ownLines(HWND hwnd, HFONT font, std::u16string_view caption, int width)
    {
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, font);
        std::wstring lines, line;
        const auto fits = [dc, width](const std::wstring &text) {
            SIZE size {};
            GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
            return size.cx <= width;
        };
        for (std::size_t start = 0; start <= caption.size();) {
            const std::size_t end = std::min(caption.find(u' ', start), caption.size());
            const std::wstring word = win32::wideString(caption.substr(start, end - start));
            if (line.empty() || fits(line + L' ' + word)) {
                line += (line.empty() ? L"" : L"\u00A0") + word;
            } else {
                lines += line + L'\n';
                line = word;
            }
            start = end + 1;
        }
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        return lines + line;
    }

} // namespace

void win32::fitCaption(Native &native)
{
    Window::Impl &window = *native.window;
    const ResolvedControl &control = window.layout.controls[std::size_t(native.control)];
    const std::u16string_view family = familyOf(control);
    const bool bold = control.face.bold;
    const int full = std::max(1, int(std::lround(control.face.points * window.dpi / 72.0)));
    // A button's caption is the table's (its window text holds the lines drawn).
    const bool button = control.row->kind == Kind::Button;
    const std::u16string caption
        = button ? std::u16string(control.row->caption) : windowText(native.hwnd);
    const RECT room = roomOf(control, window.dpi);
    const UINT format = DT_CALCRECT | DT_NOPREFIX
        | (control.row->kind == Kind::Frame ? DT_SINGLELINE : DT_WORDBREAK);

    HDC dc = GetDC(native.hwnd);
    const auto fits = [&](int pixelSize, int stretch) {
        const LOGFONTW wanted
            = logFont(family, pixelSize, letterWidth(dc, family, pixelSize, stretch, bold), bold);
        HFONT font = CreateFontIndirectW(&wanted);
        HGDIOBJ old = SelectObject(dc, font);
        RECT drawn = {0, 0, room.right, 0};
        DrawTextW(dc, wide(caption), int(caption.size()), &drawn, format);
        SelectObject(dc, old);
        DeleteObject(font);
        return drawn.right <= room.right && drawn.bottom <= room.bottom;
    };
    // A text box's text is the user's, and scrolls; it keeps the full size.
    const FitChoice choice = caption.empty() || control.row->kind == Kind::TextBox
        ? FitChoice {full, 100}
        : chooseFit(full, fits);
    const int width = letterWidth(dc, family, choice.pixelSize, choice.stretch, bold);
    ReleaseDC(native.hwnd, dc);

    HFONT &font = window.fonts[{std::u16string(family), choice.pixelSize, width, bold}];
    if (!font) {
        const LOGFONTW wanted = logFont(family, choice.pixelSize, width, bold);
        font = CreateFontIndirectW(&wanted);
    }
    SendMessageW(native.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), !button);
    if (button)
        SetWindowTextW(native.hwnd, ownLines(native.hwnd, font, caption, room.right).c_str());
}

} // namespace ui
