// The native window as a user meets it, in process: the controls in their
// places, the tab cycle, the focus selection, the length limit, "Rensa",
// both calculation buttons with a recording message box, the keyboard on the
// buttons, the homepage link with a recording opener, and the real message
// box. Keys and clicks go through the system's input queue and the window's
// own message loop.

#include <gtest/gtest.h>

#include <windows.h>
// <initguid.h> first, or mingw-w64 links IID_IAccessible as a wrong identity.
#include <initguid.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "form1.h"
#include "form1_layout.h"
#include "readable.h"
#include "resource_ids.h"
#include "windows_text.h"

namespace varvik::win32 {
namespace {

struct OpenRequest {
    std::string document;
    Shell::OptionalText operation, parameters, directory;
    std::int32_t showMode = -1;
};

std::wstring Text(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::pair<int, int> Selection(HWND box)
{
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

// A control's place in its window's client area.
RECT ClientRectOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Lets `seen` look at every message of one window before the window does.
struct Watch {
    static inline WNDPROC original = nullptr;
    static inline std::function<void(HWND, UINT)> seen;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        seen(hwnd, message);
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    Watch(HWND window, std::function<void(HWND, UINT)> look)
    {
        seen = std::move(look);
        original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~Watch() { seen = [](HWND, UINT) {}; } // the window may outlive what `look` refers to
};

// The caption's small icon, its width in pixels.
LONG SmallIconWidth(HWND window)
{
    ICONINFO info{};
    BITMAP mask{};
    if (GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)), &info))
        GetObjectW(info.hbmMask, sizeof mask, &mask);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return mask.bmWidth;
}

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form1::Options options;
        options.messageBox = [this](std::string_view text) { messages_.push_back(ui::WideText(text)); };
        options.opener = [this](std::string& document, Shell::OptionalText operation, Shell::OptionalText parameters,
                                Shell::OptionalText directory, std::int32_t showMode) {
            opened_.push_back({document, operation, parameters, directory, showMode});
            return openSucceeds_;
        };
        form_ = std::make_unique<Form1>(GetModuleHandleW(nullptr), options);
        ShowWindow(form_->Handle(), SW_SHOWNORMAL);
        SetForegroundWindow(form_->Handle());
        // Under Wine the X server has its say in activation, and answers later.
        PumpUntil([this] { return GetForegroundWindow() == form_->Handle(); }, "the window to become active");
        ASSERT_EQ(GetForegroundWindow(), form_->Handle());
    }

    void TearDown() override
    {
        form_.reset();
        Pump();
    }

    // Handles one message as the program's own loop does.
    void Dispatch(MSG& message)
    {
        taken_ = message;
        if (form_ && form_->PreTranslate(message))
            return;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }

