// The dispatcher: every opcode's default answer, and how each opcode's
// arguments reach the virtual operation of its row.
#include "gui/editor_base.h"
#include "plugin/effect_base_ext.h"
#include "plugin/four_char.h"
#include "plugin/opcodes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class PlainExt : public EffectBaseExt {
public:
    PlainExt() : EffectBaseExt(nullptr, 4, 2) {}
    void processAccumulating(float**, float**, std::int32_t) override {}
};

// Records the calls whose arguments the dispatcher rearranges.
class ProbeExt : public PlainExt {
public:
    std::vector<std::string> calls;
    float level = 0.0f;
    bool wantsKeys = false;

    void setProgram(std::int32_t index) override {
        calls.push_back("setProgram " + std::to_string(index));
        PlainExt::setProgram(index);
    }
    void switchOn() override { calls.push_back("switchOn"); }
    void switchOff() override { calls.push_back("switchOff"); }
    float getLevel() override { return level; }
    std::int32_t getStateBlock(void**, bool single) override {
        calls.push_back(std::string("getStateBlock ") + (single ? "single" : "bank"));
        return 77;
    }
    std::int32_t setStateBlock(void*, std::int32_t bytes, bool single) override {
        calls.push_back("setStateBlock " + std::to_string(bytes) + (single ? " single" : " bank"));
        return 5;
    }
    bool copyProgramNameAt(std::int32_t category, std::int32_t index, char*) override {
        calls.push_back("copyProgramNameAt " + std::to_string(category) + " " +
                        std::to_string(index));
        return true;
    }
    bool setSpeakerLayout(std::intptr_t input, void* output) override {
        calls.push_back("setSpeakerLayout " + std::to_string(input) + " " +
                        std::to_string(reinterpret_cast<std::intptr_t>(output)));
        return true;
    }
    bool setViewPosition(std::int32_t x, std::int32_t y) override {
        calls.push_back("setViewPosition " + std::to_string(x) + " " + std::to_string(y));
        return true;
    }
    bool offlineAnnounce(void*, std::intptr_t count, bool start) override {
        calls.push_back("offlineAnnounce " + std::to_string(count) + (start ? " start" : ""));
        return true;
    }
    void onInputConnected(std::int32_t pin, bool connected) override {
        calls.push_back("onInputConnected " + std::to_string(pin) + (connected ? " on" : " off"));
    }
    bool needsKeys() override { return wantsKeys; }
};

class KeyEditor : public EditorBase {
public:
    using EditorBase::EditorBase;
    EditorKey last{};
    std::int32_t mode = -1;
    std::int32_t keyPressed(EditorKey* key) override {
        last = *key;
        return 7;
    }
    std::int32_t setEditorMode(std::int32_t m) override {
        mode = m;
        return EditorBase::setEditorMode(m);
    }
};

TEST(Dispatcher, EveryOpcodeAnswersItsDefault) {
    std::intptr_t expected[lastExtendedOpcode + 1] = {};
    expected[opIdentify] = fourChar("NvEf");
    for (auto op : {opCanAutomate, opGetCategoryCount, opInputConnected, opOutputConnected,
                    opSetBlockSizeAndRate, opNeedsKeys})
        expected[op] = 1;
    expected[opGetStandardVersion] = 2200;
    expected[opGetCurrentMidiProgram] = -1;

    for (std::int32_t op = 0; op <= lastExtendedOpcode; ++op) {
        PlainExt effect;
        EXPECT_EQ(effect.dispatch(op, 0, 0, nullptr, 0.0f), expected[op]) << "opcode " << op;
    }
}

TEST(Dispatcher, UnknownOpcodesAnswerZero) {
    PlainExt effect;
    for (std::int32_t op : {-1000, -10, -1, 16, 17, 18, 20, 21, 69, 70, 200, 1 << 30}) {
        char text[64] = "untouched";
        EXPECT_EQ(effect.dispatch(op, 1, 1, text, 1.0f), 0) << op;
        EXPECT_STREQ(text, "untouched") << op;
    }
}

TEST(Dispatcher, EditorOpcodesWithoutAnEditorDoNothing) {
    PlainExt effect;
    for (auto op : {opEditorGetRect, opEditorOpen, opEditorClose, opEditorIdle, opEditorKeyDown,
                    opEditorKeyUp, opEditorSetMode})
        EXPECT_EQ(effect.dispatch(op, 65, 1, nullptr, 1.0f), 0) << op;
}

