#include "host/validate_text.h"

#include "host/validate_check.h"

#include <algorithm>

bool PatternBuffer::untouched() const {
    return std::all_of(bytes.begin(), bytes.end(), [](unsigned char b) { return b == fill; });
}

std::string PatternBuffer::text() const {
    auto end = std::find(bytes.begin(), bytes.end(), 0);
    return std::string(bytes.begin(), end);
}

std::string PatternBuffer::checkText(std::size_t maxChars) const {
    const std::size_t room = std::min(maxChars + 1, bytes.size());
    auto terminator =
        std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(room), 0);
    if (terminator == bytes.begin() + static_cast<std::ptrdiff_t>(room)) {
        if (std::find(bytes.begin(), bytes.end(), 0) == bytes.end())
            return formatText("text not terminated within %zu bytes", bytes.size());
        return formatText("text %s has %zu characters, more than %zu", quotedText(text()).c_str(),
                          text().size(), maxChars);
    }
    for (std::size_t i = room; i < bytes.size(); ++i)
        if (bytes[i] != fill)
            return formatText("text %s: byte %zu written, past the %zu bytes a text may use",
                              quotedText(text()).c_str(), i, room);
    return {};
}

std::string quotedText(const std::string& text) {
    std::string quoted = "\"";
    std::size_t shown = 0;
    for (unsigned char c : text) {
        if (++shown > 40) {
            quoted += "...";
            break;
        }
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\')
            quoted += static_cast<char>(c);
        else
            quoted += formatText("\\x%02x", c);
    }
    return quoted + "\"";
}
