// Runs a fixed set of windowing, message, cursor and OLE scenarios and
// prints what the calls answered and which messages the window procedures
// saw. Built natively against the stand-in and for Windows, so that the two
// outputs can be compared line by line. Handle values and addresses are
// never printed; windows are named by their role.
#include "platform/winapi.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

void say(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::fputs("# ", stdout);
    std::vfprintf(stdout, format, args);
    std::fputs("\n", stdout);
    va_end(args);
    std::fflush(stdout);
}

const char* yes(bool b) { return b ? "yes" : "no"; }

unsigned hr(HRESULT h) { return static_cast<unsigned>(h); }

HINSTANCE instance;
const char* const hostClass = "QuillScenarioHost";
const char* const childClass = "QuillScenarioChild";

// Windows by role, for the message log.
struct Named {
    HWND window;
    const char* name;
};
std::vector<Named> names;

const char* nameOf(HWND window) {
    if (!window) return "thread";
    for (const Named& n : names)
        if (n.window == window) return n.name;
    return "unnamed";
}

struct MessageName {
    UINT message;
    const char* name;
};
constexpr MessageName messageNames[] = {
    {WM_CREATE, "WM_CREATE"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_PAINT, "WM_PAINT"},
    {WM_QUIT, "WM_QUIT"},
    {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"},
    {WM_SIZE, "WM_SIZE"},
    {WM_MOVE, "WM_MOVE"},
};

std::string messageText(UINT message) {
    for (const MessageName& m : messageNames)
        if (m.message == message) return m.name;
    char text[32];
    if (message >= WM_USER && message < WM_USER + 100)
        std::snprintf(text, sizeof text, "WM_USER+%u", message - WM_USER);
    else
        std::snprintf(text, sizeof text, "message 0x%04x", message);
    return text;
}

// What the window procedures log: the messages of the table and WM_USER+n.
std::vector<std::string> logLines;

bool interesting(UINT message) {
    if (message >= WM_USER && message < WM_USER + 100) return true;
    for (const MessageName& m : messageNames)
        if (m.message == message) return true;
    return false;
}

void printLog(const char* what) {
    std::string text;
    for (const std::string& s : logLines)
        text += (text.empty() ? "" : ", ") + s;
    say("%s: %s", what, text.empty() ? "nothing" : text.c_str());
    logLines.clear();
}

int failCreateMarker = 0;   // lpCreateParams: WM_CREATE answers -1
int failNcCreateMarker = 0; // lpCreateParams: WM_NCCREATE answers FALSE
bool paintWithBeginPaint = true;
HBRUSH paintBrush = nullptr;
bool childAliveDuringHostDestroy = false;
HWND childWindow = nullptr;
HWND hostWindow = nullptr;

std::string rectText(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", static_cast<int>(r.left),
                  static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom));
    return text;
}

LRESULT CALLBACK scenarioProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (interesting(message)) {
        std::string entry = std::string(nameOf(window)) + " " + messageText(message);
        if (message == WM_SIZE || message == WM_MOVE) {
            char text[48];
            std::snprintf(text, sizeof text, " (%u,%d,%d)", static_cast<unsigned>(wParam),
                          static_cast<int>(static_cast<short>(LOWORD(lParam))),
                          static_cast<int>(static_cast<short>(HIWORD(lParam))));
            entry += text;
        }
        logLines.push_back(entry);
    }
    switch (message) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs->lpCreateParams == &failNcCreateMarker) return FALSE;
        break;
    }
    case WM_CREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        char text[160];
        std::snprintf(text, sizeof text,
                      "creation record: position (%d,%d) size %dx%d style %08x parent %s name %s",
                      cs->x, cs->y, cs->cx, cs->cy, static_cast<unsigned>(cs->style),
                      nameOf(cs->hwndParent), cs->lpszName ? cs->lpszName : "(none)");
        logLines.push_back(text);
        if (cs->lpCreateParams == &failCreateMarker) return -1;
        return 0;
    }
    case WM_DESTROY:
        if (window == hostWindow) childAliveDuringHostDestroy = IsWindow(childWindow) != FALSE;
        break;
    case WM_PAINT:
        if (paintWithBeginPaint && std::strcmp(nameOf(window), "child") == 0) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            logLines.push_back("BeginPaint " + rectText(ps.rcPaint) + " erase pending " +
                               yes(ps.fErase != FALSE) + " context " +
                               yes(dc == ps.hdc && dc != nullptr));
            if (paintBrush) {
                RECT corner{0, 0, 10, 10};
                FillRect(dc, &corner, paintBrush);
            }
            EndPaint(window, &ps);
            return 0;
        }
        break;
    case WM_USER + 5: return 42;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

