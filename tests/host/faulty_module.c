/* A module with faults planted for quillhost validate to find. Its effects:
 * - share one set of parameters (independence),
 * - write through a null pointer on opcode 150 with index 3 (opcodes),
 * - turn a NaN or out-of-range width into the output gain (fuzz),
 * - give parameter 0 a name of 19 characters and keep typed numbers
 *   unclamped (texts),
 * - announce an editor that opens no window of its own and begins an edit
 *   of parameter 0 on every wheel turn, never ending it (editor).
 * Otherwise they pass: they are created and closed cleanly and their
 * parameters are single floats (lifecycle, threads). */
#include <stdatomic.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

typedef struct Record Record;
typedef intptr_t (*Callback)(Record*, int32_t, int32_t, intptr_t, void*, float);

struct Record {
    int32_t magic;
    intptr_t (*dispatch)(Record*, int32_t, int32_t, intptr_t, void*, float);
    void (*accumulate)(Record*, float**, float**, int32_t);
    void (*setParameter)(Record*, int32_t, float);
    float (*getParameter)(Record*, int32_t);
    int32_t programs, parameters, inputs, outputs, flags, reserved1, reserved2;
    int32_t latency, realtimeQuality, offlineQuality;
    float ioRatio;
    void* object;
    void* user;
    int32_t effectId, version;
    void (*overwrite)(Record*, float**, float**, int32_t);
    uint8_t reserved3[60];
};

static _Atomic float shared[3] = {0.5f, 0.0f, 0.0f}; /* the fault: one set for every effect */
static Callback hostOfAll;                           /* the host that made the last effect */

/* The editor's rectangle: top, left, bottom, right. */
static int16_t editorRect[4] = {0, 0, 60, 120};

#define FOUR_CHAR(a, b, c, d)                                                                      \
    ((int32_t)((uint32_t)(a) << 24 | (uint32_t)(b) << 16 | (c) << 8 | (d)))

static float gain(void) { return 2.0f * atomic_load(&shared[0]); } /* 0.5 leaves the input */

static void process(Record* record, float** in, float** out, int32_t frames, int add) {
    const float g = gain();
    int32_t i;
    (void)record;
    for (i = 0; i < frames; ++i) {
        const float l = in[0][i] * g, r = in[1][i] * g;
        out[0][i] = add ? out[0][i] + l : l;
        out[1][i] = add ? out[1][i] + r : r;
    }
}

static void accumulate(Record* r, float** in, float** out, int32_t n) { process(r, in, out, n, 1); }
static void overwrite(Record* r, float** in, float** out, int32_t n) { process(r, in, out, n, 0); }

static void setParameter(Record* record, int32_t index, float value) {
    (void)record;
    if (index == 0) atomic_store(&shared[0], value);
    if (index == 1 || index == 2) atomic_store(&shared[index], value < 0.5f ? 0.0f : 1.0f);
}

static float getParameter(Record* record, int32_t index) {
    (void)record;
    return index >= 0 && index < 3 ? atomic_load(&shared[index]) : 0.0f;
}

static intptr_t dispatch(Record* record, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                         float opt) {
    char* text = (char*)ptr;
    (void)opt;
    switch (opcode) {
    case 1: free(record); return 1;
    case 5: strcpy(text, "Faulty"); return 0;
    case 6: strcpy(text, ""); return 0;
    case 7: strcpy(text, "0"); return 0;
    case 8: strcpy(text, index == 0 ? "Width-of-the-stereo" : "Flag"); return 0;
    case 13:
        if (ptr) *(int16_t**)ptr = editorRect;
        return 1;
    case 14: return 1; /* "open": no window at all */
    case 50:           /* quillhost's wheel turn: an edit begun, never ended */
        if (index != FOUR_CHAR('q', 'o', 'W', 'M') || value != FOUR_CHAR('W', 'h', 'e', 'e'))
            return 0;
        hostOfAll(record, 43, 0, 0, 0, 0.0f);
        hostOfAll(record, 0, 0, 0, 0, 0.5f);
        return 1;
    case 27:
        if (index < 0 || index > 2) return 0;
        if (text) setParameter(record, index, (float)atof(text) / 100.0f);
        return 1;
    case 150:
        if (index == 3) *(volatile int*)0 = 1;
        return 0;
    default: return 0;
    }
}

Record* faultyMain(Callback host) __asm__("main") __attribute__((visibility("default")));

Record* faultyMain(Callback host) {
    Record* record;
    if (!host || host(0, 1, 0, 0, 0, 0.0f) == 0) return 0;
    record = (Record*)calloc(1, sizeof *record);
    if (!record) return 0;
    record->magic = 'K' << 24 | 'e' << 16 | 'l' << 8 | 'P';
    record->dispatch = dispatch;
    record->accumulate = accumulate;
    record->setParameter = setParameter;
    record->getParameter = getParameter;
    record->overwrite = overwrite;
    record->programs = 1;
    record->parameters = 3;
    record->inputs = 2;
    record->outputs = 2;
    record->flags = 16 | 1; /* can overwrite, has an editor */
    hostOfAll = host;
    record->ioRatio = 1.0f;
    record->object = record;
    record->version = 1;
    return record;
}
