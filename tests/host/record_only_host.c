/* A host that knows the module only from the binary interface: it declares
 * its own copy of the record, loads the module by path, calls "main" and
 * drives one effect through the record alone.
 * Usage: record_only_host MODULE. Exits 0 when every check holds. */
#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#define CALL __cdecl
#else
#include <dlfcn.h>
#define CALL
#endif

typedef struct Record Record;
typedef intptr_t(CALL* Callback)(Record*, int32_t, int32_t, intptr_t, void*, float);
typedef intptr_t(CALL* Dispatch)(Record*, int32_t, int32_t, intptr_t, void*, float);
typedef void(CALL* Process)(Record*, float**, float**, int32_t);
typedef void(CALL* SetParameter)(Record*, int32_t, float);
typedef float(CALL* GetParameter)(Record*, int32_t);

struct Record {
    int32_t magic;
    Dispatch dispatch;
    Process accumulate;
    SetParameter setParameter;
    GetParameter getParameter;
    int32_t programs;
    int32_t parameters;
    int32_t inputs;
    int32_t outputs;
    int32_t flags;
    int32_t reserved1;
    int32_t reserved2;
    int32_t latency;
    int32_t realtimeQuality;
    int32_t offlineQuality;
    float ioRatio;
    void* object;
    void* user;
    int32_t effectId;
    int32_t version;
    Process overwrite;
    uint8_t reserved3[60];
};

typedef Record*(CALL* Main)(Callback);

static int failures = 0;
static int versionAnswer = 2400;
static int requests = 0;

#define CHECK(condition, ...)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ++failures;                                                                            \
            printf("FAIL %s:%d: ", __FILE__, __LINE__);                                            \
            printf(__VA_ARGS__);                                                                   \
            printf("\n");                                                                          \
        }                                                                                          \
    } while (0)

static intptr_t CALL host(Record* record, int32_t request, int32_t index, intptr_t value, void* ptr,
                          float opt) {
    (void)record, (void)index, (void)value, (void)ptr, (void)opt;
    ++requests;
    return request == 1 ? versionAnswer : 0;
}

static int32_t code(const char* text) {
    return (int32_t)((uint32_t)(unsigned char)text[0] << 24 |
                     (uint32_t)(unsigned char)text[1] << 16 |
                     (uint32_t)(unsigned char)text[2] << 8 | (uint32_t)(unsigned char)text[3]);
}

static void checkLayout(void) {
#if defined(_WIN32) && !defined(_WIN64)
    static const struct {
        const char* name;
        size_t offset;
        size_t expected;
    } fields[] = {
        {"magic", offsetof(Record, magic), 0},
        {"dispatchEntry", offsetof(Record, dispatch), 4},
        {"processAccumulatingEntry", offsetof(Record, accumulate), 8},
        {"setParameterEntry", offsetof(Record, setParameter), 12},
        {"getParameterEntry", offsetof(Record, getParameter), 16},
        {"programCount", offsetof(Record, programs), 20},
        {"parameterCount", offsetof(Record, parameters), 24},
        {"inputCount", offsetof(Record, inputs), 28},
        {"outputCount", offsetof(Record, outputs), 32},
        {"flags", offsetof(Record, flags), 36},
        {"latencySamples", offsetof(Record, latency), 48},
        {"realtimeQuality", offsetof(Record, realtimeQuality), 52},
        {"offlineQuality", offsetof(Record, offlineQuality), 56},
        {"ioRatio", offsetof(Record, ioRatio), 60},
        {"object", offsetof(Record, object), 64},
        {"userPointer", offsetof(Record, user), 68},
        {"effectId", offsetof(Record, effectId), 72},
        {"version", offsetof(Record, version), 76},
        {"processOverwritingEntry", offsetof(Record, overwrite), 80},
        {"reserved", offsetof(Record, reserved3), 84},
    };
    size_t i;
    CHECK(sizeof(Record) == 144, "record is %u bytes, not 144", (unsigned)sizeof(Record));
    for (i = 0; i < sizeof fields / sizeof fields[0]; ++i)
        CHECK(fields[i].offset == fields[i].expected, "%s at offset %u, not %u", fields[i].name,
              (unsigned)fields[i].offset, (unsigned)fields[i].expected);
#endif
}

static Main loadMain(const char* path) {
#ifdef _WIN32
    HMODULE module = LoadLibraryA(path);
    if (!module) return NULL;
    return (Main)(void*)GetProcAddress(module, "main");
#else
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!module) return NULL;
    return (Main)dlsym(module, "main");
#endif
}

int main(int argc, char** argv) {
    Main entry;
    Record* record;
    float left[1] = {1.0f}, right[1] = {0.0f}, out0[1] = {99.0f}, out1[1] = {99.0f};
    float* inputs[2];
    float* outputs[2];
    size_t i;
    int reservedZero = 1;

    if (argc != 2) {
        printf("usage: record_only_host MODULE\n");
        return 2;
    }
    checkLayout();
    entry = loadMain(argv[1]);
    if (!entry) {
        printf("FAIL: cannot load %s or find its main\n", argv[1]);
        return 1;
    }

    versionAnswer = 0;
    CHECK(entry(host) == NULL, "main made an effect for a host that answered 0 to request 1");
    CHECK(requests == 1, "main sent %d requests to a refusing host, not 1", requests);
    versionAnswer = 2400;

    record = entry(host);
    if (!record) {
        printf("FAIL: main answered null\n");
        return 1;
    }
    CHECK(record->magic == code("KelP"), "magic is 0x%08x", (unsigned)record->magic);
    /* 24: mono-capable and can overwrite; the editor, where there is one, adds 1. */
    CHECK((record->flags & ~1) == 24, "flags are %d", (int)record->flags);
    CHECK(record->effectId == code("kmzw"), "effect id is 0x%08x", (unsigned)record->effectId);
    CHECK(record->programs == 8 && record->parameters == 3, "counts %d programs, %d parameters",
          (int)record->programs, (int)record->parameters);
    CHECK(record->inputs == 2 && record->outputs == 2, "%d inputs, %d outputs", (int)record->inputs,
          (int)record->outputs);
    CHECK(record->ioRatio == 1.0f && record->version == 1, "io ratio %g, version %d",
          (double)record->ioRatio, (int)record->version);
    CHECK(record->reserved1 == 0 && record->reserved2 == 0 && record->user == NULL,
          "reserved fields are set");
    for (i = 0; i < sizeof record->reserved3; ++i)
        reservedZero &= record->reserved3[i] == 0;
    CHECK(reservedZero, "the reserved tail is not zero");

    record->setParameter(record, 0, 1.0f);
    CHECK(record->getParameter(record, 0) == 1.0f, "width reads %g after setting 1.0",
          (double)record->getParameter(record, 0));
    record->dispatch(record, 12, 0, 1, NULL, 0.0f); /* switch on: no ramp from the old width */
    inputs[0] = left, inputs[1] = right, outputs[0] = out0, outputs[1] = out1;
    record->overwrite(record, inputs, outputs, 1);
    CHECK(fabsf(out0[0] - 2.0f) < 1e-6f && fabsf(out1[0] + 2.0f) < 1e-6f,
          "width 1.0 turned (1, 0) into (%g, %g), not (2, -2)", (double)out0[0], (double)out1[0]);

    CHECK(record->dispatch(record, 1, 0, 0, NULL, 0.0f) == 1, "opcode 1 did not answer 1");

    if (failures) return 1;
    printf("record-only host: all checks passed\n");
    return 0;
}