ATOM registerClass(const char* name, HBRUSH background, int extraBytes) {
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = scenarioProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = instance;
    wc.hIcon = nullptr;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = name;
    return RegisterClassA(&wc);
}

// A call's answer and the error it left, in this order.
struct Answer {
    long value;
    unsigned error;
};

template <class Call>
Answer answerOf(Call call) {
    SetLastError(0);
    const long value = static_cast<long>(call());
    return {value, static_cast<unsigned>(GetLastError())};
}

void classes() {
    const ATOM first = registerClass(childClass, nullptr, 8);
    say("RegisterClassA: atom %s, in 0xC000..0xFFFF %s", yes(first != 0), yes(first >= 0xC000));
    Answer a = answerOf([] { return registerClass(childClass, nullptr, 8); });
    say("RegisterClassA again: atom %s, error %u", yes(a.value != 0), a.error);
    a = answerOf([] { return registerClass("QUILLSCENARIOCHILD", nullptr, 8); });
    say("RegisterClassA in capitals: atom %s, error %u", yes(a.value != 0), a.error);
    a = answerOf([] { return UnregisterClassA(childClass, instance); });
    say("UnregisterClassA: %ld", a.value);
    a = answerOf([] { return UnregisterClassA(childClass, instance); });
    say("UnregisterClassA again: %ld, error %u", a.value, a.error);
    const ATOM third = registerClass(childClass, nullptr, 8);
    say("RegisterClassA after unregistering: atom %s", yes(third != 0));
    UnregisterClassA(childClass, instance);
}

void windows() {
    registerClass(hostClass, nullptr, 0);
    paintBrush = CreateSolidBrush(RGB(0, 0, 255));
    registerClass(childClass, CreateSolidBrush(RGB(255, 0, 0)), 8);

    // Windows answers ERROR_CANNOT_FIND_WND_CLASS here, Wine another code:
    // only the failure is compared.
    HWND none = CreateWindowExA(0, "QuillScenarioMissing", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, instance, nullptr);
    say("CreateWindowExA of an unknown class: window %s", yes(none != nullptr));
    Answer a = answerOf([] {
        return CreateWindowExA(0, childClass, "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr,
                               instance, nullptr) != nullptr;
    });
    say("CreateWindowExA of a child without parent: window %s, error %u", yes(a.value != 0),
        a.error);

    hostWindow = CreateWindowExA(0, hostClass, "Host", WS_POPUP | WS_VISIBLE, 40, 30, 200, 120,
                                 nullptr, nullptr, instance, nullptr);
    names.push_back({hostWindow, "host"});
    printLog("host creation");
    childWindow = CreateWindowExA(0, childClass, "Window", WS_CHILD | WS_VISIBLE, 10, 20, 60, 40,
                                  hostWindow, reinterpret_cast<HMENU>(77), instance, nullptr);
    names.push_back({childWindow, "child"});
    printLog("child creation");
    HWND grandchild = CreateWindowExA(0, childClass, "Inner", WS_CHILD | WS_VISIBLE, 5, 5, 20, 10,
                                      childWindow, nullptr, instance, nullptr);
    names.push_back({grandchild, "grandchild"});
    printLog("grandchild creation");

    RECT r{};
    GetWindowRect(hostWindow, &r);
    say("host GetWindowRect %s", rectText(r).c_str());
    GetClientRect(hostWindow, &r);
    say("host GetClientRect %s", rectText(r).c_str());
    GetWindowRect(childWindow, &r);
    say("child GetWindowRect %s", rectText(r).c_str());
    GetClientRect(childWindow, &r);
    say("child GetClientRect %s", rectText(r).c_str());
    GetWindowRect(grandchild, &r);
    say("grandchild GetWindowRect %s", rectText(r).c_str());
    say("IsWindow host %d child %d null %d", IsWindow(hostWindow), IsWindow(childWindow),
        IsWindow(nullptr));

    a = answerOf([] { return UnregisterClassA(childClass, instance); });
    say("UnregisterClassA while a window of the class exists: %ld, error %u", a.value, a.error);
}

