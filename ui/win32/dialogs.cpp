#include "ui/dialogs.h"

#include "ui/win32/native.h"

#include <vector>

namespace ui {

namespace {

    // A dialog template in memory: the input box needs no resource file.
    class DialogTemplate
    {
    public:
        DialogTemplate(std::u16string_view title, short width, short height, WORD items)
        {
            add(DS_MODALFRAME | DS_SHELLFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
            add(0);
            m_words.push_back(items);
            for (short value : {short(0), short(0), width, height})
                m_words.push_back(WORD(value));
            m_words.push_back(0); // no menu
            m_words.push_back(0); // the dialog class
            text(title);
            m_words.push_back(8);
            text(u"MS Shell Dlg");
        }

        // `kind`: the predefined class's atom (0x80 button, 0x81 edit, 0x82 static).
        void item(WORD kind, WORD id, DWORD style, DWORD exStyle, short x, short y, short width,
            short height, std::u16string_view caption = {})
        {
            if (m_words.size() % 2)
                m_words.push_back(0); // items start on a DWORD
            add(style | WS_CHILD | WS_VISIBLE);
            add(exStyle);
            for (short value : {x, y, width, height})
                m_words.push_back(WORD(value));
            m_words.push_back(id);
            m_words.push_back(0xFFFF);
            m_words.push_back(kind);
            text(caption);
            m_words.push_back(0); // no creation data
        }

        const DLGTEMPLATE *get() const
        {
            return reinterpret_cast<const DLGTEMPLATE *>(m_words.data());
        }

    private:
        void add(DWORD value)
        {
            m_words.push_back(LOWORD(value));
            m_words.push_back(HIWORD(value));
        }

        void text(std::u16string_view value)
        {
            m_words.insert(m_words.end(), value.begin(), value.end());
            m_words.push_back(0);
        }

        std::vector<WORD> m_words;
    };

    constexpr WORD AnswerId = 101;

    // Boxes open centred over the window that asked, as in the other builds.
    void centreOver(HWND box, HWND owner)
    {
        RECT o, b;
        GetWindowRect(owner, &o);
        GetWindowRect(box, &b);
        SetWindowPos(box, nullptr, (o.left + o.right - (b.right - b.left)) / 2,
            (o.top + o.bottom - (b.bottom - b.top)) / 2, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // MessageBoxW places its box itself; this hook moves it as it is first activated.
    thread_local HHOOK centring = nullptr;

    LRESULT CALLBACK centreMessageBox(int code, WPARAM wParam, LPARAM lParam)
    {
        const HHOOK hook = centring;
        if (code == HCBT_ACTIVATE) {
            HWND box = reinterpret_cast<HWND>(wParam);
            centreOver(box, GetWindow(box, GW_OWNER));
            UnhookWindowsHookEx(hook);
            centring = nullptr;
        }
        return CallNextHookEx(hook, code, wParam, lParam);
    }

    INT_PTR inputMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SendDlgItemMessageW(dialog, AnswerId, EM_SETLIMITTEXT, 0, 0); // any length
            centreOver(dialog, GetWindow(dialog, GW_OWNER));
            return TRUE; // the focus goes to the first tab stop, the text box
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto *answer
                    = reinterpret_cast<std::u16string *>(GetWindowLongPtrW(dialog, DWLP_USER));
                *answer = win32::windowText(GetDlgItem(dialog, AnswerId));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
        }
        return FALSE;
    }

    INT_PTR CALLBACK inputProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        try {
            return inputMessage(dialog, message, wParam, lParam);
        } catch (...) {
            win32::keepFailure(); // thrown again once the box is closed
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
    }

    class Win32Dialogs final : public Dialogs
    {
    public:
        explicit Win32Dialogs(std::u16string_view title)
            : m_title(title)
        { }

    protected:
        void showMessage(const Window &owner, std::u16string_view text) override
        {
            centring = SetWindowsHookExW(WH_CBT, centreMessageBox, nullptr, GetCurrentThreadId());
            MessageBoxW(win32::handleOf(owner), win32::wideString(text).c_str(),
                win32::wideString(m_title).c_str(), MB_OK);
            win32::rethrowKept(); // what failed while the box was open
        }

        // Prompt, text box, OK and Cancel in dialog units; Enter is OK, Escape is Cancel.
        std::u16string askInput(const Window &owner, std::u16string_view prompt) override
        {
            DialogTemplate box(m_title, 230, 84, 4);
            box.item(0x82, WORD(-1), SS_LEFT | SS_NOPREFIX, 0, 7, 7, 216, 34, prompt);
            box.item(0x81, AnswerId, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 0, 7, 44, 216, 14);
            box.item(0x80, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 119, 64, 50, 14, u"OK");
            box.item(0x80, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 0, 173, 64, 50, 14, u"Cancel");
            std::u16string answer;
            const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(),
                win32::handleOf(owner), inputProcedure, reinterpret_cast<LPARAM>(&answer));
            win32::rethrowKept();
            return result == IDOK ? answer : std::u16string();
        }

    private:
        std::u16string m_title;
    };

} // namespace

std::unique_ptr<Dialogs> toolkitDialogs(std::u16string_view title)
{
    return std::make_unique<Win32Dialogs>(title);
}

} // namespace ui
