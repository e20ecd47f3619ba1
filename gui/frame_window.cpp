#include "gui/frame_window.h"

#include "gui/bitmap.h"
#include "gui/canvas.h"
#include "gui/file_drop_target.h"
#include "gui/gui_editor.h"
#include "plugin/effect_base_ext.h"
#include "plugin/module_instance.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char windowClassName[32] = "";
std::int32_t windowClassUseCount = 0;

} // namespace

const char* frameWindowClassName() { return windowClassName; }
std::int32_t frameWindowClassUseCount() { return windowClassUseCount; }

FrameWindow::FrameWindow(const Rect& r, HWND parent, GuiEditor* owner)
    : Widget(r), editor(owner), parentWindow(parent) {
    createNativeWindow(parent);
}

FrameWindow::~FrameWindow() {
    setCursorShape(0);
    enableFileDrop(false);
    removeAllWidgets(true);
    if (background) background->release();
    if (window) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        unregisterWindowClass();
    }
}

// ---- native window ----

bool FrameWindow::createNativeWindow(HWND parent) {
    if (!parent) return false;
    registerWindowClass();
    window =
        CreateWindowExA(0, windowClassName, "Window", WS_CHILD | WS_VISIBLE, 0, 0, bounds.width(),
                        bounds.height(), parent, nullptr, moduleInstance(), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    enableFileDrop(true);
    return true;
}

bool FrameWindow::registerWindowClass() {
    if (++windowClassUseCount != 1) return true;
    std::snprintf(windowClassName, sizeof windowClassName, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(moduleInstance())));
    WNDCLASSA windowClass{};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = frameWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = moduleInstance();
    windowClass.hIcon = nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = windowClassName;
    RegisterClassA(&windowClass);
    return true;
}

void FrameWindow::unregisterWindowClass() {
    if (--windowClassUseCount == 0) UnregisterClassA(windowClassName, moduleInstance());
}

// ---- widget list ----

bool FrameWindow::addWidget(Widget* widget) {
    if (widgetCount == widgetCapacity) {
        const std::int32_t capacity = widgetCapacity + 10;
        void* grown = std::realloc(widgets, sizeof(Widget*) * static_cast<std::size_t>(capacity));
        if (!grown) return false;
        widgets = static_cast<Widget**>(grown);
        widgetCapacity = capacity;
    }
    widgets[widgetCount++] = widget;
    widget->setFrame(this);
    return true;
}

bool FrameWindow::removeWidget(Widget* widget, bool release) {
    bool found = false;
    for (std::int32_t i = 0; i < widgetCount; ++i) {
        if (!found && widgets[i] == widget) found = true;
        if (found && i + 1 < widgetCount) widgets[i] = widgets[i + 1];
    }
    if (found) {
        --widgetCount;
        if (release) widget->release();
    }
    return true;
}

bool FrameWindow::removeAllWidgets(bool release) {
    if (widgets) {
        if (release)
            for (std::int32_t i = 0; i < widgetCount; ++i)
                widgets[i]->release();
        std::free(widgets);
        widgets = nullptr;
        widgetCount = 0;
        widgetCapacity = 0;
    }
    return true;
}

bool FrameWindow::containsWidget(Widget* widget) {
    for (std::int32_t i = 0; i < widgetCount; ++i)
        if (widgets[i] == widget) return true;
    return false;
}

// ---- background, modal widget, gestures, cursor ----

void FrameWindow::setBackgroundBitmap(Bitmap* bitmap) {
    if (bitmap) bitmap->retain(); // before the release, so the same bitmap survives
    if (background) background->release();
    background = bitmap;
}

bool FrameWindow::setModalWidget(Widget* widget) {
    if (widget && modalWidget) return false;
    modalWidget = widget;
    return true;
}

bool FrameWindow::beginParameterEdit(std::int32_t index) {
    return editor && editor->getEffect() ? editor->getEffect()->beginParameterGesture(index)
                                         : false;
}

bool FrameWindow::endParameterEdit(std::int32_t index) {
    return editor && editor->getEffect() ? editor->getEffect()->endParameterGesture(index) : false;
}

Widget* FrameWindow::widgetUnderCursor() {
    Point where;
    cursorPosition(where);
    for (std::int32_t i = widgetCount - 1; i >= 0; --i)
        if (boundsContain(widgets[i]->getBounds(), where)) return widgets[i];
    return nullptr;
}

bool FrameWindow::cursorPosition(Point& out) {
    POINT cursor{};
    GetCursorPos(&cursor);
    out = Point(cursor.x, cursor.y);
    if (window) {
        RECT r{};
        GetWindowRect(window, &r);
        out.offset(-r.left, -r.top);
    }
    return true;
}

