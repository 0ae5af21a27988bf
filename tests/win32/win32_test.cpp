// The Win32 binding under Wine, driven by real window messages: places at the system's dpi and
// after a monitor change, tab order, what a screen reader is told and hears, the journeys through
// both windows, the boxes, a window that cannot be made and the platform services. One group per
// run: `win32_test <group> [dpi]`. The rules behind the windows are tested without a toolkit and
// under the Qt build; here only that the binding delivers them.

#include "app/identity.h"
#include "app/program.h"
#include "conjugation/conjugation.h"
#include "ui/platform.h"
#include "ui/win32/native.h"

#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>

namespace {

int failures = 0;

void check(bool ok, const char *what, int line, const std::string &context = {})
{
    if (!ok) {
        ++failures;
        std::fprintf(stderr, "FAIL line %d: %s %s\n", line, what, context.c_str());
    }
}
#define CHECK(x, ...) check((x), #x, __LINE__ __VA_OPT__(, ) __VA_ARGS__)

// Answers the boxes as Cancel does, and records what each asked.
struct ScriptedDialogs final : ui::Dialogs
{
    void showMessage(const ui::Window &, std::u16string_view text) override
    {
        asked.emplace_back(text);
    }
    std::u16string askInput(const ui::Window &owner, std::u16string_view prompt) override
    {
        showMessage(owner, prompt);
        return {};
    }
    std::vector<std::u16string> asked;
};

void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ui::win32::processMessage(msg);
}

// Lets the window manager's answers (activation, focus) arrive before keys are pressed, which
// would otherwise go to whichever control had the focus when they came.
void settle(const ui::Window &window)
{
    HWND hwnd = window.impl().hwnd;
    SetForegroundWindow(hwnd);
    for (int i = 0; i < 60 && (i < 10 || GetActiveWindow() != hwnd); ++i) {
        pump();
        Sleep(20);
    }
}

HWND handle(const ui::Window &window, std::string_view name)
{
    const auto &controls = window.impl().layout.controls;
    const auto found = std::find_if(
        controls.begin(), controls.end(), [name](const auto &c) { return c.name == name; });
    return window.impl().controls.at(std::size_t(found - controls.begin()))->hwnd;
}

std::u16string text(HWND hwnd)
{
    return ui::win32::windowText(hwnd);
}

// As the mouse does it (BM_CLICK does the same); a label reports its click on the way down or up,
// depending on the system.
void click(HWND hwnd)
{
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
    pump();
}

void key(UINT virtualKey)
{
    PostMessageW(GetFocus(), WM_KEYDOWN, virtualKey, 1);
    PostMessageW(GetFocus(), WM_KEYUP, virtualKey, 0xC0000001);
    pump();
}

void type(HWND hwnd, std::u16string_view typed)
{
    SetFocus(hwnd);
    SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    for (char16_t c : typed)
        PostMessageW(hwnd, WM_CHAR, c, 1);
    pump();
}

