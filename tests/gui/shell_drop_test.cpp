// The drop target against the system's own shell and OLE: shortcuts made by
// the shell's link object, and registration of a frame's window.
#include "gui/file_drop_target.h"
#include "gui/frame_window.h"
#include "platform/winapi.h"
#include "plugin/module_instance.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace {

std::wstring wide(const std::string& text) {
    std::wstring result(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &result[0],
                                      static_cast<int>(result.size()));
    result.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);
    return result;
}

bool writeFile(const std::string& path, const char* bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fputs(bytes, f) >= 0;
    return std::fclose(f) == 0 && ok;
}

// Saves a shortcut to target at path with the shell's link object.
bool makeShortcut(const std::string& target, const std::string& path) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->SetPath(target.c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(wide(path).c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

class ShellDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        folder = std::string(temp) + "quill drop test";
        CreateDirectoryA(folder.c_str(), nullptr);
        target = folder + "\\long take name.wav";
        ASSERT_TRUE(writeFile(target, "RIFF"));
    }
    void TearDown() override {
        for (const std::string& path : created)
            DeleteFileA(path.c_str());
        DeleteFileA(target.c_str());
        RemoveDirectoryA(folder.c_str());
        OleUninitialize();
    }
    std::string file(const std::string& name) {
        created.push_back(folder + "\\" + name);
        return created.back();
    }
    std::string folder;
    std::string target;
    std::vector<std::string> created;
};

TEST_F(ShellDropTest, AShortcutResolvesToItsTargetsShortPath) {
    const std::string shortcut = file("Take.LNK");
    ASSERT_TRUE(makeShortcut(target, shortcut));
    char expected[MAX_PATH];
    ASSERT_NE(GetShortPathNameA(target.c_str(), expected, MAX_PATH), 0u);

    char path[dropPathBytes];
    std::snprintf(path, sizeof path, "%s", shortcut.c_str());
    EXPECT_TRUE(resolveShortcut(path, path));
    EXPECT_STREQ(path, expected);
}

TEST_F(ShellDropTest, OtherNamesAndBrokenShortcutsComeBackUnchanged) {
    const std::string shortcut = file("take.lnk");
    ASSERT_TRUE(makeShortcut(target, shortcut));
    const std::string textName = file("take.lnk.txt");
    ASSERT_TRUE(CopyFileA(shortcut.c_str(), textName.c_str(), FALSE));
    const std::string broken = file("broken.lnk");
    ASSERT_TRUE(writeFile(broken, "not a shortcut at all"));
    const std::string missing = folder + "\\missing.lnk";

    for (const std::string& name : {textName, broken, missing}) {
        char path[dropPathBytes];
        std::snprintf(path, sizeof path, "%s", name.c_str());
        EXPECT_FALSE(resolveShortcut(path, path)) << name;
        EXPECT_EQ(std::string(path), name);
    }
}

// A drop target that tells when it is deleted.
class WatchedTarget : public FileDropTarget {
public:
    explicit WatchedTarget(bool& deleted) : FileDropTarget(nullptr), deleted(deleted) {}
    ~WatchedTarget() override { deleted = true; }

private:
    bool& deleted;
};

class HostWindow {
public:
    HostWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuillDropTestHost";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "host", WS_POPUP, 0, 0, 200, 100, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    }
    ~HostWindow() {
        DestroyWindow(window);
        UnregisterClassA("QuillDropTestHost", GetModuleHandleA(nullptr));
    }
    HWND window = nullptr;
};

TEST_F(ShellDropTest, RevokingGivesBackTheLastReferenceAndTheTargetIsDeleted) {
    HostWindow host;
    ASSERT_NE(host.window, nullptr);
    bool deleted = false;
    auto* target = new WatchedTarget(deleted);
    // The frame's own sequence: a reference held across the registration.
    target->AddRef();
    ASSERT_EQ(RegisterDragDrop(host.window, target), S_OK);
    target->Release();
    EXPECT_FALSE(deleted) << "OLE holds the target while it is registered";
    EXPECT_EQ(RevokeDragDrop(host.window), S_OK);
    EXPECT_TRUE(deleted);
}

TEST_F(ShellDropTest, AFrameRegistersItsWindowAndRevokesIt) {
    if (!moduleInstance()) setModuleInstance(GetModuleHandleA(nullptr));
    HostWindow host;
    ASSERT_NE(host.window, nullptr);
    auto* frame = new FrameWindow(Rect(0, 0, 200, 100), host.window, nullptr);
    const HWND window = frame->getWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(frame->isFileDropEnabled());

    bool deleted = false;
    auto* other = new WatchedTarget(deleted);
    other->AddRef();
    EXPECT_EQ(RegisterDragDrop(window, other), DRAGDROP_E_ALREADYREGISTERED);
    frame->enableFileDrop(false);
    EXPECT_EQ(RegisterDragDrop(window, other), S_OK) << "the frame's registration is gone";
    EXPECT_EQ(RevokeDragDrop(window), S_OK);
    other->Release();
    EXPECT_TRUE(deleted);
    delete frame;
}

} // namespace
