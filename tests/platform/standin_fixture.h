// Shared pieces of the stand-in's tests: a fixture that starts every test
// from a reset stand-in and checks at its end that the test left no GDI
// object, device context, global block, window, window class, drop target
// or data object behind, and small helpers to make bitmaps from text
// pictures.
#pragma once

#include "platform/standin/standin_control.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

class StandinTest : public ::testing::Test {
protected:
    void SetUp() override { standin::reset(); }
    void TearDown() override {
        const standin::GdiCounts c = standin::counts();
        EXPECT_EQ(c.liveObjects, 0) << "GDI objects left alive";
        EXPECT_EQ(c.liveContexts, 0) << "device contexts left alive";
        EXPECT_EQ(c.liveGlobalBlocks, 0) << "global memory blocks left allocated";
        EXPECT_EQ(c.liveWindows, 0) << "windows left alive";
        EXPECT_EQ(c.registeredClasses, 0) << "window classes left registered";
        EXPECT_EQ(c.registeredDropTargets, 0) << "drop targets left registered";
        EXPECT_EQ(c.liveDataObjects, 0) << "data objects left alive";
    }
};

// A memory device context holding a bitmap for the length of a scope.
class Selected {
public:
    explicit Selected(HBITMAP bitmap, HDC reference = nullptr)
        : dc(CreateCompatibleDC(reference)), previous(SelectObject(dc, bitmap)) {}
    ~Selected() {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    HDC dc;

private:
    HGDIOBJ previous;
};

// Owns a GDI object for the length of a scope.
template <class H>
class Owned {
public:
    explicit Owned(H handle) : h(handle) {}
    ~Owned() {
        if (h) DeleteObject(h);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    operator H() const { return h; }
    H get() const { return h; }

private:
    H h;
};

using Colours = std::map<char, COLORREF>;

// A picture as rows of characters, each naming a colour.
inline standin::Image picture(std::initializer_list<const char*> rows, const Colours& colours,
                              int bitsPerPixel = 32) {
    const int h = static_cast<int>(rows.size());
    const int w = h ? static_cast<int>(std::string(*rows.begin()).size()) : 0;
    standin::Image image(w, h, bitsPerPixel);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < w; ++x)
            image.set(x, y, colours.at(row[x]));
        ++y;
    }
    return image;
}

// Monochrome pictures: '0' black, '1' white.
inline standin::Image monoPicture(std::initializer_list<const char*> rows) {
    return picture(rows, {{'0', RGB(0, 0, 0)}, {'1', RGB(255, 255, 255)}}, 1);
}

inline HBITMAP bitmapOf(const standin::Image& image) {
    HBITMAP bitmap = CreateBitmap(image.width(), image.height(), 1,
                                  static_cast<UINT>(image.bitsPerPixel()), nullptr);
    standin::setBitmapImage(bitmap, image);
    return bitmap;
}

inline HBRUSH solidBrush(COLORREF colour) { return CreateSolidBrush(colour); }

#define EXPECT_IMAGE(actual, expected)                                                             \
    EXPECT_EQ(standin::describeDifference((actual), (expected)), "")
