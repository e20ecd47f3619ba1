// OLE and the shell in the stand-in: initialisation, drop-target
// registration and its references, the data object and drag helper, the
// file-list query and storage media.
#include "tests/platform/window_fixture.h"

#include <cstring>
#include <thread>

namespace {

// A drop target that counts references and answers like the editor's:
// copy with Control, move otherwise, nothing for data without text.
class Target : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL p,
                                        DWORD* effect) override {
        FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        accepting = data->QueryGetData(&text) == S_OK;
        calls.push_back("enter");
        return DragOver(keys, p, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL p, DWORD* effect) override {
        calls.push_back("over " + std::to_string(p.x) + "," + std::to_string(p.y));
        *effect = !accepting            ? DROPEFFECT_NONE
                  : (keys & MK_CONTROL) ? DROPEFFECT_COPY
                                        : DROPEFFECT_MOVE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        calls.push_back("leave");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL, DWORD*) override {
        calls.push_back("drop keys " + std::to_string(keys));
        FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        if (data->GetData(&text, &medium) == S_OK) {
            dropped = static_cast<const char*>(GlobalLock(medium.hGlobal));
            GlobalUnlock(medium.hGlobal);
            ReleaseStgMedium(&medium);
        }
        POINT cursor{};
        GetCursorPos(&cursor);
        dropCursor = cursor;
        return S_OK;
    }
    virtual ~Target() = default;

    int references = 1;
    bool accepting = false;
    std::vector<std::string> calls;
    std::string dropped;
    POINT dropCursor{};
};

class Ole : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window = topLevel(100, 100, 50, 50);
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
    }
    void TearDown() override {
        OleUninitialize();
        WindowTest::TearDown();
    }
    HWND window = nullptr;
};

TEST_F(Ole, InitialisationsAreCountedPerThread) {
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    OleUninitialize();
    HRESULT other = E_FAIL;
    std::thread([&other] {
        other = OleInitialize(nullptr);
        OleUninitialize();
    }).join();
    EXPECT_EQ(other, S_OK) << "a thread of its own starts from none";
    int reserved = 0;
    EXPECT_EQ(OleInitialize(&reserved), E_INVALIDARG);
}

TEST_F(Ole, RegistrationHoldsOneReferenceUntilRevoked) {
    Target target;
    EXPECT_EQ(RegisterDragDrop(window, &target), S_OK);
    EXPECT_EQ(target.references, 2);
    EXPECT_EQ(standin::registeredDropTarget(window), &target);
    EXPECT_EQ(standin::counts().registeredDropTargets, 1);
    EXPECT_EQ(RegisterDragDrop(window, &target), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(target.references, 2);
    EXPECT_EQ(RevokeDragDrop(window), S_OK);
    EXPECT_EQ(target.references, 1);
    EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED);
    EXPECT_EQ(standin::registeredDropTarget(window), nullptr);
}

TEST_F(Ole, RegistrationChecksInTheSystemsOrder) {
    Target target;
    HWND gone = topLevel(0, 0, 5, 5);
    DestroyWindow(gone);
    EXPECT_EQ(RegisterDragDrop(window, nullptr), E_INVALIDARG);
    EXPECT_EQ(RegisterDragDrop(gone, &target), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RevokeDragDrop(gone), DRAGDROP_E_INVALIDHWND);
    OleUninitialize();
    EXPECT_EQ(RegisterDragDrop(window, &target), E_OUTOFMEMORY) << "OLE not initialised";
    EXPECT_EQ(RegisterDragDrop(nullptr, nullptr), E_OUTOFMEMORY);
    EXPECT_EQ(target.references, 1);
    OleInitialize(nullptr);
}

TEST_F(Ole, NoClassCanBeCreated) {
    void* object = this;
    EXPECT_EQ(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    OleUninitialize();
    object = this;
    EXPECT_EQ(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object),
        CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, 1, IID_IShellLinkA, nullptr), E_POINTER);
    OleInitialize(nullptr);
}

TEST_F(Ole, IdentifiersCompareByValue) {
    const IID copy = IID_IDropTarget;
    EXPECT_TRUE(IsEqualIID(copy, IID_IDropTarget));
    EXPECT_FALSE(IsEqualIID(IID_IUnknown, IID_IDropTarget));
    EXPECT_TRUE(IsEqualGUID(CLSID_ShellLink, CLSID_ShellLink));
    EXPECT_EQ(IID_IShellLinkA.Data1, 0x000214EEu);
    EXPECT_EQ(IID_IPersistFile.Data4[0], 0xC0);
    EXPECT_EQ(IID_IPersistFile.Data4[7], 0x46);
}

