// Character-set conversion: the ANSI code page is Windows-1252, as on a
// western system; UTF-8 is also understood.
#include "platform/standin/standin_kernel.h"

#include <string>

namespace {

constexpr UINT codePage1252 = 1252;

// Windows-1252 for 0x80 to 0x9F; undefined bytes map to the same C1 control.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Without MB_ERR_INVALID_CHARS a malformed sequence becomes U+FFFD.
void decodeUtf8(const unsigned char* s, int n, std::u16string& out) {
    constexpr char32_t smallest[4] = {0, 0x80, 0x800, 0x10000};
    for (int i = 0; i < n;) {
        const unsigned c = s[i];
        const int extra = c < 0x80           ? 0
                          : (c >> 5) == 0x06 ? 1
                          : (c >> 4) == 0x0E ? 2
                          : (c >> 3) == 0x1E ? 3
                                             : -1;
        bool valid = extra >= 0 && i + extra < n;
        char32_t cp = valid ? (extra == 0 ? c : c & (0x3Fu >> extra)) : 0;
        for (int k = 1; valid && k <= extra; ++k) {
            valid = (s[i + k] & 0xC0) == 0x80;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        valid = valid && cp >= smallest[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        if (!valid) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        i += extra + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
}

} // namespace

extern "C" {

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dwFlags != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    // -1: the terminator is part of the string.
    int n = cbMultiByte;
    if (n == -1) {
        n = 0;
        while (lpMultiByteStr[n])
            ++n;
        ++n;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
    std::u16string wide;
    if (CodePage == CP_UTF8) {
        decodeUtf8(bytes, n, wide);
    } else if (CodePage == CP_ACP || CodePage == codePage1252) {
        for (int i = 0; i < n; ++i)
            wide += bytes[i] >= 0x80 && bytes[i] < 0xA0 ? cp1252High[bytes[i] - 0x80]
                                                        : static_cast<char16_t>(bytes[i]);
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int needed = static_cast<int>(wide.size());
    if (cchWideChar == 0) return needed;
    if (cchWideChar < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (int i = 0; i < needed; ++i)
        lpWideCharStr[i] = wide[static_cast<std::size_t>(i)];
    return needed;
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                               LPBOOL lpUsedDefaultChar) {
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dwFlags != 0 || (CodePage == CP_UTF8 && (lpDefaultChar || lpUsedDefaultChar))) {
        SetLastError(dwFlags != 0 ? ERROR_INVALID_FLAGS : ERROR_INVALID_PARAMETER);
        return 0;
    }
    int n = cchWideChar;
    if (n == -1) {
        n = 0;
        while (lpWideCharStr[n])
            ++n;
        ++n;
    }
    std::string out;
    bool usedDefault = false;
    const char fallback = lpDefaultChar ? *lpDefaultChar : '?';
    for (int i = 0; i < n; ++i) {
        char32_t c = lpWideCharStr[i];
        if (CodePage == CP_UTF8) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && lpWideCharStr[i + 1] >= 0xDC00 &&
                lpWideCharStr[i + 1] < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lpWideCharStr[i + 1] - 0xDC00);
                ++i;
            } else if (c >= 0xD800 && c < 0xE000) {
                c = 0xFFFD;
            }
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (c < 0x800) {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                out += static_cast<char>(0xE0 | (c >> 12));
                out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                out += static_cast<char>(0xF0 | (c >> 18));
                out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        } else if (CodePage == CP_ACP || CodePage == codePage1252) {
            int byte = -1;
            if (c < 0x80 || (c >= 0xA0 && c < 0x100)) byte = static_cast<int>(c);
            for (int k = 0; k < 32 && byte < 0; ++k)
                if (cp1252High[k] == c) byte = 0x80 + k;
            if (byte < 0) {
                usedDefault = true;
                out += fallback;
            } else {
                out += static_cast<char>(byte);
            }
        } else {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
    }
    if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    const int needed = static_cast<int>(out.size());
    if (cbMultiByte == 0) return needed;
    if (cbMultiByte < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (int i = 0; i < needed; ++i)
        lpMultiByteStr[i] = out[static_cast<std::size_t>(i)];
    return needed;
}

} // extern "C"
