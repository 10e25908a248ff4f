#include "form1.h"

#include <objbase.h>
#include <windowsx.h>
// <initguid.h> first: the WIC identities are then defined here, where
// mingw-w64 has no library that defines them.
#include <initguid.h>
#include <wincodec.h>

#include <initializer_list>
#include <utility>

#include "accessible.h"
#include "readable.h"
#include "resource_ids.h"
#include "runtime_services.h"
#include "windows_text.h"

namespace varvik::win32 {

namespace {

using namespace varvik::ui;

constexpr wchar_t kFormClass[] = L"VarvikForm1";
constexpr wchar_t kPictureBoxClass[] = L"VarvikPictureBox";

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

// The background picture covers 480 x 360 pixels at 96 dpi, in twips.
constexpr int kPictureWidth = 480 * kTwipsPerPixel;
constexpr int kPictureHeight = 360 * kTwipsPerPixel;
// From 1.5 times the design's resolution up, the pictures drawn for twice
// its size are the sharper start.
constexpr int kTwiceSizeFromDpi = 144;
// The window's face, 8.25 points: 165 twips.
constexpr int kFontTwips = static_cast<int>(kFontPointSize * 20);

// A function of user32 that older systems lack, or null.
template <typename Function>
Function* User32(const char* name)
{
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The screen's resolution, the one every window has where the system knows
// no resolution per monitor.
int ScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

HFONT MakeFont(const std::wstring& face, int height, int style)
{
    return CreateFontW(-height, 0, 0, 0, style & Bold ? FW_BOLD : FW_NORMAL, FALSE, style & Underline ? TRUE : FALSE,
                       FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
}

// What the system made of a font: its face's name and metrics.
struct Made {
    std::wstring face;
    TEXTMETRICW metrics;
};

Made Measure(HDC dc, HFONT font)
{
    const HGDIOBJ old = SelectObject(dc, font);
    Made made{std::wstring(LF_FACESIZE, L'\0'), {}};
    made.face.resize(static_cast<std::size_t>(std::max(0, GetTextFaceW(dc, LF_FACESIZE, made.face.data()) - 1)));
    GetTextMetricsW(dc, &made.metrics);
    SelectObject(dc, old);
    return made;
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

DpiFunctions DpiFunctions::OfSystem()
{
    DpiFunctions functions;
    functions.getDpiForWindow = User32<UINT WINAPI(HWND)>("GetDpiForWindow");
    functions.adjustWindowRectExForDpi =
        User32<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    functions.getSystemMetricsForDpi = User32<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
    return functions;
}

// A picture stored in the executable as a PNG, decoded by the system's
// Windows Imaging Component into a bitmap of bottom-up rows of blue, green
// and red; null where it cannot be. Stored compressed, both backgrounds
// take some 0.6 MB of the executable instead of 2.6.
HBITMAP LoadPicture(HINSTANCE instance, int id)
{
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    const HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    auto* const png = loaded ? static_cast<BYTE*>(LockResource(loaded)) : nullptr;
    if (!png)
        return nullptr;
    // WIC is a COM server; a thread that has not joined an apartment joins
    // one for the while.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HBITMAP bitmap = nullptr;
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT width = 0, height = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(png, SizeofResource(instance, found))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&width, &height)) && width > 0 && height > 0 && width <= 0x4000 &&
        height <= 0x4000) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = static_cast<LONG>(width);
        info.bmiHeader.biHeight = static_cast<LONG>(height); // bottom-up
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const UINT stride = (width * 3 + 3) & ~3u;
        bool copied = bitmap != nullptr;
        for (UINT y = 0; copied && y < height; ++y) {
            const WICRect row{0, static_cast<INT>(y), static_cast<INT>(width), 1};
            copied = SUCCEEDED(converter->CopyPixels(&row, stride, stride,
                                                     static_cast<BYTE*>(bits) + (height - 1 - y) * stride));
        }
        if (!copied && bitmap) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, stream, factory})
        if (object)
            object->Release();
    if (SUCCEEDED(com))
        CoUninitialize();
    return bitmap;
}

namespace {

// The keyboard's repeats of a held key (they come with the key already down)
// do nothing while a message box is open: a box opened by a press of Enter
// closes on the next press, not on the same one held.
LRESULT CALLBACK DropRepeats(int code, WPARAM key, LPARAM flags)
{
    const bool heldDown = (flags & (LPARAM{1} << 30)) != 0 && (flags & (LPARAM{1} << 31)) == 0;
    if (code == HC_ACTION && heldDown)
        return 1;
    return CallNextHookEx(nullptr, code, key, flags);
}

} // namespace

