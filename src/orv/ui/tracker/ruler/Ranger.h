#pragma once

#include <juce_data_structures/juce_data_structures.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::tracker::timePort
{
class ITimePort;
}

namespace orv::tracker::ruler
{
/** The score's active region (the host's selection) marked on the ruler. It
    follows the score's "activeRegion" and the time axis. */
class Ranger final : public juce::Component,
                     private juce::ValueTree::Listener
{
public:
    explicit Ranger (timePort::ITimePort& port);
    ~Ranger() override;

    /** Places the marker over the region's view positions (hidden when there is none). */
    void updatePosition();

    void paint (juce::Graphics& g) override;

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier& property) override;

    timePort::ITimePort& port;
    juce::ValueTree scoreTree;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Ranger)
};
} // namespace orv::tracker::ruler
