// Check "threads": an automation thread sets parameters (setParameterEntry
// and opcode 27) while the check's own thread, as the audio thread,
// processes. First free-running, with the editor open and idled by a
// user-interface thread, then block by block with a handshake. The expected
// outputs come from a second effect of the same module driven alone on one
// thread. (Under Windows the audio thread idles the editor between blocks:
// where Wine runs under qemu's user-mode emulator, a third thread running at
// the same time crashes the emulator.)
#include "host/editor_session.h"
#include "host/host_error.h"
#include "host/host_recorder.h"
#include "host/module_loader.h"
#include "host/validate_audio.h"
#include "host/validate_check.h"
#include "host/validate_effect.h"
#include "host/validate_random.h"
#include "host/validate_requests.h"
#include "plugin/opcodes.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr float inputLeft = 1.0f;
constexpr float inputRight = 0.25f;
constexpr std::int32_t largestBlock = 1024;
constexpr std::int32_t settlingFrames = 64; // a block that brings the ramp to rest
constexpr long freeBlocks = 20000;
constexpr long handshakeRounds = 2000;

constexpr float writtenWidths[] = {0.0f, 0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 0.875f, 1.0f};
constexpr const char* typedWidths[] = {"-100", "-75", "-50", "-25", "0", "25", "50", "75", "100"};
constexpr float writtenFlags[] = {0.3f, 0.7f};
constexpr const char* typedFlags[] = {"0", "1"};

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool close(float a, float b) { return std::fabs(a - b) <= 1e-6f * (1.0f + std::fabs(b)); }

void addOnce(std::vector<float>& values, float value) {
    if (std::none_of(values.begin(), values.end(), [&](float v) { return sameBits(v, value); }))
        values.push_back(value);
}

bool contains(const std::vector<float>& values, float value) {
    return std::any_of(values.begin(), values.end(), [&](float v) { return sameBits(v, value); });
}

// The first problem any thread found; the others stop when there is one.
class FirstProblem {
public:
    void report(const std::string& problem) {
        std::lock_guard<std::mutex> lock(mutex);
        if (text.empty()) text = problem;
        found.store(true);
    }
    bool any() const { return found.load(); }
    std::string get() {
        std::lock_guard<std::mutex> lock(mutex);
        return text;
    }

private:
    std::mutex mutex;
    std::string text;
    std::atomic<bool> found{false};
};

// Processes blocks of the constant input (inputLeft, inputRight).
class BlockRunner {
public:
    explicit BlockRunner(ValidateEffect& effect)
        : effect(effect), in(largestBlock), out(largestBlock) {
        std::fill(in.channel(0), in.channel(0) + largestBlock, inputLeft);
        std::fill(in.channel(1), in.channel(1) + largestBlock, inputRight);
    }
    const GuardedStereo& run(std::int32_t frames) {
        const bool accumulate = !effect.canOverwrite();
        if (accumulate) {
            std::fill(out.channel(0), out.channel(0) + frames, 0.0f);
            std::fill(out.channel(1), out.channel(1) + frames, 0.0f);
        }
        effect.process(accumulate, in.pointers(), out.pointers(), frames);
        return out;
    }

private:
    ValidateEffect& effect;
    GuardedStereo in;
    GuardedStereo out;
};

// What one block's first frame looks like at a start width and flags.
struct StartFrame {
    float width;
    float inverse;
    float center;
    float x;
    float y;
};

// The same module's effect driven alone: the source of expected outputs, and
// of the values the written values read back as.
class Reference {
public:
    explicit Reference(const LoadedModule& module) : effect(module), runner(effect) {
        parameters = std::min<std::int32_t>(effect.record().parameterCount, 3);
    }

    std::int32_t parameters = 0;

    float readBack(std::int32_t index, float value) {
        effect.setParameter(index, value);
        return effect.getParameter(index);
    }
    float readBackTyped(std::int32_t index, const char* text) {
        std::vector<char> typed(text, text + std::strlen(text) + 1);
        effect.dispatch(opParseParameter, index, 0, typed.data());
        return effect.getParameter(index);
    }
    // A block that starts at width from with the flags and ramps towards to.
    const GuardedStereo& block(float from, float to, float inverse, float center,
                               std::int32_t frames) {
        if (parameters > 1) effect.setParameter(1, inverse);
        if (parameters > 2) effect.setParameter(2, center);
        effect.setParameter(0, from);
        runner.run(settlingFrames);
        effect.setParameter(0, to);
        return runner.run(frames);
    }

private:
    ValidateEffect effect;
    BlockRunner runner;
};

