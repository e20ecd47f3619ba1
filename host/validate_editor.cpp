// Check "editor": the module's editor in a host window of quillhost. Opened,
// idled and closed again and again; changed by the host and compared with an
// editor opened afresh; worked with random clicks, drags and wheel turns
// (hostile distances among them) while the parameters and the effect's edit
// and automation requests are followed; the opcode sweep run with it open.
// After each part no GDI object, device context or window may be left over,
// where the system tells: natively the stand-in's counts, on Windows
// GetGuiResources.
#include "host/editor_session.h"
#include "host/host_error.h"
#include "host/host_recorder.h"
#include "host/module_loader.h"
#include "host/validate_check.h"
#include "host/validate_effect.h"
#include "host/validate_random.h"
#include "host/validate_requests.h"
#include "host/validate_sweep.h"
#include "host/validate_values.h"
#include "plugin/opcodes.h"

#ifdef _WIN32
#include "platform/winapi.h"
#else
#include "platform/standin/standin_control.h"
#endif

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int openCloseCycles = 200;
constexpr int hostChangeRounds = 24;
constexpr long gestureLimit = 2000;
constexpr std::int32_t checkedParameters = 64; // read back after each gesture, at most
constexpr std::size_t livePointLimit = 64;
constexpr int livePointJitter = 4;

// Wheel distances a careless host or a broken driver hands over, besides ordinary ones.
constexpr float wheelDistances[] = {
    validate_values::notANumber,
    -validate_values::notANumber,
    validate_values::infinity,
    -validate_values::infinity,
    1e30f,
    -1e30f,
    std::numeric_limits<float>::max(),
    -std::numeric_limits<float>::max(),
    1e-30f,
    -1e-30f,
    validate_values::denormal,
    -0.0f,
    1.0f,
    -1.0f,
    3.0f,
    -3.0f,
    0.5f,
    -0.25f,
    120.0f,
    -120.0f,
};

// What a host writes (setParameterEntry) or types (opcode 27) for a parameter.
constexpr float writtenValues[] = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
constexpr const char* typedTexts[] = {"0", "1", "-100", "100", "50", "-25", "0.5", "x"};

// ---- live GUI resources ----

struct ResourceCount {
    const char* what;
    long count;
};

// What the system tells of this process's live GUI resources; empty when it
// tells nothing.
std::vector<ResourceCount> liveGuiResources() {
#ifdef _WIN32
    const long gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    const long user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (gdi == 0 && user == 0) return {}; // not answered: a live process has some
    return {{"GDI objects", gdi}, {"USER objects", user}};
#else
    const standin::GdiCounts c = standin::counts();
    return {{"GDI objects", c.liveObjects},
            {"device contexts", c.liveContexts},
            {"windows", c.liveWindows},
            {"window classes", c.registeredClasses}};
#endif
}

// The system creates some objects of its own when a process first shows a
// window: on Windows an editor is opened and closed once before counting.
#ifdef _WIN32
constexpr bool warmUpBeforeCounting = true;
#else
constexpr bool warmUpBeforeCounting = false;
#endif

// "2 windows, 1 GDI objects more than before" for the counts that grew; "" when none did.
std::string grownResources(const std::vector<ResourceCount>& before,
                           const std::vector<ResourceCount>& after) {
    std::string grown;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (after[i].count > before[i].count)
            grown += formatText("%s%ld %s", grown.empty() ? "" : ", ",
                                after[i].count - before[i].count, after[i].what);
    return grown.empty() ? grown : grown + " more than before";
}

std::string resourceNames(const std::vector<ResourceCount>& counts) {
    std::string names;
    for (std::size_t i = 0; i < counts.size(); ++i)
        names += std::string(i == 0                   ? ""
                             : i + 1 == counts.size() ? " and "
                                                      : ", ") +
                 counts[i].what;
    return names;
}

// ---- parameters ----

std::int32_t checkedCount(const ValidateEffect& effect) {
    return std::max<std::int32_t>(0, std::min(effect.record().parameterCount, checkedParameters));
}

std::vector<float> parameterValues(ValidateEffect& effect) {
    std::vector<float> values;
    for (std::int32_t i = 0; i < checkedCount(effect); ++i)
        values.push_back(effect.getParameter(i));
    return values;
}

