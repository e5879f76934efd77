#include "host/tests/document/reference_maxima_enumerator.h"

#include <algorithm>
#include <cstring>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "core/unit_entry.h"
#include "hostframework/eeh3/eeh3_enumerator.h"
#include "hostframework/eeh3/event_wrapper.h"
#include "hostframework/eeh3/float_ex_wrapper.h"
#include "platform/pendrel/child_data.h"
#include "platform/win32/bstr.h"
#include "platform/win32/com_object.h"

namespace DocumentTest {

namespace {

template <class I>
Quor::ComPtr<I> Query(IUnknown* object) {
  Quor::ComPtr<I> result;
  if (object) object->QueryInterface(I::iid, Quor::ComPtrOut<I>::Bind(result));
  return result;
}

// Whether the document that a source reads has child data of the probe type.
bool ReachesChildData(IUnknown* source) {
  auto link = Query<IPendrelSourceDocument>(source);
  Quor::ComPtr<IUnknown> document;
  if (!link || FAILED(link->GetDocument(Quor::ComPtrOut<IUnknown>::Bind(document)))) return false;
  auto container = Query<IPendrelChildDataContainer>(document.Get());
  Quor::ComPtr<IPendrelDataChildData> data;
  return container &&
         container->GetChildData(kProbeChildDataType,
                                 Quor::ComPtrOut<IPendrelDataChildData>::Bind(data)) == S_OK;
}

// Parameter text: the window's width in seconds, then the limit range.
class ReferenceMaximaParams : public EEH3::ParamsBase {
 public:
  bool Read(std::wistream& in) override {
    return EEH3::ReadOptional(in, width, 0.1) && width > 0 && range.Read(in);
  }
  void Write(std::wostream& out) const override { out << width; }
  HRESULT BuildSources(IUnknown* const* objects, LONG count) override {
    auto signal = Query<IEnumFloatEx>(count > 0 ? objects[0] : nullptr);
    auto reference = Query<IEnumEventEx>(count > 1 ? objects[1] : nullptr);
    AddSource(new EEH3::FloatExWrapper(signal.Get()));
    AddSource(new EEH3::EventWrapper(reference.Get()));
    halfWindow = LONG(width / tickInterval / 2.0 + 0.5);
    childDataSeen = count > 0 && ReachesChildData(objects[0]);
    return S_OK;
  }

  double width = 0.1;
  LONG halfWindow = 0;
  bool childDataSeen = false;
};

class ReferenceMaximaState : public EEH3::StateBase {
 public:
  explicit ReferenceMaximaState(LONG start) : next(start) {}
  LONG NextPosition() const override { return next; }

  LONG next;
  LONG lastTick = -1;  // of the last event given: two references may share a maximum
};

struct Maximum {
  LONG tick = -1;
  float value = 0.0f;
  bool complete = false;  // the window was read to its end, or to the end of the data
};

// The first largest sample of [start, end).
Maximum LargestSample(EEH3::FloatExWrapper& signal, LONG start, LONG end) {
  Maximum found;
  signal.Seek(start);
  while (signal.HasCurrent() && signal.Position() < end) {
    if (found.tick < 0 || signal.Value() > found.value)
      found = {signal.Position(), signal.Value(), false};
    signal.Advance();
  }
  found.complete = signal.Position() >= end || signal.AtEnd();
  return found;
}

struct ReferenceMaxima {
  using Params = ReferenceMaximaParams;
  using State = ReferenceMaximaState;
  using Event = ReferenceMaximum;

  static DWORD EventTypeId() { return 0x7E5A0001; }

  static bool FindNextEvent(State& state, Params& params, Event& event) {
    if (state.IsFinished()) {
      state.next = kRecordEndOffset;
      return false;
    }
    auto* signal = params.SourceAs<EEH3::FloatExWrapper>(0);
    auto* reference = params.SourceAs<EEH3::EventWrapper>(1);
    while (reference->HasCurrent()) {
      const LONG r = reference->Position();
      const LONG start = std::max<LONG>(r - params.halfWindow, 0);
      const Maximum found = LargestSample(*signal, start, r + params.halfWindow + 1);
      // A window the signal has not reached the end of yet is searched again when it has: no
      // event of it lies before its start.
      if (!found.complete) {
        state.next = std::min(start, state.DataLimit());
        return false;
      }
      if (found.tick >= state.DataLimit()) {
        state.next = state.DataLimit();
        return false;
      }
      reference->Advance();
      if (found.tick < 0 || found.tick <= state.lastTick) continue;
      state.lastTick = found.tick;
      state.next = found.tick + 1;
      event = {found.tick, 0.0f, found.value, r, params.childDataSeen ? 1u : 0u, {}};
      return true;
    }
    state.next =
        reference->AtEnd() ? kRecordEndOffset : std::min(reference->Position(), state.DataLimit());
    return false;
  }

  static HRESULT CreateValueUnit(const Params&, IUnitName** unit) {
    Quor::UnitInfo info;
    info.name = u"mV";
    *unit = new Quor::UnitEntry(info);
    (*unit)->AddRef();
    return S_OK;
  }
};

using ReferenceMaximaEnumerator = EEH3::EEH3Enumerator<ReferenceMaxima, 8>;

}  // namespace

class ReferenceMaximaClass final : public NoDeleteUnknownImp2<ICalcEnumClass2, ITarnClassObject> {
 public:
  HRESULT GetTypeId(DWORD* type) override {
    *type = 0x7E5A0000;
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    *category = GUID{};
    return S_OK;
  }
  HRESULT GetName(BSTR* name) override {
    if (!name) return E_POINTER;
    SysFreeString(*name);
    *name = SysAllocString(u"RefMax");
    return S_OK;
  }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }
  HRESULT GetClassName(IQuorString** name) override {
    *name = Quor::String(u"RefMax").GetInterface();
    return S_OK;
  }
  HRESULT GetDescription(IQuorString** description) override {
    *description = Quor::String(u"The largest sample around each reference event").GetInterface();
    return S_OK;
  }
  HRESULT GetEnumTypeId(DWORD* id) override {
    *id = 0;
    return S_OK;
  }
  HRESULT GetReservedWord(DWORD* word) override {
    *word = 0;
    return E_NOTIMPL;
  }
  HRESULT CreateEnum(IAutoQuorString* params, LONG_PTR, ICalcEnum** enumerator) override {
    const Quor::String text(params);
    lastText.assign(text.c_str(), text.Length());
    *enumerator = new ReferenceMaximaEnumerator(this);
    return S_OK;
  }
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* made = new ReferenceMaximaEnumerator(this);
    const HRESULT hr = made->QueryInterface(iid, object);
    made->Release();
    return hr;
  }

  std::u16string lastText;
};

ReferenceMaximaClass& TheReferenceMaximaClass() {
  static auto* classObject = new ReferenceMaximaClass;
  return *classObject;
}

ITarnClassObject* ClassObjectOf(ReferenceMaximaClass& classObject) { return &classObject; }

std::u16string LastCreationText(const ReferenceMaximaClass& classObject) {
  return classObject.lastText;
}

}  // namespace DocumentTest
