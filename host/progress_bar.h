// A one-line progress bar on standard error, drawn only when standard error
// is a terminal, so that redirected output stays clean.
#pragma once

#include <cstdint>
#include <string>

class ProgressBar {
public:
    ProgressBar(std::string label, std::int64_t total);
    ~ProgressBar(); // clears the line
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(std::int64_t done);

private:
    std::string label;
    std::int64_t total;
    bool enabled;
    int lastPercent = -1;
};
