#include "form1.h"

#include <objbase.h>
#include <windowsx.h>

#include "readable.h"
#include "resource_ids.h"
#include "runtime_services.h"
#include "windows_text.h"

namespace varvik::win32 {

namespace {

using namespace varvik::ui;

constexpr wchar_t kFormClass[] = L"VarvikForm1";
constexpr wchar_t kPictureBoxClass[] = L"VarvikPictureBox";
constexpr int kFirstControlId = 100; // clear of IDOK and IDCANCEL, which Enter and Escape send

const std::wstring& Caption()
{
    static const std::wstring caption = WideText(kApplicationTitle);
    return caption;
}

std::uint32_t ToRgb(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }
COLORREF FromRgb(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

COLORREF Resolve(const Colour& colour)
{
    switch (colour.source) {
    case Colour::Source::Rgb:
        return FromRgb(colour.rgb);
    case Colour::Source::System:
        switch (colour.system) {
        case SystemColour::ButtonFace: return GetSysColor(COLOR_BTNFACE);
        case SystemColour::ButtonText: return GetSysColor(COLOR_BTNTEXT);
        case SystemColour::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
        case SystemColour::None: break;
        }
        break;
    case Colour::Source::Default:
    case Colour::Source::Transparent: break;
    }
    return CLR_INVALID;
}

RECT Rect(const ControlRow& row)
{
    const PixelRect p = Pixels(row);
    return {p.left, p.top, p.left + p.width, p.top + p.height};
}

// The empty strip at the top: it takes the focus in the tab cycle but shows no
// focus mark and does nothing with keys.
LRESULT CALLBACK PictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN)
        SetFocus(hwnd);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance, WNDPROC formProc)
{
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = formProc;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(VARVIK_ICON));
    form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(VARVIK_ICON), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    form.lpszClassName = kFormClass;
    RegisterClassExW(&form);

    WNDCLASSEXW picture{};
    picture.cbSize = sizeof picture;
    picture.lpfnWndProc = PictureBoxProc;
    picture.hInstance = instance;
    picture.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    picture.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    picture.lpszClassName = kPictureBoxClass;
    RegisterClassExW(&picture);
}

} // namespace

void ShowMessageBox(HWND owner, const std::wstring& text)
{
    MessageBoxW(owner, text.c_str(), Caption().c_str(), MB_OK);
}

int RunProgram(HINSTANCE instance, int show, Form1Options options)
{
    // The shell, which opens the homepage from this thread, wants COM in a
    // single-threaded apartment here.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int status = 0;
    {
        const ui::MessageBoxFn messageBox = options.messageBox;
        options.endsProgram = true;
        Form1 form(instance, std::move(options));
        if (!form.Handle()) {
            // Without its window the program has nothing to show: it says so
            // and ends, rather than wait on a loop that nothing can close.
            constexpr std::string_view kNoWindow = "Varvik kunde inte öppna sitt fönster.";
            if (messageBox)
                messageBox(kNoWindow);
            else
                win32::ShowMessageBox(nullptr, WideText(kNoWindow));
            status = 1;
        } else {
            ShowWindow(form.Handle(), show);
            UpdateWindow(form.Handle());
            MSG message;
            BOOL got;
            while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
                if (form.PreTranslate(message))
                    continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            status = got < 0 ? 1 : static_cast<int>(message.wParam);
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}

Form1::Form1(HINSTANCE instance, Options options)
    : Form1Handlers(std::move(options.messageBox), std::move(options.opener)),
      instance_(instance),
      endsProgram_(options.endsProgram)
{
    static const bool registered = (RegisterClasses(instance, WindowProc), true);
    (void)registered;

    background_ = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(VARVIK_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    hand_ = LoadCursorW(instance, MAKEINTRESOURCEW(VARVIK_HAND_CURSOR));

    // A fixed single border: a caption with the system menu and a minimise
    // box, but no edge to drag and no maximise box.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = 0;
    RECT frame{0, 0, kClientPixelWidth, kClientPixelHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    if (!CreateWindowExW(exStyle, kFormClass, Caption().c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this))
        hwnd_ = nullptr;
}

Form1::~Form1()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
    for (HFONT font : fonts_)
        if (font)
            DeleteObject(font);
    if (background_)
        DeleteObject(background_);
}

HFONT Form1::Font(int style) const
{
    HFONT& font = fonts_[static_cast<std::size_t>(style & 3)];
    if (!font) {
        // 8.25 points at the screen's resolution: 11 pixels high at 96 dpi.
        const HDC screen = GetDC(nullptr);
        const int height = -MulDiv(static_cast<int>(kFontPointSize * 100), GetDeviceCaps(screen, LOGPIXELSY), 7200);
        ReleaseDC(nullptr, screen);
        font = CreateFontW(height, 0, 0, 0, style & Bold ? FW_BOLD : FW_NORMAL, FALSE, style & Underline ? TRUE : FALSE,
                           FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, WideText(kFontFace).c_str());
    }
    return font;
}

// False when a control could not be made: the window is then not made either.
bool Form1::Build()
{
    // Child windows in the order of the tab cycle, which is the order the
    // keyboard's Tab visits them in.
    for (const Control control : kTabCycle) {
        const ControlRow& row = Row(control);
        const PixelRect p = Pixels(row);
        const std::wstring caption = WideText(row.caption);
        const auto index = static_cast<std::size_t>(control);
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index));
        HWND child = nullptr;
        switch (row.kind) {
        case Kind::TextBox:
            child = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", caption.c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, p.left, p.top,
                                    p.width, p.height, hwnd_, id, instance_, nullptr);
            SendMessageW(child, EM_LIMITTEXT, kFieldMaxLength, 0);
            break;
        case Kind::PushButton:
            child = CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                    p.left, p.top, p.width, p.height, hwnd_, id, instance_, nullptr);
            break;
        default:
            child = CreateWindowExW(WS_EX_STATICEDGE, kPictureBoxClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                    p.left, p.top, p.width, p.height, hwnd_, id, instance_, nullptr);
            break;
        }
        if (!child)
            return false;
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(row.font)), FALSE);
        children_[index] = child;
    }

    Text1 = Handle(Control::Text1);
    Text2 = Handle(Control::Text2);
    Text3 = Handle(Control::Text3);
    Text4 = Handle(Control::Text4);
    Command1 = Handle(Control::Command1);
    Command2 = Handle(Control::Command2);
    Command3 = Handle(Control::Command3);
    Picture1 = Handle(Control::Picture1);
    return true;
}

