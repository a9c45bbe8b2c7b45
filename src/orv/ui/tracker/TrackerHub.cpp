#include "orv/ui/tracker/TrackerHub.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"

namespace orv::tracker
{
TrackerHub::TrackerHub (IOrvana& orvana)
    : tracker (orvana)
    , closeButton ("x", [this]
                   { if (onClose) onClose(); })
    , maximiseButton ("+", [this]
                      { if (onToggleMaximise) onToggleMaximise(); })
    , tempoButton ("TEMPO", [this]
                   { tracker.getTempoPanel().toggleShown(); })
    , keyProduct (orvana)
    , preferencesButton (juce::String::fromUTF8 ("\xe2\x89\xa1"), [this]
                         { if (auto* keyWizard = keyProduct.getKeyWizard()) keyWizard->showPreferences(); })
    , keyWatcher (orvana.getPreferences().getState(), [this] (bool validated)
                  { showPluginKeyNotValidatedNotice (!validated); })
{
    addAndMakeVisible (tracker);
    addAndMakeVisible (closeButton);
    addAndMakeVisible (maximiseButton);
    addAndMakeVisible (tempoButton);

    // The lane tabs sit in the corner above the track headers; their messages go to every track's container.
    auto* lanes = dynamic_cast<au::AuMod*> (orvana.getAuMod());

    if (lanes == nullptr)
        lanes = (ownAuMod = std::make_unique<au::AuMod> (orvana.getPreferences())).get();

    auToolbar = std::make_unique<au::AuToolbar> (*lanes, [&orvana]
                                                 { orvana.savePreferences(); });
    addAndMakeVisible (*auToolbar, 1);
    auToolbar->addMessageListener (&tracker);

    auToolbar->onOpenPreferences = [this, &orvana]
    {
        if (auto* keyWizard = orvana.getKeyWizard())
            keyWizard->showPreferences();
        else
            auToolbar->openPreferences();
    };

    addAndMakeVisible (preferencesButton);
    showPluginKeyNotValidatedNotice (!keyWatcher.isValidated());
}

void TrackerHub::showPluginKeyNotValidatedNotice (bool show)
{
    if (show == isPluginKeyNoticeShown())
        return;

    if (!show)
        return setKeyNotice (nullptr);

    auto notice = std::make_unique<wizard::PluginKeyNotValidatedNotice>();
    notice->onClick = [this]
    {
        if (auto* keyWizard = keyProduct.getKeyWizard())
            keyWizard->showSetKey();
    };
    setKeyNotice (std::move (notice));
}

void TrackerHub::setKeyNotice (std::unique_ptr<juce::Component> notice)
{
    keyNotice = std::move (notice);

    if (keyNotice != nullptr)
        addAndMakeVisible (*keyNotice);

    resized();
}

void TrackerHub::resized()
{
    tracker.setBounds (getLocalBounds());

    auto buttons = getLocalBounds().removeFromTop (TrackerLayout::topBarHeight).removeFromRight (2 * windowButtonSize + 6).reduced (2, 4);
    closeButton.setBounds (buttons.removeFromRight (windowButtonSize));
    buttons.removeFromRight (2);
    maximiseButton.setBounds (buttons.removeFromRight (windowButtonSize));
    tempoButton.setBounds (maximiseButton.getBounds().withWidth (tempoButtonWidth).withRightX (maximiseButton.getX() - 2));

    if (keyNotice != nullptr)
        keyNotice->setBounds (0, getHeight() - 124, TrackerLayout::headerWidth, 104);

    auToolbar->setBounds (2, TrackerLayout::topBarHeight + 8, TrackerLayout::headerWidth - 4, 30);
    preferencesButton.setBounds (maximiseButton.getBounds().withRightX (tempoButton.getX() - 2));
}

//==============================================================================
TrackerHub::WindowButton::WindowButton (juce::String symbolText, std::function<void()> action)
    : symbol (std::move (symbolText))
    , onClick (std::move (action))
{
}

void TrackerHub::WindowButton::paint (juce::Graphics& g)
{
    g.setColour (isMouseOver() ? gfx::colours::control : gfx::colours::well);
    g.fillRoundedRectangle (getLocalBounds().toFloat(), 3.0f);
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::heading);
    g.drawText (symbol, getLocalBounds(), juce::Justification::centred, false);
}

void TrackerHub::WindowButton::mouseUp (const juce::MouseEvent& e)
{
    if (getLocalBounds().contains (e.getPosition()) && onClick)
        onClick();
}
} // namespace orv::tracker
