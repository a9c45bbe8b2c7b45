#include "gui/Sprite.h"

Sprite::Sprite (juce::Image strip, int frameWidth)
    : image (std::move (strip))
    , frameW (frameWidth)
{
}

int Sprite::getNumFrames() const
{
    return image.isValid() && frameW > 0 ? image.getWidth() / frameW : 0;
}

juce::Rectangle<int> Sprite::getFrameBounds (int index) const
{
    const auto frames = getNumFrames();

    if (frames == 0)
        return {};

    const auto wrapped = ((index % frames) + frames) % frames;
    return {wrapped * frameW, 0, frameW, image.getHeight()};
}

void Sprite::drawFrame (juce::Graphics& g, int index, int x, int y) const
{
    const auto source = getFrameBounds (index);

    if (source.isEmpty())
        return;

    g.drawImage (image, x, y, source.getWidth(), source.getHeight(),
                 source.getX(), source.getY(), source.getWidth(), source.getHeight());
}
