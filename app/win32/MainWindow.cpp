#include "app/win32/MainWindow.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/WindowLayout.h"
#include "common/win32/Handle.h"
#include "common/win32/Utf16.h"

namespace zv {

namespace {

constexpr wchar_t kClassName[] = L"ZEVeduzMainWindow";
// A fixed single border: a title bar with the system menu and the close box, and no way to resize.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kIconId = 1;
// A button's caption needs this much of its width, at 96 dots per inch, for the frame and focus.
constexpr int kButtonMarginPixels = 12;
// The message font is made smaller until every caption fits, but no smaller than this.
constexpr int kSmallestFontPixels = 9;
// WM_COMMAND ids, clear of IDOK and IDCANCEL: this plus the control's place in kControls.
constexpr int kFirstId = 100;

constexpr int IdOf(std::string_view name) {
    return kFirstId + static_cast<int>(IndexOf(name));
}

int Pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

// The picture area's drawing size: its size at 96 dots per inch inside a one-pixel frame.
constexpr int kImageWidth = PixelsAt96Dpi(ControlNamed("TVScreen").twips.width) - 2;
constexpr int kImageHeight = PixelsAt96Dpi(ControlNamed("TVScreen").twips.height) - 2;

// What a user does: keys, clicks in the window and on its frame, input methods, the system menu
// and closing.
constexpr std::pair<UINT, UINT> kInputMessages[] = {
    {WM_KEYFIRST, WM_KEYLAST},
    {WM_MOUSEFIRST, WM_MOUSELAST},
    {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
    {WM_IME_STARTCOMPOSITION, WM_IME_KEYLAST},
    {WM_SYSCOMMAND, WM_SYSCOMMAND},
    {WM_CLOSE, WM_CLOSE},
};

bool IsInput(UINT message) {
    return std::any_of(std::begin(kInputMessages), std::end(kInputMessages), [&](auto range) {
        return message >= range.first && message <= range.second;
    });
}

// The window whose box is open: the hook that filters the box's messages has no other context.
MainWindow* s_boxOwner = nullptr;

HWND MakeControl(HWND parent, const ControlDescription& control) {
    const wchar_t* className = L"BUTTON";
    DWORD style = WS_TABSTOP | BS_PUSHBUTTON;
    DWORD exStyle = 0;
    if (control.kind == ControlKind::Label) {
        className = L"STATIC";
        style = SS_LEFT | SS_NOPREFIX;
    } else if (control.kind == ControlKind::Box) {
        // A box that takes three digits must scroll: without it Wine keeps only what fits.
        className = L"EDIT";
        style = WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
    }
    // Buttons get their caption from the paced captions.
    std::wstring text = control.kind == ControlKind::Button ? L"" : ToUtf16(control.text);
    return CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                           0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(control.name))),
                           GetModuleHandleW(nullptr), nullptr);
}

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// True when the control's text, in the font, fits into the control's width less the margin.
bool Fits(HWND control, HFONT font, int margin) {
    RECT area;
    GetClientRect(control, &area);
    std::wstring text = TextOf(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx + margin <= area.right - area.left;
}

// Its icon, one OK button, modal to the program.
UINT MessageBoxFlags(MessageStyle style) {
    return MB_OK | MB_APPLMODAL | (style == MessageStyle::Stop ? MB_ICONSTOP : MB_ICONINFORMATION);
}

// Without its window the program has nothing else to tell the user with.
int Fail(const char* action, DWORD error) {
    std::string text = Win32Error(action, "the window", error).what();
    MessageBoxW(nullptr, ToUtf16(text).c_str(), ToUtf16(kWindowTitle).c_str(),
                MessageBoxFlags(MessageStyle::Stop));
    return EXIT_FAILURE;
}

}  // namespace

MainWindow::MainWindow(std::string programFolder) : PacedWindow(std::move(programFolder)) {
    WNDCLASSEXW windowClass{};
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId));
    if (!Create(kClassName, windowClass, 0, ToUtf16(kWindowTitle).c_str(), kStyle, CW_USEDEFAULT,
                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr)) {
        return;
    }
    CreateControls();
    LayOut(GetDpiForWindow(m_hwnd));
    // The initial texts are in place: from now on every change of a box runs its rule.
    WireEvents();
    Maker().Form_Load();
}

MainWindow::~MainWindow() {
    Destroy();
    DeleteObject(m_font);
    DestroyIcon(m_bigIcon);
    DestroyIcon(m_smallIcon);
}

