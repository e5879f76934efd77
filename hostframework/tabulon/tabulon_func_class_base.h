// The static class object of a Tabulon function class: what the host asks about the class
// (type, category, names, description, flags) and, in TabulonFuncClass<T>, the creation of its
// functions. Class objects live until the module unloads, linked into the class-object list from
// construction; counting references does nothing.
#pragma once

#include <mutex>

#include "hostframework/class_object_list.h"
#include "hostframework/tabulon/tabulon_func_info.h"
#include "platform/pendrel/tabulon.h"

class TabulonFuncClassBase : public ITabulonFunctionClass2, public TarnClassObject {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }

  // ITarnClassObject
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetCategoryId(GUID* category) override;
  HRESULT GetClassName(IQuorString** name) override;
  HRESULT IsCategory(REFGUID category) override;

  // ITabulonFunctionClass2 (the index is not used: one function per class)
  HRESULT GetCategoryName(LONG index, IQuorString** name) override;
  HRESULT GetCategoryCode(LONG index, LONG* code) override;
  HRESULT GetName(LONG index, IQuorString** name) override;
  HRESULT GetFunctionFlags(LONG index, DWORD* flags) override;
  HRESULT GetDescription(LONG index, IQuorString** description) override;
  HRESULT GetValueFlags(LONG index, DWORD* flags) override;
  HRESULT GetSettingsPage(LONG_PTR a, LONG_PTR b, IUnknown** page) override;
  HRESULT GetReservedObject(IUnknown** object) override;
  HRESULT CreateFunction(IUnknown* host, LONG_PTR x, IUnknown* outer,
                         ITabulonFunction** function) override;
  HRESULT CreateFunction2(IUnknown* host, LONG_PTR x, LONG_PTR y, IUnknown* outer,
                          ITabulonFunction** function) override;

  // TarnClassObject
  ITarnClassObject* GetClassObjectInterface() override { return this; }

  // The texts of the function; loaded from the string table on first use.
  struct Texts {
    Quor::String displayName;
    Quor::String description;
    Quor::String firstAlternative;
    Quor::String secondAlternative;
  };
  const Texts& FunctionTexts();
  const TabulonFuncInfo& Info() const { return m_info; }
  // The type word of every function object of the group: (host id of the family << 16) | the
  // group's function sub-id, asked once.
  DWORD FunctionTypeId();
  DWORD ClassTypeId();

 protected:
  TabulonFuncClassBase(const TabulonFuncGroup& group, const TabulonFuncInfo& info)
      : m_group(group), m_info(info) {}
  ~TabulonFuncClassBase() = default;

  // A new function object with one reference.
  virtual ITabulonFunction* MakeFunction(IUnknown* host, LONG_PTR x) = 0;

 private:
  const TabulonFuncGroup& m_group;
  const TabulonFuncInfo m_info;
  std::once_flag m_textsLoaded;
  Texts m_texts;
  DWORD m_classTypeId = 0;
  DWORD m_functionTypeId = 0;
};
