// The Win32 window through Wine, on an X server: what screen readers and input methods see of its
// controls, its key filter, a change of dots per inch, and a build left alone.
#include <windows.h>

#include <gtest/gtest.h>
#include <imm.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "app/win32/MainWindow.h"
#include "tests/support/KeyCodes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace zv::test {
namespace {

// Centres of the controls in the client area at 96 dots per inch, twips / 15.
constexpr POINT kPicture{56, 50};
constexpr POINT kSkew{36, 121};
constexpr POINT kUp{76, 121};
constexpr POINT kName{56, 162};
constexpr POINT kCheck{56, 196};
constexpr POINT kMake{56, 228};

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

class Win32WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_window = std::make_unique<MainWindow>(m_folder.Path());
        ASSERT_NE(m_window->Hwnd(), nullptr);
        m_window->Show(SW_SHOWNORMAL);
    }
    void TearDown() override {
        m_window.reset();
        // The window's end asks the message loop to end; there is none here to take it.
        MSG message;
        while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        CoUninitialize();
    }
    HWND At(POINT point) const { return ChildWindowFromPointEx(m_window->Hwnd(), point, CWP_ALL); }

    TempFolder m_folder;
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(Win32WindowTest, ScreenReadersNameEveryControl) {
    const struct {
        POINT at;
        const wchar_t* name;
    } cases[] = {
        {kPicture, L"Alignment picture"},
        {kSkew, L"Skew"},
        {kUp, L"Up"},
        {kName, L"ZIDA File"},
        {kCheck, L"Check Alignment"},
        {kMake, L"Make Movie"},
    };
    for (const auto& c : cases) {
        IAccessible* accessible = nullptr;
        // Wine's oleacc answers E_NOINTERFACE to IID_IAccessible as MinGW links it.
        ASSERT_EQ(AccessibleObjectFromWindow(At(c.at), OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&accessible)),
                  S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        accessible->get_accName(self, &name);
        EXPECT_EQ(std::wstring(name != nullptr ? name : L"(none)"), c.name);
        SysFreeString(name);
        accessible->Release();
    }
}

// Composed text would reach an offset box without passing the key filter.
TEST_F(Win32WindowTest, OnlyTheNameBoxTakesAnInputMethod) {
    const struct {
        POINT at;
        bool context;
    } cases[] = {{kSkew, false}, {kUp, false}, {kName, true}};
    for (const auto& c : cases) {
        HIMC context = ImmGetContext(At(c.at));
        EXPECT_EQ(context != nullptr, c.context) << c.at.x << "," << c.at.y;
        ImmReleaseContext(At(c.at), context);
    }
}

TEST_F(Win32WindowTest, EveryCodeMeetsTheKeyFilter) {
    for (POINT at : {kSkew, kUp}) {
        HWND box = At(at);
        for (const KeyCode& key : kKeyCodes) {
            SetWindowTextW(box, L"4");
            SendMessageW(box, EM_SETSEL, 1, 1);
            SendMessageW(box, WM_CHAR, static_cast<WPARAM>(key.code), 1);
            std::wstring after(key.after, key.after + std::char_traits<char>::length(key.after));
            EXPECT_EQ(TextOf(box), after) << at.x << " " << key.code;
        }
    }
}

