#pragma once

#include "gui/DarkTextEditor.h"
#include "orv/model/Track.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace orv
{
class IOrvana;
}

namespace orv::tracker::header
{
/** Edits a track's "name" and "shortName". OK (or Return) writes them and
    sends them to the host; Cancel (or Escape) closes without a change. */
class TrackPropsPanel final : public juce::Component
{
public:
    static constexpr int width = 220, height = 96;

    TrackPropsPanel (IOrvana& orvana, Track track);

    /** Fills the fields from the track. */
    void syncFromState();
    /** Writes the fields into the track, sends them and closes. */
    void submitAndClose();
    /** Closes without a change. */
    void cancel();

    /** Runs when the panel is done; the owner deletes it there. */
    std::function<void()> onClose;

    DarkTextEditor& getNameField() { return nameField; }
    DarkTextEditor& getShortNameField() { return shortNameField; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    IOrvana& orvana;
    Track track;
    DarkTextEditor nameField{DarkTextEditor::Variant::dark, "name"};
    DarkTextEditor shortNameField{DarkTextEditor::Variant::dark, "shortName"};
    juce::TextButton okButton{"OK"};
    juce::TextButton cancelButton{"Cancel"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TrackPropsPanel)
};
} // namespace orv::tracker::header