TEST_F(Ole, TheDataObjectAnswersInMemoryBlocks) {
    standin::DragPayload both = standin::textPayload("hello");
    both.offersFiles = true;
    both.files = {"C:\\a.wav"};
    IDataObject* data = standin::createDataObject(both);
    EXPECT_EQ(standin::counts().liveDataObjects, 1);
    struct Case {
        FORMATETC format;
        HRESULT answer;
    };
    const Case cases[] = {
        {{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, S_OK},
        {{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, S_OK},
        {{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, DV_E_FORMATETC},
        {{CF_TEXT, nullptr, 4, -1, TYMED_HGLOBAL}, DV_E_DVASPECT},
        {{CF_TEXT, nullptr, DVASPECT_CONTENT, 0, TYMED_HGLOBAL}, DV_E_LINDEX},
        {{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, 4}, DV_E_TYMED},
    };
    for (const Case& c : cases) {
        FORMATETC f = c.format;
        EXPECT_EQ(data->QueryGetData(&f), c.answer) << f.cfFormat;
    }
    FORMATETC text = cases[0].format;
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&text, &medium), S_OK);
    EXPECT_EQ(medium.tymed, TYMED_HGLOBAL);
    EXPECT_EQ(medium.pUnkForRelease, nullptr);
    EXPECT_EQ(GlobalSize(medium.hGlobal), 6u) << "the text and its terminator";
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(medium.hGlobal)), "hello");
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    EXPECT_EQ(medium.hGlobal, nullptr);

    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC listed[3];
    ULONG fetched = 0;
    EXPECT_EQ(formats->Next(3, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(listed[0].cfFormat, CF_TEXT);
    EXPECT_EQ(listed[1].cfFormat, CF_HDROP);
    formats->Release();

    void* same = nullptr;
    EXPECT_EQ(data->QueryInterface(IID_IDataObject, &same), S_OK);
    EXPECT_EQ(data->Release(), 1u);
    EXPECT_EQ(data->Release(), 0u);
    EXPECT_EQ(standin::counts().liveDataObjects, 0);
}

TEST_F(Ole, ADragCallsTheTargetAsTheSystemDoes) {
    Target target;
    RegisterDragDrop(window, &target);
    const standin::DragReport r = standin::dragOver(
        window, standin::textPayload("dropped text"),
        {{{110, 120}, MK_LBUTTON}, {{111, 121}, MK_LBUTTON}, {{112, 122}, MK_LBUTTON | MK_CONTROL}},
        standin::DragEnd::drop);
    EXPECT_TRUE(r.targetFound);
    EXPECT_EQ(r.effects, (std::vector<DWORD>{DROPEFFECT_MOVE, DROPEFFECT_MOVE, DROPEFFECT_COPY}));
    EXPECT_TRUE(r.dropped);
    EXPECT_EQ(r.results.size(), 4u);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"enter", "over 110,120", "over 111,121",
                                                      "over 112,122", "drop keys 8"}))
        << "Drop sees the keys with the buttons released";
    EXPECT_EQ(target.dropped, "dropped text");
    EXPECT_EQ(target.dropCursor.x, 112) << "the cursor went along";
    EXPECT_EQ(r.dataReferencesLeft, 0);
    EXPECT_EQ(target.references, 2) << "the drag's own reference went back";
    RevokeDragDrop(window);
}

TEST_F(Ole, ADragEndsWithDragLeaveWhenRefusedOrAsked) {
    Target target;
    RegisterDragDrop(window, &target);
    standin::DragReport r = standin::dragOver(window, standin::filePayload({"C:\\a.wav"}),
                                              {{{110, 120}, MK_LBUTTON}}, standin::DragEnd::drop);
    EXPECT_EQ(r.effects, (std::vector<DWORD>{DROPEFFECT_NONE}));
    EXPECT_FALSE(r.dropped) << "no effect, no drop";
    EXPECT_EQ(target.calls.back(), "leave");
    target.calls.clear();
    r = standin::dragOver(window, standin::textPayload("x"), {{{110, 120}, MK_LBUTTON}},
                          standin::DragEnd::leave);
    EXPECT_FALSE(r.dropped);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"enter", "over 110,120", "leave"}));
    RevokeDragDrop(window);
    r = standin::dragOver(window, standin::textPayload("x"), {{{110, 120}, 0}},
                          standin::DragEnd::drop);
    EXPECT_FALSE(r.targetFound);
    EXPECT_TRUE(r.effects.empty());
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

