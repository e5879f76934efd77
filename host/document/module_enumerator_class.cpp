#include "host/document/module_enumerator_class.h"

#include "core/quor_string.h"
#include "host/channels/channel_error.h"
#include "host/document/enumerator_parameter_text.h"
#include "host/document/module_event_enumerator.h"
#include "host/framework/call_arguments.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {

// The creation's text, held for the calls that take it.
Tarn::HeldReference<IQuorString> TextObject(const std::u16string& text) {
  return Tarn::HeldReference<IQuorString>(Quor::String(text).GetInterface());
}

// The call's formula names the class: the reason says what went wrong with it.
[[noreturn]] void Fail(const std::string& what, HRESULT hr) {
  throw ChannelError(what + " (" + Tarn::HexWord(DWORD(hr)) + ")");
}

}  // namespace

std::unique_ptr<EventEnumerator> ModuleEnumeratorClass::Create(
    std::span<const double> numbers) const {
  const std::u16string parameters = EnumeratorParameterText(numbers);
  const Tarn::HeldReference<IQuorString> text = TextObject(parameters);
  ICalcEnum* made = nullptr;
  HRESULT hr = m_class->CreateEnum(text.get(), 0, &made);
  Tarn::HeldReference<ICalcEnum> control(made);
  if (FAILED(hr) || !control)
    Fail("the class object made no enumerator", FAILED(hr) ? hr : E_POINTER);
  // The class object may or may not have read the text: the enumerator is told it again.
  hr = control->SetParams(text.get());
  if (FAILED(hr))
    Fail("the enumerator refused the parameters \"" + Tarn::Utf8(parameters) + "\"", hr);
  IEnumEventEx* events = nullptr;
  hr = control->QueryInterface(IEnumEventEx::iid, reinterpret_cast<void**>(&events));
  Tarn::HeldReference<IEnumEventEx> heldEvents(events);
  if (FAILED(hr) || !heldEvents)
    Fail("the enumerator gives no events", FAILED(hr) ? hr : E_POINTER);
  DWORD size = 0;
  hr = heldEvents->GetEventSize(&size);
  if (FAILED(hr) || size < sizeof(int32_t))
    Fail("the enumerator gives events without a tick", FAILED(hr) ? hr : E_UNEXPECTED);
  return std::make_unique<ModuleEventEnumerator>(m_name, std::move(control), std::move(heldEvents),
                                                 size, m_document);
}

}  // namespace PendrelHost
