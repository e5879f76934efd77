#include "core/resource_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/resources.h"

HMODULE CoreTestResources();

namespace {

using Quor::ResourceStream;

std::string ReadRest(IQuorStreamReader* stream) {
  std::string text;
  char chunk[5];
  DWORD got = 0;
  while (SUCCEEDED(stream->Read(chunk, 1, sizeof chunk, &got)) && got) text.append(chunk, got);
  return text;
}

TEST(ResourceStream, ReadsAndSeeksWithinTheResource) {
  auto* stream = new ResourceStream(u"hello.txt", u"TEXT", CoreTestResources());
  stream->AddRef();
  EXPECT_EQ(stream->IsEnd(), S_FALSE);
  EXPECT_EQ(ReadRest(stream), "Hello, resource.\n");
  EXPECT_EQ(stream->IsEnd(), S_OK);
  DWORD got = 99;
  char c;
  EXPECT_EQ(stream->Read(&c, 1, 1, &got), S_OK);
  EXPECT_EQ(got, 0u);

  DWORD position = 0;
  struct Case {
    LONG offset;
    DWORD origin;
    DWORD position;
  } cases[] = {
      {7, kQuorSeekStart, 7},  {2, kQuorSeekCurrent, 9},  {-3, kQuorSeekEnd, 14},
      {100, kQuorSeekStart, 17}, {-100, kQuorSeekCurrent, 0},  // clamped to both ends
      {-50, kQuorSeekEnd, 0},
  };
  for (const Case& s : cases) {
    ASSERT_EQ(stream->Seek(s.offset, s.origin), S_OK);
    stream->GetPosition(&position);
    EXPECT_EQ(position, s.position) << s.offset << " from " << s.origin;
  }
  stream->Seek(7, kQuorSeekStart);
  EXPECT_EQ(ReadRest(stream), "resource.\n");

  EXPECT_EQ(stream->Seek(0, 3), E_INVALIDARG);
  EXPECT_EQ(stream->Read(&c, 2, 1, &got), E_FAIL);
  EXPECT_EQ(stream->Read(nullptr, 1, 1, &got), E_INVALIDARG);
  EXPECT_EQ(stream->GetPosition(nullptr), E_INVALIDARG);
  stream->Release();
}

TEST(ResourceStream, MissingResourceFailsEveryOperation) {
  auto* stream = new ResourceStream(u"absent.txt", u"TEXT", CoreTestResources());
  stream->AddRef();
  char c;
  DWORD got = 0;
  EXPECT_EQ(stream->Read(&c, 1, 1, &got), E_FAIL);
  EXPECT_EQ(stream->Seek(0, kQuorSeekStart), E_FAIL);
  EXPECT_EQ(stream->GetPosition(&got), E_FAIL);
  EXPECT_EQ(stream->IsEnd(), E_FAIL);
  stream->Release();
}

}  // namespace