// Every value each parameter may read back as, and the first frame of a
// block at every combination of them.
struct Expectations {
    std::vector<float> allowed[3];
    std::vector<float> widthsWritten; // as read back, in the order of writtenWidths
    std::vector<float> widthsTyped;   // as read back, in the order of typedWidths
    std::vector<StartFrame> starts;

    std::vector<const StartFrame*> matching(float x, float y) const {
        std::vector<const StartFrame*> found;
        for (const StartFrame& start : starts)
            if (close(x, start.x) && close(y, start.y)) found.push_back(&start);
        return found;
    }
};

Expectations expect(Reference& reference, ValidateEffect& effect) {
    Expectations e;
    for (std::int32_t i = 0; i < reference.parameters; ++i)
        addOnce(e.allowed[i], effect.getParameter(i));
    for (float w : writtenWidths)
        e.widthsWritten.push_back(reference.readBack(0, w));
    for (const char* text : typedWidths)
        e.widthsTyped.push_back(reference.readBackTyped(0, text));
    for (float w : e.widthsWritten)
        addOnce(e.allowed[0], w);
    for (float w : e.widthsTyped)
        addOnce(e.allowed[0], w);
    for (std::int32_t i = 1; i < reference.parameters; ++i) {
        for (float f : writtenFlags)
            addOnce(e.allowed[i], reference.readBack(i, f));
        for (const char* text : typedFlags)
            addOnce(e.allowed[i], reference.readBackTyped(i, text));
    }
    const std::vector<float> none = {0.0f};
    const auto& inverses = reference.parameters > 1 ? e.allowed[1] : none;
    const auto& centers = reference.parameters > 2 ? e.allowed[2] : none;
    for (float w : e.allowed[0])
        for (float inverse : inverses)
            for (float center : centers) {
                const GuardedStereo& out = reference.block(w, w, inverse, center, 1);
                e.starts.push_back({w, inverse, center, out.channel(0)[0], out.channel(1)[0]});
            }
    return e;
}

std::string sameBlock(const GuardedStereo& got, const GuardedStereo& expected,
                      std::int32_t frames) {
    for (int c = 0; c < 2; ++c)
        for (std::int32_t i = 0; i < frames; ++i)
            if (!close(got.channel(c)[i], expected.channel(c)[i]))
                return formatText("output %d frame %d is %g, alone it would be %g", c,
                                  static_cast<int>(i), static_cast<double>(got.channel(c)[i]),
                                  static_cast<double>(expected.channel(c)[i]));
    return {};
}

// A block the audio thread processed, kept until the next block's first
// frame tells which width it ramped to.
struct ProcessedBlock {
    std::int32_t frames = 0;
    GuardedStereo samples{largestBlock};
    std::vector<const StartFrame*> starts;
};

// Whether the block is a block the effect makes alone from one of its
// possible starts towards one of the next block's start widths.
bool explainsBlock(Reference& reference, const ProcessedBlock& block,
                   const std::vector<const StartFrame*>& next) {
    for (const StartFrame* start : block.starts)
        for (const StartFrame* target : next)
            if (sameBlock(block.samples,
                          reference.block(start->width, target->width, start->inverse,
                                          start->center, block.frames),
                          block.frames)
                    .empty())
                return true;
    return false;
}

// The user-interface side of the free-running phase: the effect's editor
// open in a host window and idled, all on the thread that opened it (a
// window belongs to the thread that makes it). Nothing when the effect has
// no editor.
class EditorIdler {
public:
    explicit EditorIdler(ValidateEffect& effect) {
        if (effect.record().flags & flagHasEditor)
            session = std::make_unique<EditorSession>(effect);
    }
    bool open() const { return session != nullptr; }
    void idle() {
        if (!session) return;
        session->idle();
        ++idles;
    }
    void close() { session.reset(); }

    long idles = 0;

private:
    std::unique_ptr<EditorSession> session;
};

struct FreeRunCounts {
    long blocks = 0;
    long automations = 0;
    bool editorOpen = false;
    long editorIdles = 0;
};

constexpr long blocksPerEditorIdle = 4;

// Natively the editor lives on a user-interface thread of its own, idled
// while the audio thread processes. Under Windows it shares the audio
// thread: where Wine runs 32-bit programs emulated, a third thread crashes
// the emulator.
#ifdef _WIN32
constexpr bool editorThread = false;
#else
constexpr bool editorThread = true;
#endif

