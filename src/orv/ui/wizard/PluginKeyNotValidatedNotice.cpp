#include "orv/ui/wizard/PluginKeyNotValidatedNotice.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/pref/OrvPreferences.h"
#include "orv/pref/PrefIds.h"

namespace orv::wizard
{
PluginKeyNotValidatedNotice::PluginKeyNotValidatedNotice()
{
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

void PluginKeyNotValidatedNotice::paint (juce::Graphics& g)
{
    g.setColour (isMouseOver() ? gfx::colours::orange : gfx::colours::orange.withAlpha (0.85f));
    g.fillRoundedRectangle (getLocalBounds().toFloat().reduced (2.0f), 4.0f);
    g.setColour (gfx::colours::textOnAccent);
    gfx::setFont (g, gfx::font::small);
    g.drawFittedText (text, getLocalBounds().reduced (6), juce::Justification::centredLeft, 8);
}

void PluginKeyNotValidatedNotice::mouseUp (const juce::MouseEvent& e)
{
    if (getLocalBounds().contains (e.getPosition()) && onClick)
        onClick();
}

//==============================================================================
PluginKeyWatcher::PluginKeyWatcher (juce::ValueTree preferences, std::function<void (bool)> onChange)
    : tree (std::move (preferences))
    , onValidatedChanged (std::move (onChange))
{
    tree.addListener (this);
}

PluginKeyWatcher::~PluginKeyWatcher()
{
    tree.removeListener (this);
}

bool PluginKeyWatcher::isValidated() const
{
    return preferences::OrvPreferences (tree).getPluginKeyValidated();
}

void PluginKeyWatcher::valueTreePropertyChanged (juce::ValueTree& changed, const juce::Identifier& property)
{
    if (changed == tree && property == prefids::pluginKeyValidated && onValidatedChanged)
        onValidatedChanged (isValidated());
}
} // namespace orv::wizard
