// Simulated user input for tests (and hosts) of the stand-in: mouse and key
// gestures on the virtual clock, and OLE drags of data over a window's drop
// target. Natively only; nothing of the module uses it.
//
// A gesture is a list of timed events. They take effect once the virtual
// clock (GetTickCount) has reached their time, whenever the program looks:
// at every Sleep, GetAsyncKeyState, GetCursorPos, PeekMessageA and
// GetMessageA (which, with nothing else to do, moves the clock on to the
// next event). A press or release also posts the button message to the
// window under the cursor, a move posts WM_MOUSEMOVE; key events only
// change the key state. A loop that polls the state without ever sleeping
// still sees the gesture through: after many polls with the clock standing
// still, the clock jumps to the next event.
//
//     standin::scriptGesture({standin::press(0, 60, 40), standin::moveTo(20, 90, 40),
//                             standin::release(40)});
//     standin::pumpMessages(); // (standin_control.h) WM_LBUTTONDOWN enters the control's tracking
//     loop,
//                              // whose sleeps bring the move and the release
#pragma once

#include "platform/standin/standin_api.h"

#include <string>
#include <vector>

namespace standin {

struct InputEvent {
    enum class Kind { press, move, release, keyDown, keyUp };
    Kind kind = Kind::move;
    DWORD at = 0;  // milliseconds after scriptGesture was called
    POINT where{}; // screen coordinates of a press or move
    int key = 0;   // VK_LBUTTON, VK_RBUTTON or VK_MBUTTON for a button, else a virtual key
};

// Moves the cursor to the point and presses a button there.
InputEvent press(DWORD at, int x, int y, int button = VK_LBUTTON);
InputEvent moveTo(DWORD at, int x, int y);
// Releases a button where the cursor is.
InputEvent release(DWORD at, int button = VK_LBUTTON);
InputEvent keyDown(DWORD at, int key);
InputEvent keyUp(DWORD at, int key);

// Adds events to the script, their times counted from now; events of equal
// time keep their order. The script is the whole system's, like the mouse;
// button messages go to the queue of the thread that owns the window under
// the cursor. [any thread]
void scriptGesture(const std::vector<InputEvent>& events);
// Events of the script not yet applied. [any thread]
int pendingInput();
// Moves the clock to the last scripted event and applies all that remain.
// [any thread]
void finishGesture();

// OLE drag and drop as the system runs it for the registered drop target
// of a window: DragEnter at the first point, DragOver at every further one,
// then Drop, or DragLeave when asked to or when the last effect was
// DROPEFFECT_NONE. The cursor is moved to each point before the call. The
// data object is a real one, answering in memory blocks.
//
//     standin::DragPayload files;
//     files.files = {"C:\\a.wav", "C:\\b.txt"};
//     standin::DragReport r = standin::dragOver(window, files,
//         {{{60, 40}, MK_LBUTTON}, {{62, 41}, MK_LBUTTON | MK_CONTROL}}, standin::DragEnd::drop);
//     // r.effects == {DROPEFFECT_MOVE, DROPEFFECT_COPY}, r.dropped == true
struct DragPayload {
    bool offersText = false;
    std::string text; // CF_TEXT: the bytes and a terminating zero
    bool offersFiles = false;
    std::vector<std::string> files; // CF_HDROP: a DROPFILES block
    bool wideFileNames = false;     // the block holds UTF-16 names
};
// A payload of text, of a file list, or both (offering text first).
DragPayload textPayload(const std::string& text);
DragPayload filePayload(const std::vector<std::string>& files);

struct DragStep {
    POINT where;    // screen coordinates
    DWORD keyState; // MK_* bits
};

enum class DragEnd { drop, leave };

struct DragReport {
    bool targetFound = false;           // the window had a registered drop target
    std::vector<DWORD> effects;         // what DragEnter, then each DragOver, answered
    std::vector<HRESULT> results;       // of every call, the last one Drop's or DragLeave's
    bool dropped = false;               // Drop was called
    DWORD dropEffect = DROPEFFECT_NONE; // the effect Drop left
    int dataReferencesLeft = 0;         // references to the data object still held afterwards
};

// [the window's thread, as OLE calls targets on the thread that registered them]
DragReport dragOver(HWND window, const DragPayload& payload, const std::vector<DragStep>& path,
                    DragEnd end, DWORD allowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE);

// A data object holding the payload, with one reference for the caller.
IDataObject* createDataObject(const DragPayload& payload);
// The target RegisterDragDrop registered for a window (no reference added).
IDropTarget* registeredDropTarget(HWND window);

} // namespace standin
