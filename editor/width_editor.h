// The width effect's editor: a background, the stereo image view, the width
// slider, the Inverse and Center buttons and the about splash, kept in step
// with the effect's parameters in both directions.
#pragma once

#include "gui/gui_editor.h"
#include "gui/value_control.h"

#include <atomic>
#include <thread>

class Bitmap;
class SliderControl;
class StereoImageView;
class ToggleButton;
class WidthEffect;

enum EditorTag : std::int32_t { tagWidth = 0, tagInverse = 1, tagCenter = 2, tagAbout = 9 };

class WidthEditor : public GuiEditor, public ValueListener {
public:
    explicit WidthEditor(WidthEffect* effect);
    ~WidthEditor() override;

    std::int32_t openWindow(void* parent) override;
    void closeWindow() override;
    void idleTick() override;
    void parameterChanged(std::int32_t index, float value) override; // [any thread]
    void controlValueChanged(Canvas* canvas, ValueControl* control) override;

    void syncControls();

    SliderControl* getWidthSlider() const { return widthSlider; }
    ToggleButton* getInverseButton() const { return inverseButton; }
    ToggleButton* getCenterButton() const { return centerButton; }
    StereoImageView* getImageView() const { return imageView; }

    // The background all width editors of the module share; none while no editor exists.
    static Bitmap* sharedBackgroundBitmap();

private:
    void updateView();
    void applyParameter(std::int32_t index);
    void applyDeferredParameters();

    // Widgets belong to the window's thread. A change from any other thread
    // is only noted here and applied by the next idleTick, so that no other
    // thread touches a widget the window thread may be drawing or deleting.
    std::atomic<std::thread::id> windowThread{};
    std::atomic<std::uint32_t> deferredParameters{0}; // bit per parameter index

    ToggleButton* inverseButton = nullptr;
    ToggleButton* centerButton = nullptr;
    SliderControl* widthSlider = nullptr;
    StereoImageView* imageView = nullptr;
};
