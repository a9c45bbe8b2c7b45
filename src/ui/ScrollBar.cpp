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

ScrollBar::~ScrollBar()
{
    if (boundTree.isValid())
        boundTree.removeListener (this);
}

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

void ScrollBar::attachProperty (juce::ValueTree tree, const juce::Identifier& property)
{
    if (boundTree.isValid())
        boundTree.removeListener (this);

    boundTree = std::move (tree);
    boundProperty = property;

    if (boundTree.isValid())
    {
        boundTree.addListener (this);

        if (boundTree.hasProperty (boundProperty))
            manager.setScrollPos (static_cast<float> (boundTree.getProperty (boundProperty)));
    }
}

void ScrollBar::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == boundTree && property == boundProperty)
        manager.setScrollPos (static_cast<float> (tree.getProperty (property)));
}

void ScrollBar::positionChanged()
{
    if (boundTree.isValid() && boundProperty.isValid())
        boundTree.setPropertyExcludingListener (this, boundProperty, manager.getScrollPos(), nullptr);

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
    g.fillAll (juce::Colour (ZelLookAndFeel::ScrollBarColours::background));
    g.setColour (juce::Colour (ZelLookAndFeel::ScrollBarColours::track));
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
