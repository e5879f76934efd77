#include "host/documentfile/document_storage.h"

#include "core/com_ptr.h"
#include "core/storage_bin_streams.h"
#include "core/string_record.h"
#include "core/xquor.h"
#include "host/document/host_words.h"
#include "host/documentfile/document_file_error.h"
#include "host/documentfile/document_file_layout.h"
#include "host/documentfile/persist_messages_stream.h"
#include "host/documentfile/recording_stream.h"
#include "host/framework/dll_get_class_object.h"
#include "host/framework/host_text.h"
#include "host/recording/recording_error.h"
#include "host/recording/recording_file.h"
#include "platform/pendrel/child_data.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/framework_services.h"
#include "platform/win32/global_memory.h"

namespace PendrelHost {

namespace {

using namespace DocumentFile;
using Quor::ComPtr;
using Quor::ComPtrOut;

constexpr DWORD kCreateMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE;
constexpr DWORD kReadMode = STGM_READ | STGM_SHARE_EXCLUSIVE;

[[noreturn]] void Unwritable(const std::string& what) {
  throw DocumentFileError("the document could not be written: " + what);
}

// A new element of `storage`, made by `create` (CreateStream or CreateStorage).
template <class I>
ComPtr<I> NewElement(IStorage* storage, const std::u16string& name,
                     HRESULT (IStorage::*create)(const OLECHAR*, DWORD, DWORD, DWORD, I**)) {
  ComPtr<I> element;
  const HRESULT created =
      (storage->*create)(name.c_str(), kCreateMode, 0, 0, ComPtrOut<I>::Bind(element));
  if (FAILED(created) || !element) Unwritable("no room for " + Tarn::Utf8(name));
  return element;
}

ComPtr<IStream> NewStream(IStorage* storage, const std::u16string& name) {
  return NewElement<IStream>(storage, name, &IStorage::CreateStream);
}

ComPtr<IStorage> NewStorage(IStorage* storage, const std::u16string& name) {
  return NewElement<IStorage>(storage, name, &IStorage::CreateStorage);
}

ComPtr<IStream> ExistingStream(IStorage* storage, const std::u16string& name) {
  ComPtr<IStream> stream;
  if (storage) {
    storage->OpenStream(name.c_str(), nullptr, kReadMode, 0, ComPtrOut<IStream>::Bind(stream));
  }
  return stream;
}

ComPtr<IStorage> ExistingStorage(IStorage* storage, const std::u16string& name) {
  ComPtr<IStorage> child;
  if (storage) {
    storage->OpenStorage(name.c_str(), nullptr, kReadMode, nullptr, 0,
                         ComPtrOut<IStorage>::Bind(child));
  }
  return child;
}

template <class I>
ComPtr<I> FrameworkFace() {
  ComPtr<I> face;
  DllGetClassObject(CLSID_TarnFrameWork, I::iid, ComPtrOut<I>::Bind(face));
  return face;
}

// The registered class of child data of a type word, when it can make such data again.
ComPtr<ITarnClassObject> ChildDataClassOf(DWORD type) {
  ComPtr<ITarnClassObject> found;
  if (auto registry = FrameworkFace<ITarnClassRegistry>()) {
    registry->FindClassObject(type, ComPtrOut<ITarnClassObject>::Bind(found));
  }
  ComPtr<IPendrelChildDataClass> maker;
  if (found) found->QueryInterface(IPendrelChildDataClass::iid,
                                   ComPtrOut<IPendrelChildDataClass>::Bind(maker));
  return maker ? found : ComPtr<ITarnClassObject>();
}

std::u16string ClassName(ITarnClassObject* classObject) {
  IQuorString* name = nullptr;
  classObject->GetClassName(&name);
  Tarn::HeldReference<IQuorString> held(name);
  return Tarn::TextOf(name);
}

// ---- Writing --------------------------------------------------------------------------------

void WriteHeader(const HostedDocument& document, IStorage* root) {
  ComPtr<IStream> stream = NewStream(root, kDocumentStream);
  Quor::StorageBinOStreamLite out(stream.Get());
  out.WriteInt32(LONG(kMark));
  out.WriteInt32(kFormatVersion);
  const bool inFile = !document.RecordingFile().empty();
  out.WriteInt32(inFile ? kRecordingInFile : kRecordingInDocument);
  if (inFile) Quor::WriteString(out, Quor::String(document.RecordingFile().string()));
  if (FAILED(out.Close())) Unwritable("its header");
  if (!inFile) WriteRecording(document.Data().Source(), NewStream(root, kRecordingStream).Get());
}

void WriteModules(const HostedDocument& document, IStorage* root) {
  ComPtr<IStorage> modules = NewStorage(root, kModulesStorage);
  for (const HostedModule& module : document.Modules()) {
    ComPtr<IStorage> storage = NewStorage(modules.Get(), ElementName(module.className));
    const auto parts = PersistentParts(module.document.get());
    for (DWORD part = 0; part < parts.size(); ++part) {
      ComPtr<IStream> stream = NewStream(storage.Get(), PartStreamName(part));
      if (FAILED(parts[part]->Save(stream.Get(), FALSE))) {
        Unwritable("part " + std::to_string(part) + " of " + Tarn::Utf8(module.className));
      }
    }
  }
}

// The child data that can store itself and be made again, with the name of its class.
struct StoredChildData {
  std::u16string className;
  ComPtr<IPersistStreamInit> object;
};

std::vector<StoredChildData> StorableChildData(DataDocument& data) {
  DWORD types[64] = {}, count = 0;
  data.GetChildDataTypes(64, types, &count);
  std::vector<StoredChildData> stored;
  for (DWORD i = 0; i < std::min<DWORD>(count, 64); ++i) {
    ComPtr<ITarnClassObject> maker = ChildDataClassOf(types[i]);
    ComPtr<IPendrelDataChildData> object;
    data.GetChildData(types[i], ComPtrOut<IPendrelDataChildData>::Bind(object));
    ComPtr<IPersistStreamInit> persist;
    if (object) object->QueryInterface(IPersistStreamInit::iid,
                                       ComPtrOut<IPersistStreamInit>::Bind(persist));
    if (maker && persist) stored.push_back({ClassName(maker.Get()), persist});
  }
  return stored;
}

void WriteChildData(const HostedDocument& document, IStorage* root) {
  ComPtr<IStorage> storage = NewStorage(root, kChildDataStorage);
  const std::vector<StoredChildData> items = StorableChildData(document.Data());
  ComPtr<IStream> index = NewStream(storage.Get(), kIndexStream);
  Quor::StorageBinOStreamLite out(index.Get());
  out.WriteInt32(LONG(items.size()));
  for (const StoredChildData& item : items) Quor::WriteString(out, Quor::String(item.className));
  if (FAILED(out.Close())) Unwritable("the index of its child data");
  for (DWORD i = 0; i < items.size(); ++i) {
    ComPtr<IStream> stream = NewStream(storage.Get(), ItemStreamName(i));
    if (FAILED(items[i].object->Save(stream.Get(), FALSE))) {
      Unwritable("the child data " + Tarn::Utf8(items[i].className));
    }
  }
}

void WritePlotRanges(const HostedDocument& document, IStorage* root) {
  const PlotRanges& ranges = document.Data().PlotRangesKept().Ranges();
  ComPtr<IStream> stream = NewStream(root, kPlotRangesStream);
  Quor::StorageBinOStreamLite out(stream.Get());
  out.WriteInt32(LONG(ranges.size()));
  for (const auto& [key, range] : ranges) {
    Quor::WriteString(out, Quor::String(key.first));
    out.WriteInt32(LONG(key.second));
    out.WriteDouble(range.min);
    out.WriteDouble(range.max);
  }
  if (FAILED(out.Close())) Unwritable("the ranges of its plots");
}

void WritePersistMessages(const HostedDocument& document, IStorage* root) {
  ComPtr<IStream> stream = NewStream(root, kPersistMessagesStream);
  if (!PendrelHost::WritePersistMessages(document.Data().PersistMessages(), stream.Get())) {
    Unwritable("the state its modules keep with it");
  }
}

// ---- Reading --------------------------------------------------------------------------------

[[noreturn]] void NotADocument(const std::string& why) {
  throw DocumentFileError("the file is not a document the host can open: " + why);
}

Recording ReadHeaderAndRecording(IStorage* root, std::filesystem::path* recordingFile) {
  ComPtr<IStream> stream = ExistingStream(root, kDocumentStream);
  if (!stream) NotADocument("it has no document header");
  LONG mark = 0, version = 0, place = 0;
  Quor::String path;
  try {
    Quor::StorageBinIStreamLite in(stream.Get());
    in.ReadInt32(&mark);
    in.ReadInt32(&version);
    if (!in.Good()) NotADocument("its header ends early");
    if (DWORD(mark) != kMark) NotADocument("its header does not mark a document");
    // A newer format may lay out the rest of its header otherwise: it is not read.
    if (version != kFormatVersion) {
      throw DocumentFileError("the document was written by a newer version of the host");
    }
    in.ReadInt32(&place);
    if (in.Good() && place == kRecordingInFile) Quor::ReadString(in, path);
    if (!in.Good()) NotADocument("its header ends early");
  } catch (const XQuor&) {
    NotADocument("its header is damaged");
  }
  if (place == kRecordingInDocument) {
    ComPtr<IStream> recording = ExistingStream(root, kRecordingStream);
    if (!recording) NotADocument("the recording it keeps is missing");
    return ReadRecording(recording.Get());
  }
  if (place != kRecordingInFile) NotADocument("it does not say where its recording is");
  *recordingFile = std::filesystem::path(path.ToUtf8String());
  try {
    return LoadRecordingFile(*recordingFile);
  } catch (const RecordingError& error) {
    throw DocumentFileError(std::string("the document's recording cannot be read: ") +
                            error.what());
  }
}

std::string PartProblem(HRESULT hr) {
  if (hr == kXQuorNewerVersion) return "was written by a newer version";
  if (hr == kXQuorDataTruncated) return "ends too early";
  return "is damaged";
}

void ReadModules(HostedDocument& document, IStorage* root, std::vector<std::string>& problems) {
  ComPtr<IStorage> modules = ExistingStorage(root, kModulesStorage);
  for (const HostedModule& module : document.Modules()) {
    const std::string name = Tarn::Utf8(module.className);
    ComPtr<IStorage> storage = ExistingStorage(modules.Get(), ElementName(module.className));
    if (!storage) problems.push_back("The document holds nothing of " + name + ": it starts new.");
    const auto parts = PersistentParts(module.document.get());
    for (DWORD part = 0; part < parts.size(); ++part) {
      ComPtr<IStream> stream = ExistingStream(storage.Get(), PartStreamName(part));
      const HRESULT loaded = stream ? parts[part]->Load(stream.Get()) : S_FALSE;
      if (loaded == S_OK) continue;
      parts[part]->InitNew();
      if (!storage) continue;
      problems.push_back("Part " + std::to_string(part) + " of " + name + " " +
                         (stream ? PartProblem(loaded) : std::string("is missing")) +
                         ": it starts new.");
    }
  }
}

std::vector<std::u16string> ReadChildDataIndex(IStorage* storage) {
  std::vector<std::u16string> names;
  ComPtr<IStream> index = ExistingStream(storage, kIndexStream);
  if (!index) return names;
  try {
    Quor::StorageBinIStreamLite in(index.Get());
    DWORD count = 0;
    in.ReadUInt32(&count);
    for (DWORD i = 0; i < count && in.Good(); ++i) {
      Quor::String name;
      Quor::ReadString(in, name);
      if (in.Good()) names.push_back(name.ToStdWString());
    }
  } catch (const XQuor&) {
  }
  return names;
}

void ReadChildData(HostedDocument& document, IStorage* root, std::vector<std::string>& problems) {
  ComPtr<IStorage> storage = ExistingStorage(root, kChildDataStorage);
  const std::vector<std::u16string> names = ReadChildDataIndex(storage.Get());
  auto ids = FrameworkFace<ITarnIdRegistry>();
  for (DWORD i = 0; i < names.size(); ++i) {
    const std::string name = Tarn::Utf8(names[i]);
    DWORD type = 0;
    IQuorString* text = Quor::String(names[i]).GetInterface();
    if (ids) ids->GetTypeWordOfName(text, &type);
    text->Release();
    ComPtr<ITarnClassObject> classObject;
    if (type) classObject = ChildDataClassOf(type);
    ComPtr<IPendrelChildDataClass> maker;
    if (classObject) classObject->QueryInterface(IPendrelChildDataClass::iid,
                                                 ComPtrOut<IPendrelChildDataClass>::Bind(maker));
    ComPtr<IPendrelDataChildData> data;
    if (maker) maker->CreateChildData(ComPtrOut<IPendrelDataChildData>::Bind(data));
    ComPtr<IPersistStreamInit> persist;
    if (data) data->QueryInterface(IPersistStreamInit::iid,
                                   ComPtrOut<IPersistStreamInit>::Bind(persist));
    ComPtr<IStream> stream = ExistingStream(storage.Get(), ItemStreamName(i));
    const HRESULT loaded = persist && stream ? persist->Load(stream.Get()) : E_FAIL;
    if (loaded != S_OK) {
      problems.push_back("The stored " + name + " " +
                         (!persist ? std::string("has no class to read it") : PartProblem(loaded)) +
                         ": it is left out.");
      continue;
    }
    document.Data().SetChildData(type, data.Get());
  }
}
// Ranges that cannot be read, or that no plot could have stored, are left out.
void ReadPlotRanges(HostedDocument& document, IStorage* root, std::vector<std::string>& problems) {
  ComPtr<IStream> stream = ExistingStream(root, kPlotRangesStream);
  if (!stream) return;
  try {
    Quor::StorageBinIStreamLite in(stream.Get());
    DWORD count = 0;
    in.ReadUInt32(&count);
    for (DWORD i = 0; i < count && in.Good(); ++i) {
      Quor::String plotId;
      Quor::ReadString(in, plotId);
      DWORD axis = 0;
      PlotRange range;
      in.ReadUInt32(&axis);
      in.ReadDouble(&range.min);
      in.ReadDouble(&range.max);
      if (in.Good()) document.Data().PlotRangesKept().Restore({plotId.ToStdWString(), axis}, range);
    }
    if (!in.Good()) problems.push_back("The ranges of the plots could not all be read.");
  } catch (const XQuor&) {
    problems.push_back("The ranges of the plots could not all be read.");
  }
}

void ReadPersistMessages(HostedDocument& document, IStorage* root,
                         std::vector<std::string>& problems) {
  ComPtr<IStream> stream = ExistingStream(root, kPersistMessagesStream);
  if (stream && !PendrelHost::ReadPersistMessages(stream.Get(), document.Data().PersistMessages())) {
    problems.push_back("The state the modules keep with the document could not all be read.");
  }
}

}  // namespace

void WriteDocument(const HostedDocument& document, IStorage* root) {
  if (!root) Unwritable("there is no file to write to");
  try {
    WriteHeader(document, root);
    WriteModules(document, root);
    WriteChildData(document, root);
    WritePlotRanges(document, root);
    WritePersistMessages(document, root);
  } catch (const XQuor&) {
    Unwritable("a part could not be stored");
  }
  if (FAILED(root->Commit(STGC_DEFAULT))) Unwritable("the file could not take it");
}

void MarkSaved(const HostedDocument& document) {
  // The parts know no other way to hear that they were saved than saving once more with the
  // flag that clears: into memory, which is let go.
  auto saveIntoMemory = [](IPersistStreamInit* part) {
    ComPtr<IStream> scratch;
    CreateStreamOnHGlobal(nullptr, TRUE, ComPtrOut<IStream>::Bind(scratch));
    if (scratch) part->Save(scratch.Get(), TRUE);
  };
  for (const HostedModule& module : document.Modules()) {
    for (const auto& part : PersistentParts(module.document.get())) saveIntoMemory(part.get());
  }
  for (const StoredChildData& item : StorableChildData(document.Data())) {
    saveIntoMemory(item.object.Get());
  }
  document.Data().SetModified(false);
}

OpenedDocument ReadDocument(IStorage* root) {
  if (!root) NotADocument("it cannot be read");
  std::filesystem::path recordingFile;
  Recording recording = ReadHeaderAndRecording(root, &recordingFile);
  OpenedDocument opened;
  opened.document = std::make_unique<HostedDocument>(OpenDocument(std::move(recording)));
  opened.document->SetRecordingFile(recordingFile);
  ReadModules(*opened.document, root, opened.problems);
  ReadChildData(*opened.document, root, opened.problems);
  ReadPlotRanges(*opened.document, root, opened.problems);
  ReadPersistMessages(*opened.document, root, opened.problems);
  opened.document->AnnounceAttached();
  opened.document->Data().SetModified(false);
  return opened;
}

}  // namespace PendrelHost
