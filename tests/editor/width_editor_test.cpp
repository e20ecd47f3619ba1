// The width editor through real gestures: the slider's tracking loop, the
// buttons, the about splash and the wiring to the effect both ways.
#include "editor/resource_ids.h"
#include "editor/stereo_image_view.h"
#include "gui/bitmap.h"
#include "gui/frame_window.h"
#include "gui/slider_control.h"
#include "gui/toggle_button.h"
#include "plugin/four_char.h"
#include "tests/editor/editor_fixture.h"

namespace {

using standin::keyDown;
using standin::keyUp;
using standin::moveTo;
using standin::press;
using standin::release;

TEST_F(EditorTest, RecordAndRectangle) {
    EXPECT_EQ(effect->getRecord()->flags, flagHasEditor | flagMonoCapable | flagCanOverwrite);
    EditorRect* rect = nullptr;
    EXPECT_EQ(effect->dispatch(opEditorGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom, 100);
    EXPECT_EQ(rect->right, 292);
    open();
    RECT frame{};
    GetWindowRect(editor()->getFrame()->getWindow(), &frame);
    EXPECT_EQ(frame.right - frame.left, 392);
}

TEST_F(EditorTest, AFreeClickSetsTheValueUnderTheHandleCentre) {
    open();
    host.clear();
    click(146, 64);
    EXPECT_FLOAT_EQ(effect->getParameter(0), (146.0f - 25.0f) / 241.0f);
    const auto edits = requests({hostBeginEdit, hostAutomate, hostEndEdit});
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front().code, hostBeginEdit);
    EXPECT_EQ(edits.front().index, 0);
    EXPECT_EQ(edits[1].code, hostAutomate);
    EXPECT_FLOAT_EQ(edits[1].opt, (146.0f - 25.0f) / 241.0f);
    EXPECT_EQ(edits.back().code, hostEndEdit);
    EXPECT_EQ(edits.back().index, 0);
}

TEST_F(EditorTest, DragsClampAtBothEnds) {
    open();
    gesture({press(0, 146, 64), moveTo(20, 10, 64), release(40)});
    EXPECT_EQ(effect->getParameter(0), 0.0f);
    gesture({press(0, 146, 64), moveTo(20, 300, 64), release(40)});
    EXPECT_EQ(effect->getParameter(0), 1.0f);
    EXPECT_EQ(editor()->getWidthSlider()->getValue(), 1.0f);
}

TEST_F(EditorTest, ShiftFromTheStartMovesATenth) {
    const float start = (145.0f - 25.0f) / 241.0f; // exactly the position of x = 145
    effect->setParameter(0, start);
    open();
    gesture({keyDown(0, VK_SHIFT), press(0, 145, 64), moveTo(20, 169, 64), release(40),
             keyUp(50, VK_SHIFT)});
    EXPECT_NEAR(effect->getParameter(0), start + 24.0f / 2410.0f, 1e-6f);
}

TEST_F(EditorTest, ControlClickResetsAndNotifiesOnlyOnAChange) {
    effect->setParameter(0, 0.9f);
    open();
    host.clear();
    gesture({keyDown(0, VK_CONTROL), press(0, 60, 64), release(20), keyUp(30, VK_CONTROL)});
    EXPECT_EQ(effect->getParameter(0), 0.5f);
    EXPECT_EQ(requests({hostAutomate}).size(), 1u);
    EXPECT_TRUE(requests({hostBeginEdit, hostEndEdit}).empty()) << "a reset is no edit gesture";
    host.clear();
    gesture({keyDown(0, VK_CONTROL), press(0, 60, 64), release(20), keyUp(30, VK_CONTROL)});
    EXPECT_TRUE(requests({hostAutomate}).empty()) << "nothing changed, nothing told";
}

TEST_F(EditorTest, WheelStepsReachTheWidgetUnderTheCursor) {
    open();
    SetCursorPos(hostX + 100, hostY + 64);
    host.clear();
    const auto turn = [&](float distance) {
        return effect->dispatch(opVendorCall, fourChar("qoWM"), fourChar("Whee"), nullptr,
                                distance);
    };
    EXPECT_EQ(turn(1.0f), 1);
    EXPECT_NEAR(effect->getParameter(0), 0.6f, 1e-6f);
    standin::scriptGesture({keyDown(0, VK_SHIFT)});
    standin::finishGesture();
    turn(-3.0f);
    EXPECT_NEAR(effect->getParameter(0), 0.57f, 1e-6f);
    standin::scriptGesture({keyUp(0, VK_SHIFT)});
    standin::finishGesture();
    turn(100.0f);
    EXPECT_EQ(effect->getParameter(0), 1.0f);
    const float before = effect->getParameter(0);
    turn(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(effect->getParameter(0), before) << "a NaN turn moves nothing";
    for (const auto& r : requests({hostAutomate}))
        EXPECT_FALSE(std::isnan(r.opt));
    EXPECT_TRUE(requests({hostBeginEdit, hostEndEdit}).empty());
    SetCursorPos(hostX + 5, hostY + 5); // over no widget
    EXPECT_EQ(turn(1.0f), 0);
}

TEST_F(EditorTest, TheInverseButtonSwapsTheMarkers) {
    open();
    host.clear();
    click(50, 85);
    EXPECT_EQ(effect->getParameter(1), 1.0f);
    EXPECT_TRUE(editor()->getImageView()->isSwapped());
    ASSERT_EQ(requests({hostAutomate}).size(), 1u);
    EXPECT_EQ(requests({hostAutomate})[0].index, 1);
    EXPECT_TRUE(requests({hostBeginEdit}).empty());
    click(50, 85);
    EXPECT_EQ(effect->getParameter(1), 0.0f);
}

TEST_F(EditorTest, ButtonsShowTheirLowerHalfWhenOn) {
    open();
    const standin::Image off = editorImage();
    effect->setParameter(2, 1.0f);
    settle();
    const standin::Image on = editorImage();
    HBITMAP picture = LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(bitmapCenterButton));
    const standin::Image button = standin::bitmapImage(picture);
    DeleteObject(picture);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 27; ++x) {
            ASSERT_EQ(off.at(97 + x, 79 + y), button.at(x, y)) << x << "," << y;
            ASSERT_EQ(on.at(97 + x, 79 + y), button.at(x, y + 13)) << x << "," << y;
        }
}

