// A frame in a real window with the editor's background, a lit button and
// the stereo image view, painted by the window's first WM_PAINT and an idle
// redraw. Prints the frame's pixels, so that the stand-in's picture can be
// compared with the real system's.
#include "editor/resource_ids.h"
#include "editor/stereo_image_view.h"
#include "gui/bitmap.h"
#include "gui/frame_window.h"
#include "gui/toggle_button.h"
#include "platform/winapi.h"
#include "plugin/module_instance.h"

#ifndef _WIN32
#include "platform/standin/standin_control.h"
#endif

#include <cstdio>

namespace {

void pump() {
    MSG message;
    for (int i = 0; i < 1000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i)
        DispatchMessageA(&message);
}

HINSTANCE thisProgram() {
#ifdef _WIN32
    return GetModuleHandleA(nullptr);
#else
    return standin::moduleHandleOf(reinterpret_cast<const void*>(&pump));
#endif
}

// Every pixel of the frame's window, one row per line, runs of equal colours.
void printPixels(HWND window, int width, int height) {
    HDC windowDc = GetDC(window);
    HDC copy = CreateCompatibleDC(windowDc);
    HBITMAP bits = CreateCompatibleBitmap(windowDc, width, height);
    HGDIOBJ kept = SelectObject(copy, bits);
    BitBlt(copy, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    for (int y = 0; y < height; ++y) {
        std::printf("# row %d:", y);
        int x = 0;
        while (x < width) {
            const COLORREF c = GetPixel(copy, x, y);
            int run = 1;
            while (x + run < width && GetPixel(copy, x + run, y) == c)
                ++run;
            std::printf(" %06lx*%d", static_cast<unsigned long>(c & 0xffffff), run);
            x += run;
        }
        std::printf("\n");
    }
    SelectObject(copy, kept);
    DeleteObject(bits);
    DeleteDC(copy);
    ReleaseDC(window, windowDc);
}

} // namespace

int main() {
    setModuleInstance(thisProgram());
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = thisProgram();
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "QuillFrameScenario";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, "QuillFrameScenario", "host", WS_POPUP | WS_VISIBLE, 0, 0, 392,
                                100, nullptr, nullptr, thisProgram(), nullptr);
    {
        FrameWindow frame(Rect(0, 0, 392, 100), host, nullptr);
        Bitmap* background = new Bitmap(bitmapBackground);
        frame.setBackgroundBitmap(background);
        auto* view = new StereoImageView(Rect(14, 27, 277, 49), background);
        background->release();
        frame.addWidget(view);
        Bitmap* face = new Bitmap(bitmapCenterButton);
        auto* button = new ToggleButton(Rect(97, 79, 124, 92), nullptr, 2, face);
        face->release();
        frame.addWidget(button);
        std::printf("# background %dx%d\n", background->getWidth(), background->getHeight());

        UpdateWindow(host);
        pump(); // the first paint draws everything
        view->setWidth(0.75f);
        view->setCenterMarkerVisible(true);
        button->setValue(1.0f);
        frame.idleRedraw(); // the frame itself is still pending: a full draw
        frame.idleRedraw();
        printPixels(frame.getWindow(), 292, 100);
    }
    DestroyWindow(host);
    UnregisterClassA("QuillFrameScenario", thisProgram());
    return 0;
}