std::string parametersInRange(ValidateEffect& effect) {
    for (std::int32_t i = 0; i < checkedCount(effect); ++i) {
        const float value = effect.getParameter(i);
        if (!(value >= 0.0f && value <= 1.0f))
            return formatText("parameter %d reads %g, outside 0..1", i, static_cast<double>(value));
    }
    return {};
}

std::string unchangedParameters(const std::vector<float>& before, const std::vector<float>& after) {
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (std::memcmp(&before[i], &after[i], sizeof(float)) != 0)
            return formatText("parameter %d changed from %g to %g", static_cast<int>(i),
                              static_cast<double>(before[i]), static_cast<double>(after[i]));
    return {};
}

// ---- pictures ----

std::string differentPixels(const RgbImage& shown, const RgbImage& fresh) {
    if (shown.width != fresh.width || shown.height != fresh.height)
        return formatText("a %dx%d picture, not %dx%d", shown.width, shown.height, fresh.width,
                          fresh.height);
    long count = 0;
    int firstX = 0;
    int firstY = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            if (shown.at(x, y) != fresh.at(x, y) && count++ == 0) {
                firstX = x;
                firstY = y;
            }
    if (count == 0) return {};
    return formatText("%ld pixels unlike an editor opened afresh, the first at (%d, %d)", count,
                      firstX, firstY);
}

// ---- gestures ----

std::string describe(const EditorGesture& g) {
    switch (g.kind) {
    case EditorGesture::Kind::click: return formatText("a click at (%d, %d)", g.x, g.y);
    case EditorGesture::Kind::drag:
        return formatText("a drag from (%d, %d) to (%d, %d)%s", g.x, g.y, g.toX, g.toY,
                          g.shift ? " with Shift" : "");
    default:
        return formatText("a wheel turn of %g at (%d, %d)", static_cast<double>(g.distance), g.x,
                          g.y);
    }
}

// Random gestures inside the editor. Points where an earlier gesture made
// the editor automate a parameter are chosen again (jittered) half of the
// time: there is a control there.
class GesturePicker {
public:
    GesturePicker(std::uint64_t seed, int width, int height)
        : random(seed), width(width), height(height) {}

    EditorGesture next() {
        EditorGesture g;
        const std::uint32_t kind = random.below(20);
        point(g.x, g.y);
        if (kind < 8) {
            g.kind = EditorGesture::Kind::click;
        } else if (kind < 15) {
            g.kind = EditorGesture::Kind::drag;
            point(g.toX, g.toY);
            g.shift = random.chance(3);
        } else {
            g.kind = EditorGesture::Kind::wheel;
            constexpr std::uint32_t distances = sizeof wheelDistances / sizeof wheelDistances[0];
            g.distance = random.chance(4) ? random.signedUnit() * 10.0f
                                          : wheelDistances[random.below(distances)];
        }
        return g;
    }

    void remember(const EditorGesture& g) {
        const Point where{g.x, g.y};
        if (live.size() < livePointLimit)
            live.push_back(where);
        else
            live[random.below(static_cast<std::uint32_t>(live.size()))] = where;
    }

private:
    struct Point {
        int x;
        int y;
    };

    void point(int& x, int& y) {
        if (!live.empty() && random.chance(2)) {
            const Point& p = live[random.below(static_cast<std::uint32_t>(live.size()))];
            x = std::clamp(p.x + random.between(-livePointJitter, livePointJitter), 0, width - 1);
            y = std::clamp(p.y + random.between(-livePointJitter, livePointJitter), 0, height - 1);
        } else {
            x = static_cast<int>(random.below(static_cast<std::uint32_t>(width)));
            y = static_cast<int>(random.below(static_cast<std::uint32_t>(height)));
        }
    }

    ValidateRandom random;
    int width;
    int height;
    std::vector<Point> live;
};

// ---- the parts of the check ----

struct Tally {
    int cycles = 0;
    int hostChanges = 0;
    long clicks = 0;
    long drags = 0;
    long shiftDrags = 0;
    long wheels = 0;
    long edits = 0;
    long automations = 0;
    long sweepCalls = 0;
    long gestures() const { return clicks + drags + wheels; }
};

class EditorCheck {
public:
    EditorCheck(const LoadedModule& module, const CheckContext& context)
        : module(module), context(context) {}