std::string narrow(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

// Every control at its resolved rectangle, in a face the layout resolved and at most its size;
// the client area the layout's; Tab visits the focusable controls in their ranks.
void checkPlaces(const ui::Window &window, UINT dpi)
{
    const ui::Window::Impl &impl = window.impl();
    const ui::ResolvedLayout layout = ui::resolve(*impl.table, dpi / 96.0);
    CHECK(impl.dpi == dpi, std::to_string(impl.dpi));
    RECT client;
    GetClientRect(impl.hwnd, &client);
    CHECK(client.right == layout.clientWidth && client.bottom == layout.clientHeight,
        std::string(impl.table->name) + " " + std::to_string(client.right) + "x"
            + std::to_string(client.bottom));
    for (const ui::ResolvedControl &control : layout.controls) {
        HWND hwnd = handle(window, control.name);
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, impl.hwnd, reinterpret_cast<POINT *>(&r), 2);
        const ui::Rect &want = control.rect;
        CHECK(r.left == want.left && r.top == want.top && r.right == want.right()
                && r.bottom == want.bottom(),
            control.name);
        LOGFONTW font {};
        GetObjectW(
            reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
        const auto full = std::lround(control.face.points * dpi / 72);
        CHECK(-font.lfHeight <= full && -font.lfHeight > full / 2, control.name);
        bool known = false;
        for (std::u16string_view family : control.families)
            known = known || family == reinterpret_cast<const char16_t *>(font.lfFaceName);
        CHECK(known, control.name);
    }
}

// Tab visits the focusable controls in their ranks; labels take no focus.
void checkKeyboard(const ui::Window &window)
{
    std::map<int, HWND> ranks;
    for (const ui::ResolvedControl &control : window.impl().layout.controls) {
        HWND hwnd = handle(window, control.name);
        if (control.focusable && IsWindowVisible(hwnd))
            ranks[control.tabRank] = hwnd;
        if (control.row->kind == ui::Kind::Label)
            CHECK(!(GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP), control.name);
    }
    SetFocus(ranks.begin()->second);
    for (auto next = std::next(ranks.begin()); next != ranks.end(); ++next) {
        key(VK_TAB);
        CHECK(GetFocus() == next->second, std::to_string(next->first));
    }
    key(VK_TAB);
    CHECK(GetFocus() == ranks.begin()->second, "Tab wraps to the first");
}

// What the control's object for screen readers says of itself through `get`.
std::u16string said(HWND hwnd, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *))
{
    IAccessible *object = nullptr;
    BSTR text = nullptr;
    VARIANT self {};
    self.vt = VT_I4; // .lVal 0: CHILDID_SELF
    if (AccessibleObjectFromWindow(
            hwnd, DWORD(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void **>(&object))
        == S_OK) {
        (object->*get)(self, &text);
        object->Release();
    }
    std::u16string result(reinterpret_cast<const char16_t *>(text), SysStringLen(text));
    SysFreeString(text);
    return result;
}

// A screen reader is told what the other builds tell it: a text box's prompt as its name, a
// field's prompt as its description, a cell's press action only where a character stands. A text
// box takes text of any length.
void checkAccessibility(const ui::Window &window)
{
    const ui::Window::Impl &impl = window.impl();
    for (std::size_t i = 0; i < impl.layout.controls.size(); ++i) {
        const ui::ResolvedControl &control = impl.layout.controls[i];
        HWND hwnd = impl.controls[i]->hwnd;
        const bool textBox = control.row->kind == ui::Kind::TextBox;
        if (control.prompt >= 0)
            CHECK(said(hwnd, textBox ? &IAccessible::get_accName : &IAccessible::get_accDescription)
                    == text(impl.controls[std::size_t(control.prompt)]->hwnd),
                control.name);
        if (control.inArray)
            CHECK((said(hwnd, &IAccessible::get_accDefaultAction) == u"Press")
                    == (GetWindowTextLengthW(hwnd) > 0),
                control.name);
        if (textBox) {
            const std::u16string before = text(hwnd);
            SetWindowTextW(hwnd, std::wstring(32767, L'x').c_str());
            SendMessageW(hwnd, WM_CHAR, 'y', 1);
            CHECK(GetWindowTextLengthW(hwnd) == 32768, control.name);
            SetWindowTextW(hwnd, ui::win32::wideString(before).c_str());
        }
    }
}

// A screen reader's ear: an out-of-context hook, in a thread with the message loop such a hook
// needs, that reads the name of each live region that changes.
std::vector<std::u16string> heard;
std::atomic<std::size_t> heardCount = 0;

void CALLBACK liveRegionChanged(
    HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible *region = nullptr;
    VARIANT self {};
    BSTR name = nullptr;
    if (AccessibleObjectFromEvent(hwnd, DWORD(object), DWORD(child), &region, &self) == S_OK) {
        region->get_accName(self, &name);
        region->Release();
    }
    heard.emplace_back(reinterpret_cast<const char16_t *>(name), SysStringLen(name));
    SysFreeString(name);
    ++heardCount;
}

// What the ear hears after `act`, while this thread answers the questions the ear asks it.
std::vector<std::u16string> hear(const std::function<void()> &act)
{
    std::atomic<DWORD> ear = 0;
    std::thread listening([&ear] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue that WM_QUIT comes to
        HWINEVENTHOOK hook
            = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED,
                nullptr, liveRegionChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
        ear = GetCurrentThreadId();
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
        UnhookWinEvent(hook);
        CoUninitialize();
    });
    while (!ear)
        Sleep(10);
    act();
    for (int i = 0; i < 150 && heardCount == 0; ++i) {
        pump();
        Sleep(20);
    }
    PostThreadMessageW(ear, WM_QUIT, 0, 0);
    listening.join();
    return heard;
}