// Phase 1: both threads run freely. Every value read back is one that was
// written, and every block is one the effect makes alone from one width and
// flags towards one width, all of them written values.
FreeRunCounts freeRun(ValidateEffect& effect, Reference& reference, const Expectations& expected,
                      const CheckContext& context, FirstProblem& problem) {
    FreeRunCounts counts;
    std::atomic<bool> stop{false};
    const std::int32_t parameters = reference.parameters;
    // Opened before the automation starts; nobody works it, so the effect
    // has nothing to ask the host.
    RequestAudit audit(effect.record().parameterCount);
    audit.setUserActs(false);
    std::unique_ptr<EditorIdler> editor;
    std::atomic<bool> editorReady{false};
    std::thread userInterface;
    if (editorThread) {
        userInterface = std::thread([&] {
            try {
                editor = std::make_unique<EditorIdler>(effect);
            } catch (const HostError& error) {
                problem.report(std::string("the editor did not open: ") + error.what());
            }
            editorReady.store(true);
            if (!editor) return;
            while (!stop.load() && !problem.any()) {
                editor->idle();
                if (!editor->open()) std::this_thread::yield();
            }
            editor->close();
        });
        while (!editorReady.load())
            std::this_thread::yield();
    } else {
        editor = std::make_unique<EditorIdler>(effect);
    }
    counts.editorOpen = editor && editor->open();

    std::thread automation([&] {
        ValidateRandom random(context.seed + 1);
        long n = 0;
        while (!stop.load() && !problem.any()) {
            const std::uint32_t choice = random.below(10);
            std::int32_t index = 0;
            if (choice < 4) {
                effect.setParameter(0, writtenWidths[random.below(9)]);
            } else if (choice < 6) {
                char text[8];
                std::strcpy(text, typedWidths[random.below(9)]);
                effect.dispatch(opParseParameter, 0, 0, text);
            } else if (parameters > 1) {
                index = random.between(1, parameters - 1);
                if (choice < 8) {
                    effect.setParameter(index, writtenFlags[random.below(2)]);
                } else {
                    char text[4];
                    std::strcpy(text, typedFlags[random.below(2)]);
                    effect.dispatch(opParseParameter, index, 0, text);
                }
            }
            ++n;
            for (std::int32_t i = 0; i < parameters; ++i) {
                const float value = effect.getParameter(i);
                if (!contains(expected.allowed[i], value)) {
                    problem.report(formatText("parameter %d read back as %g, a value never "
                                              "written (automation call %ld)",
                                              i, static_cast<double>(value), n));
                    break;
                }
            }
        }
        counts.automations = n;
    });

    // The audio thread is this one.
    {
        ValidateRandom random(context.seed + 2);
        BlockRunner runner(effect);
        const Deadline deadline(context.seconds / 2);
        ProcessedBlock blocks[2];
        long n = 0;
        for (; n < freeBlocks && !problem.any(); ++n) {
            if (n % 64 == 0 && deadline.passed()) break;
            if (!editorThread && n % blocksPerEditorIdle == 0) editor->idle();
            ProcessedBlock& block = blocks[n % 2];
            ProcessedBlock& previous = blocks[(n + 1) % 2];
            block.frames = random.between(1, largestBlock);
            block.samples = runner.run(block.frames);
            const float* after[2] = {block.samples.channel(0), block.samples.channel(1)};
            std::string found = checkProcessedBlock(after, nullptr, block.frames, inputLeft);
            block.starts = expected.matching(after[0][0], after[1][0]);
            if (found.empty() && block.starts.empty())
                found =
                    formatText("starts at (%g, %g), which no written width and flags give",
                               static_cast<double>(after[0][0]), static_cast<double>(after[1][0]));
            if (found.empty() && n > 0 && !explainsBlock(reference, previous, block.starts)) {
                found = formatText("block %ld is no block the effect makes alone from a "
                                   "written width to the next block's width",
                                   n);
            }
            if (!found.empty())
                problem.report(formatText("free-running block %ld (%d frames): ", n + 1,
                                          static_cast<int>(block.frames)) +
                               found);
        }
        counts.blocks = n;
        stop.store(true);
    }

    automation.join();
    if (userInterface.joinable()) userInterface.join();
    if (editor) {
        counts.editorIdles = editor->idles;
        editor->close();
    }
    const std::string asked = audit.follow();
    if (!asked.empty())
        problem.report("while the editor idled during the free-running phase: " + asked);
    return counts;
}

