#pragma once

#include "controls/BForm.h"
#include "controls/iButton.h"
#include "forms/SingleForm.h"

#include <memory>

// The skinned question before the main window closes. Its one output is
// the main window's m_bExit.
class MsgFrm : public forms::SingleForm<MsgFrm> {
public:
    static constexpr const wchar_t* kQuestion = L"窗口即将关闭，确定要退出游戏？";

    MsgFrm();

    BForm BForm1;
    iButton closebtn;
    iButton iButton1;
    iButton iButton2;
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
    forms::GdiFont font_;
};
