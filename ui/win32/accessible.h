#pragma once

// What a screen reader finds in the window through Microsoft Active
// Accessibility: the standard controls answer through the system's own
// proxies (an entry field under the name of its heading, which is painted
// rather than a window of its own), and the window's client area lists its
// child windows together with the painted labels, the homepage among them as
// a link that opens.

#include <windows.h>

#include <functional>
#include <string>

#include "form1_layout.h"

namespace varvik::win32 {

// What the client area's object asks of the window it stands for.
struct AccessibleForm {
    HWND hwnd;
    std::function<HWND(ui::Control)> handle;  // a control's child window, or null where it is painted
    std::function<RECT(ui::Control)> rect;    // a control's place in the client area, in device pixels
    std::function<void()> openHomepage;       // the link's click
};

// The answer to WM_GETOBJECT for the window's client area (OBJID_CLIENT), or
// 0 for any other object, which the system then answers.
LRESULT ClientObject(const AccessibleForm& form, WPARAM wParam, LPARAM lParam);

// Gives an entry field the name of its heading: its system proxy with that
// name instead of none.
void NameField(HWND field, const std::wstring& name);
// Makes sure a push button reads as one and presses, where the system's
// proxy knows it only as a window.
void ProxyButton(HWND button);

// Ends the objects handed out for the window: a screen reader that still
// holds one hears that the window is gone.
void DisconnectClientObject(HWND hwnd);

} // namespace varvik::win32
