// Command-line parsing shared by the commands. Every function throws
// HostError with a message naming the offending argument.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ParameterValue { // --param INDEX=VALUE
    std::int32_t index;
    float value;
};

struct ParameterRamp { // --automate INDEX=FROM:TO
    std::int32_t index;
    float from;
    float to;
};

// "INDEX=VALUE": INDEX a parameter index 0..2, VALUE a number from 0 to 1.
ParameterValue parseParameterValue(const std::string& text);
// "INDEX=FROM:TO": as above with two values.
ParameterRamp parseParameterRamp(const std::string& text);
// A decimal integer from min to max; what names it in the message.
std::int32_t parseInteger(const std::string& text, const std::string& what, std::int32_t min,
                          std::int32_t max);
// A finite decimal number.
double parseNumber(const std::string& text, const std::string& what);

// Walks a command's arguments: options with their values, and positionals.
class ArgumentCursor {
public:
    explicit ArgumentCursor(std::vector<std::string> arguments) : args(std::move(arguments)) {}

    bool done() const { return position >= args.size(); }
    const std::string& next() { return args[position++]; }
    // The value after the option just read; throws when there is none.
    const std::string& valueOf(const std::string& option);

private:
    std::vector<std::string> args;
    std::size_t position = 0;
};

// Takes "--module PATH" out of the arguments wherever it stands; answers PATH
// or an empty text when the option is absent.
std::string extractModuleOption(std::vector<std::string>& arguments);

// Parameter indices of the effect quillhost drives, as its record announces.
constexpr std::int32_t highestParameterIndex = 2;
