// quillhost info: everything the record and the text opcodes tell about the
// effect. Prints no addresses, so that every build prints the same.
#include "host/arguments.h"
#include "host/commands.h"
#include "host/effect_instance.h"
#include "host/host_error.h"
#include "host/host_recorder.h"
#include "host/module_loader.h"
#include "plugin/opcodes.h"

#include <cinttypes>
#include <cstdio>

namespace {

struct FlagName {
    std::int32_t bit;
    const char* name;
};

constexpr FlagName flagNames[] = {
    {flagHasEditor, "hasEditor"},
    {flagReportsClipping, "reportsClipping"},
    {flagReportsLevel, "reportsLevel"},
    {flagMonoCapable, "monoCapable"},
    {flagCanOverwrite, "canOverwrite"},
    {flagStateAsBlock, "stateAsBlock"},
    {flagInstrument, "instrument"},
    {flagSilentWhenIdle, "silentWhenIdle"},
    {flagAsyncProcessing, "asyncProcessing"},
    {flagExternalBuffer, "externalBuffer"},
};

// The four characters, most significant byte first; hex when not printable.
std::string fourCharText(std::int32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        auto c = static_cast<unsigned char>(static_cast<std::uint32_t>(code) >> shift);
        if (c < 0x20 || c > 0x7e) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08" PRIx32, static_cast<std::uint32_t>(code));
            return hex;
        }
        text += static_cast<char>(c);
    }
    return text;
}

std::string flagsText(std::int32_t flags) {
    std::string text;
    std::int32_t named = 0;
    for (const FlagName& flag : flagNames) {
        if (!(flags & flag.bit)) continue;
        named |= flag.bit;
        text += text.empty() ? "" : " ";
        text += flag.name;
    }
    if (flags & ~named) {
        char rest[32];
        std::snprintf(rest, sizeof rest, "%s0x%" PRIx32, text.empty() ? "" : " ",
                      static_cast<std::uint32_t>(flags & ~named));
        text += rest;
    }
    return text.empty() ? "none" : text;
}

void printRecord(const EffectRecord& record) {
    std::printf("magic:            %s\n", fourCharText(record.magic).c_str());
    std::printf("effect id:        %s\n", fourCharText(record.effectId).c_str());
    std::printf("version:          %" PRId32 "\n", record.version);
    std::printf("programs:         %" PRId32 "\n", record.programCount);
    std::printf("parameters:       %" PRId32 "\n", record.parameterCount);
    std::printf("inputs:           %" PRId32 "\n", record.inputCount);
    std::printf("outputs:          %" PRId32 "\n", record.outputCount);
    std::printf("flags:            %" PRId32 " (%s)\n", record.flags,
                flagsText(record.flags).c_str());
    std::printf("latency:          %" PRId32 " samples\n", record.latencySamples);
    std::printf("realtime quality: %" PRId32 "\n", record.realtimeQuality);
    std::printf("offline quality:  %" PRId32 "\n", record.offlineQuality);
    std::printf("io ratio:         %g\n", static_cast<double>(record.ioRatio));
}

} // namespace

int runInfo(const CommandContext& context, ArgumentCursor& args) {
    if (!args.done()) throw HostError("info takes no arguments, got \"" + args.next() + "\"");
    LoadedModule module(context.modulePath);
    EffectInstance effect(module);
    const EffectRecord& record = effect.record();

    printRecord(record);
    std::printf("vendor:           %s\n", effect.text(opGetVendorName).c_str());
    std::printf("category:         %" PRIdPTR "\n", effect.dispatch(opGetCategory));
    std::printf("standard version: %" PRIdPTR "\n", effect.dispatch(opGetStandardVersion));

    std::printf("parameter values:\n");
    for (std::int32_t i = 0; i < record.parameterCount; ++i) {
        std::string name = effect.text(opGetParameterName, i);
        std::string display = effect.text(opGetParameterText, i);
        std::string unit = effect.text(opGetParameterUnit, i);
        std::printf("  %" PRId32 " %-10s value %.6f  text \"%s\"  unit \"%s\"\n", i, name.c_str(),
                    static_cast<double>(effect.getParameter(i)), display.c_str(), unit.c_str());
    }
    std::printf("program names:\n");
    for (std::int32_t i = 0; i < record.programCount; ++i) {
        char name[512] = {};
        bool known = effect.dispatch(opGetProgramNameAt, i, 0, name) != 0;
        name[sizeof name - 1] = '\0';
        std::printf("  %" PRId32 " %s\n", i, known ? name : "(no name)");
    }
    std::printf("host requests:\n");
    for (const ReceivedRequest& request : HostRecorder::instance().requests())
        std::printf("  %s (%" PRId32 ") index %" PRId32 " value %" PRIdPTR " opt %g%s\n",
                    hostRequestName(request.code), request.code, request.index, request.value,
                    static_cast<double>(request.opt),
                    request.fromEffect ? "" : ", before the effect");
    return 0;
}
