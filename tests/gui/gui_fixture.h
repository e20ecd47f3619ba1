// Shared pieces of the toolkit's tests: a stand-in reset before every test,
// the module's pictures reachable through the module instance handle, and a
// check at the end that nothing drawn left a GDI object or context behind.
#pragma once

#include "platform/standin/standin_control.h"
#include "platform/winapi.h"
#include "plugin/module_instance.h"

#include <gtest/gtest.h>

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        standin::reset();
        // The pictures are embedded in this test program.
        setModuleInstance(standin::moduleHandleOf(reinterpret_cast<const void*>(&GuiTest::anchor)));
    }
    void TearDown() override {
        const standin::GdiCounts c = standin::counts();
        EXPECT_EQ(c.liveObjects, 0) << "GDI objects left alive";
        EXPECT_EQ(c.liveContexts, 0) << "device contexts left alive";
    }
    static void anchor() {}
};

// A colour memory surface to draw on, for the length of a test.
class Surface {
public:
    Surface(int width, int height, COLORREF fill = RGB(0, 0, 0))
        : dc(CreateCompatibleDC(nullptr)), bitmap(CreateBitmap(width, height, 1, 32, nullptr)) {
        previous = SelectObject(dc, bitmap);
        standin::setBitmapImage(bitmap, standin::Image(width, height, 32, fill));
    }
    ~Surface() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    standin::Image image() const { return standin::bitmapImage(bitmap); }
    COLORREF at(int x, int y) const { return image().at(x, y); }

    HDC dc;
    HBITMAP bitmap;

private:
    HGDIOBJ previous;
};

#define EXPECT_IMAGE(actual, expected)                                                             \
    EXPECT_EQ(standin::describeDifference((actual), (expected)), "")
