#include "host/arguments.h"

#include "host/host_error.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

float parseParameterNumber(const std::string& text, const std::string& what) {
    double number = parseNumber(text, what);
    if (number < 0.0 || number > 1.0) throw HostError(what + ": value " + text + " is not in 0..1");
    return static_cast<float>(number);
}

std::int32_t parseParameterIndex(const std::string& text, const std::string& what) {
    return parseInteger(text, what + ": parameter index", 0, highestParameterIndex);
}

// strtod and strtoll skip leading blanks; an argument must not have any.
bool startsWithBlank(const std::string& text) {
    return !text.empty() && std::isspace(static_cast<unsigned char>(text[0]));
}

} // namespace

double parseNumber(const std::string& text, const std::string& what) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double number = std::strtod(begin, &end);
    if (text.empty() || startsWithBlank(text) || end == begin || *end != '\0' || errno == ERANGE ||
        !std::isfinite(number))
        throw HostError(what + ": \"" + text + "\" is not a number");
    return number;
}

std::int32_t parseInteger(const std::string& text, const std::string& what, std::int32_t min,
                          std::int32_t max) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long number = std::strtoll(begin, &end, 10);
    if (text.empty() || startsWithBlank(text) || end == begin || *end != '\0' || errno == ERANGE)
        throw HostError(what + " \"" + text + "\" is not an integer");
    if (number < min || number > max)
        throw HostError(what + " " + text + " is not in " + std::to_string(min) + ".." +
                        std::to_string(max));
    return static_cast<std::int32_t>(number);
}

ParameterValue parseParameterValue(const std::string& text) {
    const std::string what = "--param " + text;
    std::size_t equals = text.find('=');
    if (equals == std::string::npos) throw HostError(what + ": expected INDEX=VALUE");
    return {parseParameterIndex(text.substr(0, equals), what),
            parseParameterNumber(text.substr(equals + 1), what)};
}

ParameterRamp parseParameterRamp(const std::string& text) {
    const std::string what = "--automate " + text;
    std::size_t equals = text.find('=');
    std::size_t colon = text.find(':', equals == std::string::npos ? 0 : equals);
    if (equals == std::string::npos || colon == std::string::npos)
        throw HostError(what + ": expected INDEX=FROM:TO");
    return {parseParameterIndex(text.substr(0, equals), what),
            parseParameterNumber(text.substr(equals + 1, colon - equals - 1), what),
            parseParameterNumber(text.substr(colon + 1), what)};
}

const std::string& ArgumentCursor::valueOf(const std::string& option) {
    if (done()) throw HostError(option + " needs a value");
    return next();
}

std::string extractModuleOption(std::vector<std::string>& arguments) {
    std::string path;
    for (std::size_t i = 0; i < arguments.size();) {
        if (arguments[i] != "--module") {
            ++i;
            continue;
        }
        if (i + 1 >= arguments.size()) throw HostError("--module needs a path");
        path = arguments[i + 1];
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                        arguments.begin() + static_cast<std::ptrdiff_t>(i + 2));
    }
    return path;
}
