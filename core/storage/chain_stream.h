// ChainStream: an element's data chain read and written as bytes at a position. Writes never
// touch a cluster that the last committed copy may name: such a cluster is first replaced by a
// fresh one holding the same bytes. The caller holds the file's mutex.
#pragma once

#include "core/storage/element.h"

class StorageAllocator;

class ChainStream {
 public:
  ChainStream(StorageAllocator& allocator, Element& element, ULONGLONG position = 0);

  ULONGLONG Position() const { return m_position; }
  Element& Target() const { return m_element; }

  // Reads up to the end of the data.
  HRESULT Read(void* buffer, ULONG count, ULONG& read);
  // Writes what it can; `written` tells how much when a piece fails.
  HRESULT Write(const void* buffer, ULONG count, ULONG& written);
  // A position beyond the end first extends the data to it.
  HRESULT Seek(ULONGLONG position);
  // A position beyond the new size moves to the new end.
  HRESULT SetSize(ULONGLONG size);
  // The address of data offset..offset+count in the lock bytes' memory, when they have a base
  // address and the range lies in consecutive clusters; else S_FALSE and null.
  HRESULT DirectAddress(ULONGLONG offset, ULONG count, BYTE*& address);

 private:
  struct Cursor {
    ULONGLONG index = 0;
    DWORD cluster = 0;
    DWORD generation = 0;
  };

  DWORD ClusterAt(ULONGLONG index);
  void CheckClusterCount() const;
  DWORD Step(DWORD cluster, bool forward) const;
  HRESULT WritePiece(const BYTE* bytes, ULONG count, ULONG& written);
  HRESULT Replace(ULONGLONG index, DWORD& cluster);
  HRESULT Grow(ULONGLONG size);
  void Cut(ULONGLONG size);
  void Remember(ULONGLONG index, DWORD cluster);

  StorageAllocator& m_allocator;
  Element& m_element;
  ULONGLONG m_position;
  Cursor m_cursor;
  bool m_cursorValid = false;
};
