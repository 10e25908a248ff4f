#include <windows.h>

#include "form1.h"

// The window is the program: it opens, and the program ends when it closes.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    varvik::win32::Form1 form(instance, {.endsProgram = true});
    ShowWindow(form.Handle(), show);
    UpdateWindow(form.Handle());

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.PreTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
