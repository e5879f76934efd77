// What the host lists of a file format: its extension, its file type name, the type word of the
// document kind it saves, and the fixed format and version words. A save-as class object holds
// one for its whole life and answers IDocFileDescr from it; the descriptor tells the host's
// debug object tracker when it is made and when it goes.
#pragma once

#include "core/quor_string.h"
#include "platform/win32/unknown.h"

class TarnFileDescriptor {
 public:
  static constexpr DWORD kFormatWord = 2;
  static constexpr DWORD kVersionWord = 1;

  // `identity` is the object the tracker hears of; it is never called.
  TarnFileDescriptor(IUnknown* identity, DWORD docTypeId, Quor::String extension,
                     Quor::String fileTypeName);
  ~TarnFileDescriptor();
  TarnFileDescriptor(const TarnFileDescriptor&) = delete;
  TarnFileDescriptor& operator=(const TarnFileDescriptor&) = delete;

  DWORD DocTypeId() const { return m_docTypeId; }
  const Quor::String& Extension() const { return m_extension; }
  const Quor::String& FileTypeName() const { return m_fileTypeName; }

 private:
  IUnknown* m_identity;
  DWORD m_docTypeId;
  Quor::String m_extension;
  Quor::String m_fileTypeName;
};