// The window takes the rectangle Windows suggests, whatever its own size at those dots per inch.
TEST_F(Win32WindowTest, ADpiChangeTakesTheSuggestedRectangle) {
    const struct {
        WORD dpi;
        RECT suggested;
    } cases[] = {
        {192, {40, 30, 290, 560}},
        {96, {10, 20, 140, 300}},
    };
    for (const auto& c : cases) {
        RECT suggested = c.suggested;
        SendMessageW(m_window->Hwnd(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT now{};
        GetWindowRect(m_window->Hwnd(), &now);
        EXPECT_TRUE(EqualRect(&now, &c.suggested))
            << now.left << "," << now.top << " " << now.right << "," << now.bottom;
    }
}

// What the box's own message loop found when it was answered.
struct SeenBox {
    HWND main = nullptr;
    std::wstring titles;
    std::wstring text;
    bool mainThere = false;
};
SeenBox g_seen;

BOOL CALLBACK NoteBox(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        g_seen.titles += TextOf(window) + L";";
        // A message box shows its text in the static control 0xFFFF.
        g_seen.text = TextOf(GetDlgItem(window, 0xFFFF));
        g_seen.mainThere = IsWindow(g_seen.main) != FALSE;
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EnumThreadWindows(GetCurrentThreadId(), NoteBox, 0);
}

// Keys, clicks and a close request that wait in the queue while a build runs are dropped: the
// closing box stays until it is answered, and the window with it.
TEST_F(Win32WindowTest, InputDuringABuildIsDropped) {
    MakeSparseFile(m_folder / "take1.raw", 1'088 + 2 * 11'760);
    SetWindowTextW(At(kName), L"take1.raw");
    HWND make = At(kMake);
    const struct {
        HWND target;
        UINT message;
        WPARAM wParam;
    } queued[] = {
        {make, WM_KEYDOWN, VK_RETURN}, {make, WM_CHAR, ' '},
        {At(kSkew), WM_CHAR, '1'},     {At(kCheck), WM_LBUTTONDOWN, MK_LBUTTON},
        {At(kCheck), WM_LBUTTONUP, 0}, {m_window->Hwnd(), WM_CLOSE, 0},
    };
    for (const auto& input : queued) {
        PostMessageW(input.target, input.message, input.wParam, 0);
    }
    g_seen = SeenBox{};
    g_seen.main = m_window->Hwnd();
    SetTimer(nullptr, 0, 500, AnswerBox);
    SendMessageW(m_window->Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(make), BN_CLICKED),
                 reinterpret_cast<LPARAM>(make));

    EXPECT_EQ(g_seen.titles, L"ZIDA ready to be written by CDRWIN!;");
    EXPECT_TRUE(g_seen.mainThere);
    ASSERT_TRUE(IsWindow(m_window->Hwnd()));
    EXPECT_EQ(TextOf(make), L"Finished!");
    EXPECT_EQ(TextOf(At(kSkew)), L"46");
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, 0, 0, PM_NOREMOVE));
}

void CALLBACK TypeReturn(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
}

// A Return that comes as the box opens is dropped; the box is answered a second later.
TEST_F(Win32WindowTest, ABoxTakesNoKeysInItsFirstHalfSecond) {
    SetWindowTextW(At(kName), L"missing.raw");
    g_seen = SeenBox{};
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, TypeReturn);
    SetTimer(nullptr, 0, 1'000, AnswerBox);
    HWND check = At(kCheck);
    SendMessageW(m_window->Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(check), BN_CLICKED),
                 reinterpret_cast<LPARAM>(check));
    EXPECT_EQ(g_seen.titles, L"File not found!;");
}

LRESULT CALLBACK RefuseToBeMade(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_NCCREATE ? FALSE : DefWindowProcW(window, message, wParam, lParam);
}

// A window class of the program's name that refuses every window: the program cannot make its
// window, says so in a stop box and ends with status 1.
TEST(Win32ProgramTest, AWindowThatCannotBeMadeEndsInAStopBox) {
    WNDCLASSEXW refusing{};
    refusing.cbSize = sizeof(refusing);
    refusing.lpfnWndProc = RefuseToBeMade;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = L"ZEVeduzMainWindow";
    // The windows made before registered the program's own class.
    UnregisterClassW(refusing.lpszClassName, refusing.hInstance);
    ASSERT_NE(RegisterClassExW(&refusing), 0);
    g_seen = SeenBox{};
    SetTimer(nullptr, 0, 500, AnswerBox);
    EXPECT_EQ(MainWindow::RunProgram(SW_SHOWNORMAL), 1);
    UnregisterClassW(L"ZEVeduzMainWindow", GetModuleHandleW(nullptr));
    EXPECT_EQ(g_seen.titles, L"ZE Veduz;");
    EXPECT_EQ(g_seen.text.rfind(L"Cannot create the window: ", 0), 0u) << g_seen.text;
}

}  // namespace
}  // namespace zv::test
