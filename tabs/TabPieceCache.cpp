#include "tabs/TabPieceCache.h"

#include "tabs/mdlTabAPI.h"

#include <utility>

namespace {

constexpr DWORD kDestinationAndNotSource = 0x00220326; // DSna

} // namespace

void TabPieceCache::Blit(HDC target, int x, int y, const Key& key, const Maker& make) {
    if (key.width <= 0 || key.height <= 0) {
        return;
    }
    auto found = pieces_.find(key);
    if (found == pieces_.end()) {
        found = pieces_.emplace(key, Make(key, make)).first;
    }
    const Piece& piece = found->second;
    const COLORREF text = SetTextColor(target, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(target, RGB(255, 255, 255));
    BitBlt(target, x, y, key.width, key.height, piece.mask.get(), 0, 0, SRCAND);
    BitBlt(target, x, y, key.width, key.height, piece.image.get(), 0, 0, SRCPAINT);
    SetTextColor(target, text);
    SetBkColor(target, back);
}

TabPieceCache::Piece TabPieceCache::Make(const Key& key, const Maker& make) {
    Piece piece;
    piece.image = mdlTabAPI::CreateMemDC(key.width, key.height);
    make(piece.image.get());
    forms::MemoryDc maskDc(CreateCompatibleDC(piece.image.get()));
    piece.mask = forms::BitmapDc(
        std::move(maskDc), forms::GdiBitmap(CreateBitmap(key.width, key.height, 1, 1, nullptr)));
    HDC image = piece.image.get();
    SetBkColor(image, mdlTabAPI::kKeyColour);
    BitBlt(piece.mask.get(), 0, 0, key.width, key.height, image, 0, 0, SRCCOPY);
    // Black where the key was, so that OR-ing it in leaves those pixels.
    // A monochrome source reads as the text colour for 0, back colour for 1.
    SetTextColor(image, RGB(0, 0, 0));
    SetBkColor(image, RGB(255, 255, 255));
    BitBlt(image, 0, 0, key.width, key.height, piece.mask.get(), 0, 0, kDestinationAndNotSource);
    return piece;
}
