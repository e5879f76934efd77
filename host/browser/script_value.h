// The values the browser hands to script objects: the arguments of a page's call, each made from
// the page's value, and the enumerators over them. They are made on the script thread and live
// as long as the object called holds them.
#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "core/quor_string.h"
#include "platform/pendrel/script_bridge.h"
#include "platform/win32/com_object.h"

namespace PendrelBrowser {

using StringMap = std::map<std::u16string, std::u16string>;
using ScriptContent = std::variant<std::monostate, double, bool, std::u16string,
                                   std::vector<double>, StringMap, std::vector<std::u16string>>;

class ScriptValue : public SimpleUnknownImp1<IQuorV8Variant> {
 public:
  explicit ScriptValue(ScriptContent content);

  HRESULT GetType(int* type) override;
  HRESULT GetString(IAutoQuorString** out) override;
  HRESULT GetDouble(double* out) override;
  HRESULT GetInt(int* out) override;
  HRESULT GetDoubleArray(const double** data, ULONG* count) override;
  HRESULT GetBool(VARIANT_BOOL* out) override;
  HRESULT GetObject(IEnumIAutoQuorString** keys, IEnumIAutoQuorString** values) override;
  HRESULT GetStringArray(IEnumIAutoQuorString** out) override;

 private:
  ScriptContent m_content;
};

// An enumerator over its own copy of some texts.
class StringListEnum : public SimpleUnknownImp1<IEnumIAutoQuorString> {
 public:
  explicit StringListEnum(std::vector<std::u16string> texts, ULONG index = 0)
      : m_texts(std::move(texts)), m_index(index) {}
  HRESULT Next(ULONG count, IAutoQuorString** out, ULONG* fetched) override;
  HRESULT Skip(ULONG count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumIAutoQuorString** out) override;

 private:
  std::vector<std::u16string> m_texts;
  ULONG m_index;
};

// The arguments of one call; a missing argument is a null entry.
class ArgumentEnum : public SimpleUnknownImp1<IEnumQuorV8Variant> {
 public:
  // Takes over one reference of each value.
  explicit ArgumentEnum(std::vector<IQuorV8Variant*> values, ULONG index = 0);
  ~ArgumentEnum() override;
  HRESULT Next(ULONG count, IQuorV8Variant** out, ULONG* fetched) override;
  HRESULT Skip(ULONG count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumQuorV8Variant** out) override;

 private:
  std::vector<IQuorV8Variant*> m_values;
  ULONG m_index;
};

// The texts an enumerator hands out, from where it stands to its end.
std::vector<std::u16string> DrainStrings(IEnumIAutoQuorString* strings);

}  // namespace PendrelBrowser