    // An editor opened and closed once, uncounted.
    void warmUp() {
        ValidateEffect effect(module);
        EditorSession session(effect);
    }
    // The counts the parts are compared with.
    void countFromNow() {
        before = liveGuiResources();
        counting = true;
    }

    // Each part answers its first problem, or "".
    std::string openAndClose();
    std::string followHost();
    std::string workGestures();
    std::string sweepWithEditorOpen();
    // After a part, its effects closed: a problem when resources were left.
    std::string nothingLeft(const char* part) const;

    std::string tried() const;

private:
    const LoadedModule& module;
    const CheckContext& context;
    std::vector<ResourceCount> before;
    bool counting = false;
    Tally tally;
};

// The editor opened (opcode 14), idled (19) and closed (15) in the same host
// window, with nobody at it: nothing may change and nothing be asked.
std::string EditorCheck::openAndClose() {
    ValidateEffect effect(module, HostRecorder::callback());
    RequestAudit audit(effect.record().parameterCount);
    audit.setUserActs(false);
    const std::vector<float> values = parameterValues(effect);
    const Deadline deadline(context.seconds / 4);
    {
        EditorSession session(effect);
        for (int cycle = 1; cycle <= openCloseCycles; ++cycle) {
            if (cycle > 1) {
                if (deadline.passed()) break;
                effect.dispatch(opEditorClose);
                session.idle(); // an idle with the editor closed
                effect.dispatch(opEditorOpen, 0, 0, session.hostWindow());
                session.settle();
            }
            session.idle();
            tally.cycles = cycle;
            std::string problem = audit.follow();
            if (problem.empty()) problem = unchangedParameters(values, parameterValues(effect));
            if (!problem.empty())
                return formatText("opening, idling and closing the editor, cycle %d: ", cycle) +
                       problem;
        }
    } // the last close
    const std::string problem = audit.follow();
    return problem.empty() ? problem : "closing the editor: " + problem;
}

// The host changes a parameter (setParameterEntry or opcode 27) while the
// editor is open: after an idle the editor shows what one opened afresh at
// the same values shows, and it asks nothing for it.
std::string EditorCheck::followHost() {
    ValidateEffect effect(module, HostRecorder::callback());
    const std::int32_t parameters = checkedCount(effect);
    if (parameters == 0) return {};
    RequestAudit audit(effect.record().parameterCount);
    audit.setUserActs(false);
    ValidateRandom random(context.seed + 11);
    const Deadline deadline(context.seconds / 8);
    auto session = std::make_unique<EditorSession>(effect);
    for (int round = 0; round < hostChangeRounds; ++round) {
        if (round > 0 && deadline.passed()) break;
        const auto index =
            static_cast<std::int32_t>(random.below(static_cast<std::uint32_t>(parameters)));
        std::string change;
        if (random.chance(2)) {
            const float value = writtenValues[random.below(5)];
            effect.setParameter(index, value);
            change =
                formatText("the host set parameter %d to %g", index, static_cast<double>(value));
        } else {
            const char* text = typedTexts[random.below(sizeof typedTexts / sizeof typedTexts[0])];
            char typed[16];
            std::strcpy(typed, text);
            effect.dispatch(opParseParameter, index, 0, typed);
            change = formatText("the host typed \"%s\" for parameter %d (opcode 27)", text, index);
        }
        const RgbImage shown = session->capture();
        session.reset();
        session = std::make_unique<EditorSession>(effect);
        const RgbImage fresh = session->capture();
        tally.hostChanges = round + 1;
        std::string problem = differentPixels(shown, fresh);
        if (!problem.empty()) problem = "the open editor shows " + problem;
        if (problem.empty()) problem = audit.follow();
        if (!problem.empty()) return "after " + change + ": " + problem;
    }
    return {};
}

