#include "mainwindow/MainGameWindow.h"

#include "mainwindow/WebMainFrm.h"

void MainGameWindow::Bind() {
    static MainGameWindow window;
    login::BindGameWindow(&window);
}

void MainGameWindow::Load() {
    WebMainFrm::Instance();
}

void MainGameWindow::Open(const std::wstring& url) {
    WebMainFrm& main = WebMainFrm::Instance();
    main.SetURL(url);
    main.Show();
}