// Phase 2: block by block. Between two blocks the automation thread sets a
// width (setParameterEntry or opcode 27), sometimes followed by switching
// on (opcode 12). The next block must ramp from the width before to the new
// one, or, after switching on, run at the new one from its first frame.
long handshake(ValidateEffect& effect, Reference& reference, const Expectations& expected,
               const CheckContext& context, FirstProblem& problem) {
    struct Round {
        std::size_t width;
        bool typed;
        bool switchOn;
        std::int32_t frames;
    };
    ValidateRandom random(context.seed + 3);
    std::vector<Round> rounds(handshakeRounds);
    for (Round& round : rounds)
        round = {random.below(9), random.chance(2), random.chance(4),
                 random.between(1, largestBlock)};

    // From rest: the first flags written, the width 0.5 written.
    const float inverse = reference.parameters > 1 ? expected.allowed[1].front() : 0.0f;
    const float center = reference.parameters > 2 ? expected.allowed[2].front() : 0.0f;
    if (reference.parameters > 1) effect.setParameter(1, inverse);
    if (reference.parameters > 2) effect.setParameter(2, center);
    effect.setParameter(0, writtenWidths[4]);
    BlockRunner runner(effect);
    runner.run(settlingFrames);

    std::mutex mutex;
    std::condition_variable turn;
    bool audioTurn = false;
    bool stopped = false;
    float written = expected.widthsWritten[4]; // what the automation thread last set
    bool switched = false;
    long done = 0;
    const Deadline deadline(context.seconds / 2);

    std::thread automation([&] {
        for (const Round& round : rounds) {
            std::unique_lock<std::mutex> lock(mutex);
            turn.wait(lock, [&] { return !audioTurn; });
            if (problem.any() || deadline.passed()) break;
            if (round.typed) {
                char text[8];
                std::strcpy(text, typedWidths[round.width]);
                effect.dispatch(opParseParameter, 0, 0, text);
                written = expected.widthsTyped[round.width];
            } else {
                effect.setParameter(0, writtenWidths[round.width]);
                written = expected.widthsWritten[round.width];
            }
            if (round.switchOn) effect.dispatch(opSwitchOnOff, 0, 1);
            switched = round.switchOn;
            audioTurn = true;
            turn.notify_all();
        }
        std::unique_lock<std::mutex> lock(mutex);
        turn.wait(lock, [&] { return !audioTurn; }); // the last block is processed
        stopped = true;
        audioTurn = true;
        turn.notify_all();
    });

    // The audio thread is this one.
    {
        float before = expected.widthsWritten[4];
        for (const Round& round : rounds) {
            std::unique_lock<std::mutex> lock(mutex);
            turn.wait(lock, [&] { return audioTurn; });
            if (stopped) break;
            const float from = switched ? written : before;
            const GuardedStereo& got = runner.run(round.frames);
            const std::string found = sameBlock(
                got, reference.block(from, written, inverse, center, round.frames), round.frames);
            if (!found.empty()) {
                problem.report(formatText("block %ld after the width was set to %g%s (%d "
                                          "frames), expected to %s %g: ",
                                          done + 1, static_cast<double>(written),
                                          switched ? " and the effect switched on" : "",
                                          static_cast<int>(round.frames),
                                          switched ? "run at" : "ramp from",
                                          static_cast<double>(from)) +
                               found);
            }
            before = written;
            ++done;
            audioTurn = false;
            turn.notify_all();
        }
    }

    automation.join();
    return done;
}

} // namespace

CheckOutcome checkThreads(const CheckContext& context) {
    LoadedModule module(context.modulePath);
    CheckOutcome outcome;
    // The host that logs the effect's requests, which the editor may send.
    ValidateEffect effect(module, HostRecorder::callback());
    Reference reference(module);
    const Expectations expected = expect(reference, effect);
    FirstProblem problem;

    const FreeRunCounts free = freeRun(effect, reference, expected, context, problem);
    long rounds = 0;
    if (!problem.any()) rounds = handshake(effect, reference, expected, context, problem);
    outcome.problem = problem.get();
    const std::string editor =
        free.editorOpen
            ? formatText(editorThread
                             ? ", the editor open and idled %ld times on a thread of its own"
                             : ", the editor open and idled %ld times between blocks",
                         free.editorIdles)
            : std::string(", no editor to open");
    outcome.tried = formatText("%ld blocks against %ld automation calls (setParameterEntry, "
                               "opcode 27) running freely%s, values read back checked; %ld "
                               "blocks with a width set before each (some with switch-on)",
                               free.blocks, free.automations, editor.c_str(), rounds);
    return outcome;
}
