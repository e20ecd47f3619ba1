// The one kind of failure quillhost reports to its user: bad input, a module
// that cannot be used, a file that cannot be read or written. main prints the
// message as one line and exits with status 2.
#pragma once

#include <stdexcept>
#include <string>

class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message) : std::runtime_error(message) {}
};
