// Start-up of the dictionary window under Windows (or Wine) against a bare Win32 window with the
// same controls: runs the program's probe and the floor probe alternately, times each from
// CreateProcess to the line it writes on its first drawn frame, and compares medians, 90th
// percentiles and peak working sets.
//
// Usage: startup_bench [runs] [program-probe floor-probe]
// Runs each probe `runs` times (default 20); the first run of each is a warm-up and is dropped.
//
// A Windows program rather than a script on the Linux side, so that under Wine the times hold
// what a Windows user waits for (CreateProcess to the frame) with one wineserver and one desktop
// process kept up for every run, not Wine's own start and shutdown around each probe.

#include <windows.h>

#include "../startup_summary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using startup::printTable;
using startup::Sample;
using startup::sideBySide;

constexpr DWORD TimeoutMs = 30'000;

struct Watch
{
    HANDLE process;
    HANDLE done;
};

// Ends a probe that is still silent after the timeout, which ends the read that waits for it.
DWORD WINAPI watchdog(void *parameter)
{
    const auto *watch = static_cast<const Watch *>(parameter);
    if (WaitForSingleObject(watch->done, TimeoutMs) == WAIT_TIMEOUT)
        TerminateProcess(watch->process, 1);
    return 0;
}

// Runs one probe; nothing when it fails, writes nothing, or is still silent after the timeout.
std::optional<Sample> runProbe(const std::wstring &path)
{
    SECURITY_ATTRIBUTES inherit {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return std::nullopt;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process {};
    std::wstring commandLine = L"\"" + path + L"\"";

    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const BOOL created = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!created) {
        CloseHandle(readEnd);
        return std::nullopt;
    }
    Watch watch {process.hProcess, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    HANDLE guard = CreateThread(nullptr, 0, watchdog, &watch, 0, nullptr);

    std::string line;
    while (line.find('\n') == std::string::npos) {
        char buffer[64];
        DWORD n = 0;
        if (!ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) || n == 0)
            break;
        line.append(buffer, n);
    }
    QueryPerformanceCounter(&end);
    SetEvent(watch.done);
    WaitForSingleObject(guard, INFINITE);
    WaitForSingleObject(process.hProcess, TimeoutMs);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    for (HANDLE handle : {guard, watch.done, process.hThread, process.hProcess, readEnd})
        CloseHandle(handle);
    if (line.find('\n') == std::string::npos || status != 0)
        return std::nullopt;
    return Sample {double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart),
        std::strtol(line.c_str(), nullptr, 10)};
}

// "Wine 8.0" under Wine, "Windows" otherwise.
std::string system()
{
    using Version = const char *(CDECL *)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    // Through a function type of no arguments, which GCC takes as a cast of any function.
    const auto version = ntdll ? reinterpret_cast<Version>(reinterpret_cast<void (*)()>(
                                     GetProcAddress(ntdll, "wine_get_version")))
                               : nullptr;
    return version ? std::string("Wine ") + version() : std::string("Windows");
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    const int rounds = argc > 1 ? _wtoi(argv[1]) : 20;
    std::wstring here(MAX_PATH, L'\0');
    here.resize(GetModuleFileNameW(nullptr, here.data(), DWORD(here.size())));
    here.resize(here.find_last_of(L"\\/") + 1);
    const std::wstring program = argc > 3 ? argv[2] : here + L"startup_probe_program.exe";
    const std::wstring floor = argc > 3 ? argv[3] : here + L"startup_probe_floor.exe";
    if (rounds < 2) {
        std::fprintf(stderr, "usage: startup_bench [runs >= 2] [program-probe floor-probe]\n");
        return 2;
    }

    const auto runs = sideBySide(rounds, [&](bool isProgram) {
        const std::wstring &path = isProgram ? program : floor;
        const std::optional<Sample> sample = runProbe(path);
        if (!sample)
            std::fprintf(stderr, "%ls drew no frame (is a display available?)\n", path.c_str());
        return sample;
    });
    if (!runs)
        return 1;
    std::printf("Start-up to the first drawn frame of Form1 (%s), %d runs each after 1 warm-up\n\n",
        system().c_str(), rounds - 1);
    printTable(*runs, "bare Win32", "peak WS MiB", "budget: at most 1.20");
    return 0;
}
