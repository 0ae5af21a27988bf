// The Win32 binding under Wine, driven by real window messages: places at the system's dpi and
// after a monitor change, tab order and names, the journeys through both windows, the boxes and
// the platform services. One group per run: `win32_test <group> [dpi]`. The rules behind the
// windows are tested under the Qt build; here only what the binding does with them.

#include "app/identity.h"
#include "app/program.h"
#include "conjugation/conjugation.h"
#include "ui/platform.h"
#include "ui/win32/native.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

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

// Answers the boxes from a script, and records what each asked and of which window.
struct ScriptedDialogs final : ui::Dialogs
{
    void message(const ui::Window &owner, std::u16string_view text) override
    {
        owners.push_back(&owner);
        asked.emplace_back(text);
    }
    std::u16string input(const ui::Window &owner, std::u16string_view prompt) override
    {
        message(owner, prompt);
        std::u16string answer = answers.empty() ? u"" : answers.front();
        answers.erase(answers.begin(), answers.begin() + (answers.empty() ? 0 : 1));
        return answer;
    }
    std::vector<std::u16string> asked, answers;
    std::vector<const ui::Window *> owners;
};

void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ui::win32::processMessage(msg);
}

HWND handle(const ui::Window &window, std::string_view name)
{
    return window.impl().byName.find(name)->second->hwnd;
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

// Tab visits the focusable controls in their ranks; labels take no focus; a text box is named by
// its prompt, the static just before it (buttons and check boxes by their caption).
void checkKeyboardAndNames(const ui::Window &window)
{
    std::map<int, HWND> ranks;
    for (const ui::ResolvedControl &control : window.impl().layout.controls) {
        HWND hwnd = handle(window, control.name);
        if (control.focusable && IsWindowVisible(hwnd))
            ranks[control.tabRank] = hwnd;
        if (control.row->kind == ui::Kind::Label)
            CHECK(!(GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP), control.name);
        if (control.row->kind == ui::Kind::TextBox && control.prompt >= 0) {
            const auto &prompt = window.impl().layout.controls[std::size_t(control.prompt)];
            CHECK(GetWindow(hwnd, GW_HWNDPREV) == handle(window, prompt.name), control.name);
        }
    }
    SetFocus(ranks.begin()->second);
    for (auto next = std::next(ranks.begin()); next != ranks.end(); ++next) {
        key(VK_TAB);
        CHECK(GetFocus() == next->second, std::to_string(next->first));
    }
    key(VK_TAB);
    CHECK(GetFocus() == ranks.begin()->second, "Tab wraps to the first");
}

void layoutGroup(UINT systemDpi)
{
    ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    program.start();
    click(handle(program.dictionary().window(), "Command10"));
    for (ui::Window *window : {&program.dictionary().window(), &program.expression()->window()}) {
        window->show();
        pump();
        checkPlaces(*window, systemDpi);
        checkKeyboardAndNames(*window);
        // Moved to a monitor of another scale: everything follows it, and back.
        for (UINT dpi : {systemDpi == 96 ? 144u : 96u, systemDpi}) {
            RECT suggested {0, 0, 100, 100};
            SendMessageW(window->impl().hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                reinterpret_cast<LPARAM>(&suggested));
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
    const auto f1 = std::bind_front(handle, std::cref(form1));

    // Before the first record, then past the last: each end asks for a record number.
    dialogs.answers = {u"320"};
    click(f1("Command8"));
    click(f1("Command7"));
    CHECK(dialogs.asked.size() == 2
            && dialogs.asked.back().find(u"last record") != std::u16string::npos,
        "browsing past the end asks");

    type(f1("Text1"), u"water");
    click(f1("Command2"));
    CHECK(text(f1("Label1")) == u"水" && text(f1("Label15")).find(u"264") != std::u16string::npos,
        "search finds 水 (264)");
    type(f1("Text1"), u"no such word");
    click(f1("Command2"));
    CHECK(dialogs.asked.size() == 3 && dialogs.owners.back() == &form1, "a failed search says so");

    // Enter and Escape start nothing, on a button or in the text box; F1 opens the help note.
    for (HWND focus : {f1("Command2"), f1("Text1")}) {
        SetFocus(focus);
        key(VK_RETURN);
        key(VK_ESCAPE);
    }
    CHECK(dialogs.asked.size() == 3, "Enter started something");
    key(VK_F1);
    CHECK(dialogs.asked.size() == 4 && dialogs.asked.back().substr(0, 11) == u"Do you know",
        "F1 opens the help note");

    // To the expression window and back: each window keeps what it showed.
    type(f1("Text1"), u"water");
    click(f1("Command2"));
    click(f1("Command10"));
    const ui::Window &form2 = program.expression()->window();
    const auto f2 = std::bind_front(handle, std::cref(form2));
    CHECK(!form1.isVisible() && form2.isVisible(), "Check Expression switches windows");
    type(f2("Text1"), u"日本語の本");
    click(f2("Command1"));
    std::u16string cells;
    for (int i = 0; i < 5; ++i)
        cells += text(f2(ui::fullName("Label2", i)));
    CHECK(cells == u"日本語の本" && text(f2("Label2[5]")).empty(), "RUN spreads the text");
    click(f2("Label2[1]"));
    CHECK(!text(f2("Label1")).empty() && form2.labelArray("Label2").at(1).background() == ui::White,
        "a cell click shows its kanji");
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
    SendMessageW(form1.impl().hwnd, WM_CLOSE, 0, 0);
    CHECK(ends == 1, "the close box of Form1 ends the program");
}

// The box open on this thread, found by a timer while the box's own loop runs: its owner, title,
// place and text are checked, "12" typed and `key` pressed.
struct Box
{
    HWND owner;
    std::u16string shown;
    WPARAM key;
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
    if (!open)
        return;
    KillTimer(nullptr, timer);
    box.seen = true;
    CHECK(
        GetWindow(open, GW_OWNER) == box.owner && text(open) == app::ProgramTitle, "owner, title");
    RECT b, o;
    GetWindowRect(open, &b);
    GetWindowRect(box.owner, &o);
    CHECK(std::abs(b.left + b.right - o.left - o.right) <= 2
            && std::abs(b.top + b.bottom - o.top - o.bottom) <= 2,
        "the box opens centred over its window");
    bool shown = false;
    for (HWND child = GetWindow(open, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        shown = shown || text(child) == box.shown;
    CHECK(shown, narrow(box.shown));
    for (char16_t c : {u'1', u'2'})
        PostMessageW(GetFocus(), WM_CHAR, c, 1);
    PostMessageW(GetFocus(), WM_KEYDOWN, box.key, 1);
}

// The boxes themselves, answered from the keyboard; each keeps its caller waiting until then.
void boxesGroup()
{
    ScriptedDialogs unused;
    Program program(unused, [] {});
    program.start();
    ui::Window &form1 = program.dictionary().window();
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
