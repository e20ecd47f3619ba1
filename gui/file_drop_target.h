// The OLE drop target of the editor window: accepts ANSI text and shell file
// lists, resolves ".lnk" shortcuts, and hands the items to the frame.
#pragma once

#include "platform/winapi.h"

#include <cstdint>

class FrameWindow;

constexpr std::uint32_t dropPathBytes = 1024;

// Replaces a ".lnk" path (any letter case) by its target's short path, in place.
bool resolveShortcut(const char* path, char* resolved);

class FileDropTarget : public IDropTarget {
public:
    explicit FileDropTarget(FrameWindow* frame);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override; // deletes the target at 0
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                   DWORD* effect) override;
    virtual ~FileDropTarget();

    bool isAccepting() const { return accepting; }

private:
    void deliverText(HGLOBAL block);
    void deliverFiles(HDROP files);

    std::int32_t references = 0;
    bool accepting = false;
    FrameWindow* frame;
};
