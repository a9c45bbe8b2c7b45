#include "orv/ui/tracker/au/AuToolbar.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/ui/tracker/au/AuToolbarMsg.h"
#include "orv/ui/tracker/au/pref/AuPref.h"

namespace orv::tracker::au
{
AuTab::AuTab (AuToolbar& owner, int id)
    : toolbar (owner)
    , laneId (id)
{
}

void AuTab::setConfig (const AuMod::AuLaneConfig& config)
{
    label = config.shortName;
    colour = AuMod::findColorPreset (config.colorPreset).dark;
    setTooltip (config.shortName + " (" + (config.isPitchBend() ? juce::String ("pitch bend") : "CC " + juce::String (config.controller)) + ")");
    setVisible (config.visible);
    repaint();
}

void AuTab::setShown (bool isShown)
{
    shown = isShown;
    repaint();
}

void AuTab::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat().reduced (0.5f);
    g.setColour (shown ? colour : gfx::colours::well);
    g.fillRoundedRectangle (area, 2.0f);
    g.setColour (colour);
    g.drawRoundedRectangle (area, 2.0f, 1.0f);
    g.setColour (shown ? gfx::colours::textOnAccent : gfx::colours::text);
    gfx::setFont (g, gfx::font::tiny);
    g.drawText (label, getLocalBounds(), juce::Justification::centred, false);
}

void AuTab::mouseUp (const juce::MouseEvent& e)
{
    if (getLocalBounds().contains (e.getPosition()))
        toolbar.tabClicked (laneId);
}

//==============================================================================
/** The lane preferences in their own window until the preferences window hosts them. */
class AuPrefWindow final : public juce::DocumentWindow
{
public:
    AuPrefWindow (AuMod& module, std::function<void()> writeFile)
        : juce::DocumentWindow ("Automation lanes", gfx::colours::panel, juce::DocumentWindow::closeButton)
    {
        setUsingNativeTitleBar (true);
        auto content = std::make_unique<pref::AuPref> (module, std::move (writeFile));
        content->onSaved = [this]
        { juce::MessageManager::callAsync ([self = SafePointer<AuPrefWindow> (this)]
                                           { if (self != nullptr) self->setVisible (false); }); };
        setContentOwned (content.release(), true);
        // Without a screen there is nothing to centre on.
        if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr)
            centreWithSize (getWidth(), getHeight());
    }

    void closeButtonPressed() override { setVisible (false); }
};

AuToolbar::AuToolbar (AuMod& moduleToShow, std::function<void()> writePreferences)
    : module (moduleToShow)
    , writeFile (std::move (writePreferences))
{
    for (int id = 0; id < AuMod::numSlots; ++id)
    {
        tabs.push_back (std::make_unique<AuTab> (*this, id));
        addChildComponent (*tabs.back());
    }

    prefButton.setTooltip ("Automation lane preferences");
    prefButton.onClick = [this]
    {
        if (onOpenPreferences)
            onOpenPreferences();
        else
            openPreferences();
    };
    addAndMakeVisible (prefButton);
    module.addChangeListener (this);
    refreshTabs();
}

AuToolbar::~AuToolbar()
{
    module.removeChangeListener (this);
}

void AuToolbar::tabClicked (int laneId)
{
    setShownLane (shownLane == laneId ? -1 : laneId);
    sendMessage (AuToolbarMsg (laneId));
}

void AuToolbar::setShownLane (int laneId)
{
    shownLane = laneId;

    for (auto& tab : tabs)
        tab->setShown (tab->getLaneId() == laneId);
}

void AuToolbar::openPreferences()
{
    // A fresh window each time, so that it shows what is stored now.
    prefWindow = std::make_unique<AuPrefWindow> (module, writeFile);
    prefWindow->setVisible (true);
    prefWindow->toFront (true);
}

void AuToolbar::refreshTabs()
{
    for (auto& tab : tabs)
        tab->setConfig (module.getLane (tab->getLaneId()));
}

void AuToolbar::changeListenerCallback (juce::ChangeBroadcaster*)
{
    refreshTabs();
}

void AuToolbar::resized()
{
    // Two rows of three tabs, the preferences button at the right.
    auto area = getLocalBounds();
    prefButton.setBounds (area.removeFromRight (16).reduced (1));
    const auto tabWidth = area.getWidth() / 3;
    const auto tabHeight = area.getHeight() / 2;

    for (auto& tab : tabs)
    {
        const auto id = tab->getLaneId();
        tab->setBounds (juce::Rectangle<int> (area.getX() + (id % 3) * tabWidth, area.getY() + (id / 3) * tabHeight, tabWidth, tabHeight).reduced (1));
    }
}
} // namespace orv::tracker::au
