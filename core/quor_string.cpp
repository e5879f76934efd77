#include "core/quor_string.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "core/utf_codec.h"
#include "platform/owl/xmsg.h"
#include "platform/win32/bstr.h"
#include "platform/win32/code_pages.h"

namespace Quor {

using QuorString::StringRep;

namespace {

constexpr DWORD kMinimum = StringRep::kMinimumCapacity;

[[noreturn]] void ThrowSizeTooBig() { throw xmsg("Quor::String size too big"); }

DWORD CheckedCount(std::size_t count) {
  if (count >= 0x7FFFFFFF) ThrowSizeTooBig();
  return static_cast<DWORD>(count);
}

// A fresh representation holding `count` units of text.
StringRep* RepOf(const WCHAR* units, DWORD count) {
  if (count == 0) return StringRep::SharedEmpty();
  StringRep* rep = StringRep::Create(std::max(count + 1, kMinimum));
  std::memcpy(rep->Text(), units, std::size_t(count) * sizeof(WCHAR));
  rep->length = count + 1;
  return rep;
}

DWORD UnitsUpTo(const WCHAR* text, DWORD limit) {
  DWORD n = 0;
  while (n < limit && text[n]) ++n;
  return n;
}

// Converts `bytes` bytes of the ANSI code page into a fresh representation.
StringRep* RepFromAnsi(const char* ansi, int bytes) {
  if (bytes == 0) return StringRep::SharedEmpty();
  const int units = MultiByteToWideChar(CP_ACP, 0, ansi, bytes, nullptr, 0);
  if (units <= 0) return StringRep::SharedEmpty();
  StringRep* rep = StringRep::Create(std::max(DWORD(units) + 1, kMinimum));
  MultiByteToWideChar(CP_ACP, 0, ansi, bytes, rep->Text(), units);
  rep->length = DWORD(units) + 1;
  rep->Text()[units] = 0;
  return rep;
}

bool IsOwnRepresentation(IAutoQuorString* object) {
  return object && object->GetKind() == kQuorStringKind;
}

StringRep* AsOwnRepresentation(IAutoQuorString* object) {
  return static_cast<StringRep*>(static_cast<QuorString::StringRepBase*>(static_cast<IQuorString*>(object)));
}

}  // namespace

String::String() : String(StringRep::SharedEmpty()) {}

String::String(const String& other) : m_text(other.m_text) { Rep()->AddRef(); }

String::String(String&& other) noexcept : m_text(other.m_text) {
  other.m_text = StringRep::SharedEmpty()->Text();
}

String::String(const WCHAR* text)
    : String(text ? RepOf(text, CheckedCount(std::char_traits<WCHAR>::length(text)))
                  : StringRep::SharedEmpty()) {}

String::String(const WCHAR* text, int count) : m_text(nullptr) {
  if (count < 0) ThrowSizeTooBig();
  m_text = (text ? RepOf(text, UnitsUpTo(text, DWORD(count))) : StringRep::SharedEmpty())->Text();
}

String::String(const char* ansi)
    : String(ansi ? RepFromAnsi(ansi, CheckedCount(std::strlen(ansi))) : StringRep::SharedEmpty()) {}

String::String(const char* ansi, int count) : m_text(nullptr) {
  if (count < 0) ThrowSizeTooBig();
  if (!ansi) {
    m_text = StringRep::SharedEmpty()->Text();
    return;
  }
  const int bytes = static_cast<int>(std::find(ansi, ansi + count, '\0') - ansi);
  // The length is what the conversion produced: a multibyte code page gives fewer units
  // than bytes.
  m_text = RepFromAnsi(ansi, bytes)->Text();
}

String::String(const std::string& utf8) : m_text(nullptr) {
  const int bytes = static_cast<int>(CheckedCount(utf8.size()));
  StringRep* rep = StringRep::SharedEmpty();
  if (bytes > 0) {
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0);
    if (units > 0) {
      rep->Release();
      rep = StringRep::Create(std::max(DWORD(units) + 1, kMinimum));
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, rep->Text(), units);
      rep->length = DWORD(units) + 1;
    }
  }
  m_text = rep->Text();
}

String::String(const std::u16string& text)
    : String(RepOf(text.data(), CheckedCount(text.size()))) {}

String::String(IAutoQuorString* object) : String() {
  if (IsOwnRepresentation(object)) {
    object->AddRef();
    Install(AsOwnRepresentation(object));
  } else {
    AssignFrom(object);
  }
}

String::~String() { Rep()->Release(); }

String& String::operator=(const String& other) {
  other.Rep()->AddRef();
  Rep()->Release();
  m_text = other.m_text;
  return *this;
}

String& String::operator=(String&& other) noexcept {
  std::swap(m_text, other.m_text);
  return *this;
}

String& String::operator=(const WCHAR* text) {
  String temporary(text);
  std::swap(m_text, temporary.m_text);
  return *this;
}

void String::Install(StringRep* rep) {
  StringRep* old = Rep();
  m_text = rep->Text();
  old->Release();
}