TEST_F(Ole, DragQueryFileReadsAnsiAndWideLists) {
    const char ansi[] = "C:\\music\\a.wav\0D:\\b.txt\0";
    const char16_t wide[] = u"C:\\\u00e9t\u00e9.wav\0E:\\x\0";
    struct Case {
        const void* names;
        std::size_t bytes;
        bool wide;
        UINT count;
        const char* first;
    };
    const Case cases[] = {
        {ansi, sizeof ansi, false, 2, "C:\\music\\a.wav"},
        {wide, sizeof wide, true, 2, "C:\\\xe9t\xe9.wav"},
        {"\0", 2, false, 0, ""},
    };
    for (const Case& c : cases) {
        HGLOBAL block = fileList(c.names, c.bytes, c.wide);
        HDROP drop = static_cast<HDROP>(block);
        EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFFu, nullptr, 0), c.count);
        EXPECT_EQ(DragQueryFileA(drop, c.count, nullptr, 0), 0u) << "past the last name";
        if (c.count > 0) {
            char buffer[64];
            const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
            EXPECT_EQ(length, std::strlen(c.first));
            EXPECT_EQ(DragQueryFileA(drop, 0, buffer, sizeof buffer), length);
            EXPECT_STREQ(buffer, c.first);
            std::memset(buffer, 'x', sizeof buffer);
            EXPECT_EQ(DragQueryFileA(drop, 0, buffer, 6), 5u) << "a small buffer truncates";
            EXPECT_EQ(std::string(buffer), std::string(c.first, 5));
            EXPECT_EQ(DragQueryFileA(drop, 0, buffer, 0), 0u);
        }
        GlobalFree(block);
    }
}

TEST_F(Ole, DragQueryFileStaysInsideTheBlock) {
    // A list without its final terminators, and a header pointing outside.
    HGLOBAL open = fileList("C:\\a", 4, false);
    EXPECT_EQ(DragQueryFileA(static_cast<HDROP>(open), 0xFFFFFFFFu, nullptr, 0), 1u);
    char buffer[16];
    EXPECT_EQ(DragQueryFileA(static_cast<HDROP>(open), 0, buffer, sizeof buffer), 4u);
    GlobalFree(open);
    HGLOBAL outside = GlobalAlloc(GHND, sizeof(DROPFILES));
    static_cast<DROPFILES*>(GlobalLock(outside))->pFiles = 4000;
    GlobalUnlock(outside);
    EXPECT_EQ(DragQueryFileA(static_cast<HDROP>(outside), 0xFFFFFFFFu, nullptr, 0), 0u);
    GlobalFree(outside);
    EXPECT_EQ(DragQueryFileA(nullptr, 0xFFFFFFFFu, nullptr, 0), 0u);
}

TEST_F(Ole, TheDragHelpersFileListIsWhatTheShellMakes) {
    standin::DragPayload files = standin::filePayload({"C:\\a.wav", "D:\\\xe9.txt"});
    for (bool wideNames : {false, true}) {
        files.wideFileNames = wideNames;
        IDataObject* data = standin::createDataObject(files);
        FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        ASSERT_EQ(data->GetData(&f, &medium), S_OK);
        HDROP drop = static_cast<HDROP>(medium.hGlobal);
        EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFFu, nullptr, 0), 2u);
        char buffer[32];
        DragQueryFileA(drop, 1, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, "D:\\\xe9.txt");
        ReleaseStgMedium(&medium);
        data->Release();
    }
}

TEST_F(Ole, ReleasingAMediumWithAnOwnerReleasesTheOwnerOnly) {
    Target owner;
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 4);
    medium.pUnkForRelease = &owner;
    HGLOBAL block = medium.hGlobal;
    ReleaseStgMedium(&medium);
    EXPECT_EQ(owner.references, 0);
    EXPECT_EQ(GlobalSize(block), 4u) << "the owner frees it";
    GlobalFree(block);
    ReleaseStgMedium(nullptr);
}

} // namespace