    // Runs the window's message loop over what is queued now.
    void Pump()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            Dispatch(message);
    }

    // Runs the window's message loop until `done` holds, then over what is
    // queued by then; a state that never comes fails the test after five
    // seconds instead of hanging it.
    template <typename Done>
    void PumpUntil(Done done, const char* what)
    {
        const ULONGLONG end = GetTickCount64() + 5000;
        MSG message;
        while (!done()) {
            const ULONGLONG now = GetTickCount64();
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                Dispatch(message);
            } else if (now >= end) {
                ADD_FAILURE() << "still waiting for " << what << " after 5 s";
                return;
            } else {
                MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT,
                                            MWMO_INPUTAVAILABLE);
            }
        }
        Pump();
    }

    // Sends input through the system's queue and runs the loop until it has
    // taken the input's last message (a key's release, the button's). The
    // loop handles what it takes at once, and what that posts, a key's
    // WM_CHAR among it, comes before the next input; so by then the input is
    // handled.
    void SendAndPump(std::vector<INPUT> inputs, UINT last, WPARAM key = 0)
    {
        taken_ = {};
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        PumpUntil([&] { return taken_.message == last && (last != WM_KEYUP || taken_.wParam == key); },
                  "the input's last message");
    }

    // A key pressed and released; held, the keyboard repeats its press.
    void Press(WORD key, bool shift = false, int repeats = 0, DWORD flags = 0)
    {
        std::vector<INPUT> inputs;
        auto add = [&inputs](WORD vk, DWORD how) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.dwFlags = how;
            inputs.push_back(input);
        };
        if (shift)
            add(VK_SHIFT, 0);
        for (int i = 0; i <= repeats; ++i)
            add(key, flags);
        add(key, flags | KEYEVENTF_KEYUP);
        if (shift)
            add(VK_SHIFT, KEYEVENTF_KEYUP);
        SendAndPump(inputs, WM_KEYUP, shift ? VK_SHIFT : key);
    }

    void Type(HWND box, const wchar_t* text)
    {
        for (; *text; ++text)
            SendMessageW(box, WM_CHAR, *text, 0);
    }

    // A left click at a point of the client area, through the system's input.
    void Click(int x, int y)
    {
        POINT point{x, y};
        ClientToScreen(form_->Handle(), &point);
        SetCursorPos(point.x, point.y);
        std::vector<INPUT> inputs(2);
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendAndPump(inputs, WM_LBUTTONUP);
    }

    // The left button pressed at one point of the client area and released
    // at another, which may lie outside the window. The press is handled
    // before the release is sent: what the press does decides which window
    // the release goes to.
    void Drag(POINT from, POINT to)
    {
        ClientToScreen(form_->Handle(), &from);
        ClientToScreen(form_->Handle(), &to);
        SetCursorPos(from.x, from.y);
        std::vector<INPUT> press(1), release(2);
        press[0].type = release[0].type = release[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        SendAndPump(press, WM_LBUTTONDOWN);
        release[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        release[0].mi.dx = to.x * 65536 / GetSystemMetrics(SM_CXSCREEN);
        release[0].mi.dy = to.y * 65536 / GetSystemMetrics(SM_CYSCREEN);
        release[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendAndPump(release, WM_LBUTTONUP);
    }

    HWND Focus() const { return GetFocus(); }

    std::vector<std::wstring> Fields() const
    {
        return {Text(form_->Text1), Text(form_->Text2), Text(form_->Text3), Text(form_->Text4)};
    }

    void SetFields(const std::vector<std::wstring>& texts)
    {
        const HWND boxes[] = {form_->Text1, form_->Text2, form_->Text3, form_->Text4};
        for (std::size_t i = 0; i < 4; ++i)
            SetWindowTextW(boxes[i], texts[i].c_str());
    }

    std::unique_ptr<Form1> form_;
    std::vector<std::wstring> messages_;
    std::vector<OpenRequest> opened_;
    bool openSucceeds_ = true;
    MSG taken_{}; // the last message the loop took from the queue
};

TEST_F(Form1Test, WindowHasAFixedClientAreaAndNoSizingBorder)
{
    RECT client;
    GetClientRect(form_->Handle(), &client);
    EXPECT_EQ(client.right - client.left, 366);
    EXPECT_EQ(client.bottom - client.top, 263);
    EXPECT_EQ(Text(form_->Handle()), L"Varvik v1.4.1");
    const LONG_PTR style = GetWindowLongPtrW(form_->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_NE(GetClassLongPtrW(form_->Handle(), GCLP_HICON), 0);
}

TEST_F(Form1Test, ControlsStandWhereTheDescriptionPutsThem)
{
    int windows = 0;
    for (const ui::ControlRow& row : ui::kForm1Controls) {
        SCOPED_TRACE(row.name);
        const HWND control = form_->Handle(row.id);
        const bool windowed = row.kind == ui::Kind::TextBox || row.kind == ui::Kind::PushButton ||
                              row.kind == ui::Kind::PictureBox;
        ASSERT_EQ(control != nullptr, windowed);
        if (!control)
            continue;
        ++windows;
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, form_->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        const ui::PixelRect expected = ui::Pixels(row);
        EXPECT_EQ(rect.left, expected.left);
        EXPECT_EQ(rect.top, expected.top);
        EXPECT_EQ(rect.right - rect.left, expected.width);
        EXPECT_EQ(rect.bottom - rect.top, expected.height);
    }
    EXPECT_EQ(windows, 8);

    wchar_t kind[32];
    GetClassNameW(form_->Text4, kind, 32);
    EXPECT_STREQ(kind, L"Edit");
    GetClassNameW(form_->Command2, kind, 32);
    EXPECT_STREQ(kind, L"Button");
    EXPECT_EQ(Fields(), (std::vector<std::wstring>{L"0", L"0", L"0", L"0"}));
    EXPECT_EQ(Text(form_->Command3), L"Rensa");
    EXPECT_EQ(Text(form_->Command1), L"Beräkna EP");
    EXPECT_EQ(Text(form_->Command2), L"Beräkna FVb");
}

TEST_F(Form1Test, OpensWithFvSelected)
{
    EXPECT_EQ(Focus(), form_->Text1);
    EXPECT_EQ(Selection(form_->Text1), std::make_pair(0, 1));
}

TEST_F(Form1Test, TabCycleForwardsAndBackwards)
{
    const HWND forwards[] = {form_->Text2,    form_->Text3,    form_->Text4,    form_->Command3,
                             form_->Command1, form_->Command2, form_->Picture1, form_->Text1};
    for (const HWND expected : forwards) {
        Press(VK_TAB);
        EXPECT_EQ(Focus(), expected);
    }
    const HWND backwards[] = {form_->Picture1, form_->Command2, form_->Command1, form_->Command3,
                              form_->Text4,    form_->Text3,    form_->Text2,    form_->Text1};
    for (const HWND expected : backwards) {
        Press(VK_TAB, true);
        EXPECT_EQ(Focus(), expected);
    }
}

struct SelectionCase {
    const wchar_t* text;
    std::pair<int, int> selected;
};

TEST_F(Form1Test, ArrivingInAFieldSelectsItsFirstEightCharacters)
{
    const SelectionCase cases[] = {
        {L"0", {0, 1}}, {L"12345678", {0, 8}}, {L"-2100000000", {0, 8}}, {L"", {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "a text of " << wcslen(c.text) << " characters");
        SetFocus(form_->Text1);
        Pump();
        SetWindowTextW(form_->Text3, c.text);
        Press(VK_TAB);
        Press(VK_TAB);
        ASSERT_EQ(Focus(), form_->Text3);
        EXPECT_EQ(Selection(form_->Text3), c.selected);
        // The first character is in view, however long the text.
        const LRESULT first = SendMessageW(form_->Text3, EM_POSFROMCHAR, 0, 0);
        if (first != -1) {
            EXPECT_GE(static_cast<short>(LOWORD(first)), 0);
        }
        Type(form_->Text3, L"42");
        EXPECT_EQ(Text(form_->Text3), L"42" + std::wstring(c.text).substr(std::min<std::size_t>(8, wcslen(c.text))));
    }

    // A long result seen to its end, left and entered again, shows from its
    // first character.
    SetWindowTextW(form_->Text3, L"-2100000000");
    SetFocus(form_->Text3);
    Pump();
    Press(VK_END);
    ASSERT_LT(static_cast<short>(LOWORD(SendMessageW(form_->Text3, EM_POSFROMCHAR, 0, 0))), 0);
    Press(VK_TAB);
    Press(VK_TAB, true);
    ASSERT_EQ(Focus(), form_->Text3);
    EXPECT_EQ(Selection(form_->Text3), std::make_pair(0, 8));
    EXPECT_GE(static_cast<short>(LOWORD(SendMessageW(form_->Text3, EM_POSFROMCHAR, 0, 0))), 0);
}

TEST_F(Form1Test, FieldsTakeAtMostEightCharactersFromTheUser)
{
    const HWND box = form_->Text2;
    SetFocus(box);
    Pump();
    Type(box, L"123456789");
    EXPECT_EQ(Text(box), L"12345678");

    ASSERT_TRUE(OpenClipboard(form_->Handle()));
    EmptyClipboard();
    const wchar_t pasted[] = L"abcdefghijkl";
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    memcpy(GlobalLock(memory), pasted, sizeof pasted);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(box), L"abcdefgh");

    // What the program writes is shown whole and from its first character;
    // the user cannot make it grow but can shorten it.
    form_->Command3_Click();
    SetWindowTextW(box, L"1073720970");
    EXPECT_EQ(Text(box), L"1073720970");
    EXPECT_EQ(static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, 0, 0))), 1);
    SendMessageW(box, EM_SETSEL, 10, 10);
    Type(box, L"5");
    EXPECT_EQ(Text(box), L"1073720970");
    Type(box, L"\b");
    EXPECT_EQ(Text(box), L"107372097");
    // Replaced by the user, it takes eight characters again.
    SetWindowTextW(box, L"-2100000000");
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(box), L"abcdefgh");
}

