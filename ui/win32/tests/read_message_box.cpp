// Reads the message box titled TITLE that a program on the same desktop
// shows, as another program would: prints its text and how many buttons it
// has, then presses OK. Exits with 1 when no box comes within ten seconds.
//   varvik_read_message_box.exe TITLE

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    HWND box = nullptr;
    for (int tries = 0; argc == 2 && !(box && IsWindowVisible(box)) && tries < 100; ++tries, Sleep(100))
        box = FindWindowW(L"#32770", argv[1]); // the dialog class of a message box
    if (!box)
        return 1;
    wchar_t text[512] = L"", kind[16];
    int buttons = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetClassNameW(child, kind, 16);
        if (!lstrcmpiW(kind, L"Button"))
            ++buttons;
        else if (!lstrcmpiW(kind, L"Static") && GetWindowTextLengthW(child) > 0)
            GetWindowTextW(child, text, 512);
    }
    char utf8[1536] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("text: %s\nbuttons: %d\n", utf8, buttons);
    std::fflush(stdout);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}
