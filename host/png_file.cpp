#include "host/png_file.h"

#include "host/host_error.h"
#include "host/output_file.h"

#ifdef _WIN32
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#else
#include "platform/standin/standin_control.h"
#endif

void writePng(const std::string& path, const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0)
        throw HostError("cannot write " + path + ": empty picture");
    OutputFile output(path);
#ifdef _WIN32
    std::vector<unsigned char> bytes;
    bytes.reserve(image.pixels.size() * 3);
    for (std::uint32_t pixel : image.pixels) {
        bytes.push_back(static_cast<unsigned char>(pixel & 0xff));
        bytes.push_back(static_cast<unsigned char>((pixel >> 8) & 0xff));
        bytes.push_back(static_cast<unsigned char>((pixel >> 16) & 0xff));
    }
    const bool written = stbi_write_png(output.temporaryPath().c_str(), image.width, image.height,
                                        3, bytes.data(), image.width * 3) != 0;
#else
    standin::Image picture(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            picture.set(x, y, static_cast<COLORREF>(image.at(x, y)));
    const bool written = standin::savePng(picture, output.temporaryPath());
#endif
    if (!written) throw HostError("cannot write " + path);
    output.commit();
}
