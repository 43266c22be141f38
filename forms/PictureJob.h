#pragma once

#include "forms/Gdiplus.h"
#include "forms/Handles.h"
#include "forms/LayeredPicture.h"
#include "forms/PngResource.h"

namespace forms {

// A start-up picture decoded and drawn into its layered surface on a worker
// thread, while the user-interface thread waits on the network or makes
// windows. Taken once; taking waits for the worker.
class PictureJob {
public:
    // Drawn at the DPI (0: the screen's).
    PictureJob(WORD id, const wchar_t* type, int dpi = 0);
    ~PictureJob();
    PictureJob(const PictureJob&) = delete;
    PictureJob& operator=(const PictureJob&) = delete;

    // Hands over the picture and its surface, made here if no worker ran.
    void Take(PngResource& png, LayeredPicture& picture);

private:
    static DWORD WINAPI Entry(void* job) noexcept;
    void Make();
    void Wait();

    WORD id_;
    const wchar_t* type_;
    int dpi_;
    PngResource png_;
    LayeredPicture picture_;
    bool made_ = false;
    forms::UniqueHandle<HANDLE, forms::KernelHandleDeleter> worker_;
};

} // namespace forms
