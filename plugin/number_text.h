// Number-to-text conversions of at most 8 characters, and small text helpers.
// Every writer accepts a null buffer and then writes nothing.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t numberTextLength = 8;
constexpr char hugeText[] = " Huge!  ";
constexpr char minusInfinityText[] = "  -oo   ";

// Fixed 8-character decimal text; digits are cut, never rounded.
void writeFloatText(float value, char* text);
// "%7d", cut to 8 characters; " Huge!  " from 100 000 000 up.
void writeIntegerText(std::int32_t value, char* text);

// Copies at most maxChars characters of source and a terminator.
void copyText(char* text, const char* source, std::size_t maxChars = 255);

// Converts toward zero; NaN becomes 0 and values beyond the range saturate.
std::int32_t truncateToInt32(double value);
