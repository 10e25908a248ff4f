#pragma once

// The program's one window as a native Windows window: standard EDIT and
// BUTTON controls and an empty picture box, with the labels and shapes drawn
// on the window itself over its background picture, all from the window
// description of Form1.

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "form1_handlers.h"
#include "readable.h"

namespace varvik::win32 {

using ui::Control;

// The modal box of the program: one OK button, the program's title, owned by
// the window so that the window waits for it.
void ShowMessageBox(HWND owner, const std::wstring& text);

// The functions of user32 for a resolution per monitor, which Windows 10
// brought; null where the system lacks them, as Windows 7 and 8 do. The
// window then works with the screen's resolution and the older functions.
struct DpiFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;

    static DpiFunctions OfSystem();
};

// A picture of the executable's, stored as a PNG (resource_ids.h), as a
// bitmap of 24 bits a pixel; null where it cannot be loaded.
HBITMAP LoadPicture(HINSTANCE instance, int id);

struct Form1Options {
    ui::MessageBoxFn messageBox = nullptr; // none: the program's own box
    ui::OpenerFn opener = nullptr;         // none: the desktop opens the address
    bool endsProgram = false;              // closing the window ends the message loop
    DpiFunctions dpiFunctions = DpiFunctions::OfSystem();
};

// The program: the window shown, then its message loop until it is closed.
// Returns the program's exit status, not zero when the window could not be
// made (which the user is told).
int RunProgram(HINSTANCE instance, int show, Form1Options options = {});

// The program's one window on Windows: the controls made from the
// description, the labels and shapes painted, and the system's messages
// turned into the window's handlers.
class Form1 : public ui::Form1Handlers {
public:
    using Options = Form1Options;

    explicit Form1(HINSTANCE instance, Options options = {});
    ~Form1() override;

    // Null when the window could not be made.
    HWND Handle() const { return hwnd_; }
    // The child window of a control; labels and shapes have none.
    HWND Handle(Control control) const { return children_[static_cast<std::size_t>(control)]; }

    // The resolution of the display the window is laid out for, in dots an
    // inch: 96 at the design's 15 twips a pixel.
    int Dpi() const { return dpi_; }
    HFONT Font(Control control) const { return Font(ui::Row(control).font); }

    // The window's keyboard handling for a message taken from the queue: the
    // tab cycle, Enter on a push button, and nothing for Escape. True when
    // the message was used and must not be dispatched.
    bool PreTranslate(MSG& message);

    HWND Text1 = nullptr;
    HWND Text2 = nullptr;
    HWND Text3 = nullptr;
    HWND Text4 = nullptr;
    HWND Command1 = nullptr;
    HWND Command2 = nullptr;
    HWND Command3 = nullptr;
    HWND Picture1 = nullptr;

private:
    std::string Text(Control box) const override;
    void SetText(Control box, std::string_view text) override;
    void SetSelection(Control box, int start, int length) override;
    void ShowMessageBox(std::string_view text) override;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool Build();
    int Scale(int twips) const;
    RECT Rect(const ui::ControlRow& row) const;
    SIZE ClientSize() const;
    SIZE FrameSize(int dpi) const;
    int DpiOfWindow() const;
    int SmallIconSize(int dpi) const;
    void ApplyDpi(int dpi);
    void FitClient();
    void ChooseFaces();
    bool CaptionsFit(const std::wstring& face, int height, int style) const;
    void Paint(HDC dc) const;
    void OnCommand(HWND control, int notification);
    std::optional<Control> IdOf(HWND child) const;
    bool OverLink(POINT client) const;
    ui::PixelSource BackgroundPixels() const;
    HFONT Font(int style) const;

    HINSTANCE instance_;
    bool endsProgram_;
    DpiFunctions dpiFunctions_;
    HWND hwnd_ = nullptr;
    DWORD style_ = 0, exStyle_ = 0;
    int dpi_ = 96;
    HBITMAP picture_ = nullptr;     // the background as drawn for 96 dpi
    HBITMAP picture2x_ = nullptr;   // and for 192, loaded when first needed
    HBITMAP background_ = nullptr;  // the one shown: either, or one scaled to the window's resolution
    HCURSOR hand_ = nullptr;
    // By FontStyle flags, the face at the window's resolution and the em
    // height in pixels to ask it for.
    std::array<std::pair<std::wstring, int>, 4> faces_{};
    mutable std::array<HFONT, 4> fonts_{}; // by FontStyle flags, made on first use
    std::array<HWND, ui::kForm1Controls.size()> children_{}; // by row of the description; null for what is drawn
    HWND lastFocus_ = nullptr;        // where the focus goes back when the window is reactivated
    bool restoringFocus_ = false;
    bool pressedOnLink_ = false;
    bool made_ = false;               // WM_CREATE made every control
    bool destroying_ = false;         // from WM_DESTROY on
    HICON smallIcon_ = nullptr;       // the caption's, for the window's resolution
};

} // namespace varvik::win32
