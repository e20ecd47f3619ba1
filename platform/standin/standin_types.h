// Basic Windows types, handles and records of the stand-in. Names, sizes of
// the integer types and the meaning of every field follow the Windows
// interface (32-bit integer types stay 32 bits wide here).
#pragma once

#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

using BOOL = int;
using BYTE = unsigned char;
using CHAR = char;
using WCHAR = char16_t; // 16 bits, as on Windows
using SHORT = short;
using USHORT = unsigned short;
using WORD = unsigned short;
using ATOM = WORD;
using INT = int;
using UINT = unsigned int;
using LONG = int;
using ULONG = unsigned int;
using DWORD = unsigned int;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBOOL = BOOL*;
using LPSTR = CHAR*;
using LPCSTR = const CHAR*;
using LPCCH = const CHAR*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPCWCH = const WCHAR*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Handles: every kind is its own pointer type, as with strict type checking
// on Windows; HANDLE, HGDIOBJ and HGLOBAL are untyped pointers there too.
using HANDLE = void*;
using HGDIOBJ = void*;
using HGLOBAL = HANDLE;
#define STANDIN_DECLARE_HANDLE(name)                                                               \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    using name = name##__*
STANDIN_DECLARE_HANDLE(HINSTANCE);
STANDIN_DECLARE_HANDLE(HWND);
STANDIN_DECLARE_HANDLE(HDC);
STANDIN_DECLARE_HANDLE(HBITMAP);
STANDIN_DECLARE_HANDLE(HPEN);
STANDIN_DECLARE_HANDLE(HBRUSH);
STANDIN_DECLARE_HANDLE(HFONT);
STANDIN_DECLARE_HANDLE(HRGN);
STANDIN_DECLARE_HANDLE(HPALETTE);
STANDIN_DECLARE_HANDLE(HICON);
STANDIN_DECLARE_HANDLE(HMENU);
#undef STANDIN_DECLARE_HANDLE
using HMODULE = HINSTANCE;
using HCURSOR = HICON;

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
    LONG cx;
    LONG cy;
};
using LPSIZE = SIZE*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

// Integer resource names: the identifier travels in the pointer's low word.
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(r) ((reinterpret_cast<ULONG_PTR>(r) >> 16) == 0)

#define MAKELONG(a, b)                                                                             \
    (static_cast<LONG>(                                                                            \
        static_cast<WORD>(static_cast<DWORD_PTR>(a) & 0xffff) |                                    \
        (static_cast<DWORD>(static_cast<WORD>(static_cast<DWORD_PTR>(b) & 0xffff)) << 16)))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))
