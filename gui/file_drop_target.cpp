#include "gui/file_drop_target.h"

#include "gui/frame_window.h"
#include "gui/widget.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

FORMATETC formatOf(CLIPFORMAT format) {
    FORMATETC f{};
    f.cfFormat = format;
    f.ptd = nullptr;
    f.dwAspect = DVASPECT_CONTENT;
    f.lindex = -1;
    f.tymed = TYMED_HGLOBAL;
    return f;
}

bool endsWithShortcutExtension(const char* path) {
    const char* dot = std::strrchr(path, '.');
    if (!dot) return false;
    const char extension[] = ".lnk";
    for (std::size_t i = 0; i < sizeof extension; ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(dot[i])));
        if (c != extension[i]) return false; // compares the terminators too
    }
    return true;
}

} // namespace

bool resolveShortcut(const char* path, char* resolved) {
    if (!endsWithShortcutExtension(path)) return false;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        link->Release();
        return false;
    }
    WCHAR widePath[2048];
    MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, 2048);
    HRESULT result = file->Load(widePath, STGM_READ);
    if (SUCCEEDED(result)) result = link->Resolve(nullptr, 0x01F40003); // no UI, any match, 500 ms
    if (SUCCEEDED(result)) {
        WIN32_FIND_DATAA found;
        result = link->GetPath(resolved, dropPathBytes, &found, SLGP_SHORTPATH);
    }
    if (SUCCEEDED(result)) {
        // Some link objects give the long path whatever the flag asks.
        char shortPath[dropPathBytes];
        const DWORD length = GetShortPathNameA(resolved, shortPath, dropPathBytes);
        if (length > 0 && length < dropPathBytes) std::memcpy(resolved, shortPath, length + 1);
    }
    file->Release();
    link->Release();
    return SUCCEEDED(result);
}

FileDropTarget::FileDropTarget(FrameWindow* owner) : frame(owner) {}

FileDropTarget::~FileDropTarget() = default;

HRESULT STDMETHODCALLTYPE FileDropTarget::QueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IDropTarget) || IsEqualIID(iid, IID_IUnknown)) {
        *object = this;
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FileDropTarget::AddRef() { return static_cast<ULONG>(++references); }

ULONG STDMETHODCALLTYPE FileDropTarget::Release() {
    if (--references <= 0) {
        delete this;
        return 0;
    }
    return static_cast<ULONG>(references);
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                                    DWORD* effect) {
    accepting = false;
    if (data) {
        FORMATETC text = formatOf(CF_TEXT);
        FORMATETC files = formatOf(CF_HDROP);
        if (data->QueryGetData(&text) == S_OK || data->QueryGetData(&files) == S_OK) {
            accepting = true;
            return DragOver(keyState, point, effect);
        }
    }
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragOver(DWORD keyState, POINTL, DWORD* effect) {
    if (effect) {
        if (!accepting)
            *effect = DROPEFFECT_NONE;
        else
            *effect = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragLeave() { return S_OK; }

HRESULT STDMETHODCALLTYPE FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD*) {
    if (frame && data) {
        STGMEDIUM medium{};
        FORMATETC text = formatOf(CF_TEXT);
        FORMATETC files = formatOf(CF_HDROP);
        std::int32_t kind = -1;
        if (data->GetData(&text, &medium) == S_OK)
            kind = dropKindText;
        else if (data->GetData(&files, &medium) == S_OK)
            kind = dropKindFiles;
        if (kind >= 0 && medium.hGlobal) {
            if (kind == dropKindText)
                deliverText(medium.hGlobal);
            else
                deliverFiles(static_cast<HDROP>(medium.hGlobal));
            if (medium.pUnkForRelease)
                medium.pUnkForRelease->Release();
            else
                GlobalFree(medium.hGlobal);
        }
    }
    DragLeave();
    return S_OK;
}

void FileDropTarget::deliverText(HGLOBAL block) {
    void* address = GlobalLock(block);
    const SIZE_T size = GlobalSize(block);
    if (address && size != 0) {
        Point where;
        frame->cursorPosition(where);
        frame->drop(&address, static_cast<std::int32_t>(size), dropKindText, where);
    }
    GlobalUnlock(block);
}

void FileDropTarget::deliverFiles(HDROP files) {
    const UINT count = DragQueryFileA(files, 0xFFFFFFFFu, nullptr, 0);
    if (count == 0) return;
    char** paths = static_cast<char**>(std::calloc(count, sizeof(char*)));
    if (!paths) return;
    std::int32_t delivered = 0;
    char buffer[dropPathBytes];
    for (UINT i = 0; i < count; ++i) {
        if (DragQueryFileA(files, i, buffer, dropPathBytes) == 0) continue;
        resolveShortcut(buffer, buffer);
        char* block = static_cast<char*>(std::malloc(dropPathBytes));
        if (!block) continue;
        std::memcpy(block, buffer, std::strlen(buffer) + 1);
        paths[delivered++] = block;
    }
    Point where;
    frame->cursorPosition(where);
    frame->drop(reinterpret_cast<void**>(paths), delivered, dropKindFiles, where);
    for (std::int32_t i = 0; i < delivered; ++i)
        std::free(paths[i]);
    std::free(paths);
}
