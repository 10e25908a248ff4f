#include "accessible.h"

// With mingw-w64, IID_IAccessible is defined only where <initguid.h> comes
// first; otherwise it links as a wrong identity and every object answers
// E_NOINTERFACE.
#include <initguid.h>
#include <oleacc.h>

#include <string_view>
#include <type_traits>
#include <vector>

#include "windows_text.h"

namespace varvik::win32 {

namespace {

using ui::Control;
using ui::ControlRow;
using ui::Kind;

constexpr wchar_t kClientObjectProperty[] = L"VarvikClientObject";
constexpr wchar_t kFieldProperty[] = L"VarvikProxied";

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

BSTR Text(std::wstring_view text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

// A label's caption as read aloud: without the spaces that pad it on the
// screen.
std::wstring Spoken(const char* caption)
{
    std::wstring text = ui::WideText(caption);
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// An IAccessible that passes every call to another, the system's proxy of
// the same window; what differs is overridden.
class Forwarding : public IAccessible {
public:
    explicit Forwarding(IAccessible* inner) : inner_(inner) {}
    virtual ~Forwarding()
    {
        if (inner_)
            inner_->Release();
    }
    Forwarding(const Forwarding&) = delete;
    Forwarding& operator=(const Forwarding&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // Screen readers call IAccessible directly; scripting through IDispatch
    // is not offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return Ask(parent, [&] { return inner_->get_accParent(parent); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return Ask(count, [&] { return inner_->get_accChildCount(count); });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return Ask(object, [&] { return inner_->get_accChild(child, object); });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Ask(name, [&] { return inner_->get_accName(child, name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Ask(value, [&] { return inner_->get_accValue(child, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return Ask(description, [&] { return inner_->get_accDescription(child, description); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Ask(role, [&] { return inner_->get_accRole(child, role); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Ask(state, [&] { return inner_->get_accState(child, state); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return Ask(help, [&] { return inner_->get_accHelp(child, help); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        if (!topic)
            return E_POINTER;
        *topic = 0;
        return Ask(file, [&] { return inner_->get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Ask(shortcut, [&] { return inner_->get_accKeyboardShortcut(child, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return Ask(child, [&] { return inner_->get_accFocus(child); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return Ask(children, [&] { return inner_->get_accSelection(children); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Ask(action, [&] { return inner_->get_accDefaultAction(child, action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override
    {
        return inner_ ? inner_->accSelect(how, child) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        *left = *top = *width = *height = 0;
        return inner_ ? inner_->accLocation(left, top, width, height, child) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return Ask(end, [&] { return inner_->accNavigate(direction, start, end); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return Ask(child, [&] { return inner_->accHitTest(x, y, child); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return inner_ ? inner_->accDoDefaultAction(child) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return inner_ ? inner_->put_accName(child, name) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return inner_ ? inner_->put_accValue(child, value) : RPC_E_DISCONNECTED;
    }

protected:
    // Asks the proxy for one value, which is empty before the proxy answers:
    // a proxy that fails or knows nothing of the question (Wine's leaves
    // some answers unwritten) then leaves no undefined value to the reader.
    template <typename Out, typename AskProxy>
    HRESULT Ask(Out* out, AskProxy ask)
    {
        if (!out)
            return E_POINTER;
        if constexpr (std::is_same_v<Out, VARIANT>)
            VariantInit(out);
        else
            *out = {};
        return inner_ ? ask() : RPC_E_DISCONNECTED;
    }

    IAccessible* inner_;

private:
    LONG references_ = 1;
};

IAccessible* StandardObject(HWND hwnd, LONG object)
{
    IAccessible* proxy = nullptr;
    if (FAILED(CreateStdAccessibleObject(hwnd, object, IID_IAccessible, reinterpret_cast<void**>(&proxy))))
        return nullptr;
    return proxy;
}

// --- the entry fields and buttons ---------------------------------------------

// The system's proxy of a standard control with what it lacks filled in: an
// entry field's name, which would come from a label window before it, and
// the value of its text; a button's role and press, where the proxy knows
// the button only as a window (as Wine's does).
class ControlProxy : public Forwarding {
public:
    ControlProxy(IAccessible* proxy, HWND control, std::wstring name)
        : Forwarding(proxy), control_(control), name_(std::move(name)), button_(name_.empty())
    {
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (button_ || !IsSelf(child))
            return Forwarding::get_accName(child, name);
        if (!name)
            return E_POINTER;
        *name = Text(name_);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        if (button_ || !IsSelf(child))
            return Forwarding::get_accValue(child, value);
        if (!value)
            return E_POINTER;
        if (!IsWindow(control_))
            return RPC_E_DISCONNECTED;
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control_)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(control_, text.data(), static_cast<int>(text.size()))));
        *value = Text(text);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        const HRESULT result = Forwarding::get_accRole(child, role);
        if (button_ && IsSelf(child) && SUCCEEDED(result) && role->vt == VT_I4 && role->lVal == ROLE_SYSTEM_CLIENT)
            role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return result;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        const HRESULT result = Forwarding::get_accDefaultAction(child, action);
        if (!action || !button_ || !IsSelf(child) || (result == S_OK && *action))
            return result;
        *action = Text(L"Tryck");
        return S_OK;
    }

    // Pressed as by a click, once the reader's call has returned.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!button_ || !IsSelf(child))
            return Forwarding::accDoDefaultAction(child);
        if (!IsWindow(control_))
            return RPC_E_DISCONNECTED;
        PostMessageW(control_, BM_CLICK, 0, 0);
        return S_OK;
    }

private:
    HWND control_;
    std::wstring name_;
    bool button_;
};

struct Proxied {
    WNDPROC original;
    std::wstring name;
};

LRESULT CALLBACK ProxiedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* proxied = static_cast<Proxied*>(GetPropW(hwnd, kFieldProperty));
    if (!proxied)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const WNDPROC original = proxied->original;
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (IAccessible* proxy = StandardObject(hwnd, OBJID_CLIENT)) {
            auto* object = new ControlProxy(proxy, hwnd, proxied->name);
            const LRESULT result = LresultFromObject(IID_IAccessible, wParam, object);
            object->Release();
            return result;
        }
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(hwnd, kFieldProperty);
        delete proxied;
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

void Proxy(HWND control, const std::wstring& name)
{
    auto* proxied = new Proxied{nullptr, name};
    SetPropW(control, kFieldProperty, proxied);
    proxied->original =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProxiedProc)));
}

// --- the client area -----------------------------------------------------------

// The window's client area: its child windows and its painted labels, in the
// order of the window's description, which reads from the top down. Child
// ids count from 1 in that order; a label is a simple element of this
// object, a child window an object of its own.
class ClientArea : public Forwarding {
public:
    ClientArea(IAccessible* proxy, AccessibleForm form) : Forwarding(proxy), form_(std::move(form))
    {
        for (const ControlRow& row : ui::kForm1Controls)
            if (row.kind != Kind::Shape)
                items_.push_back(row.id);
    }

    void Disconnect()
    {
        connected_ = false;
        if (inner_) {
            inner_->Release();
            inner_ = nullptr;
        }
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        if (!count)
            return E_POINTER;
        *count = connected_ ? static_cast<LONG>(items_.size()) : 0;
        return connected_ ? S_OK : RPC_E_DISCONNECTED;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        const Control* item = Item(child);
        if (!item)
            return connected_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
        const HWND window = form_.handle(*item);
        if (!window)
            return S_FALSE; // a painted label: this object answers for it
        return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                          reinterpret_cast<void**>(object));
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!name)
            return E_POINTER;
        *name = nullptr;
        if (IsSelf(child))
            return Forwarding::get_accName(child, name);
        return Answer(child, [&](IAccessible* window) { return window->get_accName(Self(), name); },
                      [&](const ControlRow& row) {
                          *name = Text(Spoken(row.caption));
                          return S_OK;
                      });
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        if (!value)
            return E_POINTER;
        *value = nullptr;
        if (IsSelf(child))
            return Forwarding::get_accValue(child, value);
        return Answer(child, [&](IAccessible* window) { return window->get_accValue(Self(), value); },
                      [&](const ControlRow& row) {
                          // A link's value is where it leads.
                          if (row.id != Control::Label10)
                              return DISP_E_MEMBERNOTFOUND;
                          *value = Text(ui::WideText(ui::kHomepage));
                          return S_OK;
                      });
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!role)
            return E_POINTER;
        VariantInit(role);
        if (IsSelf(child))
            return Forwarding::get_accRole(child, role);
        return Answer(child, [&](IAccessible* window) { return window->get_accRole(Self(), role); },
                      [&](const ControlRow& row) {
                          role->vt = VT_I4;
                          role->lVal = row.id == Control::Label10 ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
                          return S_OK;
                      });
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!state)
            return E_POINTER;
        VariantInit(state);
        if (IsSelf(child))
            return Forwarding::get_accState(child, state);
        return Answer(child, [&](IAccessible* window) { return window->get_accState(Self(), state); },
                      [&](const ControlRow& row) {
                          state->vt = VT_I4;
                          state->lVal = row.id == Control::Label10 ? STATE_SYSTEM_LINKED : STATE_SYSTEM_READONLY;
                          return S_OK;
                      });
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!action)
            return E_POINTER;
        *action = nullptr;
        if (IsSelf(child))
            return Forwarding::get_accDefaultAction(child, action);
        return Answer(child, [&](IAccessible* window) { return window->get_accDefaultAction(Self(), action); },
                      [&](const ControlRow& row) {
                          if (row.id != Control::Label10)
                              return DISP_E_MEMBERNOTFOUND;
                          *action = Text(L"Öppna");
                          return S_OK;
                      });
    }

    // No painted label has a key of its own; a child window answers for its
    // own.
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        if (!shortcut)
            return E_POINTER;
        *shortcut = nullptr;
        if (IsSelf(child))
            return Forwarding::get_accKeyboardShortcut(child, shortcut);
        return Answer(child, [&](IAccessible* window) { return window->get_accKeyboardShortcut(Self(), shortcut); },
                      [](const ControlRow&) { return S_FALSE; });
    }

    // The link opens the homepage as a click on it does, through the same
    // handler, once the reader's call has returned.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (IsSelf(child))
            return Forwarding::accDoDefaultAction(child);
        return Answer(child, [&](IAccessible* window) { return window->accDoDefaultAction(Self()); },
                      [&](const ControlRow& row) {
                          if (row.id != Control::Label10)
                              return DISP_E_MEMBERNOTFOUND;
                          form_.openHomepage();
                          return S_OK;
                      });
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        if (IsSelf(child))
            return Forwarding::accLocation(left, top, width, height, child);
        return Answer(child,
                      [&](IAccessible* window) { return window->accLocation(left, top, width, height, Self()); },
                      [&](const ControlRow& row) {
                          RECT r = form_.rect(row.id);
                          MapWindowPoints(form_.hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
                          *left = r.left;
                          *top = r.top;
                          *width = r.right - r.left;
                          *height = r.bottom - r.top;
                          return S_OK;
                      });
    }

    // The topmost item under a point of the screen: the description's later
    // rows lie over the earlier.
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        if (!child)
            return E_POINTER;
        VariantInit(child);
        if (!connected_)
            return RPC_E_DISCONNECTED;
        POINT point{x, y};
        ScreenToClient(form_.hwnd, &point);
        RECT client;
        GetClientRect(form_.hwnd, &client);
        if (!PtInRect(&client, point))
            return S_FALSE;
        for (std::size_t i = items_.size(); i-- > 0;) {
            const RECT r = form_.rect(items_[i]);
            if (!PtInRect(&r, point))
                continue;
            if (const HWND window = form_.handle(items_[i])) {
                child->vt = VT_DISPATCH;
                return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                                  reinterpret_cast<void**>(&child->pdispVal));
            }
            child->vt = VT_I4;
            child->lVal = static_cast<LONG>(i + 1);
            return S_OK;
        }
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }

    // The focus is on one of the child windows, or on none of this window's.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        if (!child)
            return E_POINTER;
        VariantInit(child);
        if (!connected_)
            return RPC_E_DISCONNECTED;
        const HWND focus = GetFocus();
        for (const Control item : items_)
            if (focus && form_.handle(item) == focus) {
                child->vt = VT_DISPATCH;
                return AccessibleObjectFromWindow(focus, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                                  reinterpret_cast<void**>(&child->pdispVal));
            }
        if (focus == form_.hwnd) {
            child->vt = VT_I4;
            child->lVal = CHILDID_SELF;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        if (!children)
            return E_POINTER;
        VariantInit(children);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        if (!end)
            return E_POINTER;
        VariantInit(end);
        if (IsSelf(start))
            return Forwarding::accNavigate(direction, start, end);
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }

private:
    static VARIANT Self()
    {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return self;
    }

    const Control* Item(const VARIANT& child) const
    {
        if (!connected_ || child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<LONG>(items_.size()))
            return nullptr;
        return &items_[static_cast<std::size_t>(child.lVal - 1)];
    }

    // A question about a child: a child window's own object answers it, this
    // object for a painted label.
    template <typename AskWindow, typename AskLabel>
    HRESULT Answer(const VARIANT& child, AskWindow askWindow, AskLabel askLabel)
    {
        const Control* item = Item(child);
        if (!item)
            return connected_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
        if (const HWND window = form_.handle(*item)) {
            IAccessible* object = nullptr;
            const HRESULT found = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                             reinterpret_cast<void**>(&object));
            if (FAILED(found))
                return found;
            const HRESULT answer = askWindow(object);
            object->Release();
            return answer;
        }
        return askLabel(ui::Row(*item));
    }

    AccessibleForm form_;
    std::vector<Control> items_;
    bool connected_ = true;
};

} // namespace

LRESULT ClientObject(const AccessibleForm& form, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    auto* area = static_cast<ClientArea*>(GetPropW(form.hwnd, kClientObjectProperty));
    if (!area) {
        IAccessible* proxy = StandardObject(form.hwnd, OBJID_CLIENT);
        if (!proxy)
            return 0;
        area = new ClientArea(proxy, form);
        SetPropW(form.hwnd, kClientObjectProperty, area);
    }
    return LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(area));
}

void DisconnectClientObject(HWND hwnd)
{
    if (auto* area = static_cast<ClientArea*>(RemovePropW(hwnd, kClientObjectProperty))) {
        area->Disconnect();
        area->Release();
    }
}

void NameField(HWND field, const std::wstring& name) { Proxy(field, name); }

void ProxyButton(HWND button) { Proxy(button, {}); }

} // namespace varvik::win32
