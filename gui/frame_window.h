// The top-level container of an open editor: owns the native child window,
// the background and the widget list, and turns window messages and editor
// calls into widget operations.
#pragma once

#include "gui/widget.h"
#include "platform/winapi.h"

#include <cstdint>

class Bitmap;
class GuiEditor;

class FrameWindow : public Widget {
public:
    // Creates the child window inside parent (none: no window at all).
    FrameWindow(const Rect& bounds, HWND parent, GuiEditor* editor);
    ~FrameWindow() override;

    void draw(Canvas* canvas) override;
    void mouseDown(Canvas* canvas, Point where) override;
    void redrawIfPending(Canvas* canvas) override;
    bool drop(void** items, std::int32_t count, std::int32_t kind, Point where) override;
    bool wheel(Canvas* canvas, Point where, float distance) override;

    virtual bool addWidget(Widget* widget); // takes over the creator's reference
    virtual bool removeWidget(Widget* widget, bool release);
    virtual bool removeAllWidgets(bool release);
    virtual bool containsWidget(Widget* widget);

    void setBackgroundBitmap(Bitmap* bitmap);
    bool setModalWidget(Widget* widget); // refuses a second modal widget
    Widget* getModalWidget() const { return modalWidget; }
    bool beginParameterEdit(std::int32_t index);
    bool endParameterEdit(std::int32_t index);
    Widget* widgetUnderCursor();
    bool cursorPosition(Point& out);
    void setCursorShape(std::int32_t shape);
    bool enableFileDrop(bool on);

    void redrawWidget(Widget* widget); // none or unlisted: the whole frame
    bool hasPendingRedraw();
    void idleRedraw();

    HWND getWindow() const { return window; }
    GuiEditor* getEditor() const { return editor; }
    std::int32_t getWidgetCount() const { return widgetCount; }
    std::int32_t getWidgetCapacity() const { return widgetCapacity; }
    Widget* getWidget(std::int32_t i) const { return widgets[i]; }
    bool isOpen() const { return open; }
    bool isFirstPaintPending() const { return firstPaintPending; }
    bool isFileDropEnabled() const { return fileDropEnabled; }

    static LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

private:
    bool createNativeWindow(HWND parent);
    bool registerWindowClass();
    void unregisterWindowClass();
    // Runs action on a canvas over the window's device context, then gives both back.
    template <typename Action>
    void withWindowCanvas(Action action);

    GuiEditor* editor;
    HWND parentWindow;
    Bitmap* background = nullptr;
    std::int32_t widgetCount = 0;
    std::int32_t widgetCapacity = 0;
    Widget** widgets = nullptr;
    Widget* modalWidget = nullptr;
    bool firstPaintPending = true;
    bool open = true;
    bool fileDropEnabled = false;
    HWND window = nullptr;
    HCURSOR savedCursor = nullptr;
};

// Module-wide: the window class every frame of the module shares.
const char* frameWindowClassName();
std::int32_t frameWindowClassUseCount();
