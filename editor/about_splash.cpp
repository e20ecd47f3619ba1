#include "editor/about_splash.h"

#include "gui/canvas.h"

#include <cstdio>

AboutSplash::AboutSplash(const Rect& r, ValueListener* l, std::int32_t t, Bitmap* bitmap,
                         const Rect& display, Point offset, Point text)
    : SplashControl(r, l, t, bitmap, display, offset), textOffset(text) {}

AboutSplash::~AboutSplash() = default;

void AboutSplash::draw(Canvas* canvas) {
    if (getValue() == 0.0f) return; // hidden: the logo belongs to the background
    SplashControl::draw(canvas);
    Rect band(0, 0, bounds.width(), 15);
    band.offset(displayRect.left + textOffset.h, displayRect.top + textOffset.v);
    char line[32];
    std::snprintf(line, sizeof line, "Version %s", versionText);
    canvas->setFont(4, 0, 0);
    canvas->setFontColor(colorVersionText);
    canvas->drawString(line, band, false, alignCenter);
}