void ShowMessageBox(HWND owner, const std::wstring& text)
{
    const HHOOK repeats = SetWindowsHookExW(WH_KEYBOARD, DropRepeats, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, text.c_str(), Caption().c_str(), MB_OK);
    if (repeats)
        UnhookWindowsHookEx(repeats);
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
      endsProgram_(options.endsProgram),
      dpiFunctions_(options.dpiFunctions)
{
    static const bool registered = (RegisterClasses(instance, WindowProc), true);
    (void)registered;

    picture_ = LoadPicture(instance, VARVIK_BACKGROUND);

    // A fixed single border: a caption with the system menu and a minimise
    // box, but no edge to drag and no maximise box.
    style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    exStyle_ = 0;
    // Sized for the screen's resolution; once made, the window takes its
    // monitor's (WM_CREATE).
    const SIZE frame = FrameSize(ScreenDpi());
    if (!CreateWindowExW(exStyle_, kFormClass, Caption().c_str(), style_, CW_USEDEFAULT, CW_USEDEFAULT, frame.cx,
                         frame.cy, nullptr, nullptr, instance, this))
        hwnd_ = nullptr;
}

Form1::~Form1()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
    for (HFONT font : fonts_)
        if (font)
            DeleteObject(font);
    if (background_ && background_ != picture_ && background_ != picture2x_)
        DeleteObject(background_);
    for (HBITMAP picture : {picture_, picture2x_})
        if (picture)
            DeleteObject(picture);
    if (smallIcon_)
        DestroyIcon(smallIcon_);
}

// Every place, size and font height of the window is a length in twips
// shown at a resolution: at 96 dpi 15 twips a pixel, at 144 dpi 10.
static int Scaled(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

int Form1::Scale(int twips) const { return Scaled(twips, dpi_); }

// Edges rather than sizes are scaled, so that controls that meet or overlap
// by a pixel in the description still do at any resolution.
RECT Form1::Rect(const ControlRow& row) const
{
    return {Scale(row.left), Scale(row.top), Scale(row.left + row.width), Scale(row.top + row.height)};
}

SIZE Form1::ClientSize() const { return {Scale(kClientWidth), Scale(kClientHeight)}; }

// The resolution the window is shown at: its monitor's where the system says
// so per window, else the screen's.
int Form1::DpiOfWindow() const
{
    if (dpiFunctions_.getDpiForWindow && hwnd_)
        if (const UINT dpi = dpiFunctions_.getDpiForWindow(hwnd_))
            return static_cast<int>(dpi);
    return ScreenDpi();
}

// The whole window around the client area, its frame at the given resolution.
SIZE Form1::FrameSize(int dpi) const
{
    RECT frame{0, 0, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi)};
    if (!dpiFunctions_.adjustWindowRectExForDpi ||
        !dpiFunctions_.adjustWindowRectExForDpi(&frame, style_, FALSE, exStyle_, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style_, FALSE, exStyle_);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The width and height of the caption's icon at a resolution.
int Form1::SmallIconSize(int dpi) const
{
    if (dpiFunctions_.getSystemMetricsForDpi)
        if (const int size = dpiFunctions_.getSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi)))
            return size;
    return MulDiv(GetSystemMetrics(SM_CXSMICON), dpi, ScreenDpi());
}

