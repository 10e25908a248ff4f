#include "accessible.h"

// With mingw-w64, IID_IAccessible is defined only where <initguid.h> comes
// first; otherwise it links as a wrong identity and every object answers
// E_NOINTERFACE.
#include <initguid.h>
#include <oleacc.h>

#include <string>

#include "windows_text.h"

namespace varvik::win32 {

namespace {

using ui::Control;
using ui::Kind;

HRESULT Text(std::wstring_view text, BSTR* out)
{
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Number(LONG value, VARIANT* out)
{
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

// A window's object, which it answers for itself where it speaks.
HRESULT ObjectOf(HWND window, IDispatch** object)
{
    return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                      reinterpret_cast<void**>(object));
}
HRESULT ObjectOf(HWND window, IAccessible** object)
{
    return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                      reinterpret_cast<void**>(object));
}

// The system's own object for the window's client area (no row) or one of
// its controls, with what the window's description adds. The client area's
// children are its controls' windows in the order of the description (the
// shapes have none), and a question about one goes to that child's object.
class Accessible final : public IAccessible {
public:
    Accessible(IAccessible* system, HWND window, const ui::ControlRow* row) : system_(system), window_(window), row_(row)
    {
    }
    ~Accessible() { system_->Release(); }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible ? this : nullptr;
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    // Readers call IAccessible directly; scripting through IDispatch is not offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return count ? (*count = 0, S_OK) : E_POINTER; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        if (!count || row_)
            return count ? system_->get_accChildCount(count) : E_POINTER;
        for (*count = 0; Child(*count + 1);)
            ++*count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        if (!object)
            return E_POINTER;
        const HWND window = Child(child);
        return window ? ObjectOf(window, object) : system_->get_accChild(child, object);
    }

