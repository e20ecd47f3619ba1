// The about screen: a splash over the whole editor that also writes the
// version line while it is shown.
#pragma once

#include "gui/splash_control.h"

// Text colour of the version line.
constexpr Color colorVersionText{180, 210, 210, 0};
constexpr char versionText[] = "1.1";

class AboutSplash : public SplashControl {
public:
    AboutSplash(const Rect& bounds, ValueListener* listener, std::int32_t tag, Bitmap* background,
                const Rect& displayRect, Point backgroundOffset, Point textOffset);
    ~AboutSplash() override;

    void draw(Canvas* canvas) override;

private:
    Point textOffset; // the version band, relative to displayRect's corner
};