String String::FromUtf8(const char* utf8, std::size_t bytes) {
  if (!utf8 || bytes == 0) return String();
  WCHAR stackBuffer[256];
  std::vector<WCHAR> heapBuffer;
  WCHAR* buffer = stackBuffer;
  if (bytes > 256) {
    heapBuffer.resize(bytes);
    buffer = heapBuffer.data();
  }
  const char* source = utf8;
  WCHAR* target = buffer;
  ConvertUtf8ToUtf16(source, utf8 + bytes, target, buffer + bytes);
  return String(RepOf(buffer, CheckedCount(std::size_t(target - buffer))));
}

String& String::AdoptBSTR(BSTR text) {
  const DWORD n = SysStringLen(text);
  StringRep* rep = StringRep::SharedEmpty();
  if (n > 0) {
    // Room for a NUL unless the text already ends in one.
    const DWORD units = text[n - 1] != 0 ? n + 1 : n;
    rep->Release();
    rep = StringRep::Create(std::max(units, kMinimum));
    std::memcpy(rep->Text(), text, std::size_t(n) * sizeof(WCHAR));
    rep->Text()[units - 1] = 0;
    rep->length = units;
  }
  SysFreeString(text);
  Install(rep);
  return *this;
}

String& String::AssignFrom(IAutoQuorString* object) {
  if (!object) {
    Install(StringRep::SharedEmpty());
    return *this;
  }
  DWORD length = 0, unitSize = 0;
  object->GetInfo(&length, &unitSize);
  StringRep* rep = nullptr;
  if (unitSize == sizeof(WCHAR)) {
    rep = StringRep::Create(std::max(length + 1, kMinimum));
    if (SUCCEEDED(object->CopyTo(int((length + 1) * sizeof(WCHAR)), rep->Text()))) {
      rep->length = UnitsUpTo(rep->Text(), length) + 1;
    }
  } else {
    std::vector<char> bytes(std::size_t(length) + 1, '\0');
    if (SUCCEEDED(object->CopyTo(int(bytes.size()), bytes.data()))) {
      bytes.back() = '\0';
      rep = RepFromAnsi(bytes.data(), static_cast<int>(std::strlen(bytes.data())));
    } else {
      rep = StringRep::SharedEmpty();
    }
  }
  Install(rep);
  return *this;
}

String& String::Attach(IAutoQuorString* object) {
  AssignFrom(object);
  if (object) object->Release();
  return *this;
}

String& String::Adopt(IAutoQuorString* object) {
  if (IsOwnRepresentation(object)) {
    Install(AsOwnRepresentation(object));
    return *this;
  }
  return Attach(object);
}

void String::Detach() {
  if (Rep()->Shared()) {
    MakeUnique();
  } else {
    Rep()->narrowValid = 0;
  }
}

void String::MakeUnique() {
  const StringRep* old = Rep();
  StringRep* rep = StringRep::Create(std::max(old->capacity, kMinimum));
  const DWORD units = std::min(old->length, rep->capacity);
  std::memcpy(rep->Text(), old->Text(), std::size_t(units) * sizeof(WCHAR));
  rep->length = units;
  Install(rep);
}

void String::Clear() {
  if (Rep()->Shared()) {
    Install(StringRep::Create(std::max(Rep()->capacity, kMinimum)));
  }
  StringRep* rep = Rep();
  rep->FreeNarrowCopy();
  rep->length = 1;
  rep->Text()[0] = 0;
}

void String::ResetWithCapacity(DWORD capacity) {
  Install(StringRep::Create(std::max(capacity, kMinimum)));
}

WCHAR* String::PrepareBuffer(DWORD count) {
  if (count >= 0x7FFFFFFE) ThrowSizeTooBig();
  StringRep* rep = Rep();
  if (!rep->Shared() && rep->capacity >= count + 1) {
    rep->FreeNarrowCopy();
    rep->length = 1;
  } else {
    Install(StringRep::Create(std::max(count + 1, kMinimum)));
    rep = Rep();
  }
  rep->Text()[0] = 0;
  rep->Text()[count] = 0;
  return rep->Text();
}

void String::UpdateLength() {
  StringRep* rep = Rep();
  const DWORD units = UnitsUpTo(rep->Text(), rep->capacity);
  if (units < rep->capacity) {
    rep->length = units + 1;
  } else {
    rep->length = rep->capacity;
    rep->Text()[rep->capacity - 1] = 0;
  }
}

WCHAR* String::WritableText() {
  Detach();
  return m_text;
}

void String::SetLength(DWORD characters) {
  Detach();
  StringRep* rep = Rep();
  characters = std::min(characters, rep->capacity - 1);
  rep->Text()[characters] = 0;
  rep->length = characters + 1;
}

void String::SetCapacity(DWORD capacity) {
  StringRep* old = Rep();
  if (!old->Shared() && old->capacity == capacity) {
    old->narrowValid = 0;
    return;
  }
  StringRep* rep = StringRep::Create(std::max(capacity, kMinimum));
  const DWORD units = std::min(old->length, rep->capacity);
  std::memcpy(rep->Text(), old->Text(), std::size_t(units) * sizeof(WCHAR));
  rep->length = units;
  rep->Text()[units - 1] = 0;
  Install(rep);
}

