// PNG output of images for looking at test failures.
#include "platform/standin/standin_control.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include <vector>

namespace standin {

bool savePng(const Image& image, const std::string& path) {
    if (image.empty()) return false;
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const COLORREF c = image.at(x, y);
            rgb.push_back(GetRValue(c));
            rgb.push_back(GetGValue(c));
            rgb.push_back(GetBValue(c));
        }
    return stbi_write_png(path.c_str(), image.width(), image.height(), 3, rgb.data(),
                          image.width() * 3) != 0;
}

} // namespace standin
