// The record as main hands it out, and opcode 1 through the entry.
#include "effect/width_effect.h"
#include "gui/editor_base.h"
#include "plugin/create_effect.h"
#include "plugin/four_char.h"
#include "plugin/host_requests.h"
#include "plugin/opcodes.h"
#include "tests/support/recording_host.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(Main, RefusesWhenTheHostAnswersZeroToTheVersionRequest) {
    RecordingHost host;
    host.answer(hostVersion, 0);
    EXPECT_EQ(createEffect(RecordingHost::callback()), nullptr);
    ASSERT_EQ(host.requests().size(), 1u);
    EXPECT_EQ(host.requests()[0].record, nullptr);
    EXPECT_EQ(host.requests()[0].code, hostVersion);
}

TEST(Main, AnswersTheRecordOfANewEffect) {
    RecordingHost host;
    EffectRecord* record = createEffect(RecordingHost::callback());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->magic, fourChar("KelP"));
    EXPECT_EQ(static_cast<EffectBase*>(record->object)->getRecord(), record);
    EXPECT_EQ(record->programCount, 8);
    EXPECT_EQ(record->parameterCount, 3);
    EXPECT_EQ(record->inputCount, 2);
    EXPECT_EQ(record->outputCount, 2);
    EXPECT_EQ(record->flags, flagHasEditor | flagMonoCapable | flagCanOverwrite); // 25
    EXPECT_EQ(record->effectId, fourChar("kmzw"));
    EXPECT_EQ(record->version, 1);
    EXPECT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->latencySamples, 0);
    EXPECT_EQ(record->userPointer, nullptr);
    const std::uint8_t zeros[sizeof record->reserved3] = {};
    EXPECT_EQ(std::memcmp(record->reserved3, zeros, sizeof zeros), 0);
    EXPECT_EQ(record->reserved1, 0);
    EXPECT_EQ(record->reserved2, 0);

    EffectRecord* second = createEffect(RecordingHost::callback());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, record);
    record->setParameterEntry(record, 0, 0.9f);
    EXPECT_EQ(second->getParameterEntry(second, 0), 0.5f);
    EXPECT_EQ(record->getParameterEntry(record, 0), 0.9f);
    EXPECT_EQ(record->dispatchEntry(record, opClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(second->dispatchEntry(second, opClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(Main, IdentifiesAsNvEf) {
    RecordingHost host;
    EffectRecord* record = createEffect(RecordingHost::callback());
    const std::intptr_t id = record->dispatchEntry(record, opIdentify, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(id, fourChar("NvEf"));
    EXPECT_EQ((id >> 24) & 0xff, 'N');
    record->dispatchEntry(record, opClose, 0, 0, nullptr, 0.0f);
}

// An effect and an editor that report their own destruction.
bool effectDeleted = false;
bool editorDeleted = false;
int closeCalls = 0;

class ProbeEditor : public EditorBase {
public:
    using EditorBase::EditorBase;
    ~ProbeEditor() override { editorDeleted = true; }
};

class ProbeEffect : public EffectBase {
public:
    ProbeEffect() : EffectBase(nullptr, 2, 1) { new ProbeEditor(this); }
    ~ProbeEffect() override { effectDeleted = true; }
    void processAccumulating(float**, float**, std::int32_t) override {}
    void onClose() override { ++closeCalls; }
};

TEST(CloseOpcode, ThroughTheEntryDeletesEffectAndEditor) {
    effectDeleted = editorDeleted = false;
    closeCalls = 0;
    auto* effect = new ProbeEffect;
    EffectRecord* record = effect->getRecord();
    EXPECT_EQ(record->flags & flagHasEditor, flagHasEditor);
    EXPECT_EQ(record->dispatchEntry(record, opClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(closeCalls, 1);
    EXPECT_TRUE(effectDeleted);
    EXPECT_TRUE(editorDeleted);
}

TEST(CloseOpcode, SentToDispatchOnlyCallsOnClose) {
    effectDeleted = editorDeleted = false;
    closeCalls = 0;
    auto* effect = new ProbeEffect;
    EXPECT_EQ(effect->dispatch(opClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(closeCalls, 1);
    EXPECT_FALSE(effectDeleted);
    delete effect;
    EXPECT_TRUE(editorDeleted);
}

} // namespace
