#pragma once

#include "browser/BrowserPage.h"
#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "tabs/core/ITabForm.h"

#include <memory>
#include <string>

class CTabItem;
class IuTab;

// The page form of one tab: a browser filling a small window. Its title
// becomes the tab's caption; requests for new windows go to the default
// browser, web and mail addresses only.
class WebUrl final : public forms::Form, public ITabForm {
public:
    WebUrl();
    ~WebUrl() override;

    void OpenURL(const std::wstring& szURL);

    // ITabForm
    WindowHandle hWnd() const override;
    void Initialize(IuTab* Implement, CTabItem* Item) override;
    void RefreshPage() override;
    void Unload() override;

protected:
    void OnLoad() override;
    void OnResize() override;
    void OnUnload() override;

private:
    void Picture1_Resize();
    void wb_DocumentComplete();
    void wb_TitleChange(const std::wstring& text);

    std::unique_ptr<forms::PictureBox> Picture1;
    browser::BrowserPage wb;
    forms::Connection resize_;
    IuTab* m_Implement = nullptr;
    CTabItem* m_Item = nullptr;
};