void layoutGroup(UINT systemDpi)
{
    ScriptedDialogs dialogs;
    Program program(dialogs, [] { });
    program.start();
    click(handle(program.dictionary().window(), "Command10"));
    for (ui::Window *window : {&program.dictionary().window(), &program.expression()->window()}) {
        window->show();
        settle(*window);
        checkPlaces(*window, systemDpi);
        checkKeyboard(*window);
        // Moved to a monitor of another scale: everything follows it, and back.
        for (UINT dpi : {systemDpi == 96 ? 144u : 96u, systemDpi}) {
            RECT suggested {0, 0, 100, 100};
            SendMessageW(window->impl().hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                reinterpret_cast<LPARAM>(&suggested));
            settle(*window);
            checkPlaces(*window, dpi);
        }
    }
}

void journeysGroup()
{
    ScriptedDialogs dialogs;
    int ends = 0;
    Program program(dialogs, [&ends] { ++ends; });
    program.start();
    const ui::Window &form1 = program.dictionary().window();
    settle(form1);
    const auto f1 = std::bind_front(handle, std::cref(form1));

    // A search from the keyboard, heard in the words the other builds say.
    const std::vector<std::u16string> words = hear([&f1] {
        type(f1("Text1"), u"water");
        SetFocus(f1("Command2"));
        key(VK_SPACE);
    });
    const std::u16string spoken
        = u"Record number: 264, The Kanji and its onyomi: 水, Kanji level: 4";
    CHECK(words == std::vector {spoken}, words.empty() ? "nothing" : narrow(words.front()));
    checkAccessibility(form1);

    // Enter and Escape start nothing, on a button or in the text box; F1 opens the help note.
    for (HWND focus : {f1("Command2"), f1("Text1")}) {
        SetFocus(focus);
        key(VK_RETURN);
        key(VK_ESCAPE);
    }
    CHECK(dialogs.asked.empty(), "Enter started something");
    key(VK_F1);
    CHECK(dialogs.asked.size() == 1 && dialogs.asked.back().substr(0, 11) == u"Do you know",
        "F1 opens the help note");

    // To the expression window and back: each window keeps what it showed.
    click(f1("Command10"));
    const ui::Window &form2 = program.expression()->window();
    const auto f2 = std::bind_front(handle, std::cref(form2));
    CHECK(!form1.isVisible() && form2.isVisible(), "Check Expression switches windows");
    settle(form2);
    type(f2("Text1"), u"日本語の本");
    click(f2("Command1"));
    CHECK(text(f2("Label2[4]")) == u"本" && text(f2("Label2[5]")).empty(), "RUN spreads the text");
    checkAccessibility(form2);
    click(f2("Label2[1]"));
    CHECK(!text(f2("Label1")).empty() && form2.labelArray("Label2").at(1).background() == ui::White,
        "a cell click shows its kanji");
    // A screen reader's press on a cell does what a click does.
    IAccessible *cell = nullptr;
    AccessibleObjectFromWindow(f2("Label2[2]"), DWORD(OBJID_CLIENT), __uuidof(IAccessible),
        reinterpret_cast<void **>(&cell));
    VARIANT self {};
    self.vt = VT_I4; // .lVal 0: CHILDID_SELF
    CHECK(cell && cell->accDoDefaultAction(self) == S_OK, "the cells have a press action");
    pump();
    CHECK(form2.labelArray("Label2").at(2).background() == ui::White, "pressing a cell shows it");
    type(f2("Text2"), u"taberu");
    click(f2("Command4"));
    const VerbForms forms = ConjugateVerb(u"taberu");
    for (std::size_t i = 0; i < forms.size(); ++i)
        CHECK(text(f2("Label" + std::to_string(5 + i))) == forms[i],
            "taberu form " + std::to_string(i));
    SendMessageW(form2.impl().hwnd, WM_CLOSE, 0, 0); // goes back to the dictionary
    CHECK(form1.isVisible() && !form2.isVisible() && text(f1("Label1")) == u"水",
        "close box of Form2");
    click(f1("Command10"));
    CHECK(text(f2("Text1")) == u"日本語の本" && text(f2("Label1")) != u"", "Form2 kept its state");

    // Japanese to English: new prompts, which what they name follows.
    click(f1("Command6"));
    checkAccessibility(form1);
    SendMessageW(form1.impl().hwnd, WM_CLOSE, 0, 0);
    CHECK(ends == 1, "the close box of Form1 ends the program");
}

