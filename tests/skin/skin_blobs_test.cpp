// The constants that the program carries: byte-array blocks in the constant
// segment, the skin data valid, and on the target the library image the very
// DLL that the build made.
#include "skin/skin_blobs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/core/blocks.h"
#include "runtime/core/heap.h"
#include "skin/skin_format.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace talv::skin {
namespace {

TEST(SkinBlobs, AreByteArraysInTheConstantSegment) {
  for (const uint8_t* block : {kSkinLibraryImage, kSkinData}) {
    uint32_t dimensions;
    std::memcpy(&dimensions, block, 4);
    EXPECT_EQ(dimensions, 1u);
    EXPECT_TRUE(IsInConstantSegment(block));
  }
  // Freeing a constant does nothing (and must not crash).
  Free(const_cast<uint8_t*>(kSkinData));
}

TEST(SkinBlobs, SkinDataIsTheProgramsValidSkin) {
  const uint8_t* data = ByteArrayData(kSkinData);
  size_t size = ByteArrayLength(kSkinData);
  ASSERT_GT(size, kSkinHeaderSize);
  EXPECT_EQ(std::memcmp(data, ".SHE", 4), 0);
  Skin skin;
  SkinParseResult r = ParseSkin(data, size, &skin);
  ASSERT_TRUE(r.ok()) << r.reason;
  EXPECT_STREQ(skin.name, "Talvique");
  EXPECT_GE(FindScheme(skin, "Jade"), 0);
}

#if defined(_WIN32)
TEST(SkinBlobs, LibraryImageIsTheBuiltDll) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dll(path, n);
  dll = dll.substr(0, dll.find_last_of("\\/") + 1) + "SkinH_EL.dll";
  std::ifstream in(dll, std::ios::binary);
  ASSERT_TRUE(in) << dll;
  std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(ByteArrayLength(kSkinLibraryImage), file.size());
  EXPECT_EQ(std::memcmp(ByteArrayData(kSkinLibraryImage), file.data(), file.size()), 0);
  EXPECT_EQ(std::memcmp(ByteArrayData(kSkinLibraryImage), "MZ", 2), 0);
}
#else
TEST(SkinBlobs, NativeTreeCarriesNoLibraryImage) { EXPECT_EQ(ByteArrayLength(kSkinLibraryImage), 0u); }
#endif

}  // namespace
}  // namespace talv::skin
