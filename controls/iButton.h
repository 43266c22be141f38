#pragma once

#include "controls/ButtonFrames.h"
#include "forms/Handles.h"
#include "forms/UserControl.h"
#include "forms/core/Event.h"

#include <string>

// A push or toggle button drawn entirely from a strip of pictures, one
// frame per look, with an optional icon and a centred caption.
class iButton final : public forms::UserControl {
public:
    iButton();
    ~iButton() override;

    // Repaints a look; with repaintSame also when it is the one shown.
    void cMouseAction(int state, bool repaintSame);

    forms::PicturePtr BackPicture() const { return backPicture_; }
    void SetBackPicture(forms::PicturePtr picture);
    forms::PicturePtr Icon() const { return icon_; }
    void SetIcon(forms::PicturePtr picture);
    long Style() const { return style_; }
    void SetStyle(long style);
    bool Value() const { return value_; }
    void SetValue(bool value);
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    void SetEnabled(bool enabled);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    // What a screen reader calls a button without a caption (its window's
    // text); a caption names the button itself.
    void SetAccessibleName(const std::wstring& name);
    // How every button answers a screen reader's WM_GETOBJECT for its client
    // object; without one, the system's default object reads its text. A
    // port, so that the updater, which must stay small, links none.
    using ScreenReaderAnswer = LRESULT (*)(HWND button, WPARAM wParam);
    static void AnswerScreenReadersWith(ScreenReaderAnswer answer) { screenReader_ = answer; }
    int cBackStyle() const { return backStyle_; }
    void SetcBackStyle(int backStyle);
    COLORREF cForeColor() const { return ForeColor(); }
    void SetcForeColor(COLORREF colour);
    const LOGFONTW& cFont() const { return Font(); }
    void SetcFont(const LOGFONTW& font);
    int cDrawMode() const { return drawMode_; }
    void SetcDrawMode(int drawMode);
    int DrawnState() const { return drawnState_; }
    // The control's persistent image as it stands, as a picture of its own;
    // null before the control has a window.
    forms::PicturePtr Image() const;

    void ReadProperties(const forms::PropertyBag& bag);
    void WriteProperties(forms::PropertyBag& bag) const;

    forms::Event<> Click;
    forms::Event<int&, int&, float&, float&> MouseDown; // Button, Shift, X, Y
    forms::Event<int&, int&> KeyDown;                   // KeyCode, Shift
    forms::Event<int&, int&> KeyUP;
    forms::Event<int&> KeyPress; // KeyAscii
    forms::Event<int&, int&, float&, float&> MouseUp;
    forms::Event<int&, int&, float&, float&> MouseMove;
    forms::Event<> MouseOut;
    forms::Event<> MouseOver;
    forms::Event<> DBClick;

private:
    bool TabStop() const override { return true; }
    void HandleShow() override;
    void HandleResize() override;
    void HandleMouseDown(int button, int shift, float x, float y) override;
    void HandleMouseMove(int button, int shift, float x, float y) override;
    void HandleMouseUp(int button, int shift, float x, float y) override;
    void HandleClick() override;
    void HandleDblClick() override;
    void HandleKeyDown(int keyCode, int shift) override;
    void HandleKeyUp(int keyCode, int shift) override;
    void HandleKeyPress(int keyAscii) override;
    void HandleGotFocus() override;
    void HandleLostFocus() override;
    void HandleTimer(UINT_PTR id) override;
    bool HandleControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    bool IsMouseOver() const;
    int CurrentState() const;
    void RedrawCurrentState() { cMouseAction(CurrentState(), true); }
    void Repaint() { DrawState(CurrentState()); }
    void BuildFrames();
    void DrawState(int state);
    void DrawBackground();
    void ApplyMask();
    void DrawFocus();
    void ClickByKey();
    void ShowName();
    void Toggle();
    void StartHoverPolling();
    void StopHoverPolling();
    int IconWidthTwips() const;

    ButtonFrames frames_;
    forms::PicturePtr backPicture_;
    forms::PicturePtr icon_;
    long style_ = 0;
    bool value_ = false;
    bool locked_ = false;
    bool autoSize_ = true;
    bool hovering_ = false;
    bool pressed_ = false;
    int lastButton_ = 0;
    int drawnState_ = 0;
    int backStyle_ = 1;
    int drawMode_ = R2_COPYPEN;
    static inline ScreenReaderAnswer screenReader_ = nullptr;
    std::wstring caption_;
    std::wstring name_;
    bool focused_ = false;
    // The first show builds the frames; later shows keep them.
    bool framesBuilt_ = false;
    bool polling_ = false;
};
