// The objects extensions attach to a document: one per type word, each held once.
#include <gtest/gtest.h>

#include "host/tests/document/document_test_support.h"
#include "host/tests/document/test_recordings.h"

namespace DocumentTest {
namespace {

ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

using ChildData = HostTest;

TEST_F(ChildData, IsKeptByTypeWithOneReferenceEach) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto container = Face<IPendrelChildDataContainer>(document.get());
  HeldReference<IPendrelDataChildData> first(new ProbeChildData), second(new ProbeChildData);
  IPendrelDataChildData* found = first.get();
  EXPECT_EQ(container->GetChildData(0x01230002, &found), S_FALSE);
  EXPECT_EQ(found, nullptr);

  EXPECT_EQ(container->SetChildData(0x01230002, first.get()), S_OK);
  EXPECT_EQ(container->SetChildData(0x01230003, second.get()), S_OK);
  EXPECT_EQ(References(first.get()), 2u);
  EXPECT_EQ(container->GetChildData(0x01230002, &found), S_OK);
  EXPECT_EQ(HeldReference<IPendrelDataChildData>(found).get(), first.get());

  // Another object of a type takes the place of the one there.
  EXPECT_EQ(container->SetChildData(0x01230002, second.get()), S_OK);
  EXPECT_EQ(References(first.get()), 1u);
  EXPECT_EQ(References(second.get()), 3u);
  EXPECT_EQ(container->SetChildData(0x01230002, nullptr), S_OK);
  EXPECT_EQ(container->SetChildData(0x01230002, nullptr), S_FALSE);
  EXPECT_EQ(container->GetChildData(0x01230002, &found), S_FALSE);
  EXPECT_EQ(container->GetChildData(0x01230003, nullptr), E_POINTER);

  // The document gives back what it held when it goes.
  container.reset();
  document.reset();
  EXPECT_EQ(References(second.get()), 1u);
}

}  // namespace
}  // namespace DocumentTest
