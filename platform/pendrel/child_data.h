// Data an extension attaches to a host data file: the host keeps it with the file, copies it
// when the file is copied, and tells it when data moves.
#pragma once

#include "platform/win32/unknown.h"

struct IPendrelDataChildData : IUnknown {
  PLATFORM_INTERFACE_ID("d03170d1-8e42-42f0-8632-32f07855862e");
  using Base = IUnknown;
  virtual HRESULT GetTypeId(DWORD* type) = 0;
  // A copy of the object, with one reference.
  virtual HRESULT Duplicate(LONG_PTR a, LONG_PTR b, LONG_PTR c, LONG_PTR d, LONG_PTR e,
                            LONG_PTR f, IPendrelDataChildData** copy) = 0;
  virtual HRESULT OnDataChanged(LONG_PTR a, LONG_PTR b, LONG_PTR c, LONG_PTR d, LONG_PTR e,
                                LONG_PTR f, LONG_PTR g, LONG_PTR h) = 0;
  virtual HRESULT OnRecordsChanged(LONG_PTR a, LONG_PTR b, LONG_PTR c, LONG_PTR d) = 0;
  virtual HRESULT OnDataMoved(LONG_PTR a, LONG_PTR b, LONG_PTR c, LONG_PTR d, LONG_PTR e,
                              LONG_PTR f, LONG_PTR g, LONG_PTR h, LONG_PTR i, LONG_PTR j,
                              LONG_PTR k) = 0;

 protected:
  ~IPendrelDataChildData() = default;
};

// A module's class of child data that the host stores with the file (the objects answer
// IPersistStreamInit): when it opens a file that holds such data, the host finds the class by
// the data's type word among the registered class objects and makes a new object through it.
struct IPendrelChildDataClass : IUnknown {
  PLATFORM_INTERFACE_ID("e8c0a5d2-17f4-4b36-9a5e-4d1b7f02c6e9");
  using Base = IUnknown;
  virtual HRESULT CreateChildData(IPendrelDataChildData** data) = 0;

 protected:
  ~IPendrelChildDataClass() = default;
};

// The child data objects of a host data file, by type word.
struct IPendrelChildDataContainer : IUnknown {
  PLATFORM_INTERFACE_ID("0b6f1f0e-2a57-4d0c-9b1e-7c3d5e8a9f21");
  using Base = IUnknown;
  // Attaches (or with null removes) the object of a type; the container holds a reference.
  virtual HRESULT SetChildData(DWORD type, IPendrelDataChildData* data) = 0;
  // S_FALSE and null when there is none of that type.
  virtual HRESULT GetChildData(DWORD type, IPendrelDataChildData** data) = 0;
  // The type words of the objects held, in ascending order; `count` receives how many there
  // are, and at most `room` are written.
  virtual HRESULT GetChildDataTypes(DWORD room, DWORD* types, DWORD* count) = 0;

 protected:
  ~IPendrelChildDataContainer() = default;
};