void longs() {
    say("SetWindowLongPtrA GWLP_USERDATA answers %ld",
        static_cast<long>(SetWindowLongPtrA(childWindow, GWLP_USERDATA, 1234)));
    say("GetWindowLongPtrA GWLP_USERDATA %ld",
        static_cast<long>(GetWindowLongPtrA(childWindow, GWLP_USERDATA)));
    say("SetWindowLongPtrA GWLP_USERDATA again answers %ld",
        static_cast<long>(SetWindowLongPtrA(childWindow, GWLP_USERDATA, -5678)));
    say("GetWindowLongA GWL_USERDATA %ld",
        static_cast<long>(GetWindowLongA(childWindow, GWL_USERDATA)));
    say("GetWindowLongA GWL_STYLE %08x",
        static_cast<unsigned>(GetWindowLongA(childWindow, GWL_STYLE)));
    say("GetWindowLongA GWL_EXSTYLE %08x",
        static_cast<unsigned>(GetWindowLongA(childWindow, GWL_EXSTYLE)));
    say("GetWindowLongPtrA GWLP_ID %ld",
        static_cast<long>(GetWindowLongPtrA(childWindow, GWLP_ID)));
    say("GetWindowLongPtrA GWLP_HWNDPARENT is %s",
        nameOf(reinterpret_cast<HWND>(GetWindowLongPtrA(childWindow, GWLP_HWNDPARENT))));
    say("GetWindowLongPtrA GWLP_WNDPROC is the procedure %s",
        yes(GetWindowLongPtrA(childWindow, GWLP_WNDPROC) ==
            reinterpret_cast<LONG_PTR>(scenarioProc)));
    say("GetWindowLongPtrA GWLP_HINSTANCE is the instance %s",
        yes(GetWindowLongPtrA(childWindow, GWLP_HINSTANCE) ==
            reinterpret_cast<LONG_PTR>(instance)));
    say("SetWindowLongA extra bytes 4 answers %ld",
        static_cast<long>(SetWindowLongA(childWindow, 4, 99)));
    say("GetWindowLongA extra bytes 4: %ld", static_cast<long>(GetWindowLongA(childWindow, 4)));
    Answer a = answerOf([] { return GetWindowLongA(childWindow, 6); });
    say("GetWindowLongA extra bytes 6 of 8: %ld, error %u", a.value, a.error);
    a = answerOf([] { return GetWindowLongA(childWindow, -100); });
    say("GetWindowLongA index -100: %ld, error %u", a.value, a.error);
}

