// A fixture for the stand-in's window tests: one registered window class
// whose procedure records every message and lets a test answer messages
// itself; helpers that create windows and destroy them at the end.
#pragma once

#include "tests/platform/standin_fixture.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct Seen {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class WindowTest : public StandinTest {
protected:
    static constexpr const char* className = "StandinTestWindow";

    void SetUp() override {
        StandinTest::SetUp();
        current = this;
        WNDCLASSA wc{};
        wc.lpfnWndProc = &WindowTest::procedure;
        wc.cbWndExtra = 16;
        wc.hInstance = instance();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        ASSERT_NE(RegisterClassA(&wc), 0);
    }

    void TearDown() override {
        handler = nullptr; // it may refer to the test body's objects, gone by now
        for (HWND w : created)
            if (IsWindow(w)) DestroyWindow(w);
        UnregisterClassA(className, instance());
        current = nullptr;
        StandinTest::TearDown();
    }

    static HINSTANCE instance() {
        return standin::moduleHandleOf(reinterpret_cast<void*>(&procedure));
    }

    HWND topLevel(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE) {
        HWND window = CreateWindowExA(0, className, "top", style, x, y, w, h, nullptr, nullptr,
                                      instance(), nullptr);
        created.push_back(window);
        return window;
    }

    HWND child(HWND parent, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE) {
        HWND window = CreateWindowExA(0, className, "child", style, x, y, w, h, parent, nullptr,
                                      instance(), nullptr);
        created.push_back(window);
        return window;
    }

    // The messages a window received, in order, of those given (all if none).
    std::vector<UINT> messagesOf(HWND window, std::vector<UINT> only = {}) const {
        std::vector<UINT> out;
        for (const Seen& s : seen)
            if (s.window == window &&
                (only.empty() || std::find(only.begin(), only.end(), s.message) != only.end()))
                out.push_back(s.message);
        return out;
    }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (current) {
            current->seen.push_back(Seen{window, message, wParam, lParam});
            if (current->handler)
                if (std::optional<LRESULT> answer =
                        current->handler(window, message, wParam, lParam))
                    return *answer;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HBRUSH background = nullptr; // the class brush; set before SetUp runs
    std::vector<Seen> seen;
    // Answers a message instead of DefWindowProcA when it returns a value.
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> handler;
    std::vector<HWND> created;

private:
    static inline WindowTest* current = nullptr;
};

// A client rectangle as text, for comparisons with a readable failure.
inline std::string text(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

inline std::string updateOf(HWND window) {
    RECT r{};
    return GetUpdateRect(window, &r, FALSE) ? text(r) : "none";
}