TEST_F(Form1Test, RensaResetsEveryFieldAndSelectsNothing)
{
    SetFields({L"abc", L"", L"12", L"-3"});
    SetFocus(form_->Command2);
    Pump();
    SendMessageW(form_->Command3, BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(Fields(), (std::vector<std::wstring>{L"0", L"0", L"0", L"0"}));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Focus(), form_->Command3);
}

struct ButtonCase {
    const char* name;
    Control button;
    std::vector<std::wstring> before, after, messages;
};

TEST_F(Form1Test, CalculationButtons)
{
    const std::wstring overflow = L"Talen är för stora för att Varvik ska kunna räkna med dem (spill).";
    const ButtonCase cases[] = {
        {"EP across the base", Control::Command1, {L"10", L"12", L"15", L""}, {L"10", L"12", L"15", L"8"}, {}},
        {"EP with commas", Control::Command1, {L"10,5", L"12", L"15", L"0"}, {L"10,5", L"12", L"15", L"8"}, {}},
        {"FVb from 0 with a million", Control::Command2, {L"0", L"0", L"0", L"1000000"}, {L"0", L"0", L"1413", L"1009"},
         {}},
        {"not digits", Control::Command1, {L"", L"abc", L"5", L"x"}, {L"0", L"0", L"5", L"0"},
         {L"Varvik kan endast räkna med siffror."}},
        {"invalid EP", Control::Command2, {L"1", L"2", L"3", L"1000001"}, {L"1", L"2", L"3", L"0"}, {L"Ogiltigt antal EP!"}},
        {"overflow is reported, the window goes on", Control::Command1, {L"-2000000000", L"0", L"46340", L""},
         {L"-2000000000", L"0", L"46340", L"0"}, {overflow}},
        {"large result shown whole", Control::Command2, {L"-2000000000", L"0", L"0", L"-100000000"},
         {L"-2000000000", L"0", L"-2100000000", L"0"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages_.clear();
        SetFields(c.before);
        SendMessageW(form_->Handle(c.button), BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(Fields(), c.after);
        EXPECT_EQ(messages_, c.messages);
        EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    }
}

// What each key does on each focused control: a button clicks once,
// however long the key is held; a field takes a typed character in place of
// what arriving selected; nothing else happens, the window having no default
// and no cancel button.
TEST_F(Form1Test, KeysOnFocusedControls)
{
    const std::vector<std::wstring> start{L"0", L"0", L"10", L"1000000"};
    const std::map<Control, std::vector<std::wstring>> clickedOnce{
        {Control::Command1, {L"0", L"0", L"10", L"55"}},     // 1 + 2 + ... + 10
        {Control::Command2, {L"0", L"0", L"1413", L"1009"}}, // four clicks would leave 2 and 1
        {Control::Command3, {L"0", L"0", L"0", L"0"}},
    };
    static constexpr struct {
        const char* name;
        WORD key;
        DWORD flags;
        const wchar_t* typed;
        int repeats;
    } keys[] = {
        {"Enter", VK_RETURN, 0, L"", 0},
        {"keypad Enter", VK_RETURN, KEYEVENTF_EXTENDEDKEY, L"", 0},
        {"Space", VK_SPACE, 0, L" ", 0},
        {"Escape", VK_ESCAPE, 0, L"", 0},
        {"a letter", 'A', 0, L"a", 0},
        {"Enter held", VK_RETURN, 0, L"", 3},
        {"Space held", VK_SPACE, 0, L" ", 3},
    };
    enum Effect { N, Clicks, Types }; // N: nothing
    const struct {
        Control control;
        Effect effects[std::size(keys)];
    } rows[] = {
        {Control::Text1, {N, N, Types, N, Types, N, Types}},
        {Control::Text2, {N, N, Types, N, Types, N, Types}},
        {Control::Text3, {N, N, Types, N, Types, N, Types}},
        {Control::Text4, {N, N, Types, N, Types, N, Types}},
        {Control::Command3, {Clicks, Clicks, Clicks, N, N, Clicks, Clicks}},
        {Control::Command1, {Clicks, Clicks, Clicks, N, N, Clicks, Clicks}},
        {Control::Command2, {Clicks, Clicks, Clicks, N, N, Clicks, Clicks}},
        {Control::Picture1, {N, N, N, N, N, N, N}},
    };
    for (const auto& row : rows)
        for (std::size_t k = 0; k < std::size(keys); ++k) {
            SCOPED_TRACE(testing::Message() << keys[k].name << " on " << ui::Row(row.control).name);
            std::vector<std::wstring> after = start;
            if (row.effects[k] == Clicks)
                after = clickedOnce.at(row.control);
            else if (row.effects[k] == Types) // a held key types on
                after[static_cast<std::size_t>(row.control) - static_cast<std::size_t>(Control::Text1)] =
                    std::wstring(1 + static_cast<std::size_t>(keys[k].repeats), keys[k].typed[0]);
            SetFields(start);
            SetFocus(row.control == Control::Text1 ? form_->Text2 : form_->Text1);
            SetFocus(form_->Handle(row.control)); // arriving in a field selects its text
            Pump();
            Press(keys[k].key, false, keys[k].repeats, keys[k].flags);
            EXPECT_EQ(Fields(), after);
            EXPECT_TRUE(messages_.empty());
            EXPECT_TRUE(IsWindowVisible(form_->Handle()));
        }
}

// The program's box over the window, with a watchdog that closes a box
// still open after five seconds, so that a box nobody closes fails the test
// instead of hanging it.
void ShowWatchedMessageBox(HWND owner)
{
    static HWND watched;
    watched = owner;
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (const HWND box = GetActiveWindow(); box && box != watched)
            PostMessageW(box, WM_CLOSE, 0, 0);
    });
    ShowMessageBox(owner, L"Ogiltigt GEV!");
    KillTimer(nullptr, watchdog);
}

// The message box closes on Enter, Space and Escape, not on a letter.
TEST_F(Form1Test, KeysOnTheMessageBox)
{
    const struct {
        const char* name;
        WORD key;
        bool closes;
    } rows[] = {{"Enter", VK_RETURN, true}, {"Space", VK_SPACE, true}, {"Escape", VK_ESCAPE, true}, {"a letter", 'A', false}};
    struct Seen {
        HWND owner;
        WORD key;
        HWND box = nullptr;
        bool closedByHand = false;
    };
    static Seen* current = nullptr;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Seen seen{form_->Handle(), row.key};
        current = &seen;
        // Once the box is there, the key goes to it. Input comes before a
        // timer's tick, so on the next tick a box still open kept it open.
        const UINT_PTR looking = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, [](HWND, UINT, UINT_PTR, DWORD) {
            if (current->box) {
                if (IsWindow(current->box)) {
                    current->closedByHand = true;
                    PostMessageW(current->box, WM_COMMAND, IDOK, 0);
                }
                return;
            }
            const HWND box = GetActiveWindow();
            if (!box || GetWindow(box, GW_OWNER) != current->owner)
                return;
            current->box = box;
            INPUT inputs[2]{};
            inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
            inputs[0].ki.wVk = inputs[1].ki.wVk = current->key;
            inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, inputs, sizeof(INPUT));
        });
        ShowWatchedMessageBox(form_->Handle());
        KillTimer(nullptr, looking);
        ASSERT_NE(seen.box, nullptr);
        EXPECT_EQ(!seen.closedByHand, row.closes);
        Pump();
    }
}