// The client area at its exact size for the window's resolution, whatever
// frame the system draws around it: a size scaled or worked out for another
// resolution can be a pixel or a caption's height off.
void Form1::FitClient()
{
    RECT window, client;
    GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    const SIZE want = ClientSize();
    if (client.right == want.cx && client.bottom == want.cy)
        return;
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + want.cx - client.right,
                 window.bottom - window.top + want.cy - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT Form1::Font(int style) const
{
    HFONT& font = fonts_[static_cast<std::size_t>(style & 3)];
    if (!font)
        font = MakeFont(faces_[static_cast<std::size_t>(style & 3)].first, faces_[static_cast<std::size_t>(style & 3)].second, style);
    return font;
}

// Whether every label's and button's caption drawn in a style fits its
// control in the face at that height, one line high and wide. A label that
// reaches past the right border of a box it starts in, as the link does the
// footer's, ends its text a pixel clear of that border.
bool Form1::CaptionsFit(const std::wstring& face, int height, int style) const
{
    const HDC dc = CreateCompatibleDC(nullptr);
    const HFONT font = MakeFont(face, height, style);
    const HGDIOBJ old = SelectObject(dc, font);
    bool fit = true;
    for (const ControlRow& row : kForm1Controls) {
        if ((row.kind != Kind::Label && row.kind != Kind::PushButton) || row.font != style)
            continue;
        RECT room = Rect(row);
        for (const ControlRow& box : kForm1Controls) {
            const RECT frame = Rect(box);
            if (box.kind == Kind::Shape && room.left > frame.left && room.left < frame.right &&
                room.top >= frame.top && room.top < frame.bottom && room.right > frame.right)
                room.right = frame.right - 2;
        }
        const std::wstring caption = WideText(row.caption);
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        fit = fit && extent.cx <= room.right - room.left && extent.cy <= room.bottom - room.top;
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return fit;
}

// Each style's face is the first in which every caption in that style fits
// at 8.25 points: "MS Sans Serif" where the system has that bitmap face
// drawn for the window's resolution, else a true sans face. What the system
// makes of a name depends on the fonts installed (a Wine prefix without
// Wine's own Windows fonts has none of these), so each is measured, not
// trusted. Where none fits, the largest smaller height at which one does
// keeps every caption whole.
void Form1::ChooseFaces()
{
    const int height = Scale(kFontTwips);
    const std::wstring design = WideText(kFontFace);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HFONT font = MakeFont(design, height, Regular);
    const Made made = Measure(dc, font);
    DeleteObject(font);
    DeleteDC(dc);
    const bool drawnForIt = made.face == design && made.metrics.tmHeight - made.metrics.tmInternalLeading == height;
    // The regular text's face is the window's; a bold or underlined style
    // keeps it where its captions fit in it.
    const auto choose = [&](const std::wstring& window, int style) -> std::pair<std::wstring, int> {
        const std::wstring faces[] = {window, drawnForIt ? design : L"", L"Microsoft Sans Serif", L"Tahoma", L"Arial",
                                      design};
        for (int tried = height; tried > height / 2; --tried)
            for (const std::wstring& face : faces)
                if (!face.empty() && CaptionsFit(face, tried, style))
                    return {face, tried};
        return {design, height};
    };
    faces_[Regular] = choose(L"", Regular);
    for (const int style : {int{Bold}, int{Underline}, Bold | Underline})
        faces_[static_cast<std::size_t>(style)] = choose(faces_[Regular].first, style);
}

// Lays the window out anew for a resolution: its fonts, its pictures, and
// every control's place and font.
void Form1::ApplyDpi(int dpi)
{
    dpi_ = dpi;
    // The controls hold the old fonts until they are given the new ones.
    const std::array<HFONT, 4> oldFonts = std::exchange(fonts_, {});
    ChooseFaces();

    if (background_ && background_ != picture_ && background_ != picture2x_)
        DeleteObject(background_);
    const bool twice = dpi_ >= kTwiceSizeFromDpi;
    if (twice && !picture2x_)
        picture2x_ = LoadPicture(instance_, VARVIK_BACKGROUND_2X);
    const HBITMAP source = twice && picture2x_ ? picture2x_ : picture_;
    background_ = source;
    BITMAP bits{};
    if (source && GetObjectW(source, sizeof bits, &bits)) {
        // The picture at its own size where the window's resolution is the
        // one it was drawn for, else scaled to the window's.
        const SIZE size{Scale(kPictureWidth), Scale(kPictureHeight)};
        if (size.cx != bits.bmWidth || size.cy != bits.bmHeight) {
            const HDC screen = GetDC(nullptr);
            const HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
            background_ = CreateCompatibleBitmap(screen, size.cx, size.cy);
            const HGDIOBJ oldFrom = SelectObject(from, source), oldTo = SelectObject(to, background_);
            SetStretchBltMode(to, HALFTONE);
            SetBrushOrgEx(to, 0, 0, nullptr);
            StretchBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, bits.bmWidth, bits.bmHeight, SRCCOPY);
            SelectObject(from, oldFrom);
            SelectObject(to, oldTo);
            DeleteDC(from);
            DeleteDC(to);
            ReleaseDC(nullptr, screen);
        }
    }
    hand_ = twice ? static_cast<HCURSOR>(LoadImageW(instance_, MAKEINTRESOURCEW(VARVIK_HAND_CURSOR_2X), IMAGE_CURSOR,
                                                    0, 0, LR_SHARED))
                  : LoadCursorW(instance_, MAKEINTRESOURCEW(VARVIK_HAND_CURSOR));
    if (!hand_)
        hand_ = LoadCursorW(instance_, MAKEINTRESOURCEW(VARVIK_HAND_CURSOR));

    for (const ControlRow& row : kForm1Controls)
        if (const HWND child = hwnd_ ? GetDlgItem(hwnd_, WindowId(row.id)) : nullptr) {
            const RECT r = Rect(row);
            SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(row.font)), TRUE);
        }
    for (const HFONT font : oldFonts)
        if (font)
            DeleteObject(font);

    // The caption's small icon, drawn for the size it is shown at there.
    if (hwnd_) {
        const HICON oldIcon = smallIcon_;
        const int size = SmallIconSize(dpi_);
        smallIcon_ = static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(VARVIK_ICON), IMAGE_ICON, size, size, 0));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
        if (oldIcon)
            DestroyIcon(oldIcon);
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

