#pragma once

#include "forms/Handles.h"
#include "forms/core/Event.h"
#include "forms/core/Lifetime.h"

#include <string>

// One client per game and install folder in a session. The first start
// holds a named mutex and a message-only window that a later start finds:
// that start lets the first take the foreground, asks it to come forward
// and ends. A start that finds the holder ending (the client the updater
// replaced, say), without that window or not answering waits a few seconds
// for the mutex instead, and runs when it gets it.
class ClientInstance {
public:
    // How long a start waits for an instance that is ending.
    static constexpr DWORD kPatience = 10000;
    // How long a start waits for the first instance's answer.
    static constexpr DWORD kAnswerTime = 5000;

    ClientInstance(const std::wstring& gameCode, const std::wstring& folder);
    ~ClientInstance();
    ClientInstance(const ClientInstance&) = delete;
    ClientInstance& operator=(const ClientInstance&) = delete;

    // True when this start is the instance and runs; false when another
    // instance runs on and this start ends.
    bool Take();
    // Whether this start holds the mark.
    bool Held() const { return held_; }
    // Gives the mark up once the program's windows are gone: a start from
    // then on runs. The destructor does it too.
    void Leave();

    // Raised from the loop when another start asks the client to come
    // forward.
    forms::Event<> ComeForward;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Answer(WPARAM wParam, LPARAM lParam);
    bool Acquired(DWORD waitResult);
    void Listen();
    bool HandOver() const;

    std::wstring name_;
    forms::UniqueHandle<HANDLE, forms::KernelHandleDeleter> mutex_;
    bool held_ = false;
    HWND window_ = nullptr;
    forms::Lifetime alive_;
};
