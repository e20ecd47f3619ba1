// Identifiers of the module's BITMAP resources.
#pragma once

#include <cstdint>

enum BitmapResource : std::int32_t {
    bitmapBackground = 1001,    // 292 x 100 panel
    bitmapSliderHandle = 1002,  // 17 x 15
    bitmapInverseButton = 1004, // 27 x 26, off above, on below
    bitmapCenterButton = 1005,  // 27 x 26
    bitmapAbout = 1006,         // 292 x 100 about screen
    bitmapLeftMarker = 1007,    // 17 x 17 "L"
    bitmapRightMarker = 1008,   // 17 x 17 "R"
    bitmapCenterMarker = 1009,  // 11 x 11 "C", white corners
};
