// What the fuzz targets share: a host, a reader of the fuzzer's bytes, and
// the rules every text the module writes must keep.
#pragma once

#include "plugin/effect_record.h"
#include "plugin/host_requests.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzz {

inline std::intptr_t QW_CALL host(EffectRecord*, std::int32_t request, std::int32_t, std::intptr_t,
                                  void*, float) {
    return request == hostVersion ? 2400 : 0;
}

// Takes values from the front of the input; zeros once it runs out.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool empty() const { return size == 0; }
    template <typename T>
    T take() {
        T value{};
        const std::size_t n = size < sizeof value ? size : sizeof value;
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
    // Up to count bytes.
    std::size_t takeBytes(void* to, std::size_t count) {
        const std::size_t n = size < count ? size : count;
        std::memcpy(to, data, n);
        data += n;
        size -= n;
        return n;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
};

// A text buffer that starts out filled with a pattern byte.
constexpr unsigned char patternByte = 0xA5;

// Stops the run (a finding) unless the buffer holds a terminated text of at
// most maxChars characters and nothing is written past those maxChars + 1 bytes.
inline void requireText(const unsigned char* buffer, std::size_t size, std::size_t maxChars) {
    std::size_t length = 0;
    while (length < size && buffer[length] != 0)
        ++length;
    if (length > maxChars) std::abort();
    for (std::size_t i = maxChars + 1; i < size; ++i)
        if (buffer[i] != patternByte) std::abort();
}

} // namespace fuzz
