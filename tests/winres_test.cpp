// The Windows resources as the system reads them from the .exe (Explorer's properties, the
// window's icons and menu): built into this test program from the same resource script.
#define UNICODE  // the resource types as wide names, as the W functions take them
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr WORD kItalian = MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN);

std::vector<char> OwnVersionBlock() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeW(path, &ignored));
  if (block.empty() ||
      !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()))
    block.clear();
  return block;
}

std::string Query(std::vector<char>& block, const std::string& name) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), name.c_str(), &value, &length) || length == 0) return "(none)";
  return static_cast<const char*>(value);
}

}  // namespace

TEST(WindowsResources, VersionBlockIsItalianVersion1001WithItsTexts) {
  std::vector<char> block = OwnVersionBlock();
  ASSERT_FALSE(block.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation[0], 1040);

  const std::pair<const char*, const char*> texts[] = {
      {"FileDescription", "Tallyforga Applicazione MFC"},
      {"FileVersion", "1, 0, 0, 1"},
      {"InternalName", "Tallyforga"},
      {"OriginalFilename", "Tallyforga.EXE"},
      {"ProductName", "Tallyforga Applicazione"},
      {"ProductVersion", "1, 0, 0, 1"}};
  for (const auto& [name, expected] : texts) {
    EXPECT_EQ(Query(block, std::string("\\StringFileInfo\\041004b0\\") + name), expected) << name;
  }
}

TEST(WindowsResources, IconsAreItalian32By32In16ColoursAndTheAppIconComesFirst) {
  for (int id : {128, 131, 132, 133, 136}) {
    SCOPED_TRACE("icon " + std::to_string(id));
    HRSRC group = FindResourceExW(nullptr, RT_GROUP_ICON, MAKEINTRESOURCEW(id), kItalian);
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(nullptr, group)));
    const int image = LookupIconIdFromDirectoryEx(directory, TRUE, 32, 32, LR_DEFAULTCOLOR);
    HRSRC icon = FindResourceExW(nullptr, RT_ICON, MAKEINTRESOURCEW(image), kItalian);
    ASSERT_NE(icon, nullptr);
    const auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, icon)));
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biHeight, 64);  // the colour image and its mask
    EXPECT_EQ(header->biBitCount, 4);
  }
  // Explorer shows the first icon group of the .exe.
  int first = 0;
  EnumResourceNamesW(
      nullptr, RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
        *reinterpret_cast<int*>(found) =
            IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1;
        return FALSE;
      },
      reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ(first, 128);
}

TEST(WindowsResources, AboutEntryTextAndManifestForThemedControls) {
  char text[64] = {};
  LoadStringA(nullptr, 101, text, sizeof text);
  EXPECT_STREQ(text, "Infor&mazioni su Tallyforga...");

  HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string xml(static_cast<const char*>(LockResource(LoadResource(nullptr, manifest))),
                        SizeofResource(nullptr, manifest));
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
}
