// quillhost snapshot: opens the effect's editor, sets parameters, replays
// clicks, drags and wheel turns on it, writes what it shows as a PNG and
// lists the parameters and what the effect asked the host during the
// gestures.
#include "host/arguments.h"
#include "host/commands.h"
#include "host/editor_session.h"
#include "host/effect_instance.h"
#include "host/host_error.h"
#include "host/host_recorder.h"
#include "host/module_loader.h"
#include "host/png_file.h"
#include "plugin/host_requests.h"
#include "plugin/opcodes.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <vector>

namespace {

// "beginEdit" -> "hostBeginEdit", as the requests are named in the interface.
std::string requestLabel(std::int32_t code) {
    std::string name = hostRequestName(code);
    if (name == "unknown") return "request " + std::to_string(code);
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return "host" + name;
}

void printRequests(const std::vector<ReceivedRequest>& log) {
    std::size_t idle = 0;
    std::printf("host requests during the gestures:\n");
    bool any = false;
    for (const ReceivedRequest& r : log) {
        if (r.code == hostIdle) { // a tracking loop asks on every round
            ++idle;
            continue;
        }
        any = true;
        std::printf("  %-16s index %" PRId32 " value %" PRIdPTR " opt %f\n",
                    requestLabel(r.code).c_str(), r.index, r.value, static_cast<double>(r.opt));
    }
    if (idle) std::printf("  (and %zu idle requests)\n", idle);
    if (!any && !idle) std::printf("  none\n");
}

} // namespace

int runSnapshot(const CommandContext& context, ArgumentCursor& args) {
    std::string out;
    std::vector<ParameterValue> parameters;
    std::vector<EditorGesture> gestures;
    while (!args.done()) {
        const std::string& arg = args.next();
        if (arg == "--param")
            parameters.push_back(parseParameterValue(args.valueOf(arg)));
        else if (arg == "--click")
            gestures.push_back(parseClick(args.valueOf(arg), arg));
        else if (arg == "--drag")
            gestures.push_back(parseDrag(args.valueOf(arg), arg));
        else if (arg == "--wheel")
            gestures.push_back(parseWheel(args.valueOf(arg), arg));
        else if (arg.rfind("--", 0) == 0 || !out.empty())
            throw HostError("snapshot: unknown argument " + arg);
        else
            out = arg;
    }
    if (out.empty()) throw HostError("snapshot: no output file (snapshot OUT.png)");

    LoadedModule module(context.modulePath);
    EffectInstance effect(module);
    for (const ParameterValue& p : parameters)
        effect.setParameter(p.index, p.value);
    RgbImage image;
    std::size_t firstRequest = 0;
    {
        EditorSession session(effect);
        firstRequest = HostRecorder::instance().requestCount();
        for (const EditorGesture& gesture : gestures)
            session.perform(gesture);
        image = session.capture();
    }
    writePng(out, image);

    std::printf("wrote %s (%dx%d)\n", out.c_str(), image.width, image.height);
    std::printf("parameters:\n");
    const std::int32_t count = effect.record().parameterCount;
    for (std::int32_t i = 0; i < count && i <= highestParameterIndex; ++i)
        std::printf("  %" PRId32 " %-10s value %f  text \"%s\"\n", i,
                    effect.text(opGetParameterName, i).c_str(),
                    static_cast<double>(effect.getParameter(i)),
                    effect.text(opGetParameterText, i).c_str());
    printRequests(HostRecorder::instance().requests(firstRequest));
    return 0;
}