// False when a control could not be made: the window is then not made either.
bool Form1::Build()
{
    // A label is painted, and has a hidden static window of its own with its
    // words for a screen reader. A heading's comes just before its field,
    // which the system names after the static window before it.
    const auto make = [this](const ControlRow& row, const wchar_t* kind, DWORD style, DWORD exStyle,
                             const std::wstring& text) {
        const RECT r = Rect(row);
        const HWND child = CreateWindowExW(exStyle, kind, text.c_str(), WS_CHILD | style, r.left, r.top,
                                           r.right - r.left, r.bottom - r.top, hwnd_,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(WindowId(row.id))), instance_,
                                           nullptr);
        if (child) {
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(row.font)), FALSE);
            if (row.kind != Kind::PictureBox)
                Speak(child, row.id);
        }
        return child;
    };
    const auto label = [&](const ControlRow& row) {
        return make(row, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, WideText(AccessibleName(row.id)));
    };
    // Child windows in the order of the tab cycle, which is the order the
    // keyboard's Tab visits them in.
    for (const Control control : kTabCycle) {
        const ControlRow& row = Row(control);
        const std::wstring caption = WideText(row.caption);
        HWND child = nullptr;
        switch (row.kind) {
        case Kind::TextBox:
            for (const FieldKey& key : kFieldKeys)
                if (key.field == control && !label(Row(key.heading)))
                    return false;
            child = make(row, L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, caption);
            if (child)
                SendMessageW(child, EM_LIMITTEXT, kFieldMaxLength, 0);
            break;
        case Kind::PushButton:
            child = make(row, L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, caption);
            break;
        default: // the strip, named by its window's text, which it does not show
            child = make(row, kPictureBoxClass, WS_VISIBLE | WS_TABSTOP, WS_EX_STATICEDGE,
                         WideText(AccessibleName(control)));
            break;
        }
        if (!child)
            return false;
        children_[static_cast<std::size_t>(control)] = child;
    }
    for (const ControlRow& row : kForm1Controls)
        if (row.kind == Kind::Label && !GetDlgItem(hwnd_, WindowId(row.id)) && !label(row))
            return false;

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
        if (child && GetDlgItem(hwnd_, WindowId(row.id)) == child)
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
    const SIZE client = ClientSize();
    if (background_) {
        const HDC picture = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(picture, background_);
        BitBlt(dc, 0, 0, client.cx, client.cy, picture, 0, 0, SRCCOPY);
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

// The background picture as the labels' colours need it, at the design's
// size: one pixel at a time from its bottom-up rows of blue, green and red.
PixelSource Form1::BackgroundPixels() const
{
    DIBSECTION picture{};
    if (!picture_ || GetObjectW(picture_, sizeof picture, &picture) != sizeof picture || !picture.dsBm.bmBits ||
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
    case WM_CREATE: {
        // Made at the screen's resolution, the window now knows its
        // monitor's, and is laid out and sized for that.
        ApplyDpi(DpiOfWindow());
        if (!Build())
            return -1;
        FitClient();
        made_ = true;
        return 0;
    }
    case WM_GETDPISCALEDSIZE: {
        // Moving to a monitor of another resolution, the window asks for the
        // size that gives its client area the exact size there.
        *reinterpret_cast<SIZE*>(lParam) = FrameSize(static_cast<int>(LOWORD(wParam)));
        return TRUE;
    }
    case WM_DPICHANGED: {
        ApplyDpi(LOWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        FitClient();
        return 0;
    }
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
        const SIZE client = ClientSize();
        const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.cx, client.cy);
        const HGDIOBJ old = SelectObject(buffer, bitmap);
        Paint(buffer);
        BitBlt(dc, 0, 0, client.cx, client.cy, buffer, 0, 0, SRCCOPY);
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
    case WM_GETOBJECT:
        // Once the window is being destroyed no new object is made over it:
        // it would outlive the window it reads.
        if (destroying_)
            return 0;
        if (const LRESULT object = ClientObject(hwnd_, wParam, lParam))
            return object;
        break;
    case WM_DESTROY:
        destroying_ = true;
        // A window that was never made whole ends nothing here: the program
        // says so in a box first, which a quit already posted would close.
        if (endsProgram_ && made_)
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
