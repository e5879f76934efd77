#include "hostframework/messages/msg_id_message_class_object.h"

#include "core/com_call_guard.h"
#include "core/com_ptr.h"
#include "core/xquor.h"
#include "hostframework/host_services.h"
#include "platform/win32/bstr.h"

namespace Quor {

namespace {

HRESULT GiveText(const String& text, IQuorString** out) {
  if (!out) return E_POINTER;
  *out = text.GetInterface();
  return S_OK;
}

// The automation argument as the text of a type name; the conversion's error when it has none.
HRESULT ArgumentText(const VARIANT& argument, String* text) {
  VARIANT copy;
  VariantInit(&copy);
  HRESULT hr = VariantCopy(&copy, &argument);
  if (SUCCEEDED(hr) && copy.vt != VT_BSTR) {
    hr = VariantChangeTypeEx(&copy, &copy, kLocaleEnglishUS, 0, VT_BSTR);
  }
  if (SUCCEEDED(hr)) *text = String(copy.bstrVal, int(SysStringLen(copy.bstrVal)));
  VariantClear(&copy);
  return hr;
}

}  // namespace

HRESULT MessageClassFace::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IUnknown::iid || iid == IMsgIdMessageClassObject::iid) {
    *object = static_cast<IMsgIdMessageClassObject*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT MessageClassFace::GetName(IQuorString** name) { return GiveText(m_root.Name(), name); }

HRESULT MessageClassFace::GetDescription(IQuorString** description) {
  return GiveText(m_root.Description(), description);
}

HRESULT MessageClassFace::GetCategory(IQuorString** category) {
  return GiveText(m_root.Category(), category);
}

HRESULT MessageClassFace::IsPublic(VARIANT_BOOL* isPublic) {
  if (!isPublic) return E_POINTER;
  *isPublic = VARIANT_TRUE;
  return S_OK;
}

HRESULT MessageClassFace::HasParameters(DWORD* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT MessageClassFace::CreateFromArguments(const DISPPARAMS* arguments, IMessage** message) {
  if (!message) return E_POINTER;
  *message = nullptr;
  if (!arguments || arguments->cNamedArgs != 0 || arguments->cArgs > 1) {
    return DISP_E_BADPARAMCOUNT;
  }
  return GuardedCall([&] {
    DWORD target = 0;
    const bool hasTarget = arguments->cArgs == 1;
    if (hasTarget) {
      if (!arguments->rgvarg) return DISP_E_BADPARAMCOUNT;
      String name;
      const HRESULT converted = ArgumentText(arguments->rgvarg[0], &name);
      if (FAILED(converted)) return converted;
      ITarnIdRegistry* registry = GetTarnIdRegistry();
      if (!registry) return E_FAIL;
      IQuorString* text = name.GetInterface();
      const HRESULT found = registry->GetTypeWordOfName(text, &target);
      text->Release();
      if (found != S_OK) return FAILED(found) ? found : E_INVALIDARG;
    }
    ITarnMessageValueService* values = GetTarnMessageValueService();
    if (!values) return E_FAIL;
    const BYTE noData[8] = {};
    return values->CreateMessage(Id(), m_root.Flags1(), target, hasTarget ? 1 : 0, 0, noData,
                                 sizeof noData, message);
  });
}

String MessageClassFace::TargetPart(IMessage* message) const {
  DWORD target = 0;
  if (!message || !(message->GetFlags() & kTarnMessageHasTarget) ||
      message->GetTarget(&target) != S_OK) {
    return String();
  }
  String name;
  if (ITarnIdRegistry* registry = GetTarnIdRegistry()) {
    IQuorString* found = nullptr;
    if (registry->GetNameOfTypeWord(target, &found) == S_OK && found) name = String(found);
    if (found) found->Release();
  }
  // A type without a class name is written as its number, which reads back as the same type.
  if (name.IsEmpty()) name = String(std::to_string(target).c_str());
  return (String(u"TarnId,ViewType,\"") += name) += u"\"";
}

HRESULT MessageClassFace::WriteTextForm(IMessage* message, ITarnTextLineWriter* output,
                                        DWORD flags) {
  if (!output) return E_FAIL;
  return GuardedCall(
      [&] { return m_root.WriteTextForm(String(), output, flags, TargetPart(message)); });
}

HRESULT MessageClassFace::ToText(IMessage* message, IQuorString** text, DWORD) {
  if (!text) return E_FAIL;
  *text = nullptr;
  return GuardedCall(
      [&] { return GiveText(m_root.MessageLine(String(), TargetPart(message)), text); });
}

HRESULT MessageClassFace::WriteHelpText(ITarnTextLineWriter* writer, DWORD flags) {
  return GuardedCall([&] { return m_root.WriteHelpText(writer, flags); });
}

}  // namespace Quor
