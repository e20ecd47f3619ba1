// The drag helper: runs an OLE drag over a window's registered drop target
// as the system's drag loop does (standin_input.h).
#include "platform/standin/ole_state.h"
#include "platform/standin/standin_input.h"

using namespace standin::detail;

namespace standin {

DragPayload textPayload(const std::string& text) {
    DragPayload p;
    p.offersText = true;
    p.text = text;
    return p;
}

DragPayload filePayload(const std::vector<std::string>& files) {
    DragPayload p;
    p.offersFiles = true;
    p.files = files;
    return p;
}

IDropTarget* registeredDropTarget(HWND window) {
    OleState& state = ole();
    std::lock_guard<std::mutex> lock(state.mutex);
    auto it = state.dropTargets.find(reinterpret_cast<std::uintptr_t>(window));
    return it == state.dropTargets.end() ? nullptr : it->second;
}

// The system holds the target for the length of the drag and masks every
// answer with the effects the source allows; it drops only when the last
// masked answer is an effect. The key state given to Drop has the buttons
// released.
DragReport dragOver(HWND window, const DragPayload& payload, const std::vector<DragStep>& path,
                    DragEnd end, DWORD allowedEffects) {
    DragReport report;
    IDropTarget* target = registeredDropTarget(window);
    report.targetFound = target != nullptr;
    if (!target || path.empty()) return report;
    target->AddRef();
    IDataObject* data = createDataObject(payload);
    DWORD last = DROPEFFECT_NONE;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const DragStep& step = path[i];
        SetCursorPos(step.where.x, step.where.y);
        const POINTL point{step.where.x, step.where.y};
        DWORD effect = allowedEffects;
        const HRESULT h = i == 0 ? target->DragEnter(data, step.keyState, point, &effect)
                                 : target->DragOver(step.keyState, point, &effect);
        report.results.push_back(h);
        report.effects.push_back(effect);
        last = FAILED(h) ? DROPEFFECT_NONE : effect & allowedEffects;
    }
    if (end == DragEnd::drop && last != DROPEFFECT_NONE) {
        const DragStep& step = path.back();
        const POINTL point{step.where.x, step.where.y};
        DWORD effect = allowedEffects;
        const DWORD keys =
            step.keyState & ~static_cast<DWORD>(MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
        report.results.push_back(target->Drop(data, keys, point, &effect));
        report.dropped = true;
        report.dropEffect = effect;
    } else {
        report.results.push_back(target->DragLeave());
    }
    report.dataReferencesLeft = static_cast<int>(data->Release());
    target->Release();
    return report;
}

} // namespace standin
