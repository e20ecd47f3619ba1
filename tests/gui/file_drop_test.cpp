// Dropping text and files onto a frame's window through the real drop
// target, with the stand-in playing OLE.
#include "gui/file_drop_target.h"
#include "gui/frame_window.h"
#include "platform/standin/standin_input.h"
#include "tests/gui/gui_fixture.h"

#include <string>
#include <vector>

namespace {

// A widget that keeps what it was handed, and may refuse it.
class Receiver : public Widget {
public:
    Receiver(const Rect& r, bool takes) : Widget(r), takes(takes) {}
    bool drop(void** items, std::int32_t count, std::int32_t kind, Point where) override {
        ++calls;
        lastKind = kind;
        lastCount = count;
        lastWhere = where;
        paths.clear();
        if (kind == dropKindFiles)
            for (std::int32_t i = 0; i < count; ++i)
                paths.push_back(static_cast<char*>(items[i]));
        else
            text = *reinterpret_cast<const char* const*>(items);
        return takes;
    }
    bool takes;
    int calls = 0;
    std::int32_t lastKind = -1;
    std::int32_t lastCount = 0;
    Point lastWhere;
    std::vector<std::string> paths;
    std::string text;
};

class DropTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        OleInitialize(nullptr);
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = moduleInstance();
        wc.lpszClassName = "QuillDropHost";
        RegisterClassA(&wc);
        host = CreateWindowExA(0, "QuillDropHost", "host", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                               100, nullptr, nullptr, moduleInstance(), nullptr);
        frame = new FrameWindow(Rect(0, 0, 200, 100), host, nullptr);
    }
    void TearDown() override {
        delete frame;
        DestroyWindow(host);
        UnregisterClassA("QuillDropHost", moduleInstance());
        standin::pumpMessages();
        OleUninitialize();
        GuiTest::TearDown();
    }
    standin::DragReport drag(const standin::DragPayload& payload,
                             standin::DragEnd end = standin::DragEnd::drop) {
        return standin::dragOver(frame->getWindow(), payload,
                                 {{{150, 140}, MK_LBUTTON}, {{152, 142}, MK_LBUTTON | MK_CONTROL}},
                                 end);
    }
    HWND host = nullptr;
    FrameWindow* frame = nullptr;
};

TEST_F(DropTest, TextShowsMoveOrCopyAndArrivesAsOneBlock) {
    auto* receiver = new Receiver(Rect(0, 0, 200, 100), true);
    frame->addWidget(receiver);
    const standin::DragReport report = drag(standin::textPayload("dropped words"));
    EXPECT_EQ(report.effects, (std::vector<DWORD>{DROPEFFECT_MOVE, DROPEFFECT_COPY}));
    ASSERT_TRUE(report.dropped);
    EXPECT_EQ(receiver->calls, 1);
    EXPECT_EQ(receiver->lastKind, dropKindText);
    EXPECT_EQ(receiver->text, "dropped words");
    EXPECT_EQ(receiver->lastCount, 14) << "the count is the block's size";
    EXPECT_EQ(receiver->lastWhere, Point(52, 42)) << "the cursor, relative to the window";
    EXPECT_EQ(report.dataReferencesLeft, 0);
    EXPECT_EQ(standin::counts().liveGlobalBlocks, 0) << "the medium was released";
}

TEST_F(DropTest, ThreeFilesArriveInOrderAndTextWinsOverFiles) {
    auto* receiver = new Receiver(Rect(0, 0, 200, 100), true);
    frame->addWidget(receiver);
    drag(standin::filePayload({"C:\\a.wav", "C:\\b.txt", "C:\\c.lnk.txt"}));
    ASSERT_EQ(receiver->calls, 1);
    EXPECT_EQ(receiver->lastKind, dropKindFiles);
    EXPECT_EQ(receiver->lastCount, 3);
    EXPECT_EQ(receiver->paths,
              (std::vector<std::string>{"C:\\a.wav", "C:\\b.txt", "C:\\c.lnk.txt"}));
    standin::DragPayload both = standin::filePayload({"C:\\a.wav"});
    both.offersText = true;
    both.text = "words";
    drag(both);
    EXPECT_EQ(receiver->lastKind, dropKindText);
    EXPECT_EQ(receiver->text, "words");
}