TEST_F(Form1Test, HomepageLinkWithHandCursor)
{
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    // Label10 covers (152, 232) to (344, 248); it overlaps Label11 from 152 to 176.
    Click(160, 240);
    Click(344, 248);
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(opened_[0].document, "http://varvik.example");
    EXPECT_EQ(opened_[0].operation, Shell::OptionalText("Open"));
    EXPECT_FALSE(opened_[0].parameters);
    EXPECT_FALSE(opened_[0].directory);
    EXPECT_EQ(opened_[0].showMode, 0);
    const HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(VARVIK_HAND_CURSOR));
    EXPECT_EQ(GetCursor(), hand);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);

    // A failed open changes nothing and says nothing.
    openSucceeds_ = false;
    Click(200, 236);
    EXPECT_EQ(opened_.size(), 3u);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Fields(), (std::vector<std::wstring>{L"0", L"0", L"0", L"0"}));

    // Just outside it, over Label11, a key line or the background: nothing.
    for (const POINT p : {POINT{150, 240}, POINT{345, 240}, POINT{200, 231}, POINT{30, 160}}) {
        Click(p.x, p.y);
        EXPECT_EQ(GetCursor(), arrow) << p.x << "," << p.y;
    }
    EXPECT_EQ(opened_.size(), 3u);

    // Pressed on the link and released outside the window, nothing opens,
    // and the press is over: a later press elsewhere released on the link
    // opens nothing either.
    Drag({200, 236}, {500, 400});
    Drag({30, 160}, {200, 236});
    EXPECT_EQ(opened_.size(), 3u);
}

// The client area as drawn, read back pixel by pixel.
class Snapshot {
public:
    explicit Snapshot(HWND window)
    {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT client;
        GetClientRect(window, &client);
        const HDC screen = GetDC(window);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
        old_ = SelectObject(dc_, bitmap_);
        BitBlt(dc_, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    }
    explicit Snapshot(HBITMAP picture) : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, picture)) {}
    ~Snapshot()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        if (bitmap_)
            DeleteObject(bitmap_);
    }
    std::uint32_t Pixel(int x, int y) const
    {
        const COLORREF c = GetPixel(dc_, x, y);
        return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_;
};

// Text in the scheme's colours is drawn black where it would read with a
// contrast below 4.5 on the key box's yellow (the key lines, the frame) or
// on the picture beneath a heading; elsewhere it keeps the scheme's colour.
// The figures are worked out apart from the program (see the readability
// test): on the headings' olive a grey of 484848 reads only over EP, and
// 707070 only on the yellow.
TEST_F(Form1Test, ReadableUnderAnyScheme)
{
    using enum Control;
    const struct {
        const char* name;
        std::uint32_t text;
        std::vector<Control> black;
    } schemes[] = {
        {"dark scheme", 0xEEEEEE, {Label1, Label2, Label3, Label4, Label6, Shape1}},
        {"dark grey", 0x484848, {Label1, Label2, Label3}},
        {"mid grey", 0x707070, {Label1, Label2, Label3, Label4}},
        {"light grey", 0xC0C0C0, {Label1, Label2, Label3, Label4, Label6, Shape1}},
    };
    const INT elements[] = {COLOR_WINDOWTEXT, COLOR_BTNTEXT};
    const COLORREF original[] = {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNTEXT)};
    for (const auto& scheme : schemes) {
        SCOPED_TRACE(scheme.name);
        const COLORREF text = RGB(scheme.text >> 16, (scheme.text >> 8) & 0xFF, scheme.text & 0xFF);
        const COLORREF colours[] = {text, text};
        SetSysColors(2, elements, colours);
        Pump();
        const Snapshot shown(form_->Handle());
        SetSysColors(2, elements, original);
        Pump();
        for (const Control control : {Label1, Label2, Label3, Label4, Label6, Shape1}) {
            SCOPED_TRACE(ui::Row(control).name);
            const bool black = std::find(scheme.black.begin(), scheme.black.end(), control) != scheme.black.end();
            const std::uint32_t expected = black ? 0x000000 : scheme.text, other = black ? scheme.text : 0x000000;
            // A text's letters, or the frame's left edge.
            ui::PixelRect r = ui::Pixels(ui::Row(control));
            if (control == Shape1)
                r.width = 1;
            int drawn = 0, wrong = 0;
            for (int y = r.top; y < r.top + r.height; ++y)
                for (int x = r.left; x < r.left + r.width; ++x) {
                    drawn += shown.Pixel(x, y) == expected;
                    wrong += shown.Pixel(x, y) == other;
                }
            EXPECT_GT(drawn, 0);
            EXPECT_EQ(wrong, 0);
        }
    }
}