void printQueueUntilEmpty(const char* what) {
    MSG msg;
    std::string text;
    for (int i = 0; i < 100 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        const bool mine = !msg.hwnd || std::strcmp(nameOf(msg.hwnd), "unnamed") != 0;
        if (mine && (msg.message == WM_PAINT || msg.message == WM_QUIT ||
                     (msg.message >= WM_USER && msg.message < WM_USER + 100))) {
            char entry[96];
            std::snprintf(entry, sizeof entry, "%s %s (%u,%ld)", nameOf(msg.hwnd),
                          messageText(msg.message).c_str(), static_cast<unsigned>(msg.wParam),
                          static_cast<long>(msg.lParam));
            text += (text.empty() ? "" : ", ") + std::string(entry);
        }
        if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
    say("%s: %s", what, text.empty() ? "nothing" : text.c_str());
    printLog("  seen by the procedures");
}

std::string updateText(HWND window) {
    RECT r{};
    const BOOL any = GetUpdateRect(window, &r, FALSE);
    return any ? rectText(r) : std::string("none");
}

void painting() {
    say("after creation: update of host %s, child %s", updateText(hostWindow).c_str(),
        updateText(childWindow).c_str());
    say("GetUpdateRect without a rectangle: %d", GetUpdateRect(childWindow, nullptr, FALSE));

    PostMessageA(childWindow, WM_USER + 1, 11, 12);
    PostMessageA(hostWindow, WM_USER + 2, 21, 22);
    PostMessageA(nullptr, WM_USER + 3, 31, 32);
    MSG msg{};
    BOOL got = PeekMessageA(&msg, childWindow, 0, 0, PM_NOREMOVE);
    say("PeekMessageA for the child, not removing: %d %s %s", got, nameOf(msg.hwnd),
        messageText(msg.message).c_str());
    got = PeekMessageA(&msg, hostWindow, WM_USER + 1, WM_USER + 1, PM_NOREMOVE);
    say("PeekMessageA for the host with the child's message number: %d", got);
    got = PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 3, PM_NOREMOVE);
    say("PeekMessageA for WM_USER+2..WM_USER+3: %d %s %s", got, nameOf(msg.hwnd),
        messageText(msg.message).c_str());
    got = PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE);
    say("PeekMessageA for WM_PAINT only: %d %s %s", got, nameOf(msg.hwnd),
        messageText(msg.message).c_str());
    printQueueUntilEmpty("queue in order");
    say("after the queue ran dry: update of host %s, child %s", updateText(hostWindow).c_str(),
        updateText(childWindow).c_str());
    got = PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE);
    say("PeekMessageA for WM_PAINT when nothing is invalid: %d", got);

    HDC dc = GetDC(childWindow);
    say("child pixels: painted corner %06x, erased background %06x",
        static_cast<unsigned>(GetPixel(dc, 2, 2)), static_cast<unsigned>(GetPixel(dc, 30, 30)));
    ReleaseDC(childWindow, dc);

    RECT a{5, 6, 15, 16};
    RECT b{20, 10, 30, 12};
    InvalidateRect(childWindow, &a, FALSE);
    say("InvalidateRect (5,6)-(15,16): child update %s", updateText(childWindow).c_str());
    InvalidateRect(childWindow, &b, FALSE);
    say("and (20,10)-(30,12): child update %s", updateText(childWindow).c_str());
    RECT c{0, 0, 60, 40};
    ValidateRect(childWindow, &c);
    say("ValidateRect of the whole client area: child update %s", updateText(childWindow).c_str());
    RECT outside{100, 100, 120, 120};
    InvalidateRect(childWindow, &outside, FALSE);
    say("InvalidateRect outside the client area: child update %s", updateText(childWindow).c_str());

    RECT corner{0, 0, 20, 30};
    InvalidateRect(hostWindow, &corner, TRUE);
    say("InvalidateRect of the host (0,0)-(20,30): host %s, child %s, grandchild %s",
        updateText(hostWindow).c_str(), updateText(childWindow).c_str(),
        updateText(names[2].window).c_str());
    UpdateWindow(hostWindow);
    printLog("UpdateWindow of the host");
    say("after UpdateWindow: host %s, child %s", updateText(hostWindow).c_str(),
        updateText(childWindow).c_str());

    InvalidateRect(childWindow, nullptr, TRUE);
    got = PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
    say("WM_PAINT peeked with PM_REMOVE: %d %s", got, nameOf(msg.hwnd));
    got = PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
    say("WM_PAINT again while the child is still invalid: %d %s", got, nameOf(msg.hwnd));
    got = GetMessageA(&msg, nullptr, WM_PAINT, WM_PAINT);
    say("GetMessageA for WM_PAINT: %d %s", got, nameOf(msg.hwnd));
    DispatchMessageA(&msg);
    printLog("  dispatched");

    InvalidateRect(childWindow, nullptr, FALSE);
    PostMessageA(childWindow, WM_USER + 4, 41, 42);
    PostQuitMessage(3);
    PostMessageA(childWindow, WM_USER + 6, 61, 62);
    printQueueUntilEmpty("quit, posted messages and paint in order");

    say("SendMessageA WM_USER+5 answers %ld",
        static_cast<long>(SendMessageA(childWindow, WM_USER + 5, 0, 0)));
    printLog("  seen by the procedures");

    paintWithBeginPaint = false;
    InvalidateRect(childWindow, nullptr, TRUE);
    UpdateWindow(childWindow);
    printLog("UpdateWindow, default processing of WM_PAINT");
    say("after default processing: child update %s", updateText(childWindow).c_str());
    paintWithBeginPaint = true;
}

