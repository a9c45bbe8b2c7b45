#include "gui/ExpandedWindow.h"

namespace gui
{
ExpandedWindow::ExpandedWindow (const juce::String& name, juce::Colour background)
    : juce::Component (name)
    , backgroundColour (background)
{
    setOpaque (background.isOpaque());
}

ExpandedWindow::~ExpandedWindow()
{
    clearContent();
}

void ExpandedWindow::clearContent()
{
    if (content != nullptr)
        removeChildComponent (content);

    content = nullptr;
    ownedContent.reset();
}

void ExpandedWindow::setContentOwned (std::unique_ptr<juce::Component> newContent)
{
    clearContent();
    ownedContent = std::move (newContent);
    content = ownedContent.get();

    if (content != nullptr)
        addAndMakeVisible (content);

    resized();
}

void ExpandedWindow::setContentNonOwned (juce::Component* newContent)
{
    clearContent();
    content = newContent;

    if (content != nullptr)
        addAndMakeVisible (content);

    resized();
}

void ExpandedWindow::setBackgroundColour (juce::Colour colour)
{
    backgroundColour = colour;
    setOpaque (colour.isOpaque());
    repaint();
}

void ExpandedWindow::paint (juce::Graphics& g)
{
    g.fillAll (backgroundColour);
}

void ExpandedWindow::resized()
{
    if (content != nullptr)
        content->setBounds (getLocalBounds());
}
} // namespace gui
