#include "forms/Application.h"
#include "forms/Handles.h"
#include "resources/resource.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

// What the built client carries, read from Tavrin.exe itself.
namespace {

using Bytes = std::vector<unsigned char>;

constexpr WORD kChineseSimplified = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

class ClientResources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        client.reset(LoadLibraryExW(ClientPath().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    }
    static void TearDownTestSuite() { client.reset(); }
    static std::wstring ClientPath() { return forms::Application::Path() + L"\\Tavrin.exe"; }

    static Bytes Resource(WORD id, const wchar_t* type) {
        HRSRC info = FindResourceExW(client.get(), type, MAKEINTRESOURCEW(id), kChineseSimplified);
        if (info == nullptr) {
            return {};
        }
        const auto* bytes =
            static_cast<const unsigned char*>(LockResource(LoadResource(client.get(), info)));
        return {bytes, bytes + SizeofResource(client.get(), info)};
    }

    static inline forms::Library client;
};

template <class T> T At(const Bytes& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::uint32_t BigEndian32(const Bytes& bytes, std::size_t offset) {
    return (std::uint32_t{bytes[offset]} << 24) | (std::uint32_t{bytes[offset + 1]} << 16) |
           (std::uint32_t{bytes[offset + 2]} << 8) | bytes[offset + 3];
}

TEST_F(ClientResources, PicturesArePngsOfTheirSizesWithAlpha) {
    ASSERT_TRUE(client);
    for (const auto& [id, size] : {std::pair{WORD{IDR_PNG_LOGIN}, SIZE{1237, 696}},
                                   std::pair{WORD{IDR_PNG_SPLASH}, SIZE{356, 122}},
                                   std::pair{WORD{IDR_PNG_LOGIN_2X}, SIZE{2474, 1392}},
                                   std::pair{WORD{IDR_PNG_SPLASH_2X}, SIZE{712, 244}}}) {
        const Bytes png = Resource(id, L"PNG");
        ASSERT_GT(png.size(), 33u) << id;
        EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
        EXPECT_EQ(BigEndian32(png, 16), static_cast<std::uint32_t>(size.cx)) << id;
        EXPECT_EQ(BigEndian32(png, 20), static_cast<std::uint32_t>(size.cy)) << id;
        EXPECT_EQ(png[25], 6) << "colour type RGBA";
    }
}

TEST_F(ClientResources, SkinBitmapsHaveTheirSizesAndDepths) {
    struct Expected {
        WORD id;
        int width, height, bits;
    };
    for (const Expected& e :
         {Expected{IDB_MIN, 72, 18, 24}, Expected{IDB_MINMAX, 150, 18, 24},
          Expected{IDB_CLOSE, 129, 18, 24}, Expected{IDB_TOOL, 72, 18, 24},
          Expected{IDB_LOGO, 29, 29, 32}, Expected{IDB_LOGO_2X, 58, 58, 32},
          Expected{IDB_TABS_LOW, 415, 25, 24}, Expected{IDB_TABS_HIGH, 421, 28, 24},
          Expected{IDB_FRAME, 94, 85, 24}, Expected{IDB_OTHER_USER, 297, 22, 24},
          Expected{IDB_GAME_SPACE, 243, 22, 24}}) {
        const Bytes dib = Resource(e.id, MAKEINTRESOURCEW(2)); // RT_BITMAP
        ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER)) << e.id;
        const auto header = At<BITMAPINFOHEADER>(dib, 0);
        EXPECT_EQ(header.biWidth, e.width) << e.id;
        EXPECT_EQ(header.biHeight, e.height) << e.id;
        EXPECT_EQ(header.biBitCount, e.bits) << e.id;
    }
}

// Every size of the small and large window icons at 100 %, 125 %, 150 % and
// 200 % is drawn, never scaled.
TEST_F(ClientResources, IconFileHoldsNineImagesOfTheListedSizes) {
    const Bytes ico = Resource(IDR_ICON_FILE, L"ICON");
    ASSERT_GE(ico.size(), 6u + 9 * 16);
    EXPECT_EQ(At<WORD>(ico, 2), 1);
    ASSERT_EQ(At<WORD>(ico, 4), 9);
    const std::vector<std::pair<int, int>> expected{
        {16, 8}, {128, 32}, {64, 32}, {48, 32}, {40, 32}, {32, 32}, {24, 32}, {20, 32}, {16, 32}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], expected[i].first) << i;
        EXPECT_EQ(At<WORD>(ico, entry + 6), expected[i].second) << i;
        const auto size = At<DWORD>(ico, entry + 8);
        const auto offset = At<DWORD>(ico, entry + 12);
        EXPECT_LE(offset + size, ico.size()) << i;
    }
}

TEST_F(ClientResources, ExecutableIconGroupOneHasTheSameNineImages) {
    const Bytes group = Resource(IDI_TAVRIN, MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u);
    EXPECT_EQ(At<WORD>(group, 4), 9);
    EXPECT_EQ(group.size(), 6u + 9 * 14);
}

TEST_F(ClientResources, CarriesTheUpdaterByteForByte) {
    const Bytes carried = Resource(IDR_UPDATE, L"UPDATE");
    const Bytes built =
        testing_support::ReadFileBytes(forms::Application::Path() + L"\\Update.exe");
    ASSERT_FALSE(built.empty());
    EXPECT_EQ(carried, built);
}

TEST_F(ClientResources, AsksForCommonControlsSix) {
    const Bytes manifest = Resource(IDR_MANIFEST, MAKEINTRESOURCEW(24)); // RT_MANIFEST
    const std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
}

std::wstring VersionString(const Bytes& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return {};
    }
    return static_cast<const wchar_t*>(value);
}

TEST_F(ClientResources, VersionIsOneOneZeroZeroWithTheListedStrings) {
    const std::wstring path = ClientPath();
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    Bytes block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.01");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.01");
    EXPECT_EQ(VersionString(block, L"InternalName"), L"Quelmo_brnq2");
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"Quelmo_brnq2.exe");
    EXPECT_FALSE(VersionString(block, L"CompanyName").empty());
    EXPECT_FALSE(VersionString(block, L"ProductName").empty());
}

} // namespace