// The box open on this thread, found by a timer while the box's own loop runs: its owner, title,
// place and text are checked, `behind` clicked, "12" typed and `key` pressed.
struct Box
{
    HWND owner;
    std::u16string shown;
    WPARAM key;
    HWND behind = nullptr;
    bool seen = false;
} box;

void CALLBACK answerBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND open = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) {
            wchar_t name[16];
            GetClassNameW(hwnd, name, 16);
            if (IsWindowVisible(hwnd) && std::wstring_view(name) == L"#32770")
                *reinterpret_cast<HWND *>(found) = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&open));
    if (!open || !IsChild(open, GetFocus()))
        return; // not yet, or not yet focused: the next tick looks again
    KillTimer(nullptr, timer);
    box.seen = true;
    CHECK(
        GetWindow(open, GW_OWNER) == box.owner && text(open) == app::ProgramTitle, "owner, title");
    RECT b, o;
    GetWindowRect(open, &b);
    GetWindowRect(box.owner ? box.owner : open, &o);
    CHECK(std::abs(b.left + b.right - o.left - o.right) <= 2
            && std::abs(b.top + b.bottom - o.top - o.bottom) <= 2,
        "the box opens centred over its window");
    bool shown = false;
    for (HWND child = GetWindow(open, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        shown = shown || text(child) == box.shown;
    CHECK(shown, narrow(box.shown));
    if (box.behind)
        PostMessageW(box.behind, BM_CLICK, 0, 0);
    for (char16_t c : {u'1', u'2'})
        PostMessageW(GetFocus(), WM_CHAR, c, 1);
    PostMessageW(GetFocus(), WM_KEYDOWN, box.key, 1);
}

// The boxes themselves, answered from the keyboard; each keeps its caller waiting until then.
void boxesGroup()
{
    Program program;
    program.start();
    ui::Window &form1 = program.dictionary().window();
    settle(form1); // placed by the window manager before a box is centred over it
    // A click behind the box of a failed search runs nothing: Check Expression would switch.
    box = {ui::win32::handleOf(form1), u"Sorry, the word is not yet in the dictionary!", VK_RETURN,
        handle(form1, "Command10")};
    SetTimer(nullptr, 0, 100, answerBox);
    type(handle(form1, "Text1"), u"no such word");
    click(handle(form1, "Command2"));
    pump();
    CHECK(box.seen && form1.isVisible() && !program.expression(), "a click behind the box ran");
    const auto dialogs = ui::toolkitDialogs(app::ProgramTitle);
    box = {ui::win32::handleOf(form1), u"No such word", VK_RETURN};
    SetTimer(nullptr, 0, 100, answerBox);
    dialogs->message(form1, box.shown);
    CHECK(box.seen, "the message box waited for its answer");
    for (auto [key, answer] : {std::pair {VK_RETURN, u"12"}, std::pair {VK_ESCAPE, u""}}) {
        box = {ui::win32::handleOf(form1), u"Which record?", WPARAM(key)};
        SetTimer(nullptr, 0, 100, answerBox);
        const std::u16string typed = dialogs->input(form1, box.shown);
        CHECK(box.seen && typed == answer, narrow(typed));
    }
    // A window that cannot be made throws why, out of its window procedure; the program then
    // says why in a box of its own and fails.
    static constexpr ui::ControlRow rows[] = {{"Text1", ui::Kind::TextBox, u"", 0, 0, 900, 300,
        ui::Font::Default, 0, ui::Align::Left, {}, -1, "Nowhere"}};
    const ui::WindowSpec broken {.name = "Broken",
        .caption = u"",
        .clientWidth = 1500,
        .clientHeight = 1500,
        .controls = rows};
    box = {nullptr, u"no control named Nowhere", VK_RETURN};
    SetTimer(nullptr, 0, 100, answerBox);
    try {
        const ui::Window window(broken);
    } catch (const std::exception &error) {
        CHECK(ui::win32::failed(app::ProgramTitle) == 1, error.what());
    }
    CHECK(box.seen, "a window that cannot be made says why");
}

void platformGroup()
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "velmora_win32_test";
    fs::create_directories(folder / "folder.wav");
    fs::current_path(folder);
    for (const char *name : {"plain.wav", "hidden.wav", "system.wav"})
        std::fclose(std::fopen(name, "w"));
    SetFileAttributesW(L"hidden.wav", FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(L"system.wav", FILE_ATTRIBUTE_SYSTEM);
    const std::pair<std::u16string_view, bool> names[] = {{u"plain.wav", true},
        {u"PLAIN.WAV", true}, {u"hidden.wav", false}, {u"system.wav", false},
        {u"folder.wav", false}, {u"missing.wav", false}, {u"*.wav", false}, {u"plai?.wav", false},
        {u".\\plain.wav", false}, {u"../plain.wav", false}, {u"", false}};
    for (auto [name, ordinary] : names)
        CHECK(ui::isOrdinaryFile(name) == ordinary, narrow(name));

    const std::u16string copied = u"毎日、日本語";
    OpenClipboard(nullptr);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (copied.size() + 1) * 2);
    std::copy_n(copied.c_str(), copied.size() + 1, static_cast<char16_t *>(GlobalLock(block)));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
    CHECK(ui::clipboardText() == copied, "clipboard text");
}

// Exit ends the program at once: a click queued behind it runs no handler ("English to
// Japanese" would empty the text box).
void exitGroup()
{
    Program program;
    program.start();
    const ui::Window &form1 = program.dictionary().window();
    SetWindowTextW(handle(form1, "Text1"), L"water");
    PostMessageW(handle(form1, "Command1"), BM_CLICK, 0, 0);
    PostMessageW(handle(form1, "Command5"), BM_CLICK, 0, 0);
    CHECK(ui::win32::run() == 0, "run");
    CHECK(text(handle(form1, "Text1")) == u"water", "a handler ran after Exit");
}

} // namespace

int main(int argc, char **argv)
{
    const std::string group = argc > 1 ? argv[1] : "";
    if (group == "layout")
        layoutGroup(argc > 2 ? UINT(std::stoi(argv[2])) : 96);
    else if (group == "journeys")
        journeysGroup();
    else if (group == "boxes")
        boxesGroup();
    else if (group == "platform")
        platformGroup();
    else if (group == "exit")
        exitGroup();
    else
        return std::fprintf(stderr, "no group %s\n", group.c_str()), 2;
    std::printf("%s: %d failures\n", group.c_str(), failures);
    return failures == 0 ? 0 : 1;
}
