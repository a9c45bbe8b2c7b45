#include "ui/ScrollBar.h"
#include "gfx/ZelLookAndFeel.h"

namespace ui
{
ScrollBar::ScrollBar()
{
    addAndMakeVisible (thumb);
    addAndMakeVisible (decrementButton);
    addAndMakeVisible (incrementButton);

    manager.onChange = [this] (float, float, float)
    { positionChanged(); };
    decrementButton.onStep = [this]
    { setScrollPos (manager.getScrollPos() - getStepSize()); };
    incrementButton.onStep = [this]
    { setScrollPos (manager.getScrollPos() + getStepSize()); };

    thumb.onDragStart = [this]
    { dragStartPosition = manager.getScrollPos(); };
    thumb.onDrag = [this] (float pixels)
    {
        const auto track = getTrackBounds();
        const auto trackLength = static_cast<float> (vertical ? track.getHeight() : track.getWidth());
        const auto thumbLength = static_cast<float> (vertical ? thumb.getHeight() : thumb.getWidth());
        const auto travel = trackLength - thumbLength;

        if (travel > 0.0f)
            setScrollPos (dragStartPosition + pixels / travel * manager.getMaximum());
    };
}

ScrollBar::~ScrollBar() = default;

void ScrollBar::setIsVertical (bool shouldBeVertical)
{
    vertical = shouldBeVertical;
    thumb.setVertical (vertical);
    decrementButton.setDirection (vertical ? ScrollBarButton::Direction::up : ScrollBarButton::Direction::left);
    incrementButton.setDirection (vertical ? ScrollBarButton::Direction::down : ScrollBarButton::Direction::right);
    resized();
}

void ScrollBar::setContentSize (float size)
{
    manager.setContentSize (size);
    resized();
}

void ScrollBar::setViewPortSize (float size)
{
    manager.setViewPortSize (size);
    resized();
}

void ScrollBar::setScrollPos (float position)
{
    manager.setScrollPos (position);
}

float ScrollBar::getStepSize() const
{
    return juce::jmax (1.0f, manager.getViewPortSize() * 0.1f);
}

void ScrollBar::bind (juce::ValueTree tree, const juce::Identifier& property, float defaultValue, juce::UndoManager* undoManager)
{
    binding.onChange = [this]
    { manager.setScrollPos (binding.getFloat()); };
    binding.bind (std::move (tree), property, defaultValue, undoManager);
}

void ScrollBar::positionChanged()
{
    // Writing an unchanged position sends no notification, so this settles at once.
    if (binding.isBound())
    {
        juce::Component::SafePointer<ScrollBar> self (this);
        binding.set (manager.getScrollPos());

        // Whoever follows the tree may have closed the window.
        if (self == nullptr)
            return;
    }

    resized();
    repaint();

    if (onScroll)
        onScroll (manager.getScrollPos());
}

juce::Rectangle<int> ScrollBar::getTrackBounds() const
{
    auto r = getLocalBounds();
    const auto buttonSize = vertical ? getWidth() : getHeight();
    return vertical ? r.reduced (0, buttonSize) : r.reduced (buttonSize, 0);
}

juce::Rectangle<int> ScrollBar::calcThumbBounds() const
{
    const auto track = getTrackBounds();
    const auto trackLength = static_cast<float> (vertical ? track.getHeight() : track.getWidth());
    const auto content = manager.getContentSize();

    if (trackLength <= 0.0f || content <= 0.0f || manager.getMaximum() <= 0.0f)
        return {};

    const auto minThumb = juce::jmin (trackLength, 12.0f);
    const auto length = juce::jlimit (minThumb, trackLength, trackLength * manager.getViewPortSize() / content);
    const auto start = (trackLength - length) * manager.getScrollPos() / manager.getMaximum();

    if (vertical)
        return juce::Rectangle<float> (static_cast<float> (track.getX()), static_cast<float> (track.getY()) + start,
                                       static_cast<float> (track.getWidth()), length)
            .toNearestInt();

    return juce::Rectangle<float> (static_cast<float> (track.getX()) + start, static_cast<float> (track.getY()),
                                   length, static_cast<float> (track.getHeight()))
        .toNearestInt();
}

void ScrollBar::paint (juce::Graphics& g)
{
    g.fillAll (ZelLookAndFeel::ScrollBarColours::background);
    g.setColour (ZelLookAndFeel::ScrollBarColours::track);
    g.fillRoundedRectangle (getTrackBounds().toFloat().reduced (2.0f), 3.0f);
}

void ScrollBar::resized()
{
    const auto buttonSize = vertical ? getWidth() : getHeight();

    if (vertical)
    {
        decrementButton.setBounds (0, 0, getWidth(), buttonSize);
        incrementButton.setBounds (0, getHeight() - buttonSize, getWidth(), buttonSize);
    }
    else
    {
        decrementButton.setBounds (0, 0, buttonSize, getHeight());
        incrementButton.setBounds (getWidth() - buttonSize, 0, buttonSize, getHeight());
    }

    const auto thumbBounds = calcThumbBounds();
    thumb.setVisible (!thumbBounds.isEmpty());
    thumb.setBounds (thumbBounds);
}

void ScrollBar::mouseDown (const juce::MouseEvent& e)
{
    // A click on the track pages towards the click.
    const auto thumbBounds = thumb.getBounds();
    const auto before = vertical ? e.y < thumbBounds.getY() : e.x < thumbBounds.getX();
    const auto page = manager.getViewPortSize();
    setScrollPos (manager.getScrollPos() + (before ? -page : page));
}
} // namespace ui
