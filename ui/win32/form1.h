#pragma once

// The program's one window as a native Windows window: standard EDIT and
// BUTTON controls and an empty picture box, with the labels and shapes drawn
// on the window itself over its background picture, all from the window
// description of Form1.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "calculator.h"
#include "form1_layout.h"
#include "readable.h"
#include "shell.h"

namespace varvik::win32 {

// Shows a message to the user and returns when it has been closed.
using MessageBoxFn = std::function<void(HWND owner, const std::wstring& text)>;
// Hands an address to the desktop (the signature of Shell::ShellOpen).
using OpenerFn = std::function<bool(std::string& document, Shell::OptionalText operation,
                                    Shell::OptionalText parameters, Shell::OptionalText directory,
                                    std::int32_t show_mode)>;

// The modal box of the program: one OK button, the program's title, owned by
// the window so that the window waits for it.
void ShowMessageBox(HWND owner, const std::wstring& text);

struct Form1Options {
    MessageBoxFn messageBox = ShowMessageBox;
    OpenerFn opener = Shell::ShellOpen;
    bool endsProgram = false; // closing the window ends the message loop
};

class Form1 {
public:
    using Options = Form1Options;

    explicit Form1(HINSTANCE instance, Options options = {});
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND Handle() const { return hwnd_; }

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

    // The child window of a control; labels and shapes have none.
    HWND Control(std::string_view name) const;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Text3_GotFocus();
    void Text4_GotFocus();
    void Label10_Click();

private:
    class Fields;
    class Services;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Build();
    void Paint(HDC dc) const;
    void OnCommand(HWND control, int notification);
    void SelectFirstCharacters(HWND box);
    bool OverLink(POINT client) const;
    ui::PixelSource BackgroundPixels() const;
    HFONT Font(int style) const;

    HINSTANCE instance_;
    Options options_;
    HWND hwnd_ = nullptr;
    HBITMAP background_ = nullptr;
    HCURSOR hand_ = nullptr;
    mutable std::array<HFONT, 4> fonts_{}; // by FontStyle flags, made on first use
    std::array<HWND, ui::kForm1Controls.size()> children_{}; // by row of the description; null for what is drawn
    HWND lastFocus_ = nullptr;        // where the focus goes back when the window is reactivated
    bool restoringFocus_ = false;
    bool pressedOnLink_ = false;
    std::unique_ptr<Fields> fields_;
    std::unique_ptr<Services> services_;
};

} // namespace varvik::win32
