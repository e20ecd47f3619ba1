// A key event handed from the dispatcher to the editor, valid for one call.
#pragma once

#include <cstdint>

struct EditorKey {
    std::int32_t character;  // character code of the key
    std::uint8_t virtualKey; // code of a non-character key
    std::uint8_t modifiers;  // modifier key bits
};
