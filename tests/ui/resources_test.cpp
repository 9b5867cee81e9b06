// The icon and the version information, read back from the built program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/main_window.h"
#include "win_test_support.h"

namespace {

// The program sits at the top of the build tree, two levels above this test.
std::wstring program_path() { return ui_test::own_directory() + L"..\\..\\xianshuaitong.exe"; }

class VersionResource : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(program_path().c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource";
        data.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(program_path().c_str(), 0, size, data.data()));
    }
    std::wstring string_value(const wchar_t* key) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + key;
        wchar_t* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return L"<missing>";
        return std::wstring(value, length > 0 && value[length - 1] == L'\0' ? length - 1 : length);
    }
    std::vector<unsigned char> data;
};

TEST_F(VersionResource, FixedPart) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionResource, StringTableAndTranslation) {
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } cases[] = {
        {L"FileVersion", L"1.0.0.0"},
        {L"ProductVersion", L"1.0.0.0"},
        {L"FileDescription", L"\x4E00\x6B3E\x81EA\x52A8\x8BA1\x7B97\x7535\x538B\x8870\x51CF\x7684\x5C0F\x8F6F\x4EF6"},  // 一款自动计算电压衰减的小软件
        {L"ProductName", L"\x7EBF\x8870\x901A"},          // 线衰通
        {L"Comments", L"\x7A79\x5CAD\x79D1\x6280"},       // 穹岭科技
        {L"CompanyName", L"\x7A79\x5CAD\x79D1\x6280"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(string_value(c.key), c.value) << ui_test::escaped(ui::MainWindow::to_cp936(c.key));
    }
    EXPECT_NE(string_value(L"LegalCopyright").find(L"\x7A79\x5CAD\x79D1\x6280"), std::wstring::npos);

    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);
}

TEST(ProgramResources, OneIconOf32By32At32BitsAndNoManifest) {
    const HMODULE program = LoadLibraryExW(program_path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(FindResourceW(program, MAKEINTRESOURCEW(1), RT_MANIFEST), nullptr);
    EXPECT_EQ(FindResourceW(program, MAKEINTRESOURCEW(2), RT_MANIFEST), nullptr);
    const HRSRC group = FindResourceW(program, L"DEFAULT_ICON", RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const unsigned char*>(LockResource(LoadResource(program, group)));
    ASSERT_NE(directory, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
    EXPECT_EQ(count, 1);
    // GRPICONDIRENTRY: width, height, colours, reserved, planes, bit count ...
    EXPECT_EQ(directory[6], 32);
    EXPECT_EQ(directory[7], 32);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(directory + 6 + 6), 32);
    FreeLibrary(program);
}

}  // namespace
