// The stereo width effect: three parameters, eight programs, the texts the
// host shows, and the processing of Part "width processing".
#pragma once

#include "effect/width_program.h"
#include "plugin/effect_base_ext.h"

#include <array>
#include <atomic>

constexpr std::int32_t widthProgramCount = 8;
constexpr std::int32_t widthParameterCount = 3;

enum WidthParameter : std::int32_t {
    parameterWidth = 0,
    parameterInverse = 1,
    parameterCenter = 2,
};

class WidthEffect : public EffectBaseExt {
public:
    explicit WidthEffect(HostCallback callback);
    ~WidthEffect() override;

    void setParameter(std::int32_t index, float value) override; // [any thread]
    float getParameter(std::int32_t index) override;             // [any thread]
    void processAccumulating(float** inputs, float** outputs,
                             std::int32_t frames) override; // [audio thread]
    void processOverwriting(float** inputs, float** outputs,
                            std::int32_t frames) override; // [audio thread]
    void setProgram(std::int32_t index) override;
    void renameProgram(char* text) override;
    void copyProgramName(char* text) override;
    void copyParameterUnit(std::int32_t index, char* text) override;
    void copyParameterText(std::int32_t index, char* text) override;
    void copyParameterName(std::int32_t index, char* text) override;
    void switchOn() override;
    bool parseParameterText(std::int32_t index, char* text) override;
    bool copyProgramNameAt(std::int32_t category, std::int32_t index, char* text) override;
    bool copyVendorName(char* text) override;
    std::int32_t vendorCall(std::int32_t first, std::intptr_t second, void* pointer,
                            float amount) override;

private:
    void informEditor(std::int32_t index, float value); // every set parameter, any index
    WidthProgram& current() { return programs[static_cast<std::size_t>(currentProgram)]; }
    void process(float** inputs, float** outputs, std::int32_t frames, bool accumulate);

    std::array<WidthProgram, widthProgramCount> programs;
    // Written by the host's threads and the editor, read once per block.
    std::atomic<float> width{0.5f};
    std::atomic<float> center{0.0f};
    std::atomic<float> inverse{0.0f};
    std::atomic<float> previousWidth{0.5f}; // start of the next block's ramp
};