// Random gestures: after each one every parameter reads inside 0..1, every
// begin-edit has been ended, and every automation request is sound.
std::string EditorCheck::workGestures() {
    ValidateEffect effect(module, HostRecorder::callback());
    RequestAudit audit(effect.record().parameterCount);
    EditorSession session(effect);
    GesturePicker picker(context.seed + 12, session.width(), session.height());
    const Deadline deadline(context.seconds / 2);
    for (long n = 1; n <= gestureLimit && !(n > 1 && deadline.passed()); ++n) {
        const EditorGesture gesture = picker.next();
        const long automationsBefore = audit.automations();
        session.perform(gesture);
        switch (gesture.kind) {
        case EditorGesture::Kind::click: ++tally.clicks; break;
        case EditorGesture::Kind::drag:
            ++tally.drags;
            if (gesture.shift) ++tally.shiftDrags;
            break;
        default: ++tally.wheels; break;
        }
        std::string problem = audit.follow();
        if (problem.empty()) problem = audit.allEnded();
        if (problem.empty()) problem = parametersInRange(effect);
        tally.edits = audit.edits();
        tally.automations = audit.automations();
        if (!problem.empty())
            return formatText("gesture %ld, %s: ", n, describe(gesture).c_str()) + problem;
        if (audit.automations() > automationsBefore) picker.remember(gesture);
    }
    return {};
}

// The sweep of check "opcodes" with the editor open in a real parent window,
// which opcode 14 gets every time and which stays open throughout.
std::string EditorCheck::sweepWithEditorOpen() {
    ValidateEffect effect(module, HostRecorder::callback());
    RequestAudit audit(effect.record().parameterCount);
    {
        EditorSession session(effect);
        SweepPlan plan;
        plan.parentWindow = session.hostWindow();
        plan.keepEditorOpen = true;
        const SweepResult sweep = sweepOpcodes(effect, plan);
        tally.sweepCalls = sweep.calls;
        if (!sweep.problem.empty()) return "with the editor open, " + sweep.problem;
        session.settle();
    }
    std::string problem = audit.follow();
    if (problem.empty()) problem = audit.allEnded();
    if (!problem.empty()) return "the sweep with the editor open: " + problem;
    problem = processesAfterwards(effect, context.seed);
    if (!problem.empty()) return problem + " (with the editor open)";
    const std::intptr_t closed = effect.close();
    if (closed != 1)
        return formatText("opcode 1 answered %ld after the sweep with the editor open, not 1",
                          static_cast<long>(closed));
    return {};
}

std::string EditorCheck::nothingLeft(const char* part) const {
    if (!counting || before.empty()) return {};
    const std::string grown = grownResources(before, liveGuiResources());
    return grown.empty() ? grown : std::string("after ") + part + ": " + grown;
}

std::string EditorCheck::tried() const {
    std::string text = formatText("%d open/idle/close cycles in one host window; %d host changes "
                                  "compared with an editor opened afresh; %ld gestures (%ld "
                                  "clicks, %ld drags of which %ld with Shift, %ld wheel turns, "
                                  "hostile distances among them) with %ld edits and %ld "
                                  "automation requests followed; %ld sweep calls with the editor "
                                  "open",
                                  tally.cycles, tally.hostChanges, tally.gestures(), tally.clicks,
                                  tally.drags, tally.shiftDrags, tally.wheels, tally.edits,
                                  tally.automations, tally.sweepCalls);
    if (!counting) return text;
    if (before.empty()) return text + "; leaks not counted: GetGuiResources answers nothing here";
    return text + "; live " + resourceNames(before) + " compared with before after each part";
}

} // namespace

CheckOutcome checkEditor(const CheckContext& context) {
    LoadedModule module(context.modulePath);
    CheckOutcome outcome;
    {
        const ValidateEffect probe(module);
        if (!(probe.record().flags & flagHasEditor)) {
            outcome.tried = "the effect announces no editor (flag 1): nothing to open";
            return outcome;
        }
    }
    EditorCheck check(module, context);
    try {
        if (warmUpBeforeCounting && !liveGuiResources().empty()) check.warmUp();
        check.countFromNow();
        struct Part {
            const char* name;
            std::string (EditorCheck::*run)();
        };
        constexpr Part parts[] = {
            {"the open/close cycles", &EditorCheck::openAndClose},
            {"the host changes", &EditorCheck::followHost},
            {"the gestures", &EditorCheck::workGestures},
            {"the sweep with the editor open", &EditorCheck::sweepWithEditorOpen},
        };
        for (const Part& part : parts) {
            outcome.problem = (check.*part.run)();
            if (outcome.passed()) outcome.problem = check.nothingLeft(part.name);
            if (!outcome.passed()) break;
        }
    } catch (const HostError& error) {
        outcome.problem = std::string("the editor in a host window: ") + error.what();
    }
    outcome.tried = check.tried();
    return outcome;
}
