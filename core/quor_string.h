// Quor::String: the module's copy-on-write UTF-16 string. The object is one pointer to the text
// of a shared representation (QuorString::StringRep); copies share it and the first change of a
// shared representation makes a private copy. All empty strings share one representation.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "core/string_rep.h"

namespace Quor {

class String {
 public:
  String();
  String(const String& other);
  String(String&& other) noexcept;
  String(const WCHAR* text);  // NOLINT: texts convert implicitly
  String(const WCHAR* text, int count);
  String(const char* ansi);  // NOLINT
  String(const char* ansi, int count);
  String(const std::string& utf8);  // NOLINT
  String(const std::u16string& text);  // NOLINT
  // Shares this module's own representation; copies the text of any other string object.
  explicit String(IAutoQuorString* object);
  ~String();

  String& operator=(const String& other);
  String& operator=(String&& other) noexcept;
  String& operator=(const WCHAR* text);

  // Decodes UTF-8 with the module's own decoder; text after an invalid sequence is dropped.
  static String FromUtf8(const char* utf8, std::size_t bytes);
  static String FromUtf8(const std::string& utf8) { return FromUtf8(utf8.data(), utf8.size()); }

  // Takes over a BSTR: copies its text and frees it.
  String& AdoptBSTR(BSTR text);
  // Copies the text of any string object; `object` keeps its reference.
  String& AssignFrom(IAutoQuorString* object);
  // AssignFrom, then releases `object`.
  String& Attach(IAutoQuorString* object);
  // Takes over a reference received through an out parameter: this module's own representation
  // is used as it is, without copy and without a further reference.
  String& Adopt(IAutoQuorString* object);

  void MakeUnique();
  void Clear();
  void ResetWithCapacity(DWORD capacity);
  // A private buffer of at least count + 1 units to fill directly; call UpdateLength afterwards.
  WCHAR* PrepareBuffer(DWORD count);
  // Recomputes the length from the first NUL after the buffer has been filled.
  void UpdateLength();
  // The text of a private representation, to be written in place up to the capacity without
  // clearing what it holds; call SetLength afterwards.
  WCHAR* WritableText();
  // Ends the text written in place after `characters` units (at most the capacity - 1): a NUL
  // is written there and the length becomes characters + 1.
  void SetLength(DWORD characters);
  void SetCapacity(DWORD capacity);

  String& operator+=(const String& other);
  String& operator+=(const WCHAR* text);
  String& operator+=(WCHAR character);
  String& Replace(DWORD position, DWORD count, const String& text);
  String& Delete(DWORD position, DWORD count);
  void EraseRange(DWORD from, DWORD to);
  void SemicolonsToCommas();

  const WCHAR* c_str() const { return m_text; }
  // Characters, without the terminating NUL.
  DWORD Length() const { return Rep()->Characters(); }
  DWORD Capacity() const { return Rep()->capacity; }
  bool IsEmpty() const { return Rep()->length <= 1; }
  WCHAR operator[](DWORD index) const { return m_text[index]; }

  // The representation as an IQuorString, with one reference for the receiver.
  IQuorString* GetInterface() const;
  String Mid(DWORD position, DWORD count) const;
  int FindLastOf(const WCHAR* set, int count) const;

  friend bool operator==(const String& a, const String& b);
  friend bool operator!=(const String& a, const String& b);
  friend bool operator<(const String& a, const String& b);
  friend bool operator==(const String& a, const WCHAR* b) { return a == String(b); }
  friend bool operator!=(const String& a, const WCHAR* b) { return a != String(b); }

  std::u16string ToStdWString() const;
  std::string ToUtf8String() const;
  // Replaces the holder's array with a UTF-8 copy of text; false for a null text.
  static bool ToUtf8Buffer(std::unique_ptr<char[]>& holder, const WCHAR* text);
  // Rebuilds the narrow copy in the ANSI code page and returns it; it lives as long as the
  // representation stays unchanged.
  const char* ToNarrowCopy();

  friend std::wistream& operator>>(std::wistream& stream, String& s);

 private:
  explicit String(QuorString::StringRep* rep) : m_text(rep->Text()) {}
  QuorString::StringRep* Rep() const { return QuorString::StringRep::FromText(m_text); }
  void Install(QuorString::StringRep* rep);  // releases the old representation
  void Detach();
  void Grow(DWORD needed);                   // to 1.5 x needed when needed exceeds the capacity
  void AppendUnits(const WCHAR* units, DWORD count);

  WCHAR* m_text;
};

// Writes the text as wide characters (a surrogate pair becomes one character), padded to the
// stream's width like any string.
std::wostream& operator<<(std::wostream& stream, const String& s);

}  // namespace Quor
