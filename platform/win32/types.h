// Fixed-width Windows types. Text is UTF-16 (WCHAR is char16_t); pointer-carrying words are
// pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using UINT = std::uint32_t;
using USHORT = std::uint16_t;
using UCHAR = std::uint8_t;
using LONG = std::int32_t;
using INT = std::int32_t;
using SHORT = std::int16_t;
using CHAR = char;
using BOOL = std::int32_t;
using BOOLEAN = std::uint8_t;
using HRESULT = std::int32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using DWORDLONG = std::uint64_t;
using DWORD_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using SIZE_T = std::size_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using FLOAT = float;
using DOUBLE = double;
using VARIANT_BOOL = std::int16_t;
using VARTYPE = std::uint16_t;
using SCODE = std::int32_t;
using LCID = std::uint32_t;
using LANGID = std::uint16_t;

using WCHAR = char16_t;
using OLECHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using PVOID = void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using BSTR = OLECHAR*;

#define DECLARE_PLATFORM_HANDLE(name) \
  struct name##__;                    \
  using name = name##__*

DECLARE_PLATFORM_HANDLE(HINSTANCE);
DECLARE_PLATFORM_HANDLE(HRSRC);
DECLARE_PLATFORM_HANDLE(HWND);
using HMODULE = HINSTANCE;
using HANDLE = void*;
using HGLOBAL = void*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};

union ULARGE_INTEGER {
  struct {
    DWORD LowPart;
    DWORD HighPart;
  } u;
  ULONGLONG QuadPart;
};

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct POINT {
  LONG x;
  LONG y;
};

static_assert(sizeof(LARGE_INTEGER) == 8 && sizeof(ULARGE_INTEGER) == 8 && sizeof(FILETIME) == 8);

constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr WORD MAKELANGID(WORD primary, WORD sub) { return static_cast<WORD>((sub << 10) | primary); }
constexpr WORD PRIMARYLANGID(WORD language) { return static_cast<WORD>(language & 0x3FF); }

constexpr LANGID LANG_NEUTRAL = 0x00;
constexpr LANGID LANG_ENGLISH = 0x09;
constexpr LANGID LANG_SPANISH = 0x0A;
constexpr LANGID SUBLANG_NEUTRAL = 0x00;
constexpr LANGID SUBLANG_DEFAULT = 0x01;
constexpr LANGID SUBLANG_ENGLISH_US = 0x01;
