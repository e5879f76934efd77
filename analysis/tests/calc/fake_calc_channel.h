// A host channel object for channel calculations without a host: it answers the channels it is
// told of, makes plain outputs and keeps what the calculation committed.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "core/quor_string.h"
#include "platform/pendrel/channel_calc.h"
#include "platform/win32/com_object.h"

namespace CalcTest {

struct Committed {
  std::string formula;
  std::string unit;
  PendrelOutputScaling scaling;
  DWORD flags;
  DWORD settingLow, settingHigh;
};

class FakeOutput final : public SimpleUnknownImp2<IPendrelCalcOutput, IPendrelFormulaOutput, 1> {
 public:
  FakeOutput(PendrelOutputScaling scaling, std::string unit) : scaling(scaling), unit(std::move(unit)) {}
  HRESULT SetSource(DWORD present, DWORD channel, DWORD) override {
    source = present ? std::optional<DWORD>(channel) : std::nullopt;
    return S_OK;
  }
  HRESULT SetFormula(IQuorString* text) override {
    formula = Quor::String(text).ToUtf8String();
    return S_OK;
  }
  HRESULT GetFormula(IQuorString** text) override {
    *text = Quor::String(formula).GetInterface();
    return S_OK;
  }
  HRESULT GetUnit(IQuorString** text) override {
    *text = Quor::String(unit).GetInterface();
    return S_OK;
  }
  HRESULT GetScaling(PendrelOutputScaling* out) override {
    *out = scaling;
    return S_OK;
  }

  PendrelOutputScaling scaling;
  std::string unit;
  std::string formula;
  std::optional<DWORD> source;
};

class FakeCalcChannel final : public NoDeleteUnknownImpBase<IPendrelCalcChannel> {
 public:
  HRESULT GetDataObject(IUnknown** data) override {
    *data = nullptr;
    return S_FALSE;
  }
  HRESULT SetupOutput(DWORD type, DWORD, LONGLONG) override {
    outputType = type;
    ++setups;
    return S_OK;
  }
  HRESULT CreateOutput(const PendrelOutputScaling* scaling, IQuorString* unit,
                       IPendrelCalcOutput** output) override {
    *output = new FakeOutput(*scaling, Quor::String(unit).ToUtf8String());
    return S_OK;
  }
  HRESULT FindChannel(IQuorString* name, DWORD* channel) override {
    const auto found = channels.find(Quor::String(name).ToUtf8String());
    *channel = found == channels.end() ? 0x80000000 : found->second;
    return found == channels.end() ? S_FALSE : S_OK;
  }
  HRESULT Commit(DWORD low, DWORD high, DWORD flags, IPendrelFormulaOutput* output) override {
    Committed c{};
    IQuorString* text = nullptr;
    output->GetFormula(&text);
    c.formula = Quor::String().Adopt(text).ToUtf8String();
    output->GetUnit(&text);
    c.unit = Quor::String().Adopt(text).ToUtf8String();
    output->GetScaling(&c.scaling);
    c.flags = flags;
    c.settingLow = low;
    c.settingHigh = high;
    committed = c;
    return S_OK;
  }
  HRESULT PrepareData(DWORD, DWORD, DWORD) override { return S_OK; }

  std::map<std::string, DWORD> channels;
  std::optional<Committed> committed;
  DWORD outputType = 0;
  int setups = 0;
};

}  // namespace CalcTest