void FrameWindow::setCursorShape(std::int32_t shape) {
    if (!savedCursor) savedCursor = GetCursor();
    static const char* const shapes[] = {nullptr,     IDC_WAIT,     IDC_SIZEWE,  IDC_SIZENS,
                                         IDC_SIZEALL, IDC_SIZENESW, IDC_SIZENWSE};
    if (shape == 0)
        SetCursor(savedCursor);
    else if (shape > 0 && shape < 7)
        SetCursor(LoadCursorA(nullptr, shapes[shape]));
}

// ---- drawing and idle ----

template <typename Action>
void FrameWindow::withWindowCanvas(Action action) {
    HDC dc = GetDC(window);
    {
        Canvas canvas(this, dc, window);
        action(&canvas);
    }
    ReleaseDC(window, dc);
}

void FrameWindow::redrawWidget(Widget* widget) {
    if (widget && containsWidget(widget))
        withWindowCanvas([widget](Canvas* canvas) { widget->draw(canvas); });
    else
        withWindowCanvas([this](Canvas* canvas) { draw(canvas); });
}

bool FrameWindow::hasPendingRedraw() {
    if (modalWidget || isRedrawPending()) return true;
    for (std::int32_t i = 0; i < widgetCount; ++i)
        if (widgets[i]->isRedrawPending()) return true;
    return false;
}

void FrameWindow::idleRedraw() {
    if (!open || firstPaintPending || !hasPendingRedraw()) return;
    withWindowCanvas([this](Canvas* canvas) { redrawIfPending(canvas); });
}

void FrameWindow::draw(Canvas* canvas) {
    firstPaintPending = false;
    if (background)
        background->draw(canvas, Rect(0, 0, background->getWidth(), background->getHeight()),
                         Point(0, 0));
    for (std::int32_t i = 0; i < widgetCount; ++i) {
        const bool wasPending = widgets[i]->isRedrawPending();
        widgets[i]->draw(canvas);
        widgets[i]->setRedrawPending(wasPending);
    }
    if (modalWidget) modalWidget->draw(canvas);
}

void FrameWindow::redrawIfPending(Canvas* canvas) {
    if (!open) return;
    if (modalWidget) {
        modalWidget->redrawIfPending(canvas);
    } else if (isRedrawPending()) {
        draw(canvas);
        setRedrawPending(false);
    } else {
        for (std::int32_t i = 0; i < widgetCount; ++i)
            widgets[i]->redrawIfPending(canvas);
    }
}

// ---- events ----

void FrameWindow::mouseDown(Canvas* canvas, Point where) {
    if (modalWidget) {
        if (boundsContain(modalWidget->getBounds(), where)) modalWidget->mouseDown(canvas, where);
        return;
    }
    for (std::int32_t i = widgetCount - 1; i >= 0; --i) {
        Widget* w = widgets[i];
        if (w->isMouseActive() && boundsContain(w->getBounds(), where)) {
            w->mouseDown(canvas, where);
            return;
        }
    }
}

bool FrameWindow::drop(void** items, std::int32_t count, std::int32_t kind, Point where) {
    if (modalWidget) return false;
    for (std::int32_t i = widgetCount - 1; i >= 0; --i) {
        Widget* w = widgets[i];
        if (w->isMouseActive() && boundsContain(w->getBounds(), where) &&
            w->drop(items, count, kind, where))
            return true;
    }
    return false;
}

bool FrameWindow::wheel(Canvas*, Point, float distance) {
    Widget* target = widgetUnderCursor();
    if (!target) return false;
    bool handled = false;
    withWindowCanvas([&](Canvas* canvas) {
        Point where;
        cursorPosition(where);
        handled = target->wheel(canvas, where, distance);
    });
    return handled;
}

// ---- window procedure ----

LRESULT CALLBACK FrameWindow::frameWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* frame = reinterpret_cast<FrameWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (frame) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const Point where(static_cast<std::int32_t>(lParam & 0xffff),
                              static_cast<std::int32_t>((lParam >> 16) & 0xffff));
            frame->withWindowCanvas([&](Canvas* canvas) { frame->mouseDown(canvas, where); });
            return 0;
        }
        case WM_PAINT:
            if (GetUpdateRect(hwnd, nullptr, FALSE)) {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(hwnd, &paint);
                {
                    Canvas canvas(frame, dc, hwnd);
                    frame->draw(&canvas);
                }
                EndPaint(hwnd, &paint);
                return 0;
            }
            break;
        case WM_DESTROY:
            frame->open = false;
            frame->parentWindow = nullptr;
            break;
        default: break;
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// ---- file drop ----

bool FrameWindow::enableFileDrop(bool on) {
    if (!fileDropEnabled && !on) return true;
    if (!window) return false;
    if (!on) {
        RevokeDragDrop(window);
        fileDropEnabled = false;
        return true;
    }
    auto* target = new (std::nothrow) FileDropTarget(this);
    if (!target) return false;
    // Held across the registration, so that a target OLE refuses is deleted
    // again instead of lingering with no reference at all.
    target->AddRef();
    RegisterDragDrop(window, target);
    target->Release();
    fileDropEnabled = true;
    return true;
}
