#pragma once

#include "gui/MessageThrough.h"
#include "orv/ui/tracker/ruler/Ruler.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::tracker::timePort
{
class ITimePort;

/** The time port's drawing area: the 40-pixel ruler across its top; the
    lanes below it belong to the editor's track list, which lies over the
    rest. It relays the ruler's messages to the port. */
class TimePortPane final : public juce::Component,
                           public gui::MessageThrough
{
public:
    explicit TimePortPane (ITimePort& port);

    ruler::Ruler& getRuler() { return rulerStrip; }

    void resized() override;

private:
    ruler::Ruler rulerStrip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TimePortPane)
};
} // namespace orv::tracker::timePort
