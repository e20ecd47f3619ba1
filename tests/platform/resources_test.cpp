// Bitmap resources: the pictures of tests/platform/data are embedded into
// this program by quill_embed_bitmaps and found through its instance handle.
#include "platform/standin/bmp_reader.h"
#include "platform/standin/standin_resources.h"
#include "tests/platform/standin_fixture.h"

#include <vector>

namespace {

class Resources : public StandinTest {
protected:
    HINSTANCE self = standin::moduleHandleOf(reinterpret_cast<const void*>(&picture));
};

standin::Image loaded(HINSTANCE instance, int id) {
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(id));
    standin::Image image = standin::bitmapImage(bitmap);
    DeleteObject(bitmap);
    return image;
}

TEST_F(Resources, PalettePicturesBecomeColourBitmaps) {
    const Colours c = {{'k', RGB(0, 0, 0)},       {'w', RGB(255, 255, 255)},
                       {'n', RGB(254, 255, 255)}, {'r', RGB(200, 16, 32)},
                       {'g', RGB(16, 160, 64)},   {'b', RGB(40, 80, 240)}};
    EXPECT_IMAGE(loaded(self, 2001), picture({"kwnrg", "bgrnw", "wwkbb"}, c));
}

TEST_F(Resources, TrueColourPicturesKeepTheirPixels) {
    const Colours c = {{'w', RGB(255, 255, 255)}, {'a', RGB(1, 2, 3)},
                       {'o', RGB(250, 128, 7)},   {'k', RGB(0, 0, 0)},
                       {'e', RGB(255, 255, 254)}, {'g', RGB(9, 200, 100)}};
    EXPECT_IMAGE(loaded(self, 2002), picture({"wao", "keg"}, c));
    // Stored top-down instead of bottom-up.
    const Colours d = {{'a', RGB(10, 20, 30)},
                       {'w', RGB(255, 255, 255)},
                       {'b', RGB(40, 50, 60)},
                       {'c', RGB(70, 80, 90)}};
    EXPECT_IMAGE(loaded(self, 2003), picture({"aw", "bc"}, d));
}

TEST_F(Resources, BlackAndWhitePicturesBecomeMonochromeBitmaps) {
    const standin::Image mono = loaded(self, 2004);
    EXPECT_EQ(mono.bitsPerPixel(), 1);
    EXPECT_IMAGE(mono, monoPicture({"1011001011", "0100110100"}));
    const standin::Image twoColours = loaded(self, 2005);
    EXPECT_EQ(twoColours.bitsPerPixel(), 32);
    EXPECT_IMAGE(twoColours,
                 picture({"bab", "aab"}, {{'a', RGB(200, 0, 0)}, {'b', RGB(0, 0, 220)}}));
}

TEST_F(Resources, EveryLoadGivesANewBitmap) {
    HBITMAP a = LoadBitmapA(self, MAKEINTRESOURCEA(2002));
    HBITMAP b = LoadBitmapA(self, "#2002");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(standin::counts().liveObjects, 2);
    DeleteObject(a);
    DeleteObject(b);
}

TEST_F(Resources, UnknownNamesAndModulesAnswerNull) {
    SetLastError(0);
    EXPECT_EQ(LoadBitmapA(self, MAKEINTRESOURCEA(2999)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(LoadBitmapA(self, "background"), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(2001)), nullptr);
    HINSTANCE platform = standin::moduleHandleOf(reinterpret_cast<const void*>(&GetTickCount));
    EXPECT_EQ(LoadBitmapA(platform, MAKEINTRESOURCEA(2001)), nullptr);
    EXPECT_EQ(standin::counts().liveObjects, 0);
}

// A registration lasts as long as its object, as the generated sources'
// registrations last as long as their module.
TEST_F(Resources, RegistrationsEndWithTheirObject) {
    static const unsigned char data[] = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                    // file header
        40,  0,   0,  0, 1, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, // information
        4,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,
        30,  20,  10, 0, // one pixel, blue 30, green 20, red 10
    };
    static const standin::EmbeddedBitmap table[] = {{4321, data, sizeof data}};
    {
        standin::BitmapRegistration registration(table, 1);
        EXPECT_IMAGE(loaded(self, 4321), standin::Image(1, 1, 32, RGB(10, 20, 30)));
    }
    EXPECT_EQ(LoadBitmapA(self, MAKEINTRESOURCEA(4321)), nullptr);
}

// Damaged or unsupported pictures are refused, never read past their end.
TEST(BmpReader, RefusesDamagedPictures) {
    std::vector<unsigned char> good = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                    // file header
        40,  0,   0,  0, 1, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, // information
        4,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,
        30,  20,  10, 0, // one pixel
    };
    standin::detail::DecodedBitmap out;
    ASSERT_TRUE(standin::detail::decodeBmp(good.data(), good.size(), out));
    EXPECT_EQ(out.pixels.at(0), RGB(10, 20, 30));
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(standin::detail::decodeBmp(good.data(), cut, out)) << "cut at " << cut;
    auto changed = [&good](std::size_t at, unsigned char value) {
        std::vector<unsigned char> bad = good;
        bad[at] = value;
        return bad;
    };
    const std::vector<unsigned char> cases[] = {
        changed(28, 16),   // 16 bits per pixel
        changed(30, 1),    // compressed
        changed(26, 2),    // two planes
        changed(21, 0x40), // enormous width
        changed(10, 200),  // bits beyond the end
        changed(14, 12),   // an old header
    };
    for (const auto& bad : cases)
        EXPECT_FALSE(standin::detail::decodeBmp(bad.data(), bad.size(), out));
    EXPECT_FALSE(standin::detail::decodeBmp(nullptr, 0, out));
}

} // namespace
