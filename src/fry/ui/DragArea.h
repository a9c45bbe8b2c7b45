#pragma once

#include "fry/ui/ClipPreview.h"
#include "fry/ui/Dragger.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace fry
{
/** The panel that holds the fetched clip: it shows the clip's notes as bars
    and, when pressed and moved, drags the clip's file out of the gadget. */
class DragArea final : public juce::Component
{
public:
    static inline const juce::Colour defaultFillColour{0xff1e2626};
    static inline const juce::Colour defaultNoteColour{0xff7fe3d8};

    explicit DragArea (IExternalFileDrag& externalDrag);
    ~DragArea() override;

    /** Holds the file for dragging and shows the payload's notes. */
    void setMidiClipForDrag (const juce::File& file, const juce::var& payload);

    /** Forgets the clip: nothing to drag, nothing shown. */
    void clearClip();

    bool hasClip() const { return dragger.getFile() != juce::File(); }
    const juce::File& getClipFile() const { return dragger.getFile(); }
    const ClipPreview& getPreview() const { return preview; }

    /** The text shown while there is no clip. */
    void setEmptyText (const juce::String& text);

    void setFillColour (juce::Colour colour);
    juce::Colour getFillColour() const { return fillColour; }
    void setNoteColour (juce::Colour colour);

    /** Where the notes are drawn, in local coordinates. */
    juce::Rectangle<float> getPreviewArea() const;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    void updateCursor();
    void renderPreview();

    Dragger dragger;
    ClipPreview preview;
    juce::Image previewImage;
    juce::String emptyText;
    juce::Colour fillColour = defaultFillColour;
    juce::Colour noteColour = defaultNoteColour;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DragArea)
};
} // namespace fry