void cursors() {
    const char* const ids[] = {IDC_ARROW,   IDC_WAIT,     IDC_SIZEWE,  IDC_SIZENS,
                               IDC_SIZEALL, IDC_SIZENESW, IDC_SIZENWSE};
    std::string text;
    for (const char* id : ids)
        text += " " + std::to_string(static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(id)));
    say("cursor identifiers:%s", text.c_str());
    HCURSOR loaded[7];
    bool allDistinct = true;
    bool noneNull = true;
    for (int i = 0; i < 7; ++i) {
        loaded[i] = LoadCursorA(nullptr, ids[i]);
        noneNull = noneNull && loaded[i] != nullptr;
        for (int k = 0; k < i; ++k)
            allDistinct = allDistinct && loaded[k] != loaded[i];
    }
    say("LoadCursorA: all loaded %s, all distinct %s, same handle when loaded again %s",
        yes(noneNull), yes(allDistinct), yes(LoadCursorA(nullptr, IDC_WAIT) == loaded[1]));
    const Answer a =
        answerOf([] { return LoadCursorA(nullptr, MAKEINTRESOURCEA(12345)) != nullptr; });
    say("LoadCursorA of an unknown identifier: %s, error %u", yes(a.value != 0), a.error);
    HCURSOR initial = GetCursor();
    say("GetCursor at the start is null %s", yes(initial == nullptr));
    HCURSOR previous = SetCursor(loaded[1]);
    say("SetCursor(wait) answers the cursor before %s", yes(previous == initial));
    previous = SetCursor(loaded[2]);
    say("SetCursor(size west-east) answers wait %s; GetCursor is size west-east %s",
        yes(previous == loaded[1]), yes(GetCursor() == loaded[2]));
    previous = SetCursor(nullptr);
    say("SetCursor(null) answers size west-east %s; GetCursor is null %s",
        yes(previous == loaded[2]), yes(GetCursor() == nullptr));
    SetCursor(initial);
}

void input() {
    say("SetCursorPos(123, 77): %d", SetCursorPos(123, 77));
    POINT p{};
    const BOOL ok = GetCursorPos(&p);
    say("GetCursorPos: %d (%d,%d)", ok, static_cast<int>(p.x), static_cast<int>(p.y));
    const int keys[] = {VK_LBUTTON, VK_MBUTTON, VK_RBUTTON, VK_SHIFT, VK_CONTROL, VK_MENU};
    std::string text;
    for (int k : keys)
        text += " " + std::to_string(static_cast<int>(GetAsyncKeyState(k)));
    say("GetAsyncKeyState of the buttons and modifiers:%s", text.c_str());
    LOGBRUSH lb{};
    GetObjectA(GetSysColorBrush(COLOR_BTNFACE), sizeof lb, &lb);
    // The colour itself is Wine's own (Windows has f0f0f0): only the brush is compared.
    say("GetSysColorBrush(COLOR_BTNFACE): style %u, colour is GetSysColor's %s",
        static_cast<unsigned>(lb.lbStyle), yes(lb.lbColor == GetSysColor(COLOR_BTNFACE)));
}

// A drop target that counts its references and records calls.
class CountingTarget : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        ++refusedQueries;
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* e) override {
        *e = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* e) override {
        *e = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    virtual ~CountingTarget() = default;

    int references = 1;
    int refusedQueries = 0;
};