// How many more device contexts the process may make (some 65,000 under
// Wine): the room that objects kept back on each paint would use up.
int GdiRoom()
{
    std::vector<HDC> made;
    while (made.size() < 200000)
        if (const HDC dc = CreateCompatibleDC(nullptr))
            made.push_back(dc);
        else
            break;
    for (const HDC dc : made)
        DeleteDC(dc);
    return static_cast<int>(made.size());
}

// Thousands of repaints keep nothing back, and the window still paints: a
// device context, bitmap or brush lost on each paint would, some tens of
// thousands of paints on, leave the window blank.
TEST_F(Form1Test, RepaintsKeepNothingBack)
{
    const int room = GdiRoom();
    for (int i = 0; i < 1000; ++i) {
        InvalidateRect(form_->Handle(), nullptr, FALSE);
        UpdateWindow(form_->Handle());
    }
    EXPECT_GT(GdiRoom(), room - 100);
    // Blacked out, so that only a new paint brings the window back.
    const HDC dc = GetDC(form_->Handle());
    RECT client{0, 0, 366, 263};
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(form_->Handle(), dc);
    const Snapshot shown(form_->Handle());
    EXPECT_EQ(shown.Pixel(200, 140), 0xFFFF80u); // the key box
    EXPECT_EQ(shown.Pixel(16, 180), 0x000000u);  // its frame
    EXPECT_NE(shown.Pixel(300, 120), 0x000000u); // the picture
}

// What a screen reader reads of one accessible object: role, name, value.
struct Read {
    long role;
    std::wstring name, value;
    bool operator==(const Read&) const = default;
};

void PrintTo(const Read& read, std::ostream* out) { *out << read.role << " " << ui::NarrowText(read.name) << " / " << ui::NarrowText(read.value); }

std::wstring Taken(BSTR text)
{
    std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return taken;
}

Read ReadOf(IAccessible* object, LONG id)
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    Read read{0, {}, {}};
    VARIANT role;
    VariantInit(&role);
    if (SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4)
        read.role = role.lVal;
    BSTR text = nullptr;
    if (object->get_accName(child, &text) == S_OK)
        read.name = Taken(text);
    text = nullptr;
    if (object->get_accValue(child, &text) == S_OK)
        read.value = Taken(text);
    return read;
}

// The client area's children as a screen reader walks them.
std::vector<Read> ReadChildren(IAccessible* client)
{
    LONG count = 0;
    client->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG got = 0;
    AccessibleChildren(client, 0, count, children.data(), &got);
    std::vector<Read> reads;
    for (LONG i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt == VT_DISPATCH) {
            IAccessible* object = nullptr;
            if (child.pdispVal &&
                SUCCEEDED(child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object)))) {
                reads.push_back(ReadOf(object, CHILDID_SELF));
                object->Release();
            }
        } else if (child.vt == VT_I4) {
            reads.push_back(ReadOf(client, child.lVal));
        }
        VariantClear(&child);
    }
    return reads;
}

