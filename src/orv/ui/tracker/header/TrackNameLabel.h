#pragma once

#include "orv/model/Track.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace orv::tracker::header
{
/** The track's "name", followed through the tree. A double click asks for
    the track's properties panel. */
class TrackNameLabel final : public juce::Component,
                             private juce::ValueTree::Listener
{
public:
    TrackNameLabel();
    ~TrackNameLabel() override;

    void setTrack (Track newTrack);
    juce::String getText() const { return track.getName(); }

    /** Runs on a double click. */
    std::function<void()> onDoubleClick;

    void paint (juce::Graphics& g) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void valueTreeRedirected (juce::ValueTree&) override { repaint(); }

    Track track;
    /** The listened tree: JUCE keeps listeners on this object, not on the node. */
    juce::ValueTree observed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TrackNameLabel)
};
} // namespace orv::tracker::header
