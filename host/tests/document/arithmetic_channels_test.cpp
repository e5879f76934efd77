// Computed channels by name: adding, finding and deleting them, the names the host chooses, the
// held flags that stop deletion, and the event links shown on channels.
#include <gtest/gtest.h>

#include "host/tests/document/document_test_support.h"
#include "host/tests/document/test_recordings.h"

namespace DocumentTest {
namespace {

constexpr PendrelEventLink MarksOf(DWORD marker) { return {marker, 4, kMarkerLinkType, 0}; }

class ArithmeticChannels : public HostTest {
 protected:
  // The channel's reference and the name the host gave it.
  std::pair<PendrelChannelRef, std::u16string> Add(const std::u16string& name,
                                                   HRESULT expected = S_OK) {
    IQuorString* actual = nullptr;
    PendrelChannelRef channel = kNoChannel;
    EXPECT_EQ(service->AddChannel(0, VARIANT_FALSE, Text(name).get(), &actual, &channel), expected)
        << Tarn::Utf8(name);
    return {channel, Adopt(actual)};
  }
  PendrelChannelRef Find(const std::u16string& name, HRESULT expected) {
    PendrelChannelRef channel{1, 1};
    EXPECT_EQ(service->FindChannel(0, Text(name).get(), &channel), expected) << Tarn::Utf8(name);
    return channel;
  }
  HRESULT AddLink(DWORD target, DWORD marker) {
    const PendrelEventLink link = MarksOf(marker);
    return service->AddEventLink(0, target, 0xC0000000, &link);
  }
  HRESULT RemoveLink(DWORD target, DWORD marker) {
    const PendrelEventLink link = MarksOf(marker);
    return service->RemoveEventLink(0, target, 0xC0000000, &link);
  }
  std::u16string NameOf(DWORD index) {
    IQuorString* name = nullptr;
    const HRESULT hr = service->GetChannelName(0, index, 0xC0000000, &name);
    return SUCCEEDED(hr) ? Adopt(name) : u"(none)";
  }