VARIANT ChildId(LONG id)
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// A screen reader finds the window by its caption, the fields by their
// headings with their values, the buttons by their captions, the painted
// labels as text and the homepage as a link that opens.
TEST_F(Form1Test, ScreenReaderFindsEveryControlByName)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    SetWindowTextW(form_->Text2, L"1234");
    IAccessible* window = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(form_->Handle(), static_cast<DWORD>(OBJID_WINDOW), IID_IAccessible,
                                         reinterpret_cast<void**>(&window)),
              S_OK);
    // (The system's window object, which Wine 8 leaves unnamed; the client
    // area within it carries the caption.)
    window->Release();

    IAccessible* client = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(form_->Handle(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(&client)),
              S_OK);
    EXPECT_EQ(ReadOf(client, CHILDID_SELF), (Read{ROLE_SYSTEM_CLIENT, L"Varvik v1.4.1", L""}));
    constexpr long Text = ROLE_SYSTEM_STATICTEXT, Field = ROLE_SYSTEM_TEXT, Button = ROLE_SYSTEM_PUSHBUTTON;
    const std::vector<Read> expected{
        {ROLE_SYSTEM_CLIENT, L"Dekorlist", L""}, // the strip along the top
        {Text, L"FV", L""},
        {Text, L"GEV", L""},
        {Text, L"FVb", L""},
        {Text, L"EP", L""},
        {Field, L"FV", L"0"},
        {Field, L"GEV", L"1234"},
        {Field, L"FVb", L"0"},
        {Field, L"EP", L"0"},
        {Button, L"Rensa", L""},
        {Button, L"Beräkna EP", L""},
        {Button, L"Beräkna FVb", L""},
        {Text, L"Nyckel", L""},
        {Text, L"FV = Nuvarande färdighetsvärde", L""},
        {Text, L"GEV = Grundegenskapsvärde", L""},
        {Text, L"FVb = Blivande färdighetsvärde", L""},
        {Text, L"EP = Kostnad i antal erfarenhetspoäng", L""},
        {Text, L"© 2026 Varvik Spel", L""},
        {ROLE_SYSTEM_LINK, L"Hemsida: varvik.example", L"http://varvik.example"},
    };
    EXPECT_EQ(ReadChildren(client), expected);
    // And asked by a child's number, the client area answers the same.
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(ReadOf(client, static_cast<LONG>(i + 1)), expected[i]) << "child " << i + 1;

    // The fields are described by their key lines, the link by what it does,
    // asked of the client area or of the control itself.
    std::vector<std::wstring> described(expected.size()), got, itself;
    described[5] = L"Nuvarande färdighetsvärde";
    described[6] = L"Grundegenskapsvärde";
    described[7] = L"Blivande färdighetsvärde";
    described[8] = L"Kostnad i antal erfarenhetspoäng";
    described[18] = L"Öppnar hemsidan i webbläsaren";
    for (LONG id = 1; id <= static_cast<LONG>(expected.size()); ++id) {
        BSTR text = nullptr, own = nullptr;
        IDispatch* child = nullptr;
        IAccessible* object = nullptr;
        client->get_accDescription(ChildId(id), &text);
        got.push_back(Taken(text));
        if (client->get_accChild(ChildId(id), &child) == S_OK &&
            SUCCEEDED(child->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object)))) {
            object->get_accDescription(ChildId(CHILDID_SELF), &own);
            object->Release();
        }
        itself.push_back(Taken(own));
        if (child)
            child->Release();
    }
    EXPECT_EQ(got, described);
    EXPECT_EQ(itself, described);

    // The link's default action opens the homepage as a click does.
    VARIANT link;
    link.vt = VT_I4;
    link.lVal = static_cast<LONG>(expected.size());
    EXPECT_EQ(client->accDoDefaultAction(link), S_OK);
    PumpUntil([this] { return !opened_.empty(); }, "the homepage to open");
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].document, "http://varvik.example");
    EXPECT_EQ(opened_[0].operation, Shell::OptionalText("Open"));
    client->Release();

    // The fields keep their names when a reader asks them directly, as it
    // does when one of them takes the focus.
    IAccessible* field = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(form_->Text4, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(&field)),
              S_OK);
    EXPECT_EQ(ReadOf(field, CHILDID_SELF), (Read{Field, L"EP", L"0"}));
    field->Release();

    // A button presses by its default action as by a click.
    IAccessible* button = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(form_->Command3, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(&button)),
              S_OK);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_EQ(button->accDoDefaultAction(self), S_OK);
    PumpUntil([this] { return Fields() == std::vector<std::wstring>{L"0", L"0", L"0", L"0"}; }, "Rensa to be pressed");
    button->Release();
    CoUninitialize();
}

// Only the link offers "Öppna" and the buttons "Tryck"; no item has a key of
// its own (the answer is written, and empty); a button asked for its action
// without room for the answer refuses.
TEST_F(Form1Test, ScreenReaderDefaultActionsAndShortcuts)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    IAccessible *client = nullptr, *button = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(form_->Handle(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(&client)),
              S_OK);
    std::vector<std::wstring> actions(19), expected(19);
    expected[9] = expected[10] = expected[11] = L"Tryck"; // Rensa, Beräkna EP, Beräkna FVb
    expected[18] = L"Öppna";                             // the link
    for (LONG id = 1; id <= 19; ++id) {
        BSTR action = nullptr, key = reinterpret_cast<BSTR>(static_cast<std::uintptr_t>(0xBAD0));
        client->get_accDefaultAction(ChildId(id), &action);
        client->get_accKeyboardShortcut(ChildId(id), &key);
        actions[static_cast<std::size_t>(id - 1)] = Taken(action);
        EXPECT_EQ(key, nullptr) << id;
    }
    EXPECT_EQ(actions, expected);
    client->Release();
    ASSERT_EQ(AccessibleObjectFromWindow(form_->Command1, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(&button)),
              S_OK);
    EXPECT_EQ(button->get_accDefaultAction(ChildId(CHILDID_SELF), nullptr), E_POINTER);
    button->Release();
    CoUninitialize();
}

// A reader asking for the client area while the window is being destroyed
// (here as its first field goes, after the window's WM_DESTROY) is given no
// object over a window about to be freed.
TEST_F(Form1Test, NoAccessibleObjectOnceDestructionHasBegun)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    LRESULT object = 1;
    const Watch field(form_->Text1, [&object](HWND hwnd, UINT message) {
        if (message == WM_DESTROY)
            object = SendMessageW(GetParent(hwnd), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    });
    form_.reset();
    EXPECT_EQ(object, 0);
    CoUninitialize();
}

// The window at each display resolution the tests run at: the client area,
// a button and the key box's frame in device pixels, and the least height
// of its letters.
struct ScaleCase {
    int dpi;
    SIZE client;
    RECT command2;
    POINT frameCorner;        // Shape1's top-left pixel
    POINT insideFrameLeft;    // a point on the frame's left edge, midway down
    POINT insideFrameTop;     // one on its top edge, right of " Nyckel "
    int leastLetterHeight;    // in pixels, of the 8.25-point face
};
const ScaleCase kScales[] = {
    {96, {366, 263}, {96, 80, 169, 105}, {16, 136}, {16, 180}, {200, 136}, 11},
    {120, {458, 329}, {120, 100, 211, 131}, {20, 170}, {20, 225}, {250, 170}, 13},
    {144, {549, 395}, {144, 120, 254, 158}, {24, 204}, {24, 270}, {300, 204}, 16},
    {192, {732, 526}, {192, 160, 338, 210}, {32, 272}, {32, 360}, {400, 272}, 21},
};