TEST_F(EditorTest, TheAboutSplashCoversTheEditorUntilTheNextClick) {
    open();
    const standin::Image before = editorImage();
    const float width = effect->getParameter(0);
    click(250, 10);
    auto* frame = editor()->getFrame();
    ASSERT_NE(frame->getModalWidget(), nullptr);
    EXPECT_EQ(frame->getModalWidget()->getBounds(), Rect(0, 0, 292, 100));
    const standin::Image shown = editorImage();
    int versionPixels = 0;
    for (int y = 48; y < 63; ++y)
        for (int x = 0; x < 292; ++x)
            versionPixels += shown.at(x, y) == RGB(180, 210, 210);
    EXPECT_GT(versionPixels, 20) << "the version line is written in its band";
    click(100, 60); // over the slider, but the splash takes it
    EXPECT_EQ(frame->getModalWidget(), nullptr);
    EXPECT_EQ(effect->getParameter(0), width);
    EXPECT_IMAGE(editorImage(), before);
}

TEST_F(EditorTest, HostChangesMoveTheControlsAtTheNextIdle) {
    open();
    effect->setParameter(0, 0.25f);
    effect->setParameter(1, 0.7f);
    settle();
    EXPECT_EQ(editor()->getWidthSlider()->getValue(), 0.25f);
    EXPECT_EQ(editor()->getInverseButton()->getValue(), 1.0f) << "the quantised value";
    EXPECT_FLOAT_EQ(editor()->getImageView()->getWidth(), 0.25f);
    EXPECT_TRUE(editor()->getImageView()->isCenterMarkerVisible()) << "width below 0.5";
    effect->setParameter(0, 0.8f);
    settle();
    EXPECT_FALSE(editor()->getImageView()->isCenterMarkerVisible());
}

TEST_F(EditorTest, TypedValuesMoveTheControlsAtTheNextIdle) {
    open();
    char width[] = "-50";
    char inverse[] = "1";
    char center[] = "1";
    effect->dispatch(opParseParameter, 0, 0, width, 0.0f);
    effect->dispatch(opParseParameter, 1, 0, inverse, 0.0f);
    effect->dispatch(opParseParameter, 2, 0, center, 0.0f);
    settle();
    EXPECT_EQ(editor()->getWidthSlider()->getValue(), 0.25f);
    EXPECT_FLOAT_EQ(editor()->getImageView()->getWidth(), 0.25f);
    EXPECT_EQ(editor()->getInverseButton()->getValue(), 1.0f);
    EXPECT_TRUE(editor()->getImageView()->isSwapped());
    EXPECT_EQ(editor()->getCenterButton()->getValue(), 1.0f);
    // What the open editor shows is what an editor opened at these values shows.
    const standin::Image shown = editorImage();
    effect->dispatch(opEditorClose, 0, 0, nullptr, 0.0f);
    open();
    EXPECT_IMAGE(editorImage(), shown);
}

TEST_F(EditorTest, AnIdleWithNothingPendingObtainsNoContext) {
    open();
    settle();
    const int before = standin::counts().contextsObtained;
    effect->dispatch(opEditorIdle, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(standin::counts().contextsObtained, before);
}

TEST_F(EditorTest, OpenCloseOpenAgainShowsTheCurrentValues) {
    open();
    effect->dispatch(opEditorClose, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(editor()->getFrame(), nullptr);
    effect->setParameter(0, 0.3f);
    Bitmap* background = WidthEditor::sharedBackgroundBitmap();
    open();
    EXPECT_EQ(WidthEditor::sharedBackgroundBitmap(), background);
    EXPECT_EQ(editor()->getWidthSlider()->getValue(), 0.3f);
}

TEST_F(EditorTest, OpeningAgainWithoutACloseReplacesTheWindow) {
    const standin::GdiCounts closed = standin::counts();
    open();
    const standin::GdiCounts once = standin::counts();
    open();
    open();
    const standin::GdiCounts thrice = standin::counts();
    EXPECT_EQ(thrice.liveWindows, once.liveWindows);
    EXPECT_EQ(thrice.liveObjects, once.liveObjects);
    EXPECT_EQ(frameWindowClassUseCount(), 1);
    effect->dispatch(opEditorClose, 0, 0, nullptr, 0.0f);
    const standin::GdiCounts after = standin::counts();
    EXPECT_EQ(after.liveWindows, closed.liveWindows);
    EXPECT_EQ(after.liveObjects, closed.liveObjects);
    EXPECT_EQ(after.registeredClasses, closed.registeredClasses);
}

TEST_F(EditorTest, TwoEffectsShareOneBackground) {
    auto* second = new WidthEffect(RecordingHost::callback());
    Bitmap* background = WidthEditor::sharedBackgroundBitmap();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->referenceCount(), 2);
    delete second;
    EXPECT_EQ(WidthEditor::sharedBackgroundBitmap(), background);
    EXPECT_EQ(background->referenceCount(), 1);
}

} // namespace
