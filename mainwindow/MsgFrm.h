#pragma once

#include "controls/BForm.h"
#include "controls/iButton.h"
#include "forms/SingleForm.h"
#include "forms/core/Event.h"

#include <memory>

// The skinned question before the main window closes; its one output is
// the answer.
class MsgFrm : public forms::SingleForm<MsgFrm> {
public:
    static constexpr const wchar_t* kQuestion = L"窗口即将关闭，确定要退出游戏？";

    MsgFrm();

    // Asks over owner until answered; true when the player chose to exit.
    // Unloaded otherwise, the question counts as "no".
    bool ShowModal(forms::Form* owner);
    // Raised with the answer as a button gives it, before the unload.
    forms::Event<bool> Answered;

    BForm BForm1;
    iButton closebtn;
    iButton iButton1; // "是": exit
    iButton iButton2; // "否": stay
    HWND Label1() const { return label_; }

protected:
    void OnLoad() override;
    void OnResize() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void Answer(bool exit);
    void PaintBody();

    HWND label_ = nullptr;
    // The control that had the keyboard when the window was last left.
    HWND focus_ = nullptr;
    bool exit_ = false;
    forms::GdiFont font_;
    // Last: disconnected before any member they reach goes.
    forms::Connections connections_;
};