void ExpectLaidOutFor(const Form1& form, const ScaleCase& scale)
{
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, scale.client.cx);
    EXPECT_EQ(client.bottom, scale.client.cy);
    const RECT button = ClientRectOf(form.Command2);
    EXPECT_EQ(std::vector<LONG>({button.left, button.top, button.right, button.bottom}),
              std::vector<LONG>({scale.command2.left, scale.command2.top, scale.command2.right, scale.command2.bottom}));

    // Every label's and button's caption fits its rectangle at this
    // resolution, on one line, in the font it is drawn with; bold stays bold.
    const HDC dc = CreateCompatibleDC(nullptr);
    for (const ui::ControlRow& row : ui::kForm1Controls) {
        if (row.kind != ui::Kind::Label && row.kind != ui::Kind::PushButton)
            continue;
        SCOPED_TRACE(row.name);
        const HGDIOBJ old = SelectObject(dc, form.Font(row.id));
        const std::wstring caption = ui::WideText(row.caption);
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        const int width = MulDiv(row.left + row.width, scale.dpi, 1440) - MulDiv(row.left, scale.dpi, 1440);
        const int height = MulDiv(row.top + row.height, scale.dpi, 1440) - MulDiv(row.top, scale.dpi, 1440);
        EXPECT_LE(extent.cx, width);
        EXPECT_LE(extent.cy, height);
        // Without Wine's own fonts no face at hand fits the longest key line
        // at 8.25 points everywhere; a pixel smaller keeps it whole.
        EXPECT_GE(metrics.tmHeight - metrics.tmInternalLeading,
                  scale.leastLetterHeight - (std::getenv("VARVIK_WITHOUT_WINE_FONTS") ? 1 : 0));
        EXPECT_EQ(metrics.tmWeight >= FW_BOLD, (row.font & ui::Bold) != 0);
    }
    DeleteDC(dc);
}

const ScaleCase& ScaleAt(int dpi)
{
    for (const ScaleCase& scale : kScales)
        if (scale.dpi == dpi)
            return scale;
    ADD_FAILURE() << "no case for " << dpi << " dpi";
    return kScales[0];
}

// Laid out anew at the resolution of the monitor it moves to: sized and
// placed as the system suggests, and back again.
TEST_F(Form1Test, FollowsTheResolutionOfItsMonitor)
{
    // A field given its new font still holds the old one, which must not be
    // gone by then.
    int replacedGone = 0;
    const Watch field(form_->Text1, [&replacedGone](HWND hwnd, UINT message) {
        if (message == WM_SETFONT)
            replacedGone += GetObjectType(reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0))) != OBJ_FONT;
    });
    for (const int dpi : {144, 96}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        RECT suggested{40, 30, 40 + 600, 30 + 500};
        SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        Pump();
        EXPECT_EQ(replacedGone, 0);
        EXPECT_EQ(SmallIconWidth(form_->Handle()), dpi / 6); // 16 pixels at 96 dpi
        EXPECT_EQ(form_->Dpi(), dpi);
        ExpectLaidOutFor(*form_, ScaleAt(dpi));
        RECT window;
        GetWindowRect(form_->Handle(), &window);
        EXPECT_EQ(window.left, 40);
        EXPECT_EQ(window.top, 30);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(form_->Text1, WM_GETFONT, 0, 0)), form_->Font(Control::Text1));
        EXPECT_EQ(Fields(), (std::vector<std::wstring>{L"0", L"0", L"0", L"0"}));
    }
    // A suggested size that is right in one direction only is corrected in
    // the other.
    for (const SIZE off : {SIZE{0, 7}, SIZE{7, 0}}) {
        RECT suggested;
        GetWindowRect(form_->Handle(), &suggested);
        suggested.right += off.cx;
        suggested.bottom += off.cy;
        SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
        RECT client;
        GetClientRect(form_->Handle(), &client);
        EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(366L, 263L));
    }
    const Snapshot shown(form_->Handle());
    EXPECT_EQ(shown.Pixel(200, 140), 0xFFFF80u); // the key box
    EXPECT_EQ(shown.Pixel(16, 180), 0x000000u);  // its frame
}

// Where the system lacks the functions for a resolution per monitor (Windows
// 7 and 8), the window opens at the screen's resolution and still follows a
// move to a monitor of another.
TEST(WithoutPerMonitorFunctions, LaidOutAtTheScreensResolutionAndFollowsAMove)
{
    Form1::Options options;
    options.dpiFunctions = {};
    Form1 form(GetModuleHandleW(nullptr), options);
    ASSERT_NE(form.Handle(), nullptr);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ExpectLaidOutFor(form, ScaleAt(dpi));
    RECT suggested{40, 30, 40 + 600, 30 + 500};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ExpectLaidOutFor(form, ScaleAt(144));
    EXPECT_EQ(SmallIconWidth(form.Handle()), 24);
}