TEST(Dispatcher, CoreArgumentsReachTheirOperations) {
    ProbeExt effect;
    effect.dispatch(opSetProgram, 0, 3, nullptr, 0.0f);
    effect.dispatch(opSetProgram, 0, 4, nullptr, 0.0f); // == programCount: ignored
    effect.dispatch(opSetProgram, 0, -1, nullptr, 0.0f);
    EXPECT_EQ(effect.dispatch(opGetProgram, 0, 0, nullptr, 0.0f), 3);
    effect.dispatch(opSwitchOnOff, 0, 0, nullptr, 0.0f);
    effect.dispatch(opSwitchOnOff, 0, -7, nullptr, 0.0f);
    EXPECT_EQ(effect.dispatch(opGetStateBlock, 2, 0, nullptr, 0.0f), 77);
    EXPECT_EQ(effect.dispatch(opGetStateBlock, 0, 0, nullptr, 0.0f), 77);
    EXPECT_EQ(effect.dispatch(opSetStateBlock, -1, 12, nullptr, 0.0f), 5);
    const std::vector<std::string> expected = {"setProgram 3",       "switchOff",
                                               "switchOn",           "getStateBlock single",
                                               "getStateBlock bank", "setStateBlock 12 single"};
    EXPECT_EQ(effect.calls, expected);

    effect.dispatch(opSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect.dispatch(opSetBlockSize, 0, 256, nullptr, 0.0f);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);
}

TEST(Dispatcher, LevelIsScaledAndTruncated) {
    const struct {
        float level;
        std::intptr_t result;
    } cases[] = {{0.0f, 0}, {0.5f, 16383}, {1.0f, 32767}, {-0.5f, -16383}};
    for (const auto& c : cases) {
        ProbeExt effect;
        effect.level = c.level;
        EXPECT_EQ(effect.dispatch(opGetLevel, 0, 0, nullptr, 0.0f), c.result) << c.level;
    }
}

TEST(Dispatcher, ExtendedArgumentsReachTheirOperations) {
    ProbeExt effect;
    int marker = 0;
    EXPECT_EQ(effect.dispatch(opGetProgramNameAt, 6, 2, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatch(opSetSpeakerLayout, 0, 11, &marker, 0.0f), 1);
    EXPECT_EQ(effect.dispatch(opSetViewPosition, 30, 40, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatch(opOfflineAnnounce, 9, 3, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatch(opInputConnected, 1, 0, nullptr, 0.0f), 1);
    const std::vector<std::string> expected = {
        "copyProgramNameAt 2 6",
        "setSpeakerLayout 11 " + std::to_string(reinterpret_cast<std::intptr_t>(&marker)),
        "setViewPosition 30 40", "offlineAnnounce 3 start", "onInputConnected 1 off"};
    EXPECT_EQ(effect.calls, expected);

    EXPECT_EQ(effect.dispatch(opSetBlockSizeAndRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);

    effect.wantsKeys = true;
    EXPECT_EQ(effect.dispatch(opNeedsKeys, 0, 0, nullptr, 0.0f), 0);
    effect.setInstrument(true);
    EXPECT_EQ(effect.dispatch(opGetCategory, 0, 0, nullptr, 0.0f), 2);
    char capability[] = "";
    EXPECT_EQ(effect.dispatch(opQueryCapability, 0, 0, capability, 0.0f), 0);
}

TEST(Dispatcher, EditorKeysAndModeReachTheEditor) {
    PlainExt effect;
    auto* editor = new KeyEditor(&effect);
    EXPECT_EQ(effect.getEditor(), editor);
    EXPECT_EQ(effect.dispatch(opEditorKeyDown, 65, 0x1234, nullptr, 2.7f), 7);
    EXPECT_EQ(editor->last.character, 65);
    EXPECT_EQ(editor->last.virtualKey, 0x34);
    EXPECT_EQ(editor->last.modifiers, 2);
    EXPECT_EQ(effect.dispatch(opEditorKeyUp, 66, 0, nullptr, 0.0f), -1);
    EXPECT_EQ(effect.dispatch(opEditorSetMode, 0, 3, nullptr, 0.0f), 0);
    EXPECT_EQ(editor->mode, 3);
    EditorRect* rect = reinterpret_cast<EditorRect*>(&effect);
    EXPECT_EQ(effect.dispatch(opEditorGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(rect, nullptr);
}

TEST(RecordFlags, EachSetterChangesOnlyItsOwnBit) {
    PlainExt effect;
    const struct {
        void (EffectBaseExt::*set)(bool);
        std::int32_t bit;
    } setters[] = {
        {&EffectBase::setReportsClipping, flagReportsClipping},
        {&EffectBase::setReportsLevel, flagReportsLevel},
        {&EffectBase::setMonoCapable, flagMonoCapable},
        {&EffectBase::setOverwriteCapable, flagCanOverwrite},
        {&EffectBase::setStateAsBlock, flagStateAsBlock},
        {&EffectBaseExt::setInstrument, flagInstrument},
        {&EffectBaseExt::setSilentWhenIdle, flagSilentWhenIdle},
        {&EffectBaseExt::setAsyncProcessing, flagAsyncProcessing},
        {&EffectBaseExt::setExternalBuffer, flagExternalBuffer},
    };
    const std::int32_t others = 0x40000 | flagHasEditor;
    effect.getRecord()->flags = others;
    for (const auto& s : setters) {
        (effect.*s.set)(true);
        (effect.*s.set)(true);
        EXPECT_EQ(effect.getRecord()->flags, others | s.bit);
        (effect.*s.set)(false);
        EXPECT_EQ(effect.getRecord()->flags, others);
    }
}

} // namespace
