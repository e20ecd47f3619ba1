#include "effect/width_effect.h"

#include "editor/width_editor.h"
#include "effect/width_processing.h"
#include "gui/editor_base.h"
#include "plugin/four_char.h"
#include "plugin/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr auto relaxed = std::memory_order_relaxed;

// On/off parameters are stored as exactly 0.0 or 1.0, switched at 0.5.
float quantised(float value) { return value < 0.5f ? 0.0f : 1.0f; }

constexpr const char* parameterNames[widthParameterCount] = {"Expander", "Inverse", "Center"};

} // namespace

WidthEffect::WidthEffect(HostCallback callback)
    : EffectBaseExt(callback, widthProgramCount, widthParameterCount) {
    setInputCount(2);
    setOutputCount(2);
    setReportsLevel(false);
    setMonoCapable(true);
    setOverwriteCapable(true);
    setEffectId(fourChar("kmzw"));
    for (std::size_t i = 0; i < programs.size(); ++i)
        std::snprintf(programs[i].name, sizeof programs[i].name, "Init %d",
                      static_cast<int>(i + 1));
    // The editor registers itself (setEditor); without memory the effect runs without one.
    new (std::nothrow) WidthEditor(this);
}

void WidthEffect::informEditor(std::int32_t index, float value) {
    if (editor) static_cast<WidthEditor*>(editor.get())->parameterChanged(index, value);
}

WidthEffect::~WidthEffect() = default;

// ---- parameters ----

void WidthEffect::setParameter(std::int32_t index, float value) {
    WidthProgram& program = current();
    switch (index) {
    case parameterWidth:
        width.store(value, relaxed);
        program.width.store(value, relaxed);
        break;
    case parameterInverse:
        inverse.store(quantised(value), relaxed);
        program.inverse.store(quantised(value), relaxed);
        break;
    case parameterCenter:
        center.store(quantised(value), relaxed);
        program.center.store(quantised(value), relaxed);
        break;
    default: break;
    }
    informEditor(index, value);
}

float WidthEffect::getParameter(std::int32_t index) {
    switch (index) {
    case parameterWidth: return width.load(relaxed);
    case parameterInverse: return inverse.load(relaxed);
    case parameterCenter: return center.load(relaxed);
    default: return 0.0f;
    }
}

void WidthEffect::copyParameterUnit(std::int32_t index, char* text) {
    copyText(text, index == parameterWidth ? "%" : "");
}

void WidthEffect::copyParameterName(std::int32_t index, char* text) {
    const bool known = index >= 0 && index < widthParameterCount;
    copyText(text, known ? parameterNames[index] : "-");
}

void WidthEffect::copyParameterText(std::int32_t index, char* text) {
    if (!text) return;
    switch (index) {
    case parameterWidth: {
        // A NaN width is processed as 0.5, so it reads as the default too.
        const float w = width.load(relaxed);
        const float v = (2.0f * (std::isnan(w) ? 0.5f : w) - 1.0f) * 100.0f;
        if (std::fabs(v) < 0.01f)
            copyText(text, "Default");
        else if (v < -99.99f)
            copyText(text, "Mono");
        else if (v > 99.99f)
            copyText(text, "Wide");
        else
            std::snprintf(text, numberTextLength + 1, "%.2f", static_cast<double>(v));
        break;
    }
    case parameterInverse: copyText(text, inverse.load(relaxed) >= 0.5f ? "Yes" : "No"); break;
    case parameterCenter: copyText(text, center.load(relaxed) >= 0.5f ? "Yes" : "No"); break;
    default: copyText(text, "0"); break;
    }
}

bool WidthEffect::parseParameterText(std::int32_t index, char* text) {
    if (index < 0 || index >= widthParameterCount) return false;
    if (!text) return true;
    float number = 0.0f;
    // A text that does not begin with a number (or reads as NaN) changes nothing.
    if (std::sscanf(text, "%f", &number) != 1 || std::isnan(number)) return true;
    WidthProgram& program = current();
    switch (index) {
    case parameterWidth: {
        float x = (number / 100.0f + 1.0f) / 2.0f;
        if (x < 0.0f) x = 0.0f;
        if (x > 1.0f) x = 1.0f;
        width.store(x, relaxed);
        program.width.store(x, relaxed);
        break;
    }
    case parameterInverse:
        inverse.store(quantised(number), relaxed);
        program.inverse.store(quantised(number), relaxed);
        break;
    case parameterCenter:
        center.store(quantised(number), relaxed);
        program.center.store(quantised(number), relaxed);
        break;
    default: break;
    }
    informEditor(index, getParameter(index)); // an open editor shows the typed value
    return true;
}

// ---- programs ----

void WidthEffect::setProgram(std::int32_t index) {
    currentProgram = index;
    WidthProgram& program = current();
    setParameter(parameterWidth, program.width.load(relaxed));
    setParameter(parameterInverse, program.inverse.load(relaxed));
    setParameter(parameterCenter, program.center.load(relaxed));
}

void WidthEffect::renameProgram(char* text) {
    if (!text) return;
    copyText(current().name, text, programNameChars);
}

void WidthEffect::copyProgramName(char* text) { copyText(text, current().name); }

bool WidthEffect::copyProgramNameAt(std::int32_t, std::int32_t index, char* text) {
    if (index < 0 || index >= programCount) return false;
    const char* name = programs[static_cast<std::size_t>(index)].name;
    if (!text) return true;
    if (std::strcmp(name, "Init") == 0)
        std::snprintf(text, programNameChars + 1, "%s %d", name, static_cast<int>(index + 1));
    else
        copyText(text, name);
    return true;
}

// ---- vendor ----

bool WidthEffect::copyVendorName(char* text) {
    copyText(text, "Quillfen");
    return true;
}

std::int32_t WidthEffect::vendorCall(std::int32_t first, std::intptr_t second, void* pointer,
                                     float amount) {
    if (editor && first == fourChar("qoWM") && second == fourChar("Whee"))
        return editor->wheel(amount) ? 1 : 0;
    return EffectBaseExt::vendorCall(first, second, pointer, amount);
}

// ---- processing ----

void WidthEffect::switchOn() { previousWidth.store(width.load(relaxed), relaxed); }

void WidthEffect::process(float** inputs, float** outputs, std::int32_t frames, bool accumulate) {
    // Each parameter is read once, here; a change during the block waits for the next.
    const float w1 = usableWidth(width.load(relaxed));
    const float w0 = usableWidth(previousWidth.load(relaxed));
    const bool swapped = inverse.load(relaxed) != 0.0f;
    const bool centerOn = center.load(relaxed) != 0.0f;
    previousWidth.store(w1, relaxed);

    if (frames <= 0) return; // nothing is read or written
    const WidthOutputs out =
        swapped ? WidthOutputs{outputs[1], outputs[0]} : WidthOutputs{outputs[0], outputs[1]};
    processWidthBlock(makeWidthBlock(w0, w1, centerOn), inputs[0], inputs[1], out, frames,
                      accumulate);
}

void WidthEffect::processAccumulating(float** inputs, float** outputs, std::int32_t frames) {
    process(inputs, outputs, frames, true);
}

void WidthEffect::processOverwriting(float** inputs, float** outputs, std::int32_t frames) {
    process(inputs, outputs, frames, false);
}
