#include "orv/ui/tracker/au/AuNodePanel.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace orv::tracker::au
{
SwitchNodeType::SwitchNodeType()
{
    for (auto* button : {&ramp, &jump})
    {
        button->setClickingTogglesState (false);
        button->setColour (juce::TextButton::buttonOnColourId, gfx::colours::lightBlue);
        addAndMakeVisible (*button);
    }

    ramp.onClick = [this]
    { pick (Node::Ramp); };
    jump.onClick = [this]
    { pick (Node::Jump); };
    setType (Node::Ramp);
}

void SwitchNodeType::setType (Node::Type newType)
{
    type = newType == Node::Jump ? Node::Jump : Node::Ramp;
    ramp.setToggleState (type == Node::Ramp, juce::dontSendNotification);
    jump.setToggleState (type == Node::Jump, juce::dontSendNotification);
}

void SwitchNodeType::pick (Node::Type newType)
{
    setType (newType);

    if (onChange)
        onChange (type);
}

void SwitchNodeType::resized()
{
    auto area = getLocalBounds();
    ramp.setBounds (area.removeFromLeft (area.getWidth() / 2).reduced (1, 0));
    jump.setBounds (area.reduced (1, 0));
}

//==============================================================================
AuNodePanel::AuNodePanel (const juce::String& initialText, Node::Type initialType, bool signedDecimal)
{
    setName (title);
    setWantsKeyboardFocus (false);
    addAndMakeVisible (field);
    addAndMakeVisible (typeSwitch);
    addAndMakeVisible (ok);

    // The lane reads and clamps the text itself: the field only filters keys.
    field.configureIntegerMode (0, signedDecimal ? 1023 : 127);
    field.setInputRestrictions (8, signedDecimal ? "+-.0123456789" : "0123456789");
    field.onFocusLost = nullptr;
    setText (initialText);
    field.onTextChange = [this]
    {
        if (onTextChanged)
            onTextChanged();
    };
    field.onReturnKey = [this]
    {
        if (onSubmit)
            onSubmit();
    };
    ok.onClick = [this]
    {
        if (onSubmit)
            onSubmit();
    };

    // The field's own arrow steps know nothing of bends: the lane steps instead.
    field.addKeyListener (this);

    typeSwitch.setType (initialType);
    typeSwitch.onChange = [this] (Node::Type type)
    {
        if (onTypeChanged)
            onTypeChanged (type);
    };
    setSize (width, height);
}

AuNodePanel::~AuNodePanel()
{
    field.removeKeyListener (this);
}

bool AuNodePanel::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    if (key != juce::KeyPress::upKey && key != juce::KeyPress::downKey)
        return false;

    if (onStep)
        onStep (key == juce::KeyPress::upKey ? 1 : -1);

    return true;
}

void AuNodePanel::setText (const juce::String& text)
{
    field.setText (text, false);
}

void AuNodePanel::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    g.setColour (gfx::colours::outline);
    g.drawRect (getLocalBounds());
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::heading);
    g.drawText (title, getLocalBounds().reduced (6, 2).removeFromTop (18), juce::Justification::centredLeft, false);
}

void AuNodePanel::resized()
{
    auto area = getLocalBounds().reduced (6, 4);
    area.removeFromTop (18);
    auto row = area.removeFromTop (22);
    ok.setBounds (row.removeFromRight (36));
    row.removeFromRight (4);
    field.setBounds (row);
    area.removeFromTop (4);
    typeSwitch.setBounds (area.removeFromTop (20));
}
} // namespace orv::tracker::au
