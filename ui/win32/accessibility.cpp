// What a screen reader is told beyond what the system's own objects for the controls say: a value
// field's prompt as its description, a cell's press action where a character stands in it; and the
// live region that says what a handler wrote.

#include "ui/binding.h"
#include "ui/win32/native.h"

#include <commctrl.h>
#include <oleacc.h>

#include <new>
#include <stdexcept>

namespace ui {

namespace {

    // UI Automation's LiveSetting property and its value Polite, which MinGW's headers lack
    // (UIAutomationCoreApi.h and UIAutomationCore.h).
    constexpr GUID LiveSettingProperty
        = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
    constexpr LONG Polite = 1;
    // From oleacc.h, here rather than from libuuid, which would bring 40 KB of other ids along.
    constexpr GUID PropertyServicesClass
        = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
    constexpr GUID PropertyServicesInterface
        = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

    bool isSelf(const VARIANT &child)
    {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }

    // Null when memory runs out: no exception may leave a method a screen reader calls.
    BSTR textOf(HWND hwnd) noexcept
    {
        const int length = GetWindowTextLengthW(hwnd);
        BSTR text = SysAllocStringLen(nullptr, UINT(length));
        if (text)
            GetWindowTextW(hwnd, text, length + 1);
        return text;
    }

#define VELMORA_FORWARD(method, parameters, arguments)                                             \
    HRESULT STDMETHODCALLTYPE method parameters override                                           \
    {                                                                                              \
        return m_inner->method arguments;                                                          \
    }

    // The system's own object for the control, with what the layout adds to it.
    class AccessibleControl final : public IAccessible, public IOleWindow
    {
    public:
        // `prompt`: the control whose caption describes it, or null; `cell`: an element of a
        // label array, pressed as it is clicked.
        AccessibleControl(IAccessible *inner, HWND hwnd, HWND prompt, bool cell)
            : m_inner(inner)
            , m_hwnd(hwnd)
            , m_prompt(prompt)
            , m_cell(cell)
        { }

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override
        {
            if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch)
                || id == __uuidof(IAccessible))
                *object = static_cast<IAccessible *>(this);
            else if (id
                == __uuidof(IOleWindow)) // which window it is, for WindowFromAccessibleObject
                *object = static_cast<IOleWindow *>(this);
            else
                return *object = nullptr, E_NOINTERFACE;
            AddRef();
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() override
        {
            return ULONG(InterlockedIncrement(&m_references));
        }
        ULONG STDMETHODCALLTYPE Release() override
        {
            const LONG left = InterlockedDecrement(&m_references);
            if (left == 0) {
                m_inner->Release();
                delete this;
            }
            return ULONG(left);
        }
        HRESULT STDMETHODCALLTYPE GetWindow(HWND *hwnd) override
        {
            *hwnd = m_hwnd;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

        // Read when asked, so that it follows the prompt's caption.
        HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *text) override
        {
            if (!m_prompt || !isSelf(child))
                return m_inner->get_accDescription(child, text);
            *text = textOf(m_prompt);
            return *text ? S_OK : E_OUTOFMEMORY;
        }
        // An empty cell is no button: there is nothing in it to press.
        HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
        {
            if (!pressable(child))
                return m_inner->get_accRole(child, role);
            role->vt = VT_I4;
            role->lVal = ROLE_SYSTEM_PUSHBUTTON;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
        {
            if (!pressable(child))
                return m_inner->get_accDefaultAction(child, action);
            *action = SysAllocString(L"Press");
            return S_OK;
        }
        // Posted, as a click is: the handler runs from the message loop, not inside the call.
        HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
        {
            if (!pressable(child))
                return m_inner->accDoDefaultAction(child);
            PostMessageW(GetParent(m_hwnd), WM_COMMAND,
                MAKEWPARAM(GetDlgCtrlID(m_hwnd), STN_CLICKED), reinterpret_cast<LPARAM>(m_hwnd));
            return S_OK;
        }

        VELMORA_FORWARD(GetTypeInfoCount, (UINT * count), (count))
        VELMORA_FORWARD(
            GetTypeInfo, (UINT index, LCID locale, ITypeInfo **info), (index, locale, info))
        VELMORA_FORWARD(GetIDsOfNames,
            (REFIID id, LPOLESTR *names, UINT count, LCID locale, DISPID *ids),
            (id, names, count, locale, ids))
        VELMORA_FORWARD(Invoke,
            (DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS *parameters,
                VARIANT *result, EXCEPINFO *exception, UINT *error),
            (member, id, locale, flags, parameters, result, exception, error))
        VELMORA_FORWARD(get_accParent, (IDispatch * *parent), (parent))
        VELMORA_FORWARD(get_accChildCount, (long *count), (count))
        VELMORA_FORWARD(get_accChild, (VARIANT child, IDispatch **object), (child, object))
        VELMORA_FORWARD(get_accName, (VARIANT child, BSTR *name), (child, name))
        VELMORA_FORWARD(get_accValue, (VARIANT child, BSTR *value), (child, value))
        VELMORA_FORWARD(get_accState, (VARIANT child, VARIANT *state), (child, state))
        VELMORA_FORWARD(get_accHelp, (VARIANT child, BSTR *help), (child, help))
        VELMORA_FORWARD(
            get_accHelpTopic, (BSTR * file, VARIANT child, long *topic), (file, child, topic))
        VELMORA_FORWARD(get_accKeyboardShortcut, (VARIANT child, BSTR *keys), (child, keys))
        VELMORA_FORWARD(get_accFocus, (VARIANT * child), (child))
        VELMORA_FORWARD(get_accSelection, (VARIANT * children), (children))
        VELMORA_FORWARD(accSelect, (long flags, VARIANT child), (flags, child))
        VELMORA_FORWARD(accLocation,
            (long *left, long *top, long *width, long *height, VARIANT child),
            (left, top, width, height, child))
        VELMORA_FORWARD(
            accNavigate, (long direction, VARIANT start, VARIANT *end), (direction, start, end))
        VELMORA_FORWARD(accHitTest, (long left, long top, VARIANT *child), (left, top, child))
        VELMORA_FORWARD(put_accName, (VARIANT child, BSTR name), (child, name))
        VELMORA_FORWARD(put_accValue, (VARIANT child, BSTR value), (child, value))

    private:
        bool pressable(const VARIANT &child) const
        {
            return m_cell && isSelf(child) && GetWindowTextLengthW(m_hwnd) > 0;
        }

        IAccessible *m_inner;
        HWND m_hwnd;
        HWND m_prompt;
        bool m_cell;
        LONG m_references = 1;
    };

#undef VELMORA_FORWARD

