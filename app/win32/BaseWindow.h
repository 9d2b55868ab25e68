#pragma once

#include <windows.h>

namespace zv {

// A window of a registered class whose messages go to a member of Derived:
//     LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
// The object is found through the window's user data, set when the window is first told of it.
template <typename Derived>
class BaseWindow {
public:
    HWND Hwnd() const { return m_hwnd; }

protected:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    ~BaseWindow() { Destroy(); }

    // The window's last messages go to the default procedure: Derived may be gone already.
    void Destroy() {
        if (m_hwnd != nullptr) {
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
            DestroyWindow(m_hwnd);
            m_hwnd = nullptr;
        }
    }

    // Registers the class on first use; the object must outlive the window.
    bool Create(const wchar_t* className, WNDCLASSEXW windowClass, DWORD exStyle,
                const wchar_t* title, DWORD style, int x, int y, int width, int height, HWND parent,
                HMENU menu) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW known{};
        known.cbSize = sizeof(known);
        if (!GetClassInfoExW(instance, className, &known)) {
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = instance;
            windowClass.lpszClassName = className;
            RegisterClassExW(&windowClass);
        }
        CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                        instance, this);
        return m_hwnd != nullptr;
    }

    HWND m_hwnd = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(static_cast<BaseWindow*>(create->lpCreateParams));
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->m_hwnd = hwnd;
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            // The object may outlive its window: it must not reach a handle that is gone.
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->m_hwnd = nullptr;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return self->HandleMessage(message, wParam, lParam);
    }
};

}  // namespace zv
