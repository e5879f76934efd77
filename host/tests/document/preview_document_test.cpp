// What the data document gives a trace preview: itself or a new document to sample into (which
// keeps the scratch storage it is handed, alone), its display channel count, its preferences
// by the shared service's keys, and its device list.
#include "host/tests/document/document_test_support.h"

#include <filesystem>

#include "core/storage/create_temp_storage.h"
#include "host/tests/document/test_recordings.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/device_sampling.h"
#include "platform/pendrel/document_provider.h"
#include "platform/pendrel/preview_document.h"

namespace DocumentTest {
namespace {

using PreviewDocument = HostTest;

HeldReference<IUnknown> Provided(IUnknown* document, DWORD flags) {
  IUnknown* provided = nullptr;
  EXPECT_EQ(Face<IPendrelDocumentProvider>(document)->GetDocument(flags, &provided), S_OK);
  return HeldReference<IUnknown>(provided);
}

TEST_F(PreviewDocument, ProvidesItselfOrANewEmptyDocumentLaidOutAsIt) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto shown = Provided(document.get(), kProvideShownDocument);
  EXPECT_EQ(PendrelHost::AsDataDocument(shown.get()), PendrelHost::AsDataDocument(document.get()));

  auto fresh = Provided(document.get(), kProvideNewDocument);
  const PendrelHost::DataDocument* scratch = PendrelHost::AsDataDocument(fresh.get());
  ASSERT_NE(scratch, nullptr);
  EXPECT_NE(scratch, PendrelHost::AsDataDocument(document.get()));
  EXPECT_EQ(scratch->Source().RecordCount(), 0u);
  EXPECT_EQ(scratch->Source().ChannelCount(), 2u);
  EXPECT_EQ(scratch->Source().SampleRate(), SmallRecording().SampleRate());
  EXPECT_TRUE(Face<IPendrelSamplingSink>(fresh.get()));  // the sampling target

  IUnknown* other = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(Face<IPendrelDocumentProvider>(document.get())->GetDocument(0x40000000, &other),
            E_INVALIDARG);
  EXPECT_EQ(other, nullptr);
}

TEST_F(PreviewDocument, AScratchStorageLivesAsLongAsTheDocumentThatKeepsIt) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto scratch = Provided(document.get(), kProvideNewDocument);
  Quor::String fileName;
  IStorage* storage = nullptr;
  ASSERT_EQ(CreateTempStorage(fileName, &storage), S_OK);
  const std::filesystem::path path = fileName.ToUtf8String();
  ASSERT_EQ(Face<IPendrelDocumentStorage>(scratch.get())->SetStorage(0, storage), S_OK);
  storage->Release();  // the giver lets go
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(PendrelHost::AsDataDocument(scratch.get())->Storage(), storage);
  scratch.reset();
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(PreviewDocument, TellsItsChannelCountOnlyOnceSet) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto preview = Face<IPendrelPreviewDocument>(document.get());
  LONG count = -7;
  EXPECT_EQ(preview->GetDisplayChannelCount(&count), S_FALSE);
  EXPECT_EQ(count, -7);
  PendrelHost::AsDataDocument(document.get())->SetDisplayChannelCount(3);
  EXPECT_EQ(preview->GetDisplayChannelCount(&count), S_OK);
  EXPECT_EQ(count, 3);
}

TEST_F(PreviewDocument, PreferencesHaveFixedDefaultsReadByTheSharedServicesKeys) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto preview = Face<IPendrelPreviewDocument>(document.get());
  IPendrelPreferenceStore* got = nullptr;
  ASSERT_EQ(preview->GetPreferenceStore(&got), S_OK);
  HeldReference<IPendrelPreferenceStore> store(got);
  auto key = [](DWORD preference) {
    IMessage* message = nullptr;
    EXPECT_EQ(GetTarnSharedService()->CreateKeyMessage(preference, 0, 0, &message), S_OK);
    return HeldReference<IMessage>(message);
  };
  LONG colour = -1, flag = -1;
  DWORD value = 99;
  EXPECT_EQ(store->ReadInteger(key(kPreviewGridColourPreference).get(), &colour), S_OK);
  EXPECT_EQ(store->ReadValue(key(kPreviewDisplayValuePreference).get(), &value), S_OK);
  EXPECT_EQ(store->ReadInteger(key(kPreviewGridFlagPreference).get(), &flag), S_OK);
  EXPECT_EQ(colour, 0);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(store->ReadInteger(key(0x800C0001).get(), &flag), E_INVALIDARG);

  PendrelHost::AsDataDocument(document.get())->Preferences()->Set(kPreviewGridFlagPreference, 0);
  EXPECT_EQ(store->ReadInteger(key(kPreviewGridFlagPreference).get(), &flag), S_OK);
  EXPECT_EQ(flag, 0);

  PendrelHost::AsDataDocument(document.get())->RemovePreferences();
  got = reinterpret_cast<IPendrelPreferenceStore*>(1);
  EXPECT_EQ(preview->GetPreferenceStore(&got), S_FALSE);
  EXPECT_EQ(got, nullptr);
}

TEST_F(PreviewDocument, TheDeviceListTellsItsBusyWordCountAndDevices) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto* host = PendrelHost::AsDataDocument(document.get());
  auto preview = Face<IPendrelPreviewDocument>(document.get());
  IPendrelSamplingDeviceList* got = nullptr;
  ASSERT_EQ(preview->GetSamplingDevices(&got), S_OK);
  HeldReference<IPendrelSamplingDeviceList> list(got);
  WORD busy = 1;
  LONG count = -1;
  EXPECT_EQ(list->GetBusyWord(&busy), S_OK);
  EXPECT_EQ(list->GetCount(&count), S_OK);
  EXPECT_EQ(busy, 0);
  EXPECT_EQ(count, 0);
  IPendrelSamplingDevice* device = reinterpret_cast<IPendrelSamplingDevice*>(1);
  EXPECT_EQ(list->GetDevice(0, &device), E_INVALIDARG);
  EXPECT_EQ(device, nullptr);

  host->Devices()->SetBusyWord(0x8000);
  EXPECT_EQ(list->GetBusyWord(&busy), S_OK);
  EXPECT_EQ(busy, 0x8000);

  host->RemoveDevices();
  got = reinterpret_cast<IPendrelSamplingDeviceList*>(1);
  EXPECT_EQ(preview->GetSamplingDevices(&got), S_FALSE);
  EXPECT_EQ(got, nullptr);
}

}  // namespace
}  // namespace DocumentTest
