// The rules validate's checks apply: the output bound, the guards after a
// block, the room a text may take, and what an effect may ask its host
// around an edit; and the host's log of those requests.
#include "host/host_recorder.h"
#include "host/validate_audio.h"
#include "host/validate_requests.h"
#include "host/validate_text.h"
#include "plugin/host_requests.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <thread>
#include <vector>

namespace {

struct BlockCase {
    const char* what;
    float out;    // written into frame 2 of output 1
    float before; // what output 1 held there (accumulating cases)
    bool accumulating;
    bool passes;
};

TEST(ValidateRules, ProcessedBlockMustStayFiniteAndWithinFourTimesTheInput) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const BlockCase cases[] = {
        {"4 x the input", 2.0f, 0.0f, false, true},
        {"-4 x the input", -2.0f, 0.0f, false, true},
        {"4.01 x the input", 2.005f, 0.0f, false, false},
        {"NaN", nan, 0.0f, false, false},
        {"infinity", -inf, 0.0f, false, false},
        {"adds 4 x onto a large sample", 1000.0f + 2.0f, 1000.0f, true, true},
        {"adds 5 x onto a large sample", 1000.0f + 2.5f, 1000.0f, true, false},
        {"adds 4 x onto -1", 1.0f, -1.0f, true, true},
        {"adds nothing to NaN", nan, nan, true, false},
    };
    for (const BlockCase& c : cases) {
        float out0[4] = {0.1f, 0.2f, 0.3f, 0.4f};
        float out1[4] = {0.0f, 0.0f, c.out, 0.0f};
        float before0[4] = {0.1f, 0.2f, 0.3f, 0.4f};
        float before1[4] = {0.0f, 0.0f, c.before, 0.0f};
        const float* after[2] = {out0, out1};
        const float* before[2] = {before0, before1};
        if (!c.accumulating) std::memset(before0, 0, sizeof before0);
        const std::string problem =
            checkProcessedBlock(after, c.accumulating ? before : nullptr, 4, 0.5f);
        EXPECT_EQ(problem.empty(), c.passes) << c.what << ": " << problem;
        if (!c.passes) {
            EXPECT_NE(problem.find("output 1 frame 2"), std::string::npos) << problem;
        }
    }
}

TEST(ValidateRules, SilentInputAllowsOnlySilence) {
    float out0[2] = {0.0f, 0.0f};
    float out1[2] = {0.0f, 1e-30f};
    const float* after[2] = {out0, out1};
    EXPECT_NE(checkProcessedBlock(after, nullptr, 2, 0.0f), "");
    out1[1] = 0.0f;
    EXPECT_EQ(checkProcessedBlock(after, nullptr, 2, 0.0f), "");
    EXPECT_EQ(largestMagnitude(out0, out1, 2), 0.0f);
}

TEST(ValidateRules, GuardCatchesAWriteOneFramePastTheBlock) {
    GuardedStereo buffer(8);
    buffer.guardAfter(5);
    buffer.channel(0)[4] = 1.0f; // inside the block
    EXPECT_TRUE(buffer.guardIntact(5));
    buffer.channel(1)[5] = 1.0f;
    EXPECT_FALSE(buffer.guardIntact(5));
    // A copy has buffers of its own.
    GuardedStereo copy = buffer;
    copy.pointers()[0][0] = 7.0f;
    EXPECT_EQ(buffer.channel(0)[0], 0.0f);
    EXPECT_EQ(copy.channel(0)[0], 7.0f);
}

struct TextCase {
    const char* what;
    const char* written; // copied with its terminator unless unterminated
    std::size_t extraAt; // a byte written there as well, 0 for none
    bool terminated;
    const char* problem; // part of the expected problem, or null when it passes
};

TEST(ValidateRules, TextMustBeTerminatedWithinItsRoom) {
    const TextCase cases[] = {
        {"8 characters", "12345678", 0, true, nullptr},
        {"empty", "", 0, true, nullptr},
        {"9 characters", "123456789", 0, true, "has 9 characters, more than 8"},
        {"no terminator", "12345678901234567890", 0, false, "not terminated within 64 bytes"},
        {"padding within the room", "abc", 8, true, nullptr},
        {"a byte past the room", "abc", 9, true, "byte 9 written"},
    };
    for (const TextCase& c : cases) {
        PatternBuffer buffer(64);
        if (c.terminated)
            std::strcpy(buffer.data(), c.written);
        else
            std::memset(buffer.data(), 'x', 64);
        if (c.extraAt) buffer.data()[c.extraAt] = '\0';
        const std::string problem = buffer.checkText(8);
        if (c.problem)
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.what << ": " << problem;
        else
            EXPECT_EQ(problem, "") << c.what;
    }
    PatternBuffer untouched(16);
    EXPECT_TRUE(untouched.untouched());
    untouched.data()[15] = 'a';
    EXPECT_FALSE(untouched.untouched());
}

