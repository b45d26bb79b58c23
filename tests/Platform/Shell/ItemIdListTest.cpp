#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "Platform/Shell/ItemIdList.h"

namespace {

std::u16string PathOf(LPCITEMIDLIST pidl) {
  WCHAR buf[MAX_PATH];
  if (!SHGetPathFromIDListW(pidl, buf)) return u"<none>";
  return buf;
}

struct ListDeleter {
  void operator()(ITEMIDLIST* p) const { ILFree(p); }
};
using List = std::unique_ptr<ITEMIDLIST, ListDeleter>;

TEST(ItemIdList, PathsRoundTripWithSeparatorsNormalised) {
  struct Case {
    std::u16string in, out;
  } cases[] = {
      {u"C:\\Program Files\\Halvane\\PlayCrate.exe", u"C:\\Program Files\\Halvane\\PlayCrate.exe"},
      {u"C:\\", u"C:\\"},
      {u"c:", u"c:\\"},
      {u"D:/Games//Halvane/", u"D:\\Games\\Halvane"},
      {u"\\\\server\\share\\dir\\f.txt", u"\\\\server\\share\\dir\\f.txt"},
      {u"\\\\server\\share", u"\\\\server\\share"},
      {u"Z:\\home\\\u5B89\u88C5\\\U0001F600", u"Z:\\home\\\u5B89\u88C5\\\U0001F600"},
  };
  for (const Case& c : cases) {
    List list(Platform::CreateItemIdList(c.in));
    ASSERT_NE(list, nullptr) << std::string(c.in.begin(), c.in.end());
    EXPECT_EQ(PathOf(list.get()), c.out);
  }
}

TEST(ItemIdList, RelativeAndMalformedPathsGiveNoList) {
  for (const char16_t* bad : {u"", u"relative\\dir", u"\\rooted", u"C:dir", u"1:\\x", u"\\\\",
                              u"\\\\server", u"\\\\\\share", u"\\\\server\\\\x"}) {
    EXPECT_EQ(Platform::CreateItemIdList(bad), nullptr);
  }
}

TEST(ItemIdList, ListIsAChainOfItemsEndedByZero) {
  List list(Platform::CreateItemIdList(u"C:\\a\\bc"));
  ASSERT_NE(list, nullptr);
  const BYTE* p = reinterpret_cast<const BYTE*>(list.get());
  std::vector<USHORT> sizes;
  for (;;) {
    USHORT cb;
    std::memcpy(&cb, p, sizeof cb);
    if (cb == 0) break;
    sizes.push_back(cb);
    p += cb;
  }
  // Root "C:\" and the names "a" and "bc": count, kind byte, characters and terminator.
  EXPECT_EQ(sizes, (std::vector<USHORT>{2 + 1 + 8, 2 + 1 + 4, 2 + 1 + 6}));
  EXPECT_EQ(ILGetSize(list.get()), 11u + 7u + 9u + 2u);
}

TEST(ItemIdList, PathLongerThanTheBufferIsRefusedWithEmptyText) {
  std::u16string longPath = u"C:\\" + std::u16string(MAX_PATH, u'x');
  List list(Platform::CreateItemIdList(longPath));
  ASSERT_NE(list, nullptr);
  WCHAR buf[MAX_PATH] = u"junk";
  EXPECT_FALSE(SHGetPathFromIDListW(list.get(), buf));
  EXPECT_EQ(buf[0], 0);
  std::u16string full;
  EXPECT_TRUE(Platform::ItemIdListPath(list.get(), &full));
  EXPECT_EQ(full, longPath);
}

TEST(ItemIdList, ForeignOrNullListsAreNotPaths) {
  WCHAR buf[MAX_PATH] = u"junk";
  EXPECT_FALSE(SHGetPathFromIDListW(nullptr, buf));
  // An item whose text is not terminated is not one of ours.
  BYTE foreign[] = {6, 0, 0x2F, 'C', 0, ':', 0, 0};
  EXPECT_FALSE(SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(foreign), buf));
  EXPECT_EQ(buf[0], 0);
  // A root item must come first.
  BYTE nameFirst[] = {7, 0, 0x31, 'a', 0, 0, 0, 0, 0};
  EXPECT_FALSE(SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(nameFirst), buf));
  EXPECT_EQ(ILGetSize(nullptr), 0u);
}

TEST(TaskMemory, ZeroSizedAllocationsAreRealAndNullFreesAreHarmless) {
  void* p = CoTaskMemAlloc(0);
  EXPECT_NE(p, nullptr);
  CoTaskMemFree(p);
  CoTaskMemFree(nullptr);
  ILFree(nullptr);
}

}  // namespace