int MainWindow::RunProgram(int showCommand, const std::string& programFolder) {
    MainWindow window(programFolder);
    if (window.Hwnd() == nullptr) {
        return Fail("create", GetLastError());
    }
    window.Show(showCommand);
    MSG message;
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            return Fail("read the messages of", GetLastError());
        }
        // Tab and Shift+Tab move between the controls as in a dialog.
        if (!IsDialogMessageW(window.Hwnd(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

void MainWindow::Show(int showCommand) {
    ShowWindow(m_hwnd, showCommand);
    UpdateWindow(m_hwnd);
}

void MainWindow::CreateControls() {
    // Creation sets the z-order, and the dialog keys take the tab order from it.
    for (const ControlDescription& control : kControls) {
        if (control.kind == ControlKind::Label) {
            continue;
        }
        // A screen reader names a box after the label just before it in the z-order.
        if (const ControlDescription* label = LabelOf(control.name); label != nullptr) {
            MakeControl(m_hwnd, *label);
        }
        if (control.kind == ControlKind::Picture) {
            m_screen = std::make_unique<ScreenWidget>(m_hwnd, IdOf(control.name), kImageWidth,
                                                      kImageHeight);
            SetScreen(*m_screen);
            // A screen reader reads a window's text as its name; the area paints none.
            SetWindowTextW(m_screen->Hwnd(), ToUtf16(control.names).c_str());
            continue;
        }
        HWND made = MakeControl(m_hwnd, control);
        if (control.kind == ControlKind::Box) {
            // 0 lifts the limit: the box would stop at 30,000 characters by default.
            Edit_LimitText(made, control.maxLength);
            if (control.digitsOnly) {
                // Composed text reaches a box without a WM_CHAR, past the key filter.
                ImmAssociateContext(made, nullptr);
            }
        }
    }
    StartCaption(Button::Check, ControlNamed("Check").text);
    StartCaption(Button::MakeMovie, ControlNamed("MakeMovie").text);
}

void MainWindow::WireEvents() {
    // Changes and clicks arrive as WM_COMMAND; OnCommand passes them on from now on.
    m_wired = true;
    m_skewFilter = std::make_unique<OffsetKeyFilter>(
        Item("Skew"), [this](int& KeyAscii) { HandleKey(&MovieMaker::Skew_KeyPress, KeyAscii); });
    m_upDownFilter = std::make_unique<OffsetKeyFilter>(Item("UpDown"), [this](int& KeyAscii) {
        HandleKey(&MovieMaker::UpDown_KeyPress, KeyAscii);
    });
}

void MainWindow::LayOut(UINT dpi) {
    for (const ControlDescription& control : kControls) {
        const TwipsRect& twips = control.twips;
        SetWindowPos(Item(control.name), nullptr, Pixels(twips.left, dpi), Pixels(twips.top, dpi),
                     Pixels(twips.width, dpi), Pixels(twips.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (control.kind == ControlKind::Label) {
            // A label lies over its box and reaches into it: it stops where the box starts, so
            // that the box keeps its edge.
            int visible =
                Pixels(ControlNamed(control.names).twips.top, dpi) - Pixels(twips.top, dpi);
            SetWindowRgn(Item(control.name),
                         CreateRectRgn(0, 0, Pixels(twips.width, dpi),
                                       std::min(visible, Pixels(twips.height, dpi))),
                         TRUE);
        }
    }
    RECT frame{0, 0, Pixels(kClientWidthTwips, dpi), Pixels(kClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The system's message font, made smaller where a caption would be clipped.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    LOGFONTW look = metrics.lfMessageFont;
    int margin = MulDiv(kButtonMarginPixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    int smallest = MulDiv(kSmallestFontPixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    HFONT font = CreateFontIndirectW(&look);
    auto allFit = [&] {
        for (const ControlDescription& control : kControls) {
            bool captioned =
                control.kind == ControlKind::Button || control.kind == ControlKind::Label;
            int needs = control.kind == ControlKind::Button ? margin : 0;
            if (captioned && !Fits(Item(control.name), font, needs)) {
                return false;
            }
        }
        return true;
    };
    while (std::abs(look.lfHeight) > smallest && !allFit()) {
        DeleteObject(font);
        look.lfHeight += look.lfHeight < 0 ? 1 : -1;
        font = CreateFontIndirectW(&look);
    }
    for (const ControlDescription& control : kControls) {
        SetWindowFont(Item(control.name), font, TRUE);
    }
    DeleteObject(m_font);
    m_font = font;
    // Three digits must fit into a 25-pixel box: the box keeps its frame but gives up the text
    // margins inside it.
    for (HWND box : {Item("Skew"), Item("UpDown")}) {
        SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    }

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON big = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                              GetSystemMetricsForDpi(SM_CXICON, dpi),
                                              GetSystemMetricsForDpi(SM_CYICON, dpi), 0));
    HICON small = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                                GetSystemMetricsForDpi(SM_CXSMICON, dpi),
                                                GetSystemMetricsForDpi(SM_CYSMICON, dpi), 0));
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    DestroyIcon(m_bigIcon);
    DestroyIcon(m_smallIcon);
    m_bigIcon = big;
    m_smallIcon = small;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(m_hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(m_hwnd, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(m_hwnd, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(m_hwnd, WM_DESTROY, OnDestroy);
        case WM_CLOSE:
            // A close that other programs send reaches the window while a run looks at its
            // queue; destroyed, the window could show neither the closing box nor an error.
            if (Running()) {
                return 0;
            }
            break;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void MainWindow::OnCommand(HWND, int id, HWND, UINT code) {
    if (!m_wired || m_ending || Running()) {
        return;
    }
    if (id == IdOf("Skew") && code == EN_CHANGE) {
        Handle(&MovieMaker::Skew_Change);
    } else if (id == IdOf("UpDown") && code == EN_CHANGE) {
        Handle(&MovieMaker::UpDown_Change);
    } else if (id == IdOf("ZIDAFile") && code == EN_CHANGE) {
        Handle(&MovieMaker::ZIDAFile_Change);
    } else if (id == IdOf("Check") && code == BN_CLICKED) {
        Run(&MovieMaker::Check_Click);
    } else if (id == IdOf("MakeMovie") && code == BN_CLICKED) {
        Run(&MovieMaker::MakeMovie_Click);
    }
    // Return and Escape send IDOK and IDCANCEL: the window has no default or cancel button.
}

void MainWindow::OnActivate(HWND, UINT state, HWND, BOOL) {
    if (state == WA_INACTIVE) {
        m_lastFocus = GetFocus();
    }
}

void MainWindow::OnSetFocus(HWND, HWND) {
    // Back to the control that had the focus, the picture area at first.
    SetFocus(m_lastFocus != nullptr && IsChild(m_hwnd, m_lastFocus) ? m_lastFocus
                                                                    : m_screen->Hwnd());
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    LayOut(dpi);
    // Windows chose this rectangle so that the window stays under the pointer as it crosses
    // between screens; a size of our own could bounce it back.
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnDestroy(HWND) {
    // Closing the window ends the program without a failure.
    PostQuitMessage(EXIT_SUCCESS);
}

void MainWindow::DrainInput() {
    MSG message;
    for (auto [first, last] : kInputMessages) {
        while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
            // PeekMessageW returns WM_QUIT whatever the range: the end the run asked for stays.
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
        }
    }
}

void MainWindow::KeepResponding() {
    // Windows takes a window that has not looked at its queue for 5 s for hung and covers it
    // with a frozen copy: look, and leave every message where it is.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    // Whatever another window uncovered meanwhile.
    RedrawWindow(m_hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HWND MainWindow::Item(std::string_view name) const {
    return GetDlgItem(m_hwnd, IdOf(name));
}

std::string MainWindow::BoxText(Box box) const {
    return FromUtf16(TextOf(Item(NameOf(box))));
}

void MainWindow::ShowBox(const std::string& text, const std::string& title, MessageStyle style) {
    s_boxOwner = this;
    HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, &FilterBoxMessage, nullptr, GetCurrentThreadId());
    MessageBoxW(m_hwnd, ToUtf16(text).c_str(), ToUtf16(title).c_str(), MessageBoxFlags(style));
    UnhookWindowsHookEx(hook);
    s_boxOwner = nullptr;
}

LRESULT CALLBACK MainWindow::FilterBoxMessage(int code, WPARAM wParam, LPARAM lParam) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && s_boxOwner != nullptr && IsInput(message.message) &&
        s_boxOwner->DropsInput()) {
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MainWindow::EndProgram(int exitStatus) {
    FlushAll();
    // The message loop ends once the running handler returns; wWinMain then returns the status.
    m_ending = true;
    PostQuitMessage(exitStatus);
}

void MainWindow::PaintCaption(Button button, const std::string& text) {
    HWND shown = Item(NameOf(button));
    SetWindowTextW(shown, ToUtf16(text).c_str());
    // Synchronous: the operation that sets the caption does not return to the message loop.
    UpdateWindow(shown);
    KeepResponding();
}

}  // namespace zv
