#include "forms/Application.h"
#include "forms/Picture.h"
#include "resources/Artwork.h"

#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

// The tests run at the DPI of the prefix's screen, as the programs do.
int main(int argc, char** argv) {
    forms::Application::Start();
    forms::InstallArtwork(&resources::Artwork());
    OleInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
