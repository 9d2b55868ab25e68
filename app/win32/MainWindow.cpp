#include "app/win32/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "common/System.h"
#include "common/win32/Utf16.h"

namespace zv {

namespace {

constexpr wchar_t kClassName[] = L"ZEVeduzMainWindow";
constexpr char kTitle[] = "ZE Veduz";
// A fixed single border: a title bar with the system menu and the close box, and no way to resize.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kIconId = 1;
// The layout is given in twips: 1,440 make an inch.
constexpr int kTwipsPerInch = 1'440;
constexpr int kClientWidthTwips = 1'680;
constexpr int kClientHeightTwips = 3'705;
constexpr int kOffsetMaxLength = 3;
// A button's caption needs this much of its width, at 96 dots per inch, for the frame and focus.
constexpr int kButtonMarginPixels = 12;
// The message font is made smaller until every caption fits, but no smaller than this.
constexpr int kSmallestFontPixels = 9;

// In tab order; the ids are the controls' WM_COMMAND ids, clear of IDOK and IDCANCEL.
enum class Control : int {
    TVScreen = 100,
    Skew,
    UpDown,
    Label2,
    Label3,
    ZIDAFile,
    Label1,
    Check,
    MakeMovie
};

struct Placement {
    Control control;
    int left;
    int top;
    int width;
    int height;
};

constexpr Placement kPlacements[] = {
    {Control::TVScreen, 205, 120, 1'270, 1'267},  {Control::Skew, 360, 1'680, 375, 285},
    {Control::UpDown, 960, 1'680, 375, 285},      {Control::Label2, 350, 1'440, 495, 255},
    {Control::Label3, 960, 1'440, 375, 255},      {Control::ZIDAFile, 120, 2'280, 1'455, 315},
    {Control::Label1, 480, 2'040, 855, 255},      {Control::Check, 120, 2'760, 1'455, 375},
    {Control::MakeMovie, 120, 3'240, 1'455, 375},
};

constexpr Placement PlacementOf(Control control) {
    for (const Placement& placement : kPlacements) {
        if (placement.control == control) {
            return placement;
        }
    }
    return kPlacements[0];
}

int Pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

constexpr int PixelsAt96Dpi(int twips) {
    constexpr int kTwipsPerPixel = kTwipsPerInch / USER_DEFAULT_SCREEN_DPI;
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// The picture area's drawing size: its size at 96 dots per inch inside a one-pixel frame.
constexpr int kImageWidth = PixelsAt96Dpi(PlacementOf(Control::TVScreen).width) - 2;
constexpr int kImageHeight = PixelsAt96Dpi(PlacementOf(Control::TVScreen).height) - 2;

HMENU IdOf(Control control) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(control));
}

HWND MakeControl(HWND parent, Control control, const wchar_t* className, const char* text,
                 DWORD style, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, className, ToUtf16(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 0, 0, parent, IdOf(control), GetModuleHandleW(nullptr), nullptr);
}

HWND MakeLabel(HWND parent, Control control, const char* text) {
    // "ZIDA File" reaches one pixel into its box: labels lie beneath the other controls and
    // paint nothing over them.
    HWND label =
        MakeControl(parent, control, L"STATIC", text, SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS);
    SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return label;
}

HWND MakeBox(HWND parent, Control control, const char* text) {
    // A box that takes three digits must scroll: without it Wine keeps only what fits.
    return MakeControl(parent, control, L"EDIT", text, WS_TABSTOP | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE);
}

HWND MakeButton(HWND parent, Control control) {
    return MakeControl(parent, control, L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON);
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

}  // namespace

MainWindow::MainWindow() : m_maker(*this) {
    WNDCLASSEXW windowClass{};
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId));
    if (!Create(kClassName, windowClass, 0, ToUtf16(kTitle).c_str(), kStyle, CW_USEDEFAULT,
                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr)) {
        return;
    }
    CreateControls();
    LayOut(GetDpiForWindow(m_hwnd));
    // The initial texts are in place: from now on every change of a box runs its rule.
    WireEvents();
    m_maker.Form_Load();
}

MainWindow::~MainWindow() {
    Destroy();
    DeleteObject(m_font);
    DestroyIcon(m_bigIcon);
    DestroyIcon(m_smallIcon);
}

void MainWindow::Show(int showCommand) {
    ShowWindow(m_hwnd, showCommand);
    UpdateWindow(m_hwnd);
}

void MainWindow::CreateControls() {
    m_screen = std::make_unique<ScreenWidget>(m_hwnd, static_cast<int>(Control::TVScreen),
                                              kImageWidth, kImageHeight);

    m_skew = MakeBox(m_hwnd, Control::Skew, "46");
    m_upDown = MakeBox(m_hwnd, Control::UpDown, "13");
    Edit_LimitText(m_skew, kOffsetMaxLength);
    Edit_LimitText(m_upDown, kOffsetMaxLength);
    m_label2 = MakeLabel(m_hwnd, Control::Label2, "Skew");
    m_label3 = MakeLabel(m_hwnd, Control::Label3, "Up");

    m_zidaFile = MakeBox(m_hwnd, Control::ZIDAFile, "");
    // No limit: the box would stop at 30,000 characters by default.
    Edit_LimitText(m_zidaFile, 0);
    m_label1 = MakeLabel(m_hwnd, Control::Label1, "ZIDA File");

    m_check = MakeButton(m_hwnd, Control::Check);
    StartCaption(Button::Check, "Check Alignment");
    m_makeMovie = MakeButton(m_hwnd, Control::MakeMovie);
    StartCaption(Button::MakeMovie, "Make Movie");
    // Tab indexes 0 to 8 are the order of creation; the labels take no focus.
}

void MainWindow::WireEvents() {
    // Changes and clicks arrive as WM_COMMAND; OnCommand passes them on from now on.
    m_wired = true;
    m_skewFilter = std::make_unique<OffsetKeyFilter>(m_skew, [this](int& KeyAscii) {
        m_maker.Skew_KeyPress(KeyAscii);
        FlushAll();
    });
    m_upDownFilter = std::make_unique<OffsetKeyFilter>(m_upDown, [this](int& KeyAscii) {
        m_maker.UpDown_KeyPress(KeyAscii);
        FlushAll();
    });
}

void MainWindow::LayOut(UINT dpi) {
    for (const Placement& placement : kPlacements) {
        SetWindowPos(GetDlgItem(m_hwnd, static_cast<int>(placement.control)), nullptr,
                     Pixels(placement.left, dpi), Pixels(placement.top, dpi),
                     Pixels(placement.width, dpi), Pixels(placement.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
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
    while (std::abs(look.lfHeight) > smallest &&
           !(Fits(m_check, font, margin) && Fits(m_makeMovie, font, margin) &&
             Fits(m_label1, font, 0) && Fits(m_label2, font, 0) && Fits(m_label3, font, 0))) {
        DeleteObject(font);
        look.lfHeight += look.lfHeight < 0 ? 1 : -1;
        font = CreateFontIndirectW(&look);
    }
    for (const Placement& placement : kPlacements) {
        SetWindowFont(GetDlgItem(m_hwnd, static_cast<int>(placement.control)), font, TRUE);
    }
    DeleteObject(m_font);
    m_font = font;
    // Three digits must fit into a 25-pixel box: the box keeps its frame but gives up the text
    // margins inside it.
    for (HWND box : {m_skew, m_upDown}) {
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
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void MainWindow::OnCommand(HWND, int id, HWND, UINT code) {
    if (!m_wired || m_ending) {
        return;
    }
    switch (static_cast<Control>(id)) {
        case Control::Skew:
            if (code == EN_CHANGE) {
                Handle(&MovieMaker::Skew_Change);
            }
            break;
        case Control::UpDown:
            if (code == EN_CHANGE) {
                Handle(&MovieMaker::UpDown_Change);
            }
            break;
        case Control::ZIDAFile:
            if (code == EN_CHANGE) {
                Handle(&MovieMaker::ZIDAFile_Change);
            }
            break;
        case Control::Check:
            if (code == BN_CLICKED) {
                Handle(&MovieMaker::Check_Click);
            }
            break;
        case Control::MakeMovie:
            if (code == BN_CLICKED) {
                Handle(&MovieMaker::MakeMovie_Click);
            }
            break;
        default:
            // Return and Escape send IDOK and IDCANCEL: the window has no default or cancel
            // button.
            break;
    }
}

void MainWindow::OnActivate(HWND, UINT state, HWND, BOOL) {
    if (state == WA_INACTIVE) {
        m_lastFocus = GetFocus();
    }
}

void MainWindow::OnSetFocus(HWND, HWND) {
    // Back to the control that had the focus, the picture area at first (tab index 0).
    SetFocus(m_lastFocus != nullptr && IsChild(m_hwnd, m_lastFocus) ? m_lastFocus
                                                                    : m_screen->Hwnd());
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    LayOut(dpi);
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnDestroy(HWND) {
    // Closing the window ends the program without a failure.
    PostQuitMessage(EXIT_SUCCESS);
}

void MainWindow::Handle(void (MovieMaker::*handler)()) {
    (m_maker.*handler)();
    FlushAll();
}

std::string MainWindow::BoxText(Box box) const {
    return FromUtf16(TextOf(BoxOf(box)));
}

void MainWindow::ShowMessage(const std::string& text, const std::string& title,
                             MessageStyle style) {
    // The box opens over what the operation has shown so far.
    FlushAll();
    UINT icon = style == MessageStyle::Stop ? MB_ICONSTOP : MB_ICONINFORMATION;
    MessageBoxW(m_hwnd, ToUtf16(text).c_str(), ToUtf16(title).c_str(), MB_OK | icon | MB_APPLMODAL);
}

void MainWindow::EndProgram(int exitStatus) {
    FlushAll();
    // The message loop ends once the running handler returns; wWinMain then returns the status.
    m_ending = true;
    PostQuitMessage(exitStatus);
}

std::string MainWindow::ProgramFolder() const {
    return ExecutableFolder();
}

HWND MainWindow::BoxOf(Box box) const {
    switch (box) {
        case Box::Skew:
            return m_skew;
        case Box::UpDown:
            return m_upDown;
        case Box::ZIDAFile:
            break;
    }
    return m_zidaFile;
}

void MainWindow::PaintCaption(Button button, const std::string& text) {
    HWND shown = button == Button::Check ? m_check : m_makeMovie;
    SetWindowTextW(shown, ToUtf16(text).c_str());
    // Synchronous: the operation that sets the caption does not return to the message loop.
    UpdateWindow(shown);
    // Windows takes a window that has not looked at its queue for 5 s for hung and covers it
    // with a frozen copy: look, and leave every message where it is.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

void MainWindow::FillScreenImage(Rgb colour) {
    m_screen->SetBackground(RGB(colour.red, colour.green, colour.blue));
}

bool MainWindow::SetScreenImagePixel(int x, int y, Rgb colour) {
    return m_screen->SetPixel(x, y, RGB(colour.red, colour.green, colour.blue));
}

void MainWindow::PaintScreenRows(int first, int last) {
    m_screen->RepaintRows(first, last);
}

void MainWindow::PaintScreen() {
    m_screen->RepaintAll();
}

}  // namespace zv
