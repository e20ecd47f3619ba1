// The widget base and the value control base: defaults, redraw rules,
// reference counting.
#include "editor/resource_ids.h"
#include "gui/bitmap.h"
#include "gui/value_control.h"
#include "gui/widget.h"
#include "tests/gui/gui_fixture.h"

namespace {

int drawCalls = 0;
int destroyed = 0;

class CountingWidget : public Widget {
public:
    using Widget::Widget;
    ~CountingWidget() override { ++destroyed; }
    void draw(Canvas*) override { ++drawCalls; }
};

class PlainControl : public ValueControl {
public:
    using ValueControl::ValueControl;
    void draw(Canvas*) override { setRedrawPending(false); }
};

class WidgetTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        drawCalls = destroyed = 0;
    }
};

TEST_F(WidgetTest, StartsWithItsDefaults) {
    auto* w = new CountingWidget(Rect(1, 2, 30, 40));
    EXPECT_TRUE(w->isRedrawPending());
    EXPECT_TRUE(w->isMouseActive());
    EXPECT_FALSE(w->isTransparent());
    EXPECT_EQ(w->referenceCount(), 1);
    Rect area(9, 9, 9, 9);
    EXPECT_EQ(&w->getMouseArea(area), &area);
    EXPECT_EQ(area, Rect(1, 2, 30, 40));
    EXPECT_EQ(w->getFrame(), nullptr);
    EXPECT_FALSE(w->drop(nullptr, 0, dropKindFiles, Point()));
    EXPECT_FALSE(w->wheel(nullptr, Point(), 1.0f));
    w->release();
    EXPECT_EQ(destroyed, 1);
}

TEST_F(WidgetTest, RedrawsOnlyWhenPending) {
    auto* w = new CountingWidget(Rect(0, 0, 5, 5));
    w->redrawIfPending(nullptr);
    EXPECT_EQ(drawCalls, 1);
    EXPECT_FALSE(w->isRedrawPending());
    w->redrawIfPending(nullptr);
    EXPECT_EQ(drawCalls, 1);
    w->setBounds(Rect(0, 0, 5, 5)); // the same rectangle still marks it
    EXPECT_TRUE(w->isRedrawPending());
    w->release();
}

TEST_F(WidgetTest, ReleaseBelowOneDoesNothing) {
    auto* w = new CountingWidget(Rect());
    w->retain();
    w->release();
    EXPECT_EQ(destroyed, 0);
    w->release();
    EXPECT_EQ(destroyed, 1);
}

TEST_F(WidgetTest, ValueControlRedrawRule) {
    auto* c = new PlainControl(Rect(0, 0, 10, 10), nullptr, 3, nullptr);
    EXPECT_TRUE(c->isRedrawPending());
    c->setRedrawPending(false);
    EXPECT_FALSE(c->isRedrawPending());
    EXPECT_EQ(c->getDrawnValue(), 0.0f);
    c->setValue(0.7f);
    EXPECT_TRUE(c->isRedrawPending()) << "a new value alone makes it pending";
    c->redrawIfPending(nullptr);
    EXPECT_FALSE(c->isRedrawPending());
    c->setRedrawPending(true);
    EXPECT_EQ(c->getDrawnValue(), -1.0f);
    c->setValue(-1.0f);
    c->setRedrawPending(true);
    EXPECT_EQ(c->getDrawnValue(), 0.0f);
    EXPECT_EQ(c->getTag(), 3);
    c->release();
}

TEST_F(WidgetTest, ValueControlClamping) {
    auto* c = new PlainControl(Rect(), nullptr, 0, nullptr);
    const struct {
        float minimum, maximum, value, clamped;
    } cases[] = {{0, 1, 1.5f, 1.0f},
                 {0, 1, -0.2f, 0.0f},
                 {0, 1, 0.5f, 0.5f},
                 {1, 0, 0.5f, 0.0f},
                 {1, 0, 2.0f, 0.0f}};
    for (const auto& k : cases) {
        c->setMinimum(k.minimum);
        c->setMaximum(k.maximum);
        c->setValue(k.value);
        EXPECT_EQ(c->getValue(), k.value) << "setValue does not clamp";
        c->clampValue();
        EXPECT_EQ(c->getValue(), k.clamped) << k.minimum << " " << k.maximum << " " << k.value;
    }
    c->release();
}

TEST_F(WidgetTest, ValueControlsShareTheirBackground) {
    auto* bitmap = new Bitmap(bitmapBackground);
    auto* a = new PlainControl(Rect(), nullptr, 0, bitmap);
    auto* b = new PlainControl(Rect(), nullptr, 1, bitmap);
    bitmap->release(); // the creator's reference
    EXPECT_EQ(bitmap->referenceCount(), 2);
    a->setBackground(bitmap); // the same bitmap again stays alive
    EXPECT_EQ(bitmap->referenceCount(), 2);
    a->release();
    EXPECT_EQ(bitmap->referenceCount(), 1);
    EXPECT_EQ(b->getBackground(), bitmap);
    b->release(); // the last holder deletes it
}

} // namespace
