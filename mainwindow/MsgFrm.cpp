#include "mainwindow/MsgFrm.h"

#include "forms/DragByCaption.h"
#include "forms/WindowRegion.h"
#include "forms/core/Units.h"
#include "game/Texts.h"
#include "resources/resource.h"

namespace {

forms::FormDesign MsgDesign() {
    forms::FormDesign design;
    design.caption = L"MsgFrm";
    design.clientWidthTwips = 3630;
    design.clientHeightTwips = 2100;
    design.style = WS_POPUP | WS_CLIPCHILDREN;
    design.showInTaskbar = false;
    design.centerScreen = true;
    return design;
}

LOGFONTW AnswerFont() {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, forms::ScreenDpi(), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    wcscpy(font.lfFaceName, L"宋体");
    return font;
}

int Px(int twips) {
    return forms::TwipsToPixels(twips);
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
// The question's ink: a theme's text colour could be the body's white.
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr int kEdge = 60;  // the skinned border's width
constexpr int kCorner = 4; // the region's rounded corners, design pixels

} // namespace

MsgFrm::MsgFrm() : SingleForm(MsgDesign()), BForm1(forms::Picture::FromResource(IDB_FRAME)) {}

void MsgFrm::CreateControls() {
    BForm1.Create(hWnd(), 0, 0, 4575, 495);
    BForm1.SetBackColor(RGB(0xDE, 0xDE, 0xDE));
    BForm1.SetCaption(L"FennoySorvath");
    closebtn.Create(hWnd(), 2880, 15, 645, 270);
    closebtn.SetAccessibleName(Texts::CloseButton);
    // A later sibling lies beneath: the close button must take the clicks
    // over the caption bar.
    SetWindowPos(closebtn.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const LOGFONTW font = AnswerFont();
    font_.reset(CreateFontIndirectW(&font));
    label_ = CreateWindowExW(0, L"STATIC", kQuestion, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                             Px(360), Px(840), Px(3135), Px(615), hWnd(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    const forms::PicturePtr answerArt = forms::Picture::FromResource(IDB_ANSWER);
    int left = 840;
    for (iButton* button : {&iButton1, &iButton2}) {
        button->Create(hWnd(), left, 1320, 975, 375);
        button->SetAutoSize(false);
        button->SetcFont(font);
        button->SetBackPicture(answerArt);
        left += 1200;
    }
    // The label's box reaches into the buttons' top: it lies beneath them
    // and leaves their pixels alone.
    SetWindowPos(label_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    iButton1.SetCaption(L"是");
    iButton2.SetCaption(L"否");
    connections_ += iButton1.Click.Connect([this] { Answer(true); });
    connections_ += iButton2.Click.Connect([this] { Answer(false); });
    connections_ += closebtn.Click.Connect([this] { Answer(false); });
    connections_ += BForm1.MouseDown.Connect(
        [this](int&, int&, float&, float&) { forms::DragByCaption(hWnd()); });
}

void MsgFrm::OnLoad() {
    CreateControls();
    BForm1.Move(0, 0, Width(), BForm1.Height());
    closebtn.SetBackPicture(forms::Picture::FromResource(IDB_CLOSE));
    BForm1.SetCaption(Texts::GameClientTitle());
    OnResize();
}

void MsgFrm::OnResize() {
    const int width = Px(ScaleWidth());
    const int height = Px(ScaleHeight());
    const int corner = forms::ScaleDesignPixels(kCorner);
    forms::RectRgn(hWnd(), width + 1, height + 1, corner, corner);
    BForm1.Printform(*this);
    PaintBody();
    closebtn.Move(Width() - 730, closebtn.Top(), closebtn.Width(), closebtn.Height());
}

// The dialog's back colour inside the skinned border.
void MsgFrm::PaintBody() {
    RECT body{Px(kEdge), Px(BForm1.Height()), Px(ScaleWidth() - kEdge), Px(ScaleHeight() - kEdge)};
    SetDCBrushColor(Surface(), kWhite);
    FillRect(Surface(), &body, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

bool MsgFrm::ShowModal(forms::Form* owner) {
    exit_ = false;
    focus_ = nullptr;
    Form::ShowModal(owner);
    return exit_;
}

void MsgFrm::Answer(bool exit) {
    exit_ = exit;
    Answered(exit);
    Unload();
}

// The keyboard: "是" has the focus when the question shows, and gets it back
// with the window; Esc (IDCANCEL) answers "否".
LRESULT MsgFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), kInk);
        SetBkColor(reinterpret_cast<HDC>(wParam), kWhite);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && IsChild(hWnd(), GetFocus())) {
            focus_ = GetFocus();
        }
        break;
    case WM_SETFOCUS:
        SetFocus(focus_ != nullptr && IsChild(hWnd(), focus_) ? focus_ : iButton1.hWnd());
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
            Answer(false);
            return 0;
        }
        break;
    default:
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}