    // The names are the windows' own: a caption, a field's heading (the
    // static window before it), the window's title for the client area.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Ask(child, name, [&](IAccessible* object, VARIANT id) { return object->get_accName(id, name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Ask(child, value, [&](IAccessible* object, VARIANT id) {
            return Is(Control::Label10) ? Text(ui::WideText(ui::kHomepage), value) : object->get_accValue(id, value);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return Ask(child, description, [&](IAccessible* object, VARIANT id) {
            const std::wstring own = row_ ? ui::WideText(ui::AccessibleDescription(row_->id)) : std::wstring();
            return own.empty() ? object->get_accDescription(id, description) : Text(own, description);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Ask(child, role, [&](IAccessible* object, VARIANT id) {
            if (Is(Control::Label10))
                return Number(ROLE_SYSTEM_LINK, role);
            if (row_ && row_->kind == Kind::Label) // for Wine, whose proxy knows no static text
                return Number(ROLE_SYSTEM_STATICTEXT, role);
            const HRESULT result = object->get_accRole(id, role);
            if (WineButton() && result == S_OK && role->vt == VT_I4 && role->lVal == ROLE_SYSTEM_CLIENT)
                role->lVal = ROLE_SYSTEM_PUSHBUTTON;
            return result;
        });
    }
    // A label's window is hidden, but its words are on the screen.
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Ask(child, state, [&](IAccessible* object, VARIANT id) {
            if (row_ && row_->kind == Kind::Label)
                return Number(Is(Control::Label10) ? STATE_SYSTEM_LINKED : STATE_SYSTEM_READONLY, state);
            return object->get_accState(id, state);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Ask(child, action, [&](IAccessible* object, VARIANT id) {
            if (Is(Control::Label10))
                return Text(L"Öppna", action);
            const HRESULT result = object->get_accDefaultAction(id, action);
            return WineButton() && result != S_OK ? Text(L"Tryck", action) : result;
        });
    }
    // The link opens the homepage as its click does, and a button presses,
    // once the reader's call has returned.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return Ask(child, [&](IAccessible* object, VARIANT id) {
            if (Is(Control::Label10)) {
                const HWND form = GetParent(window_);
                const WPARAM clicked = MAKEWPARAM(WindowId(row_->id), STN_CLICKED);
                return form && PostMessageW(form, WM_COMMAND, clicked, reinterpret_cast<LPARAM>(window_)) ? S_OK : E_FAIL;
            }
            const HRESULT result = object->accDoDefaultAction(id);
            return WineButton() && FAILED(result) ? (PostMessageW(window_, BM_CLICK, 0, 0) ? S_OK : E_FAIL) : result;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Ask(child, shortcut,
                   [&](IAccessible* object, VARIANT id) { return object->get_accKeyboardShortcut(id, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return Ask(child, help, [&](IAccessible* object, VARIANT id) { return object->get_accHelp(id, help); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        return Ask(child, [&](IAccessible* object, VARIANT id) {
            return object->accLocation(left, top, width, height, id);
        });
    }

    // The control under a point, a painted label too, the later rows of the
    // description lying over the earlier.
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        if (row_ || !child)
            return child ? system_->accHitTest(x, y, child) : E_POINTER;
        VariantInit(child);
        POINT point{x, y};
        RECT area;
        if (!ScreenToClient(window_, &point) || !GetClientRect(window_, &area) || !PtInRect(&area, point))
            return S_FALSE;
        HWND under = nullptr;
        for (LONG n = 1; const HWND window = Child(n); ++n) {
            GetWindowRect(window, &area);
            MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
            if (PtInRect(&area, point))
                under = window;
        }
        if (!under)
            return Number(CHILDID_SELF, child);
        child->vt = VT_DISPATCH;
        const HRESULT result = ObjectOf(under, &child->pdispVal);
        if (FAILED(result))
            VariantInit(child);
        return result;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return system_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return system_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return system_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override { return system_->accSelect(how, child); }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return system_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return system_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return system_->put_accValue(child, value);
    }

private:
    bool Is(Control control) const { return row_ && row_->id == control; }

    // Wine 8's proxy knows a push button only as a window: no role, no
    // action, no press. The lines that fill these in exist only for Wine;
    // Windows' proxy has all three.
    bool WineButton() const { return row_ && row_->kind == Kind::PushButton; }

    // The client area's child of a number, counted from 1.
    HWND Child(LONG number) const
    {
        for (const ui::ControlRow& row : ui::kForm1Controls)
            if (const HWND window = row_ ? nullptr : GetDlgItem(window_, WindowId(row.id)); window && --number == 0)
                return window;
        return nullptr;
    }
    HWND Child(const VARIANT& child) const { return child.vt == VT_I4 && child.lVal > 0 ? Child(child.lVal) : nullptr; }

    // Answers with `answer(object, id)`: for a child of the client area,
    // that child's object about itself; else the system's object (which
    // `answer` may overrule) about what was asked.
    template <typename Answer>
    HRESULT Ask(const VARIANT& child, Answer answer)
    {
        IAccessible* object = nullptr;
        if (const HWND window = Child(child); window && SUCCEEDED(ObjectOf(window, &object))) {
            VARIANT self;
            Number(CHILDID_SELF, &self);
            const HRESULT result = answer(object, self);
            object->Release();
            return result;
        }
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? answer(system_, child) : E_INVALIDARG;
    }
    template <typename Out, typename Answer>
    HRESULT Ask(const VARIANT& child, Out* out, Answer answer)
    {
        return out ? Ask(child, answer) : E_POINTER;
    }

    IAccessible* system_;
    HWND window_;
    const ui::ControlRow* row_;
    LONG references_ = 1;
};

LRESULT Answer(HWND window, const ui::ControlRow* row, WPARAM wParam)
{
    IAccessible* system = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&system))))
        return 0;
    auto* object = new Accessible(system, window, row);
    const LRESULT result = LresultFromObject(IID_IAccessible, wParam, object);
    object->Release();
    return result;
}

constexpr wchar_t kOwnProcedure[] = L"VarvikOwnProcedure";

// A control's window procedure in front of its class's own: it answers
// WM_GETOBJECT with the control's object.
LRESULT CALLBACK Answering(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto own = reinterpret_cast<WNDPROC>(GetPropW(window, kOwnProcedure));
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT)
        if (const LRESULT object = Answer(
                window, reinterpret_cast<const ui::ControlRow*>(GetWindowLongPtrW(window, GWLP_USERDATA)), wParam))
            return object;
    if (message == WM_NCDESTROY)
        RemovePropW(window, kOwnProcedure);
    return CallWindowProcW(own, window, message, wParam, lParam);
}

} // namespace

LRESULT ClientObject(HWND form, WPARAM wParam, LPARAM lParam)
{
    return static_cast<LONG>(lParam) == OBJID_CLIENT ? Answer(form, nullptr, wParam) : 0;
}

void Speak(HWND window, Control control)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&ui::Row(control)));
    SetPropW(window, kOwnProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Answering));
}

} // namespace varvik::win32