void String::Grow(DWORD needed) {
  if (needed > Rep()->capacity) {
    if (needed >= 0x50000000) ThrowSizeTooBig();
    SetCapacity(needed + needed / 2);
  }
}

void String::AppendUnits(const WCHAR* units, DWORD count) {
  Detach();
  const DWORD needed = Rep()->length + count;
  Grow(needed);
  StringRep* rep = Rep();
  std::memcpy(rep->Text() + rep->length - 1, units, std::size_t(count) * sizeof(WCHAR));
  rep->length = needed;
  rep->Text()[needed - 1] = 0;
}

String& String::operator+=(const String& other) {
  const String keep(other);  // appending a string to itself must survive the reallocation
  AppendUnits(keep.m_text, keep.Length());
  return *this;
}

String& String::operator+=(const WCHAR* text) {
  if (!text) return *this;
  const String keep(text);
  AppendUnits(keep.m_text, keep.Length());
  return *this;
}

String& String::operator+=(WCHAR character) {
  AppendUnits(&character, 1);
  return *this;
}

String& String::Replace(DWORD position, DWORD count, const String& text) {
  const String keep(text);
  const DWORD characters = Length();
  if (position >= characters) return *this += keep;
  count = std::min(count, characters - position);
  EraseRange(position, position + count);
  const DWORD inserted = keep.Length();
  if (inserted == 0) return *this;
  Detach();
  const DWORD needed = Rep()->length + inserted;
  if (needed > Rep()->capacity) SetCapacity(needed);
  StringRep* rep = Rep();
  WCHAR* at = rep->Text() + position;
  std::memmove(at + inserted, at, std::size_t(rep->length - position) * sizeof(WCHAR));
  std::memcpy(at, keep.m_text, std::size_t(inserted) * sizeof(WCHAR));
  rep->length = needed;
  return *this;
}

String& String::Delete(DWORD position, DWORD count) { return Replace(position, count, String()); }

void String::EraseRange(DWORD from, DWORD to) {
  const DWORD characters = Length();
  if (to <= from || from >= characters) return;
  Detach();
  StringRep* rep = Rep();
  if (to >= characters) {
    rep->Text()[from] = 0;
    rep->length = from + 1;
    return;
  }
  std::memmove(rep->Text() + from, rep->Text() + to,
               std::size_t(rep->length - to) * sizeof(WCHAR));
  rep->length -= to - from;
}

void String::SemicolonsToCommas() {
  if (std::find(m_text, m_text + Length(), u';') == m_text + Length()) return;
  Detach();
  std::replace(m_text, m_text + Length(), u';', u',');
}

IQuorString* String::GetInterface() const {
  Rep()->AddRef();
  return Rep();
}

String String::Mid(DWORD position, DWORD count) const {
  const DWORD characters = Length();
  if (position >= characters) return String();
  return String(RepOf(m_text + position, std::min(count, characters - position)));
}

int String::FindLastOf(const WCHAR* set, int count) const {
  if (!set || count <= 0) return -1;
  for (int i = static_cast<int>(Length()) - 1; i >= 0; --i) {
    if (std::find(set, set + count, m_text[i]) != set + count) return i;
  }
  return -1;
}

bool operator==(const String& a, const String& b) {
  if (a.m_text == b.m_text) return true;
  return a.Length() == b.Length() && std::equal(a.m_text, a.m_text + a.Length(), b.m_text);
}

bool operator!=(const String& a, const String& b) { return !(a == b); }

bool operator<(const String& a, const String& b) {
  return std::lexicographical_compare(a.m_text, a.m_text + a.Length(), b.m_text,
                                      b.m_text + b.Length());
}

std::u16string String::ToStdWString() const { return std::u16string(m_text, Length()); }

std::string String::ToUtf8String() const { return Utf16ToUtf8(m_text, Length()); }

bool String::ToUtf8Buffer(std::unique_ptr<char[]>& holder, const WCHAR* text) {
  if (!text) return false;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  auto copy = std::make_unique<char[]>(std::size_t(bytes));
  WideCharToMultiByte(CP_UTF8, 0, text, -1, copy.get(), bytes, nullptr, nullptr);
  holder = std::move(copy);
  return true;
}

const char* String::ToNarrowCopy() {
  Detach();
  StringRep* rep = Rep();
  rep->FreeNarrowCopy();
  const int bytes = WideCharToMultiByte(CP_THREAD_ACP, 0, m_text, int(rep->length), nullptr, 0,
                                        nullptr, nullptr);
  rep->narrow = new char[std::size_t(std::max(bytes, 1))]();
  if (bytes > 0) {
    WideCharToMultiByte(CP_THREAD_ACP, 0, m_text, int(rep->length), rep->narrow, bytes, nullptr,
                        nullptr);
  }
  rep->narrowValid = 1;
  return rep->narrow;
}

}  // namespace Quor