std::string guidText(const GUID& g) {
    char text[48];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

const GUID unknownClass = {0x1234abcd, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};

// Before anything of the program ran, no apartment exists on the thread.
void oleUninitialised() {
    CountingTarget target;
    say("RegisterDragDrop before OleInitialize: %08x", hr(RegisterDragDrop(nullptr, &target)));
    say("RevokeDragDrop of no window before OleInitialize: %08x", hr(RevokeDragDrop(nullptr)));
    void* object = &target;
    const HRESULT created =
        CoCreateInstance(unknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
    say("CoCreateInstance before OleInitialize: %08x, object cleared %s", hr(created),
        yes(object == nullptr));
    say("references of the target: %d", target.references);
}

void ole() {
    say("IID_IUnknown %s", guidText(IID_IUnknown).c_str());
    say("IID_IDropTarget %s", guidText(IID_IDropTarget).c_str());
    say("IID_IDataObject %s", guidText(IID_IDataObject).c_str());
    say("IID_IShellLinkA %s", guidText(IID_IShellLinkA).c_str());
    say("IID_IPersistFile %s", guidText(IID_IPersistFile).c_str());
    say("CLSID_ShellLink %s", guidText(CLSID_ShellLink).c_str());
    say("IsEqualIID(IID_IUnknown, IID_IDropTarget) %d, (IID_IDropTarget, IID_IDropTarget) %d",
        IsEqualIID(IID_IUnknown, IID_IDropTarget) ? 1 : 0,
        IsEqualIID(IID_IDropTarget, IID_IDropTarget) ? 1 : 0);

    say("OleInitialize: %08x", hr(OleInitialize(nullptr)));
    say("OleInitialize again: %08x", hr(OleInitialize(nullptr)));
    OleUninitialize();
    CountingTarget target;
    void* object = &target;
    const HRESULT created =
        CoCreateInstance(unknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
    say("CoCreateInstance of an unknown class: %08x, object cleared %s", hr(created),
        yes(object == nullptr));

    say("RegisterDragDrop without a target: %08x", hr(RegisterDragDrop(childWindow, nullptr)));
    HWND gone = CreateWindowExA(0, childClass, "Gone", WS_CHILD, 0, 0, 5, 5, hostWindow, nullptr,
                                instance, nullptr);
    DestroyWindow(gone);
    logLines.clear();
    say("RegisterDragDrop for a destroyed window: %08x", hr(RegisterDragDrop(gone, &target)));
    say("RevokeDragDrop for a destroyed window: %08x", hr(RevokeDragDrop(gone)));
    const int before = target.references;
    HRESULT h = RegisterDragDrop(childWindow, &target);
    say("RegisterDragDrop: %08x, references %d (before %d), refused queries %d", hr(h),
        target.references, before, target.refusedQueries);
    h = RegisterDragDrop(childWindow, &target);
    say("RegisterDragDrop again: %08x, references %d", hr(h), target.references);
    h = RevokeDragDrop(childWindow);
    say("RevokeDragDrop: %08x, references %d", hr(h), target.references);
    h = RevokeDragDrop(childWindow);
    say("RevokeDragDrop again: %08x, references %d", hr(h), target.references);
    h = RegisterDragDrop(childWindow, &target);
    say("RegisterDragDrop after revoking: %08x, references %d", hr(h), target.references);
    h = RevokeDragDrop(childWindow);
    say("RevokeDragDrop: %08x, references %d", hr(h), target.references);
    OleUninitialize();
}

HGLOBAL fileList(const void* names, std::size_t bytes, bool wide) {
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = wide ? TRUE : FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names, bytes);
    GlobalUnlock(block);
    return block;
}

std::string printable(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c < 0x7f) {
            out += *p;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

void fileLists() {
    const char ansi[] = "C:\\music\\a.wav\0D:\\b.txt\0";
    HGLOBAL block = fileList(ansi, sizeof ansi, false);
    HDROP drop = static_cast<HDROP>(block);
    say("ANSI list: count %u, length of 0 %u, of 1 %u",
        DragQueryFileA(drop, 0xFFFFFFFFu, nullptr, 0), DragQueryFileA(drop, 0, nullptr, 0),
        DragQueryFileA(drop, 1, nullptr, 0));
    char buffer[64];
    UINT n = DragQueryFileA(drop, 1, buffer, sizeof buffer);
    say("ANSI file 1: %u \"%s\"", n, printable(buffer).c_str());
    std::memset(buffer, 'x', sizeof buffer);
    n = DragQueryFileA(drop, 0, buffer, 6);
    buffer[sizeof buffer - 1] = 0;
    say("ANSI file 0 into 6 bytes: %u \"%s\"", n, printable(buffer).c_str());
    say("ANSI file 2 (none): %u", DragQueryFileA(drop, 2, buffer, sizeof buffer));
    GlobalFree(block);

    const WCHAR wide[] = {'C', ':', '\\', 0xE9, 't', 0xE9, '.', 'w', 'a', 'v',
                          0,   'E', ':',  '\\', 'x', 0,    'F', ':', 0,   0};
    block = fileList(wide, sizeof wide, true);
    drop = static_cast<HDROP>(block);
    say("wide list: count %u, length of 0 %u", DragQueryFileA(drop, 0xFFFFFFFFu, nullptr, 0),
        DragQueryFileA(drop, 0, nullptr, 0));
    n = DragQueryFileA(drop, 0, buffer, sizeof buffer);
    say("wide file 0: %u \"%s\"", n, printable(buffer).c_str());
    n = DragQueryFileA(drop, 2, buffer, sizeof buffer);
    say("wide file 2: %u \"%s\"", n, printable(buffer).c_str());
    say("wide file 3 (none): %u", DragQueryFileA(drop, 3, buffer, sizeof buffer));
    GlobalFree(block);

    // ReleaseStgMedium frees an HGLOBAL medium that names no releasing object.
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 16);
    medium.pUnkForRelease = nullptr;
    HGLOBAL handle = medium.hGlobal;
    ReleaseStgMedium(&medium);
    SetLastError(0);
    say("ReleaseStgMedium: block still there %s", yes(GlobalSize(handle) != 0));
}

void destruction() {
    logLines.clear();
    DestroyWindow(hostWindow);
    printLog("DestroyWindow of the host");
    say("child alive during the host's WM_DESTROY %s", yes(childAliveDuringHostDestroy));
    say("IsWindow after: host %d child %d", IsWindow(hostWindow), IsWindow(childWindow));
    // Windows answers ERROR_INVALID_WINDOW_HANDLE, Wine ERROR_ACCESS_DENIED.
    say("DestroyWindow again: %d", DestroyWindow(hostWindow));
    Answer a = answerOf([] {
        RECT r{1, 2, 3, 4};
        return GetWindowRect(childWindow, &r);
    });
    say("GetWindowRect of a destroyed window: %ld, error %u", a.value, a.error);
    a = answerOf([] { return PostMessageA(childWindow, WM_USER, 0, 0); });
    say("PostMessageA to a destroyed window: %ld, error %u", a.value, a.error);
    a = answerOf([] { return SendMessageA(childWindow, WM_USER + 5, 0, 0); });
    say("SendMessageA to a destroyed window: %ld, error %u", a.value, a.error);
    a = answerOf([] { return SetWindowLongPtrA(childWindow, GWLP_USERDATA, 1); });
    say("SetWindowLongPtrA of a destroyed window: %ld, error %u", a.value, a.error);
    say("UnregisterClassA once the windows are gone: %d", UnregisterClassA(childClass, instance));
    registerClass(childClass, nullptr, 8);

    hostWindow = CreateWindowExA(0, hostClass, "Host", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 instance, nullptr);
    names.push_back({hostWindow, "host"});
    logLines.clear();
    a = answerOf([] {
        return CreateWindowExA(0, childClass, "Failing", WS_CHILD, 0, 0, 10, 10, hostWindow,
                               nullptr, instance, &failCreateMarker) != nullptr;
    });
    printLog("WM_CREATE answering -1");
    say("  CreateWindowExA answers a window %s, error %u", yes(a.value != 0), a.error);
    a = answerOf([] {
        return CreateWindowExA(0, childClass, "Failing", WS_CHILD, 0, 0, 10, 10, hostWindow,
                               nullptr, instance, &failNcCreateMarker) != nullptr;
    });
    printLog("WM_NCCREATE answering FALSE");
    say("  CreateWindowExA answers a window %s, error %u", yes(a.value != 0), a.error);
    DestroyWindow(hostWindow);
    logLines.clear();
    UnregisterClassA(childClass, instance);
    UnregisterClassA(hostClass, instance);
}

} // namespace

int main() {
    instance = GetModuleHandleA(nullptr);
    oleUninitialised();
    classes();
    windows();
    longs();
    painting();
    cursors();
    input();
    ole();
    fileLists();
    destruction();
    return 0;
}
