#pragma once

// What a screen reader finds in the window through Microsoft Active
// Accessibility. Every control the reader meets is a window: the fields,
// buttons and strip, and for each painted label a hidden static window with
// its words, a heading's made just before its field, so that the system
// names the field after it. The system's own objects answer for them; what
// the window's description says beyond what a standard control can tell
// (the fields' and the link's descriptions, the link's address and action,
// that a hidden label is still read) is added here, and the window's client
// area lists its controls in the order of the description.

#include <windows.h>

#include "form1_layout.h"

namespace varvik::win32 {

// The identity of a control's child window; the window and the objects
// below find each other's controls by it.
constexpr int WindowId(ui::Control control) { return 100 + static_cast<int>(control); } // clear of IDOK, IDCANCEL

// The answer to WM_GETOBJECT for the window's client area, or 0 for any
// other object, which the system then answers.
LRESULT ClientObject(HWND form, WPARAM wParam, LPARAM lParam);

// Has a control's window answer a reader with its object from now on.
void Speak(HWND window, ui::Control control);

} // namespace varvik::win32
