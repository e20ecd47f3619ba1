// KERNEL calls of the stand-in: the virtual clock, the last error, global
// memory blocks, character-set conversion and module handles.
#include "tests/platform/standin_fixture.h"

#include <cstring>
#include <thread>
#include <vector>

namespace {

class Kernel : public StandinTest {};

TEST_F(Kernel, ClockMovesOnlyWhenTestsOrSleepMoveIt) {
    EXPECT_EQ(GetTickCount(), 0u);
    standin::setTickCount(1000);
    EXPECT_EQ(GetTickCount(), 1000u);
    standin::advanceTickCount(25);
    Sleep(4);
    Sleep(0);
    EXPECT_EQ(GetTickCount(), 1029u);
    // 32-bit milliseconds wrap around as the system's do.
    standin::setTickCount(0xFFFFFFFEu);
    Sleep(3);
    EXPECT_EQ(GetTickCount(), 1u);
}

TEST_F(Kernel, SleepObserverSeesEverySleepAfterTheClockMoved) {
    std::vector<DWORD> seen;
    standin::setSleepObserver([&seen](DWORD ms) { seen.push_back(GetTickCount() * 100 + ms); });
    Sleep(4);
    Sleep(7);
    EXPECT_EQ(seen, (std::vector<DWORD>{404, 1107}));
    standin::setSleepObserver(nullptr);
    Sleep(1);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Kernel, LastErrorBelongsToEachThread) {
    SetLastError(42);
    DWORD other = 1;
    std::thread([&other] {
        other = GetLastError();
        SetLastError(7);
    }).join();
    EXPECT_EQ(other, 0u);
    EXPECT_EQ(GetLastError(), 42u);
}

TEST_F(Kernel, MoveableBlocksCountTheirLocks) {
    HGLOBAL block = GlobalAlloc(GHND, 10);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 10u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_NE(static_cast<void*>(bytes), block) << "a moveable block's handle is not its address";
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(bytes[i], 0) << "GMEM_ZEROINIT";
    std::memcpy(bytes, "text", 5);
    EXPECT_EQ(GlobalLock(block), bytes);
    EXPECT_TRUE(GlobalUnlock(block)) << "still locked once";
    SetLastError(99);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), NO_ERROR) << "unlocked";
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), "text");
    GlobalUnlock(block);
    EXPECT_EQ(standin::counts().liveGlobalBlocks, 1);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(standin::counts().liveGlobalBlocks, 0);
}

TEST_F(Kernel, FixedBlocksAreTheirAddress) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 3);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_TRUE(GlobalUnlock(block));
    EXPECT_EQ(GlobalSize(block), 3u);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST_F(Kernel, UnknownBlocksAreRefused) {
    int notABlock = 0;
    HGLOBAL bogus = &notABlock;
    SetLastError(0);
    EXPECT_EQ(GlobalSize(bogus), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalLock(bogus), nullptr);
    EXPECT_EQ(GlobalFree(bogus), bogus);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    GlobalFree(block);
    EXPECT_EQ(GlobalFree(block), block) << "freed twice";
    EXPECT_EQ(GlobalAlloc(0x8000, 4), nullptr) << "unknown flags";
}

TEST_F(Kernel, EmptyMoveableBlocksHaveNoAddress) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalLock(block), nullptr);
    GlobalFree(block);
}

TEST_F(Kernel, MultiByteToWideCharUsesTheWesternCodePage) {
    WCHAR wide[8] = {};
    // Length -1 counts the terminator.
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a\xe9\x80", -1, nullptr, 0), 4);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a\xe9\x80", -1, wide, 8), 4);
    EXPECT_EQ(wide[0], u'a');
    EXPECT_EQ(wide[1], u'\u00e9');
    EXPECT_EQ(wide[2], u'\u20ac');
    EXPECT_EQ(wide[3], 0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 2, wide, 8), 2);
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcdef", -1, wide, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xc3\xa9\xf0\x9f\x8e\xb5", 6, wide, 8), 3);
    EXPECT_EQ(wide[0], u'\u00e9');
    EXPECT_EQ(wide[1], 0xD83C);
    EXPECT_EQ(wide[2], 0xDFB5);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xff", 1, wide, 8), 1);
    EXPECT_EQ(wide[0], 0xFFFD) << "malformed input is replaced";
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 1, "a", 1, wide, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

TEST_F(Kernel, WideCharToMultiByteReplacesWhatTheCodePageLacks) {
    const WCHAR wide[] = {u'a', u'\u20ac', u'\u0416', 0};
    char bytes[8] = {};
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, bytes, 8, nullptr, &usedDefault), 4);
    EXPECT_STREQ(bytes, "a\x80?");
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, 3, nullptr, 0, nullptr, nullptr), 6);
}

TEST_F(Kernel, ModuleHandlesAreBaseAddresses) {
    HMODULE program = GetModuleHandleA(nullptr);
    EXPECT_NE(program, nullptr);
    EXPECT_EQ(program, standin::moduleHandleOf(reinterpret_cast<const void*>(&picture)));
    HMODULE platform = GetModuleHandleA("libquillplatform");
    EXPECT_EQ(platform, standin::moduleHandleOf(reinterpret_cast<const void*>(&GetTickCount)));
    EXPECT_NE(platform, program);
    EXPECT_EQ(GetModuleHandleA("libquillplatform.so"), platform);
    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA("no such module"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

} // namespace