  HeldReference<IUnknown> document = PendrelHost::OpenDocument(SmallRecording());
  HeldReference<IPendrelArithmeticChannels> service =
      Face<IPendrelArithmeticChannels>(document.get());
};

TEST_F(ArithmeticChannels, ComputedChannelsFollowTheRecordingsInOneIndexSpace) {
  EXPECT_EQ(Add(u"Rhyth_vLPF"),
            std::make_pair(PendrelChannelRef{3, 0xC0000000}, std::u16string(u"Rhyth_vLPF")));
  EXPECT_EQ(Add(u"Rhyth_vDIF").first, (PendrelChannelRef{4, 0xC0000000}));
  // Asked again, in any case: the channel that is there.
  EXPECT_EQ(Add(u"RHYTH_VLPF", S_FALSE),
            std::make_pair(PendrelChannelRef{3, 0xC0000000}, std::u16string(u"Rhyth_vLPF")));

  const struct {
    std::u16string name;
    PendrelChannelRef channel;
    HRESULT found;
  } names[] = {
      {u"ECG", {0, 0xC0000000}, S_OK},   {u"resp", {1, 0xC0000000}, S_OK},
      {u"Marks", {2, 0xC0000000}, S_OK}, {u"rhyth_vdif", {4, 0xC0000000}, S_OK},
      {u"Nothing", kNoChannel, S_FALSE}, {u"", kNoChannel, S_FALSE},
  };
  for (const auto& name : names)
    EXPECT_EQ(Find(name.name, name.found), name.channel) << Tarn::Utf8(name.name);
  for (DWORD index = 0; index < 6; ++index) {
    const char16_t* expected[] = {u"ECG",        u"Resp",       u"Marks",
                                  u"Rhyth_vLPF", u"Rhyth_vDIF", u"(none)"};
    EXPECT_EQ(NameOf(index), expected[index]) << index;
  }

  // A deleted channel's index is never given to another: the module may still hold it.
  EXPECT_EQ(service->DeleteChannel(0, Text(u"Rhyth_vLPF").get()), S_OK);
  Find(u"Rhyth_vLPF", S_FALSE);
  EXPECT_EQ(NameOf(3), u"(none)");
  EXPECT_EQ(Add(u"Rhyth_vLPF").first, (PendrelChannelRef{5, 0xC0000000}));
  DWORD count = 0;
  EXPECT_EQ(service->GetChannelCount(0, &count), S_OK);
  EXPECT_EQ(count, 2u);
}

TEST_F(ArithmeticChannels, OnlyARecordingChannelsNameMakesTheHostChooseAnother) {
  EXPECT_EQ(Add(u"ECG"),
            std::make_pair(PendrelChannelRef{3, 0xC0000000}, std::u16string(u"ECG_2")));
  EXPECT_EQ(Add(u"marks").second, u"marks_2");
  EXPECT_EQ(Add(u"ECG_2", S_FALSE).first, (PendrelChannelRef{3, 0xC0000000}));
  Add(u"", E_INVALIDARG);
  PendrelChannelRef channel{};
  EXPECT_EQ(service->AddChannel(0, VARIANT_FALSE, Text(u"A").get(), nullptr, &channel), E_POINTER);
}

TEST_F(ArithmeticChannels, AHeldChannelCannotBeDeletedUntilItIsLetGo) {
  Add(u"Rhyth_vFID");
  VARIANT_BOOL held = VARIANT_TRUE;
  EXPECT_EQ(service->GetHeldFlag(0, Text(u"Rhyth_vFID").get(), &held), S_OK);
  EXPECT_EQ(held, VARIANT_FALSE);
  EXPECT_EQ(service->SetHeldFlag(0, Text(u"Rhyth_vFID").get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(service->SetOwnerText(0, Text(u"rhyth_vfid").get(), Text(u"Rhyth").get()), S_OK);
  EXPECT_EQ(service->GetHeldFlag(0, Text(u"Rhyth_vFID").get(), &held), S_OK);
  EXPECT_EQ(held, VARIANT_TRUE);
  EXPECT_EQ(PendrelHost::AsDataDocument(document.get())->OwnerOf("Rhyth_vFID"), u"Rhyth");

  EXPECT_EQ(service->DeleteChannel(0, Text(u"Rhyth_vFID").get()), E_ACCESSDENIED);
  Find(u"Rhyth_vFID", S_OK);
  EXPECT_EQ(service->SetHeldFlag(0, Text(u"Rhyth_vFID").get(), VARIANT_FALSE), S_OK);
  EXPECT_EQ(service->DeleteChannel(0, Text(u"Rhyth_vFID").get()), S_OK);

  // Only computed channels are held or deleted, and only ones that exist.
  for (const char16_t* name : {u"ECG", u"Marks", u"Rhyth_vFID"}) {
    EXPECT_EQ(service->SetHeldFlag(0, Text(name).get(), VARIANT_TRUE), E_INVALIDARG)
        << Tarn::Utf8(name);
    EXPECT_EQ(service->GetHeldFlag(0, Text(name).get(), &held), E_INVALIDARG) << Tarn::Utf8(name);
    EXPECT_EQ(service->SetOwnerText(0, Text(name).get(), Text(u"x").get()), E_INVALIDARG)
        << Tarn::Utf8(name);
    EXPECT_EQ(service->DeleteChannel(0, Text(name).get()), E_INVALIDARG) << Tarn::Utf8(name);
  }
  Find(u"ECG", S_OK);
}

TEST_F(ArithmeticChannels, EventLinksAreKeptPerTargetAndGoWithTheirChannels) {
  const DWORD beats = Add(u"Beats").first.index;
  const DWORD peaks = Add(u"Peaks").first.index;
  EXPECT_EQ(AddLink(0, beats), S_OK);
  EXPECT_EQ(AddLink(0, beats), S_FALSE);
  EXPECT_EQ(AddLink(0, peaks), S_OK);
  EXPECT_EQ(AddLink(1, peaks), S_OK);
  EXPECT_EQ(AddLink(0, 99), E_INVALIDARG);
  EXPECT_EQ(AddLink(99, beats), E_INVALIDARG);

  const auto links = [&](DWORD target) {
    std::vector<DWORD> markers;
    DWORD count = 0;
    for (DWORD i = 0;; ++i) {
      PendrelEventLink link{};
      const HRESULT hr = service->EnumerateEventLinks(0, target, 0xC0000000, i, &link, &count);
      if (hr != S_OK) {
        EXPECT_EQ(hr, S_FALSE);
        EXPECT_EQ(count, markers.size());
        return markers;
      }
      EXPECT_EQ(link.linkType, kMarkerLinkType);
      markers.push_back(link.markerChannel);
    }
  };
  EXPECT_EQ(links(0), (std::vector<DWORD>{beats, peaks}));
  EXPECT_EQ(links(2), std::vector<DWORD>{});

  EXPECT_EQ(RemoveLink(0, beats), S_OK);
  EXPECT_EQ(RemoveLink(0, beats), S_FALSE);
  EXPECT_EQ(links(0), std::vector<DWORD>{peaks});
  // A deleted channel's events are shown nowhere any more.
  EXPECT_EQ(service->DeleteChannel(0, Text(u"Peaks").get()), S_OK);
  EXPECT_EQ(links(0), std::vector<DWORD>{});
  EXPECT_EQ(links(1), std::vector<DWORD>{});
}

}  // namespace
}  // namespace DocumentTest