std::optional<Control> Form1::IdOf(HWND child) const
{
    for (const ControlRow& row : kForm1Controls)
        if (child && Handle(row.id) == child)
            return row.id;
    return std::nullopt;
}

std::string Form1::Text(Control box) const
{
    const HWND edit = Handle(box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return NarrowText(text);
}

// A write is not held to the field's length limit, which only binds the user,
// and the field shows the new text from its first character.
void Form1::SetText(Control box, std::string_view text) { SetWindowTextW(Handle(box), WideText(text).c_str()); }

// The selection starts at the first character, which is brought into view
// first: a longer result the program wrote may have been scrolled to its end
// by the arrival.
void Form1::SetSelection(Control box, int start, int length)
{
    const HWND edit = Handle(box);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), start);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

void Form1::ShowMessageBox(std::string_view text) { win32::ShowMessageBox(hwnd_, WideText(text)); }

// The background at its own size from the top-left corner, cropped by the
// client area, then the labels and shapes in the order of the description,
// each later one over the earlier.
void Form1::Paint(HDC dc) const
{
    if (background_) {
        const HDC picture = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(picture, background_);
        BitBlt(dc, 0, 0, kClientPixelWidth, kClientPixelHeight, picture, 0, 0, SRCCOPY);
        SelectObject(picture, old);
        DeleteDC(picture);
    }
    SetBkMode(dc, TRANSPARENT);
    const PixelSource picture = BackgroundPixels();
    for (const ControlRow& row : kForm1Controls) {
        if (row.kind != Kind::Label && row.kind != Kind::Shape)
            continue;
        RECT rect = Rect(row);
        // A text or outline in one of the scheme's colours is drawn black
        // where that colour would not be readable on what lies beneath it.
        COLORREF fore = Resolve(row.fore);
        if (row.fore.source == Colour::Source::System)
            fore = FromRgb(ReadableOn(ToRgb(fore), ColourBeneath(row, picture)));
        if (row.back.source == Colour::Source::Rgb) {
            const HBRUSH fill = CreateSolidBrush(Resolve(row.back));
            FillRect(dc, &rect, fill);
            DeleteObject(fill);
        }
        if (row.kind == Kind::Shape) {
            const HBRUSH outline = CreateSolidBrush(fore);
            FrameRect(dc, &rect, outline);
            DeleteObject(outline);
            continue;
        }
        const HGDIOBJ oldFont = SelectObject(dc, Font(row.font));
        SetTextColor(dc, fore);
        const std::wstring caption = WideText(row.caption);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
                  DT_NOPREFIX | DT_WORDBREAK | (row.align == Align::Center ? DT_CENTER : DT_LEFT));
        SelectObject(dc, oldFont);
    }
}

