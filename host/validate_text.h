// Text buffers for the validator's text checks: filled with a pattern, so
// that the checks see how far the module wrote and whether it terminated.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class PatternBuffer {
public:
    static constexpr unsigned char fill = 0xA5;

    explicit PatternBuffer(std::size_t size = 512) : bytes(size, fill) {}

    char* data() { return reinterpret_cast<char*>(bytes.data()); }
    void refill() { bytes.assign(bytes.size(), fill); }
    bool untouched() const;
    // The text as written, up to the terminator (or the whole buffer).
    std::string text() const;
    // Empty when the module wrote a terminated text of at most maxChars
    // characters and nothing past the maxChars + 1 bytes it may use;
    // otherwise what was wrong.
    std::string checkText(std::size_t maxChars) const;

private:
    std::vector<unsigned char> bytes;
};

// A text fit for an outcome line: quoted, unprintable bytes as \xNN,
// cut after 40 characters.
std::string quotedText(const std::string& text);
