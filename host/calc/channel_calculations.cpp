#include "host/calc/channel_calculations.h"

#include <limits>

#include "core/quor_string.h"
#include "host/channels/channel_error.h"
#include "host/channels/name_compare.h"
#include "host/framework/host_text.h"
#include "host/framework/registered_classes.h"

namespace PendrelHost {

namespace {

std::u16string ClassText(ICalculationClass* calcClass,
                         HRESULT (ICalculationClass::*get)(IQuorString**)) {
  IQuorString* text = nullptr;
  if (FAILED((calcClass->*get)(&text)) || !text) return {};
  Tarn::HeldReference<IQuorString> held(text);
  return Tarn::TextOf(text);
}

Tarn::HeldReference<IUnknown> EditedSettings(ICalculationClass* calcClass, IUnknown* current) {
  IUnknown* edited = nullptr;
  const HRESULT result = calcClass->EditSettings(nullptr, 0, 0, current, &edited);
  Tarn::HeldReference<IUnknown> held(edited);
  if (result != S_OK) return nullptr;
  return held;
}

PendrelChannelRef AddComputedChannel(DataDocument& document, std::string_view name) {
  if (document.Channels().Find(name)) throw ChannelError("a channel named " + std::string(name) + " exists");
  const Quor::String requested = Quor::String::FromUtf8(std::string(name));
  IQuorString* actual = nullptr;
  PendrelChannelRef channel = kNoChannel;
  Tarn::HeldReference<IQuorString> requestedText(requested.GetInterface());
  if (FAILED(document.AddChannel(0, VARIANT_FALSE, requestedText.get(), &actual, &channel)) ||
      channel.IsNone()) {
    throw ChannelError("the channel " + std::string(name) + " could not be added");
  }
  if (actual) actual->Release();
  return channel;
}

}  // namespace

std::vector<CalculationClassEntry> CalculationClasses() {
  std::vector<CalculationClassEntry> entries;
  for (const auto& registered : Tarn::RegisteredClassObjects()) {
    ICalculationClass* calcClass = nullptr;
    if (FAILED(registered->QueryInterface(ICalculationClass::iid,
                                          reinterpret_cast<void**>(&calcClass))))
      continue;
    Tarn::HeldReference<ICalculationClass> held(calcClass);
    entries.push_back({ClassText(calcClass, &ICalculationClass::GetDisplayName),
                       ClassText(calcClass, &ICalculationClass::GetDescription), std::move(held)});
  }
  return entries;
}

Tarn::HeldReference<ICalculationClass> FindCalculationClass(std::string_view displayName) {
  for (CalculationClassEntry& entry : CalculationClasses()) {
    if (SameName(Tarn::Utf8(entry.displayName), displayName)) return std::move(entry.classObject);
  }
  return nullptr;
}

std::optional<std::string> AddCalculatedChannel(DataDocument& document,
                                                ICalculationClass* calcClass,
                                                std::string_view name) {
  if (!calcClass) throw ChannelError("no calculation class");
  const Tarn::HeldReference<IUnknown> settings = EditedSettings(calcClass, nullptr);
  if (!settings) return std::nullopt;
  const PendrelChannelRef channel = AddComputedChannel(document, name);
  Tarn::HeldReference<CalculatedChannel> calculated(
      new CalculatedChannel(document, std::string(name), calcClass));
  IChannelCalc* calculation = nullptr;
  HRESULT result =
      calcClass->CreateCalculation(channel.index, 0, 0, static_cast<IPendrelCalcChannel*>(calculated.get()),
                                   &calculation);
  Tarn::HeldReference<IChannelCalc> heldCalculation(calculation);
  if (SUCCEEDED(result) && calculation) {
    result = document.SetCalculation(channel.index, channel.kind,
                                     static_cast<IPendrelCalculation*>(calculated.get()));
  }
  if (SUCCEEDED(result)) result = calculated->Start(calculation, settings.get());
  if (FAILED(result)) {
    Tarn::HeldReference<IQuorString> text(Quor::String::FromUtf8(std::string(name)).GetInterface());
    document.DeleteChannel(0, text.get());
    throw ChannelError("the calculation of " + std::string(name) + " failed (" +
                       std::to_string(result) + ")");
  }
  return std::string(name);
}

bool EditCalculatedChannel(DataDocument& document, std::string_view name) {
  CalculatedChannel* calculated = FindCalculatedChannel(document, name);
  if (!calculated) throw ChannelError("no calculated channel named " + std::string(name));
  const Tarn::HeldReference<IUnknown> settings =
      EditedSettings(calculated->Class(), calculated->Settings());
  if (!settings) return false;
  if (FAILED(calculated->TakeSettings(settings.get(), -1)))
    throw ChannelError("the calculation of " + std::string(name) + " failed");
  return true;
}

CalculatedChannel* FindCalculatedChannel(DataDocument& document, std::string_view name) {
  Tarn::HeldReference<IQuorString> text(Quor::String::FromUtf8(std::string(name)).GetInterface());
  PendrelChannelRef channel = kNoChannel;
  if (document.FindChannel(0, text.get(), &channel) != S_OK) return nullptr;
  IUnknown* calculation = nullptr;
  if (document.GetCalculation(channel.index, channel.kind, &calculation) != S_OK) return nullptr;
  Tarn::HeldReference<IUnknown> held(calculation);
  // The document keeps its own reference while the channel lives.
  return AsCalculatedChannel(calculation);
}

std::vector<std::string> CalculatedChannelNames(DataDocument& document) {
  std::vector<std::string> names;
  ComputedChannels& channels = document.Channels();
  for (std::size_t i = 0; i < channels.Count(); ++i) {
    if (channels.Exists(i) && FindCalculatedChannel(document, channels.Name(i)))
      names.push_back(channels.Name(i));
  }
  return names;
}

void RefreshCalculatedChannels(DataDocument& document) {
  for (const std::string& name : CalculatedChannelNames(document)) {
    CalculatedChannel* calculated = FindCalculatedChannel(document, name);
    if (calculated && !(calculated->Output() && calculated->Output()->hasSource))
      calculated->Recalculate();
  }
}

std::vector<CalculatedPoint> CalculatedChannelValues(DataDocument& document, std::string_view name) {
  RefreshCalculatedChannels(document);
  CalculatedChannel* calculated = FindCalculatedChannel(document, name);
  if (!calculated || !calculated->Output())
    throw ChannelError("no calculated channel named " + std::string(name));
  const PendrelOutputScaling scaling = calculated->Output()->scaling;
  const auto index = document.Channels().Find(name);
  const ChannelValue value = document.Channels().Channel(*index);
  std::vector<CalculatedPoint> points;
  if (!value.IsEvents()) return points;
  const Recording& recording = document.Source();
  for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
    value.events->SettleTo(record, std::numeric_limits<int64_t>::max());
    const EventRecords& found = value.events->Found(record);
    for (std::size_t i = 0; i < found.Count(); ++i) {
      const double ticks = found.Tick(i) + double(EventFraction(found.Data(i), found.RecordSize()));
      points.push_back({record, found.Tick(i),
                        recording.RecordStartTime(record) + ticks * recording.TickPeriod(),
                        StoredValue(found.Value(i), scaling)});
    }
  }
  return points;
}

}  // namespace PendrelHost
