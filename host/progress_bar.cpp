#include "host/progress_bar.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define QW_ISATTY _isatty
#define QW_FILENO _fileno
#else
#include <unistd.h>
#define QW_ISATTY isatty
#define QW_FILENO fileno
#endif

namespace {
constexpr int barWidth = 30;
}

ProgressBar::ProgressBar(std::string text, std::int64_t frames)
    : label(std::move(text)), total(frames), enabled(QW_ISATTY(QW_FILENO(stderr)) != 0) {}

ProgressBar::~ProgressBar() {
    if (enabled && lastPercent >= 0) std::fprintf(stderr, "\r\033[K");
}

void ProgressBar::update(std::int64_t done) {
    if (!enabled || total <= 0) return;
    int percent = static_cast<int>(done * 100 / total);
    if (percent == lastPercent) return;
    lastPercent = percent;
    int filled = percent * barWidth / 100;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", label.c_str(), filled,
                 "##############################", barWidth - filled, "", percent);
    std::fflush(stderr);
}
