// A cell of a label array as a screen reader sees it: the system's own object for a static
// control, with a default action, "Press", that does what a click does.

#include "ui/win32/native.h"

#include <commctrl.h>
#include <oleacc.h>

namespace ui {

namespace {

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

} // namespace

void win32::makePressable(HWND cell)
{
    SetWindowSubclass(cell, cellProcedure, 0, 0);
}

} // namespace ui