TEST_F(DropTest, ANameTheListDoesNotGiveIsLeftOut) {
    auto* receiver = new Receiver(Rect(0, 0, 200, 100), true);
    frame->addWidget(receiver);
    standin::failFileQuery(1);
    drag(standin::filePayload({"C:\\a.wav", "C:\\b.txt", "C:\\c.aif"}));
    ASSERT_EQ(receiver->calls, 1);
    EXPECT_EQ(receiver->lastCount, 2);
    EXPECT_EQ(receiver->paths, (std::vector<std::string>{"C:\\a.wav", "C:\\c.aif"}));
    EXPECT_EQ(standin::counts().liveGlobalBlocks, 0) << "the medium is freed";
}

TEST_F(DropTest, DataOfNeitherKindShowsNoEffectAndIsNotDropped) {
    auto* receiver = new Receiver(Rect(0, 0, 200, 100), true);
    frame->addWidget(receiver);
    const standin::DragReport report = drag(standin::DragPayload{});
    EXPECT_EQ(report.effects, (std::vector<DWORD>{DROPEFFECT_NONE, DROPEFFECT_NONE}));
    EXPECT_FALSE(report.dropped);
    EXPECT_EQ(receiver->calls, 0);
}

TEST_F(DropTest, TopmostWidgetFirstAndNoneWhileModal) {
    auto* lower = new Receiver(Rect(0, 0, 200, 100), true);
    auto* upper = new Receiver(Rect(0, 0, 100, 100), false);
    frame->addWidget(lower);
    frame->addWidget(upper);
    drag(standin::textPayload("x"));
    EXPECT_EQ(upper->calls, 1) << "asked first, refused";
    EXPECT_EQ(lower->calls, 1) << "then the one below took it";
    frame->setModalWidget(upper);
    drag(standin::textPayload("y"));
    EXPECT_EQ(lower->calls, 1);
    EXPECT_EQ(upper->calls, 1);
    frame->setModalWidget(nullptr);
}

TEST_F(DropTest, LeavingChangesNothing) {
    auto* receiver = new Receiver(Rect(0, 0, 200, 100), true);
    frame->addWidget(receiver);
    const standin::DragReport report = drag(standin::textPayload("z"), standin::DragEnd::leave);
    EXPECT_FALSE(report.dropped);
    EXPECT_EQ(receiver->calls, 0);
}

TEST_F(DropTest, TheTargetGoesWithTheFrame) {
    EXPECT_TRUE(frame->isFileDropEnabled());
    IDropTarget* target = standin::registeredDropTarget(frame->getWindow());
    ASSERT_NE(target, nullptr);
    target->AddRef(); // keeps it alive to see who else holds it
    delete frame;
    frame = nullptr;
    EXPECT_EQ(standin::counts().registeredDropTargets, 0) << "revoked with the window";
    EXPECT_EQ(target->Release(), 0u) << "nothing else held it: deleted now";
}

TEST(ShortcutNames, OnlyLnkInAnyCaseIsResolved) {
    char plain[dropPathBytes] = "C:\\music\\take.lnk.txt";
    EXPECT_FALSE(resolveShortcut(plain, plain));
    EXPECT_STREQ(plain, "C:\\music\\take.lnk.txt");
    char none[dropPathBytes] = "C:\\music\\take";
    EXPECT_FALSE(resolveShortcut(none, none));
    // Here no shell link object exists: a shortcut comes back unchanged.
    OleInitialize(nullptr);
    char shortcut[dropPathBytes] = "C:\\music\\TAKE.LNK";
    EXPECT_FALSE(resolveShortcut(shortcut, shortcut));
    EXPECT_STREQ(shortcut, "C:\\music\\TAKE.LNK");
    OleUninitialize();
}

} // namespace