// The window at the resolution its Wine prefix is set to (VARVIK_DPI; ctest
// runs this once a prefix at 96, 120, 144 and 192 dpi).
TEST_F(Form1Test, LaidOutForTheDisplaysResolution)
{
    const char* given = std::getenv("VARVIK_DPI");
    const int dpi = given ? std::atoi(given) : form_->Dpi();
    ASSERT_EQ(form_->Dpi(), dpi) << "the prefix does not show at the resolution the test was given";
    if (!given && std::none_of(std::begin(kScales), std::end(kScales), [dpi](const ScaleCase& s) { return s.dpi == dpi; }))
        GTEST_SKIP() << "no figures for a display at " << dpi << " dpi";
    const ScaleCase& scale = ScaleAt(dpi);
    ExpectLaidOutFor(*form_, scale);

    // The key box's frame is one device pixel wide: black on the edge,
    // the key box's yellow inside it, the picture outside.
    const Snapshot shown(form_->Handle());
    const POINT left = scale.insideFrameLeft, top = scale.insideFrameTop;
    EXPECT_EQ(shown.Pixel(left.x, left.y), 0x000000u);
    EXPECT_EQ(shown.Pixel(left.x + 1, left.y), 0xFFFF80u);
    EXPECT_NE(shown.Pixel(left.x - 1, left.y), 0x000000u);
    EXPECT_EQ(shown.Pixel(top.x, top.y), 0x000000u);
    EXPECT_EQ(shown.Pixel(top.x, top.y + 1), 0xFFFF80u);
    EXPECT_NE(shown.Pixel(top.x, top.y - 1), 0x000000u);
    EXPECT_EQ(shown.Pixel(scale.frameCorner.x, scale.frameCorner.y), 0x000000u);

    // The link's last letter stays a pixel clear of the footer box's right
    // border (Shape2's, 4335 twips from the left), which the link overlaps.
    const int border = MulDiv(4335, dpi, 1440) - 1, linkTop = MulDiv(3480, dpi, 1440);
    int blueNearBorder = 0;
    for (int y = linkTop; y < MulDiv(3735, dpi, 1440) - 1; ++y)
        for (int x = border - 1; x <= border + 2 * dpi / 96; ++x)
            blueNearBorder += shown.Pixel(x, y) == 0x0000FFu;
    EXPECT_EQ(blueNearBorder, 0);

    // At twice the design's resolution the background is the picture drawn
    // for twice the size, pixel for pixel (here where no control lies over
    // it: right of the key box, below the buttons).
    if (dpi == 192) {
        const HBITMAP picture = LoadPicture(GetModuleHandleW(nullptr), VARVIK_BACKGROUND_2X);
        ASSERT_NE(picture, nullptr);
        int differing = 0;
        {
            const Snapshot twice(picture);
            for (int y = 220; y < 460; ++y)
                for (int x = 430; x < 732; ++x)
                    differing += shown.Pixel(x, y) != twice.Pixel(x, y);
        }
        DeleteObject(picture);
        EXPECT_EQ(differing, 0);
    }

    // The hand over the link is the one drawn for the resolution, its
    // fingertip the point that clicks.
    ICONINFO info{};
    POINT link{MulDiv(2280 + 150, dpi, 1440), MulDiv(3480 + 120, dpi, 1440)};
    ClientToScreen(form_->Handle(), &link);
    SetCursorPos(link.x, link.y);
    PumpUntil([] { return GetCursor() != LoadCursorW(nullptr, IDC_ARROW); }, "the hand over the link");
    ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(info.xHotspot, dpi >= 144 ? 10u : 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(mask.bmWidth, dpi >= 144 ? 64 : 32);
    // A cursor without colour keeps its AND and XOR masks one over the other.
    EXPECT_EQ(mask.bmHeight, (info.hbmColor ? 1 : 2) * mask.bmWidth);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
}

// The real box: titled with the program's name, one OK button, and the
// window waits for it. Closing it gives the focus back to the field without
// a new arrival, so the caret stays where it was.
TEST_F(Form1Test, MessageBoxIsModalWithOneOk)
{
    SetWindowTextW(form_->Text1, L"1234");
    SendMessageW(form_->Text1, EM_SETSEL, 2, 2);
    struct Seen {
        HWND owner;
        std::wstring title, text;
        int buttons = 0;
        bool ownerDisabled = false;
    } seen{form_->Handle(), {}, {}, 0, false};
    static Seen* current = nullptr;
    current = &seen;
    // Looks for the box until it is there, the active window of the form's,
    // then reads it and presses its OK.
    const UINT_PTR looking = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, [](HWND, UINT, UINT_PTR id, DWORD) {
        const HWND box = GetActiveWindow();
        if (!box || GetWindow(box, GW_OWNER) != current->owner)
            return;
        KillTimer(nullptr, id);
        current->title = Text(box);
        current->ownerDisabled = !IsWindowEnabled(current->owner);
        EnumChildWindows(
            box,
            [](HWND child, LPARAM) -> BOOL {
                wchar_t kind[16];
                GetClassNameW(child, kind, 16);
                if (!lstrcmpiW(kind, L"Button"))
                    ++current->buttons;
                else if (!lstrcmpiW(kind, L"Static") && GetWindowTextLengthW(child) > 0)
                    current->text = Text(child);
                return TRUE;
            },
            0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ShowWatchedMessageBox(form_->Handle());
    KillTimer(nullptr, looking); // it does not outlive the test, whose `seen` it points to
    EXPECT_EQ(seen.title, L"Varvik v1.4.1");
    EXPECT_EQ(seen.text, L"Ogiltigt GEV!");
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(form_->Handle()));
    PumpUntil([this] { return Focus() == form_->Text1; }, "the focus back in FV");
    EXPECT_EQ(Focus(), form_->Text1);
    EXPECT_EQ(Selection(form_->Text1), std::make_pair(2, 2));
    // Arriving in a field afterwards selects its first eight characters as
    // ever (the dialog manager's own selection would take all eleven).
    SetWindowTextW(form_->Text2, L"-2100000000");
    Press(VK_TAB);
    EXPECT_EQ(Focus(), form_->Text2);
    EXPECT_EQ(Selection(form_->Text2), std::make_pair(0, 8));
}

// A window the system refuses to make is reported, and the program ends with
// a failure instead of waiting for a window that is not there.
TEST(Program, SaysSoAndEndsWhenItsWindowCannotBeMade)
{
    const HHOOK refuse = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            wchar_t kind[32] = L"";
            GetClassNameW(reinterpret_cast<HWND>(wParam), kind, 32);
            return code == HCBT_CREATEWND && !lstrcmpW(kind, L"VarvikForm1") ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(refuse, nullptr);
    // Should the window come after all, it is closed rather than waited for.
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
    std::vector<std::wstring> messages;
    Form1::Options options;
    options.messageBox = [&messages](std::string_view text) { messages.push_back(ui::WideText(text)); };
    const int status = RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, options);
    KillTimer(nullptr, watchdog);
    UnhookWindowsHookEx(refuse);
    EXPECT_NE(status, 0);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"Varvik kunde inte öppna sitt fönster."});
}

} // namespace
} // namespace varvik::win32
