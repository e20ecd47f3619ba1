// The shell's file lists: DragQueryFileA over a DROPFILES block. Names are
// read only within the block; wide names are converted to the ANSI code
// page.
#include "platform/standin/ole_state.h"
#include "platform/standin/standin_control.h"
#include "platform/standin/standin_ole.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The names of a list, as ANSI text.
std::vector<std::string> namesOf(const unsigned char* block, SIZE_T size) {
    std::vector<std::string> names;
    DROPFILES header;
    if (size < sizeof header) return names;
    std::memcpy(&header, block, sizeof header);
    if (header.pFiles >= size) return names;
    const unsigned char* p = block + header.pFiles;
    const unsigned char* end = block + size;
    if (header.fWide) {
        for (;;) {
            std::u16string name;
            while (p + 1 < end) {
                char16_t c;
                std::memcpy(&c, p, sizeof c);
                p += 2;
                if (!c) break;
                name += c;
            }
            if (name.empty()) break;
            const int n = WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()),
                                              nullptr, 0, nullptr, nullptr);
            std::string ansi(static_cast<std::size_t>(n), '\0');
            WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), &ansi[0], n,
                                nullptr, nullptr);
            names.push_back(ansi);
            if (p + 1 >= end) break;
        }
    } else {
        for (;;) {
            std::string name;
            while (p < end && *p)
                name += static_cast<char>(*p++);
            if (name.empty()) break;
            names.push_back(name);
            if (p >= end) break;
            ++p; // the name's terminator
        }
    }
    return names;
}

bool unanswered(UINT index) {
    standin::detail::OleState& state = standin::detail::ole();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.unansweredNames.count(index) != 0;
}

} // namespace

namespace standin {

void failFileQuery(UINT index) {
    detail::OleState& state = detail::ole();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.unansweredNames.insert(index);
}

} // namespace standin

extern "C" {

// Index 0xFFFFFFFF answers the number of files; no buffer, the length of
// the name; otherwise the characters copied (a small buffer truncates the
// name), without the terminator. 0 for an index past the last name.
UINT WINAPI DragQueryFileA(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch) {
    HGLOBAL block = static_cast<HGLOBAL>(hDrop);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
    if (!bytes) return 0;
    const std::vector<std::string> names = namesOf(bytes, GlobalSize(block));
    GlobalUnlock(block);
    if (iFile == 0xFFFFFFFFu) return static_cast<UINT>(names.size());
    if (iFile >= names.size() || unanswered(iFile)) return 0;
    const std::string& name = names[iFile];
    if (!lpszFile) return static_cast<UINT>(name.size());
    if (cch == 0) return 0;
    const std::size_t copied = std::min<std::size_t>(name.size(), cch - 1);
    std::memcpy(lpszFile, name.data(), copied);
    lpszFile[copied] = '\0';
    return static_cast<UINT>(copied);
}

} // extern "C"