TEST(ValidateRules, QuotedTextShowsOddBytesAndCutsLongTexts) {
    EXPECT_EQ(quotedText("a\"b\x01"), "\"a\\x22b\\x01\"");
    EXPECT_EQ(quotedText(std::string(50, 'z')), "\"" + std::string(40, 'z') + "...\"");
}

// Requests as an effect sends them to quillhost's recorder.
void send(std::int32_t code, std::int32_t index, float opt = 0.0f) {
    static EffectRecord record{};
    HostRecorder::callback()(&record, code, index, 0, nullptr, opt);
}

struct Request {
    std::int32_t code;
    std::int32_t index;
    float opt;
};

struct AuditCase {
    const char* what;
    std::vector<Request> requests;
    bool userActs;
    const char* problem; // part of the expected problem of follow() or allEnded(), or null
};

TEST(ValidateRules, EditsMustPairAndAutomationStayInRange) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    const AuditCase cases[] = {
        {"a drag",
         {{hostBeginEdit, 0, 0}, {hostAutomate, 0, 0.3f}, {hostEndEdit, 0, 0}},
         true,
         nullptr},
        {"two edits interleaved",
         {{hostBeginEdit, 0, 0}, {hostBeginEdit, 2, 0}, {hostEndEdit, 0, 0}, {hostEndEdit, 2, 0}},
         true,
         nullptr},
        {"idle requests only", {{hostIdle, 0, 0}, {hostIdle, 0, 0}}, false, nullptr},
        {"an edit never ended",
         {{hostBeginEdit, 1, 0}, {hostAutomate, 1, 1.0f}},
         true,
         "begin-edit (43) for parameter 1 was never ended"},
        {"ended for another parameter",
         {{hostBeginEdit, 0, 0}, {hostEndEdit, 1, 0}},
         true,
         "end-edit (44) for parameter 1 with no begin-edit (43) open"},
        {"begun twice",
         {{hostBeginEdit, 0, 0}, {hostBeginEdit, 0, 0}},
         true,
         "a second begin-edit (43) for parameter 0"},
        {"NaN automated", {{hostAutomate, 0, nan}}, true, "with the value nan, outside 0..1"},
        {"above 1 automated", {{hostAutomate, 2, 1.5f}}, true, "with the value 1.5"},
        {"a parameter the effect lacks",
         {{hostAutomate, 3, 0.5f}},
         true,
         "parameter 3, which the effect does not have"},
        {"automated with nobody at the editor",
         {{hostAutomate, 0, 0.5f}},
         false,
         "an automation request (0) for parameter 0 with nobody at the editor"},
    };
    for (const AuditCase& c : cases) {
        RequestAudit audit(3);
        audit.setUserActs(c.userActs);
        for (const Request& r : c.requests)
            send(r.code, r.index, r.opt);
        std::string problem = audit.follow();
        if (problem.empty()) problem = audit.allEnded();
        if (c.problem)
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.what << ": " << problem;
        else
            EXPECT_EQ(problem, "") << c.what;
    }
}

TEST(ValidateRules, AuditFollowsOnlyWhatCameAfterIt) {
    send(hostBeginEdit, 0); // before the audit: not its business
    RequestAudit audit(3);
    EXPECT_EQ(audit.follow(), "");
    send(hostBeginEdit, 2);
    EXPECT_EQ(audit.follow(), "");
    EXPECT_NE(audit.allEnded(), "");
    send(hostEndEdit, 2);
    EXPECT_EQ(audit.follow(), "");
    EXPECT_EQ(audit.allEnded(), "");
    EXPECT_EQ(audit.edits(), 1);
}

// Natively only: where Wine runs emulated, two threads besides the main one
// crash the emulator.
#ifdef __unix__
TEST(HostRecorder, LogsEveryRequestFromSeveralThreadsAtOnce) {
    constexpr int perThread = 20000;
    HostRecorder& recorder = HostRecorder::instance();
    const std::size_t first = recorder.requestCount();
    const auto sendMany = [](std::int32_t index) {
        for (int i = 0; i < perThread; ++i)
            send(hostIdle, index);
    };
    std::thread a(sendMany, 1);
    std::thread b(sendMany, 2);
    for (int i = 0; i < 100; ++i) { // read while they write; the log only grows
        const std::size_t seen = recorder.requests(first).size();
        EXPECT_LE(seen, recorder.requestCount() - first);
    }
    a.join();
    b.join();
    const std::vector<ReceivedRequest> logged = recorder.requests(first);
    ASSERT_EQ(logged.size(), 2u * perThread);
    int fromA = 0;
    for (const ReceivedRequest& r : logged) {
        EXPECT_EQ(r.code, hostIdle);
        if (r.index == 1) ++fromA;
    }
    EXPECT_EQ(fromA, perThread);
}
#endif

} // namespace
