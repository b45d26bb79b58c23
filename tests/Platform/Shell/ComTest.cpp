#include <gtest/gtest.h>

#include <thread>

#include "Platform/Win32.h"

namespace {

TEST(ComApartment, InitialisationIsCountedPerThread) {
  EXPECT_EQ(S_OK, CoInitialize(nullptr));
  EXPECT_EQ(S_FALSE, CoInitialize(nullptr));
  EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  // Another model on the same thread is refused and not counted.
  EXPECT_EQ(RPC_E_CHANGED_MODE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  std::thread other([] {
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    CoUninitialize();
  });
  other.join();
  for (int i = 0; i < 3; ++i) CoUninitialize();
  // Balanced: the next call starts afresh, also in the other model.
  EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  CoUninitialize();
  CoUninitialize();  // one too many does no harm
  EXPECT_EQ(S_OK, CoInitialize(nullptr));
  CoUninitialize();
  int reserved = 0;
  EXPECT_EQ(E_INVALIDARG, CoInitialize(&reserved));
}

TEST(ComApartment, ObjectsNeedAnInitialisedThreadOrAProcessWideApartment) {
  IUnknown* object = nullptr;
  EXPECT_EQ(CO_E_NOTINITIALIZED, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IUnknown, reinterpret_cast<void**>(&object)));
  EXPECT_EQ(object, nullptr);
  // A thread that holds the multithreaded apartment makes objects available everywhere.
  std::thread holder([&] {
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    std::thread user([&] {
      EXPECT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                       reinterpret_cast<void**>(&object)));
    });
    user.join();
    CoUninitialize();
  });
  holder.join();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(0u, object->Release());
}

class ComObjects : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(ComObjects, ShellLinkAnswersItsInterfacesWithOneIdentity) {
  IShellLinkW* link = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)));
  IPersistFile* file = nullptr;
  ASSERT_EQ(S_OK, link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
  IUnknown *fromLink = nullptr, *fromFile = nullptr;
  ASSERT_EQ(S_OK, link->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromLink)));
  ASSERT_EQ(S_OK, file->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromFile)));
  EXPECT_EQ(fromLink, fromFile);
  IShellLinkW* back = nullptr;
  ASSERT_EQ(S_OK, file->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(&back)));
  EXPECT_EQ(back, link);
  CLSID clsid{};
  EXPECT_EQ(S_OK, file->GetClassID(&clsid));
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_ShellLink));

  const IID unknownIid = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, link->QueryInterface(unknownIid, &none));
  EXPECT_EQ(none, nullptr);

  // Five references are out: the creation, the three answers above and back.
  for (IUnknown* p :
       {static_cast<IUnknown*>(back), fromFile, fromLink, static_cast<IUnknown*>(file)})
    p->Release();
  EXPECT_EQ(2u, link->AddRef());
  EXPECT_EQ(1u, link->Release());
  EXPECT_EQ(0u, link->Release());
}

TEST_F(ComObjects, UnknownClassesContextsAndAggregationAreRefused) {
  void* object = reinterpret_cast<void*>(1);
  const CLSID other = {0x00021400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  EXPECT_EQ(REGDB_E_CLASSNOTREG,
            CoCreateInstance(other, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(REGDB_E_CLASSNOTREG,
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object));
  IUnknown* outer = reinterpret_cast<IUnknown*>(&object);
  EXPECT_EQ(CLASS_E_NOAGGREGATION,
            CoCreateInstance(CLSID_ShellLink, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
  EXPECT_EQ(E_POINTER, CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IUnknown, nullptr));
  const IID unknownIid = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
  EXPECT_EQ(E_NOINTERFACE,
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_ALL, unknownIid, &object));
  EXPECT_EQ(object, nullptr);
}

}  // namespace
