#pragma once

#include "forms/Handles.h"

#include <windows.h>

#include <functional>
#include <map>
#include <tuple>

// Skin pieces made once and kept ready to copy with the key colour left
// out. A piece is known by its skin, its place in the skin and the size it
// is drawn at, so that pieces of the two styles never stand in for each
// other.
class TabPieceCache {
public:
    struct Key {
        int skin; // the style's skin: 0 low, 1 high
        int pieceX;
        int width;
        int height;
        bool operator<(const Key& other) const {
            return std::tie(skin, pieceX, width, height) <
                   std::tie(other.skin, other.pieceX, other.width, other.height);
        }
    };
    // Draws a piece into a fresh buffer of the key's size.
    using Maker = std::function<void(HDC buffer)>;

    // Copies the piece to (x, y) of the target, making it first when new.
    void Blit(HDC target, int x, int y, const Key& key, const Maker& make);
    void Clear() { pieces_.clear(); }

private:
    struct Piece {
        forms::BitmapDc image; // key-coloured pixels turned black
        forms::BitmapDc mask;  // monochrome: white where the key colour was
    };
    static Piece Make(const Key& key, const Maker& make);

    std::map<Key, Piece> pieces_;
};
