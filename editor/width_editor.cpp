#include "editor/width_editor.h"

#include "editor/about_splash.h"
#include "editor/resource_ids.h"
#include "editor/stereo_image_view.h"
#include "effect/width_effect.h"
#include "gui/bitmap.h"
#include "gui/frame_window.h"
#include "gui/slider_control.h"
#include "gui/toggle_button.h"

#include <new>

namespace {

Bitmap* sharedBackground = nullptr; // one for every width editor of the module [ui thread]

// A control bitmap: the control takes its own reference, the editor gives its one back.
template <typename Build>
auto withBitmap(std::int32_t id, Build build) {
    Bitmap* bitmap = new (std::nothrow) Bitmap(id);
    auto* control = build(bitmap);
    if (bitmap) bitmap->release();
    return control;
}

} // namespace

Bitmap* WidthEditor::sharedBackgroundBitmap() { return sharedBackground; }

WidthEditor::WidthEditor(WidthEffect* owner) : GuiEditor(owner) {
    if (!sharedBackground)
        sharedBackground = new (std::nothrow) Bitmap(bitmapBackground);
    else
        sharedBackground->retain();
    editorRect.top = 0;
    editorRect.left = 0;
    editorRect.bottom =
        static_cast<std::int16_t>(sharedBackground ? sharedBackground->getHeight() : 0);
    editorRect.right =
        static_cast<std::int16_t>(sharedBackground ? sharedBackground->getWidth() : 0);
}

WidthEditor::~WidthEditor() {
    closeWindow();
    if (sharedBackground) {
        if (sharedBackground->referenceCount() > 1) {
            sharedBackground->release();
        } else {
            sharedBackground->release();
            sharedBackground = nullptr;
        }
    }
}

std::int32_t WidthEditor::openWindow(void* parent) {
    closeWindow(); // opened again without a close: the window open so far goes first
    GuiEditor::openWindow(parent);
    windowThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    const std::int32_t width = sharedBackground ? sharedBackground->getWidth() : 0;
    const std::int32_t height = sharedBackground ? sharedBackground->getHeight() : 0;
    frame = new (std::nothrow) FrameWindow(Rect(0, 0, width + 100, height), parentWindow, this);
    if (!frame) return 1;
    frame->setBackgroundBitmap(sharedBackground);

    imageView = new (std::nothrow)
        StereoImageView(Rect().setFromCorners(0, 0, 263, 22).offset(14, 27), sharedBackground);
    if (imageView) frame->addWidget(imageView);

    widthSlider = withBitmap(bitmapSliderHandle, [&](Bitmap* handle) {
        const Rect r = Rect().setFromCorners(0, 0, 261, 15).offset(16, 57);
        const std::int32_t handleWidth = handle ? handle->getWidth() : 1;
        return new (std::nothrow)
            SliderControl(r, this, tagWidth, r.left + 2, r.left + 260 - handleWidth, handle,
                          sharedBackground, Point(r.left, r.top), styleDrawFromLeft);
    });
    if (widthSlider) {
        widthSlider->setHandleOffset(Point(0, 0));
        frame->addWidget(widthSlider);
    }

    const auto button = [&](std::int32_t id, std::int32_t tag, std::int32_t x, std::int32_t y) {
        return withBitmap(id, [&](Bitmap* bitmap) {
            const std::int32_t w = bitmap ? bitmap->getWidth() : 0;
            const std::int32_t h = bitmap ? bitmap->getHeight() / 2 : 0;
            return new (std::nothrow)
                ToggleButton(Rect().setFromCorners(0, 0, w, h).offset(x, y), this, tag, bitmap);
        });
    };
    inverseButton = button(bitmapInverseButton, tagInverse, 40, 79);
    if (inverseButton) frame->addWidget(inverseButton);
    centerButton = button(bitmapCenterButton, tagCenter, 97, 79);
    if (centerButton) frame->addWidget(centerButton);

    AboutSplash* about = withBitmap(bitmapAbout, [&](Bitmap* picture) {
        const std::int32_t w = picture ? picture->getWidth() : 0;
        const std::int32_t h = picture ? picture->getHeight() : 0;
        return new (std::nothrow)
            AboutSplash(Rect().setFromCorners(0, 0, 70, 18).offset(215, 1), this, tagAbout, picture,
                        Rect(0, 0, w, h), Point(0, 0), Point(0, 48));
    });
    if (about) frame->addWidget(about);

    syncControls();
    return 1;
}

void WidthEditor::closeWindow() {
    delete frame;
    frame = nullptr;
    inverseButton = nullptr;
    centerButton = nullptr;
    widthSlider = nullptr;
    imageView = nullptr;
}

void WidthEditor::idleTick() {
    applyDeferredParameters();
    GuiEditor::idleTick();
}

void WidthEditor::applyDeferredParameters() {
    std::uint32_t indices = deferredParameters.exchange(0, std::memory_order_acquire);
    for (std::int32_t index = 0; indices; ++index, indices >>= 1)
        if (indices & 1u) applyParameter(index);
}

void WidthEditor::updateView() {
    if (!imageView) return;
    const float width = effect->getParameter(tagWidth);
    imageView->setWidth(width);
    imageView->setCenterMarkerVisible(width < 0.5f || effect->getParameter(tagCenter) != 0.0f);
}

void WidthEditor::syncControls() {
    if (widthSlider) widthSlider->setValue(effect->getParameter(tagWidth));
    if (inverseButton) inverseButton->setValue(effect->getParameter(tagInverse));
    if (centerButton) centerButton->setValue(effect->getParameter(tagCenter));
    updateView();
    if (imageView) imageView->setSwapped(effect->getParameter(tagInverse) >= 0.5f);
}

void WidthEditor::parameterChanged(std::int32_t index, float) {
    if (std::this_thread::get_id() != windowThread.load(std::memory_order_relaxed)) {
        if (index >= 0 && index <= tagCenter)
            deferredParameters.fetch_or(1u << index, std::memory_order_release);
        requestRefresh();
        return;
    }
    if (!frame) return;
    applyParameter(index);
    requestRefresh();
}

void WidthEditor::applyParameter(std::int32_t index) {
    if (!frame) return;
    switch (index) {
    case tagWidth:
        if (widthSlider) widthSlider->setValue(effect->getParameter(tagWidth));
        updateView();
        break;
    case tagInverse:
        if (inverseButton) inverseButton->setValue(effect->getParameter(tagInverse));
        if (imageView) imageView->setSwapped(effect->getParameter(tagInverse) >= 0.5f);
        break;
    case tagCenter:
        if (centerButton) centerButton->setValue(effect->getParameter(tagCenter));
        updateView();
        break;
    default: break;
    }
}

void WidthEditor::controlValueChanged(Canvas* canvas, ValueControl* control) {
    const std::int32_t tag = control->getTag();
    if (tag == tagWidth || tag == tagInverse || tag == tagCenter)
        effect->automateParameter(tag, control->getValue());
    else
        control->redrawIfPending(canvas);
}
