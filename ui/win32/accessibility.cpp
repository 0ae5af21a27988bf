// What a screen reader is told beyond what the system's own objects for the controls say: a
// cell's press action; and the live region that says what a handler wrote.

#include "ui/binding.h"
#include "ui/win32/native.h"

#include <commctrl.h>
#include <oleacc.h>

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

#define VELMORA_FORWARD(method, parameters, arguments)                                             \
    HRESULT STDMETHODCALLTYPE method parameters override                                           \
    {                                                                                              \
        return m_inner->method arguments;                                                          \
    }

    class PressableCell final : public IAccessible
    {
    public:
        PressableCell(IAccessible *inner, HWND hwnd)
            : m_inner(inner)
            , m_hwnd(hwnd)
        { }

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override
        {
            if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch)
                && id != __uuidof(IAccessible)) {
                *object = nullptr;
                return E_NOINTERFACE;
            }
            *object = static_cast<IAccessible *>(this);
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

        HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
        {
            if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
                return m_inner->get_accDefaultAction(child, action);
            *action = SysAllocString(L"Press");
            return S_OK;
        }
        // Posted, as a click is: the handler runs from the message loop, not inside the call.
        HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
        {
            if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
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
        VELMORA_FORWARD(get_accDescription, (VARIANT child, BSTR *text), (child, text))
        VELMORA_FORWARD(get_accRole, (VARIANT child, VARIANT *role), (child, role))
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
        IAccessible *m_inner;
        HWND m_hwnd;
        LONG m_references = 1;
    };

#undef VELMORA_FORWARD

    LRESULT CALLBACK cellProcedure(
        HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
    {
        if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
            IAccessible *inner = nullptr;
            if (SUCCEEDED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                    reinterpret_cast<void **>(&inner)))) {
                auto *cell = new PressableCell(inner, hwnd);
                const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, cell);
                cell->Release();
                return result;
            }
        }
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

void win32::makePressable(HWND cell)
{
    SetWindowSubclass(cell, cellProcedure, 0, 0);
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