    // `data`: the control's Native, which outlives its window.
    LRESULT CALLBACK controlProcedure(
        HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
    {
        if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
            const auto &native = *reinterpret_cast<const Native *>(data);
            const ResolvedControl &control
                = native.window->layout.controls[std::size_t(native.control)];
            HWND prompt = control.prompt < 0
                ? nullptr
                : native.window->controls[std::size_t(control.prompt)]->hwnd;
            IAccessible *inner = nullptr;
            if (SUCCEEDED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                    reinterpret_cast<void **>(&inner)))) {
                auto *object
                    = new (std::nothrow) AccessibleControl(inner, hwnd, prompt, control.inArray);
                if (!object)
                    return inner->Release(), 0;
                const LRESULT result = LresultFromObject(
                    __uuidof(IAccessible), wParam, static_cast<IAccessible *>(object));
                object->Release();
                return result;
            }
        }
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(hwnd, controlProcedure, 0);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }

    // Wine 8 answers the property's calls with E_NOTIMPL; the live region's event still goes out.
    template <class Use> void withPropertyServices(Use use)
    {
        IAccPropServices *services = nullptr;
        if (SUCCEEDED(CoCreateInstance(PropertyServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                PropertyServicesInterface, reinterpret_cast<void **>(&services)))) {
            use(*services);
            services->Release();
        }
    }

} // namespace

void win32::makeAccessible(const Window::Impl &window, const Native &native)
{
    const ResolvedControl &control = window.layout.controls[std::size_t(native.control)];
    // A text box takes its name from its prompt just before it (createControls).
    if (control.inArray || (control.prompt >= 0 && control.row->kind != Kind::TextBox))
        SetWindowSubclass(native.hwnd, controlProcedure, 0, reinterpret_cast<DWORD_PTR>(&native));
}

void win32::promptChanged(const Native &prompt)
{
    const Window::Impl &window = *prompt.window;
    for (std::size_t i = 0; prompt.control >= 0 && i < window.layout.controls.size(); ++i) {
        const ResolvedControl &control = window.layout.controls[i];
        if (control.prompt == prompt.control)
            NotifyWinEvent(control.row->kind == Kind::TextBox ? EVENT_OBJECT_NAMECHANGE
                                                              : EVENT_OBJECT_DESCRIPTIONCHANGE,
                window.controls[i]->hwnd, OBJID_CLIENT, CHILDID_SELF);
    }
}

// A static of no size rather than the form itself, whose name is its title: seen by no one, and
// its name, its text, is the words.
HWND win32::createLiveRegion(HWND form)
{
    HWND region = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0,
        0, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!region)
        throw std::runtime_error("cannot create the live region");
    withPropertyServices([region](IAccPropServices &services) {
        VARIANT polite {};
        polite.vt = VT_I4;
        polite.lVal = Polite;
        services.SetHwndProp(
            region, DWORD(OBJID_CLIENT), CHILDID_SELF, LiveSettingProperty, polite);
    });
    return region;
}

void win32::removeLiveRegion(HWND region)
{
    if (region)
        withPropertyServices([region](IAccPropServices &services) {
            services.ClearHwndProps(
                region, DWORD(OBJID_CLIENT), CHILDID_SELF, &LiveSettingProperty, 1);
        });
}

void binding::announce(Window::Impl &window, std::u16string_view text)
{
    SetWindowTextW(window.liveRegion, win32::wideString(text).c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window.liveRegion, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace ui
