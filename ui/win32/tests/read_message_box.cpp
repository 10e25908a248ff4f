// Finds the message box a program shows, as another program on the same
// desktop would: a dialog with the given title. Prints its text and how many
// buttons it has, then presses its first button. Exits with 1 when no box
// comes within ten seconds.
//   varvik_read_message_box.exe TITLE

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring title;

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string Utf8(const std::wstring& text)
{
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                              bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                              nullptr)));
    return bytes;
}

bool IsKind(HWND window, const wchar_t* kind)
{
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    return lstrcmpiW(name, kind) == 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    title = argv[1];
    HWND box = nullptr;
    for (int tries = 0; !box && tries < 100; ++tries) {
        EnumWindows(
            [](HWND window, LPARAM found) -> BOOL {
                if (!IsKind(window, L"#32770") || !IsWindowVisible(window) || TextOf(window) != title)
                    return TRUE;
                *reinterpret_cast<HWND*>(found) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&box));
        if (!box)
            Sleep(100);
    }
    if (!box) {
        std::printf("no box titled %s\n", Utf8(title).c_str());
        return 1;
    }
    std::wstring text;
    int buttons = 0;
    HWND first = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsKind(child, L"Button")) {
            ++buttons;
            first = first ? first : child;
        } else if (IsKind(child, L"Static") && GetWindowTextLengthW(child) > 0) {
            text = TextOf(child);
        }
    std::printf("text: %s\nbuttons: %d\n", Utf8(text).c_str(), buttons);
    std::fflush(stdout);
    if (first)
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(first), BN_CLICKED), reinterpret_cast<LPARAM>(first));
    return 0;
}
