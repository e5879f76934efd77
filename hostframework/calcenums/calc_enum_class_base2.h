// The class object of a calculated event enumerator, apart from making enumerators: what the
// host asks about the class (its name, type, category) and about its function (outputs,
// parameters and which channels suit them), all answered from the class's descriptor.
// Class objects live until the module unloads: counting references does nothing.
#pragma once

#include "hostframework/calcenums/calc_enum_descriptor.h"
#include "hostframework/class_object_list.h"
#include "platform/pendrel/calc_enum.h"
#include "platform/pendrel/class_registry.h"

namespace CalcEnums {

// The two words of every function record.
constexpr DWORD kCalcFuncFlags = 0xA0000000;
constexpr DWORD kCalcFuncParameterFlags = 0x40000000;

class CalcEnumClassBase2 : public ICalcEnumClass2,
                           public ITarnClassObject,
                           public ICalcNumericParamsFuncClass,
                           public TarnClassObject {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }

  // ICalcEnumClass2, whose first operations ITarnClassObject shares.
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetCategoryId(GUID* category) override;
  HRESULT GetName(BSTR* name) override;
  HRESULT IsCategory(REFGUID category) override;
  HRESULT GetClassName(IQuorString** name) override;
  HRESULT GetDescription(IQuorString** description) override;
  HRESULT GetEnumTypeId(DWORD* id) override;
  HRESULT GetReservedWord(DWORD* word) override;

  // ICalcNumericParamsFuncClass
  HRESULT GetOutputCount(LONG* count) override;
  HRESULT GetOutputName(LONG index, IQuorString** name) override;
  HRESULT GetFuncInfo(CalcNumericParamsFuncInfo* info) override;
  HRESULT GetParamInfo(LONG index, CalcNumericParamInfo* info) override;
  HRESULT IsChannelApplicable(LONG index, DWORD channelFlags) override;

  // TarnClassObject
  ITarnClassObject* GetClassObjectInterface() override { return this; }

 protected:
  // Links the class object into the process-wide list.
  explicit CalcEnumClassBase2(CalcEnumDescriptor& descriptor) : m_descriptor(descriptor) {}
  ~CalcEnumClassBase2() = default;

 private:
  DWORD TypeWord() const;

  CalcEnumDescriptor& m_descriptor;
};

}  // namespace CalcEnums