// The background picture as the labels' colours need it: one pixel at a
// time from its bottom-up rows of blue, green and red.
PixelSource Form1::BackgroundPixels() const
{
    DIBSECTION picture{};
    if (!background_ || GetObjectW(background_, sizeof picture, &picture) != sizeof picture || !picture.dsBm.bmBits ||
        picture.dsBm.bmBitsPixel != 24)
        return {0, 0, nullptr};
    const BITMAP bits = picture.dsBm;
    return {bits.bmWidth, bits.bmHeight, [bits](int x, int y) {
                const auto* pixel = static_cast<const std::uint8_t*>(bits.bmBits) +
                                    static_cast<std::ptrdiff_t>(bits.bmHeight - 1 - y) * bits.bmWidthBytes + x * 3;
                return std::uint32_t{pixel[2]} << 16 | std::uint32_t{pixel[1]} << 8 | pixel[0];
            }};
}

bool Form1::OverLink(POINT client) const
{
    const RECT link = Rect(Row(Control::Label10));
    return PtInRect(&link, client) != FALSE;
}

bool Form1::PreTranslate(MSG& message)
{
    if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)))
        return false;
    // Enter and Return, the keypad's too, press a focused push button as
    // Space does, once however long the key is held (the keyboard's repeats
    // come with the key already down); in a field they do nothing, the
    // window having no default button.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        const bool repeat = (message.lParam & (1 << 30)) != 0;
        const HWND focus = GetFocus();
        if (!repeat && (focus == Command1 || focus == Command2 || focus == Command3))
            OnCommand(focus, BN_CLICKED);
        return true;
    }
    return IsDialogMessageW(hwnd_, &message) != FALSE;
}

void Form1::OnCommand(HWND control, int notification)
{
    const std::optional<Control> id = IdOf(control);
    if (!id)
        return;
    if (notification == BN_CLICKED)
        Clicked(*id);
    else if (notification == EN_SETFOCUS && !restoringFocus_)
        GotFocus(*id);
}

LRESULT CALLBACK Form1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return form ? form->OnMessage(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return Build() ? 0 : -1;
    case WM_ERASEBKGND:
        return 1; // the background picture covers the whole client area
    case WM_SYSCOLORCHANGE:
        InvalidateRect(hwnd_, nullptr, FALSE); // the labels take the new scheme's colours
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd_, &ps);
        // Drawn off screen first, so that the labels never flicker over the
        // picture.
        const HDC buffer = CreateCompatibleDC(dc);
        const HBITMAP bitmap = CreateCompatibleBitmap(dc, kClientPixelWidth, kClientPixelHeight);
        const HGDIOBJ old = SelectObject(buffer, bitmap);
        Paint(buffer);
        BitBlt(dc, 0, 0, kClientPixelWidth, kClientPixelHeight, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old);
        DeleteObject(bitmap);
        DeleteDC(buffer);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (lParam != 0)
            OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0; // IDOK and IDCANCEL from Enter and Escape do nothing
    case WM_ACTIVATE:
        // The focus goes back where it was without a new arrival: coming
        // back to the window or closing a message box selects nothing.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus))
                lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            if (lastFocus_ && IsWindow(lastFocus_)) {
                restoringFocus_ = true;
                SetFocus(lastFocus_);
                restoringFocus_ = false;
            } else {
                SetFocus(Text1); // the window opens with the focus in FV
            }
        }
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(hwnd_, &point);
            if (OverLink(point)) {
                SetCursor(hand_);
                return TRUE;
            }
        }
        break;
    case WM_LBUTTONDOWN: {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        pressedOnLink_ = OverLink(point);
        if (pressedOnLink_)
            SetCapture(hwnd_);
        return 0;
    }
    case WM_LBUTTONUP: {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool click = pressedOnLink_ && OverLink(point);
        pressedOnLink_ = false;
        if (GetCapture() == hwnd_)
            ReleaseCapture();
        if (click)
            Clicked(Control::Label10);
        return 0;
    }
    case WM_DESTROY:
        if (endsProgram_)
            PostQuitMessage(0);
        break;
    case WM_NCDESTROY: {
        // The last message the window gets: the system frees what it holds
        // for the window, which it can do only knowing which window it is.
        const HWND hwnd = hwnd_;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace varvik::win32
