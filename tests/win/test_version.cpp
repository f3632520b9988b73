// The version information of the built program, as Explorer's Details tab and
// the installer's uninstall entry show it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

class VersionTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring file = BuiltProgramFile();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version information in " << std::string(file.begin(), file.end());
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, block.data()));
    }

    std::wstring Text(const wchar_t* name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040E04E2\\") + name;
        if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return L"(missing)";
        return std::wstring(static_cast<const wchar_t*>(value));
    }

    std::vector<unsigned char> block;
};

TEST_F(VersionTest, FixedPartSaysVersion23ForWindows) {
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length));
    ASSERT_EQ(info->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info->dwFileVersionMS, MAKELONG(3, 2));
    EXPECT_EQ(info->dwFileVersionLS, 0u);
    EXPECT_EQ(info->dwProductVersionMS, MAKELONG(3, 2));
    EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionTest, TextsAreHungarianWithTheMakersName) {
    struct {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation->language, 0x040E);  // Hungarian
    EXPECT_EQ(translation->codePage, 1250);

    EXPECT_EQ(Text(L"FileVersion"), L"2.3");
    EXPECT_EQ(Text(L"ProductVersion"), L"2.3");
    EXPECT_EQ(Text(L"ProductName"), L"Tivorn");
    EXPECT_EQ(Text(L"CompanyName"), L"Ketrabo");
    EXPECT_EQ(Text(L"FileDescription"), L"Tivorn határidőnapló");
    EXPECT_EQ(Text(L"OriginalFilename"), L"tivorn.exe");
}

}  // namespace
