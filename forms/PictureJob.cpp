#include "forms/PictureJob.h"

#include "forms/CallbackBoundary.h"

#include <utility>

namespace forms {

PictureJob::PictureJob(WORD id, const wchar_t* type, int dpi) : id_(id), type_(type), dpi_(dpi) {
    worker_.reset(CreateThread(nullptr, 0, &PictureJob::Entry, this, 0, nullptr));
}

PictureJob::~PictureJob() {
    Wait();
}

DWORD WINAPI PictureJob::Entry(void* job) noexcept {
    return static_cast<DWORD>(forms::GuardedEntry(L"PictureJob", [job] {
        static_cast<PictureJob*>(job)->Make();
        return 0;
    }));
}

void PictureJob::Make() {
    png_ = LoadPngResource(id_, type_);
    picture_ = DrawLayeredPng(png_, dpi_);
    made_ = true;
}

void PictureJob::Wait() {
    if (worker_) {
        WaitForSingleObject(worker_.get(), INFINITE);
        worker_.reset();
    }
}

void PictureJob::Take(PngResource& png, LayeredPicture& picture) {
    Wait();
    if (!made_) {
        Make(); // no worker could be started, or it failed
    }
    png = std::move(png_);
    picture = std::move(picture_);
}

} // namespace forms
