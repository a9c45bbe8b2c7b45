#include "state/GadgetState.h"

#include <limits>

GadgetState::GadgetState()
    : tree (type)
{
}

GadgetState::GadgetState (juce::ValueTree treeToUse)
    : tree (std::move (treeToUse))
{
}

std::optional<int> GadgetState::readInt (const juce::Identifier& name) const
{
    if (!tree.isValid() || !tree.hasProperty (name))
        return std::nullopt;

    const auto& value = tree.getProperty (name);

    if (value.isInt() || value.isInt64() || value.isDouble() || value.isBool())
        return static_cast<int> (value);

    // Values read back from a file are text: only a whole number counts.
    const auto text = value.toString().trim();

    const auto digits = text.startsWithChar ('-') ? text.substring (1) : text;

    if (digits.isEmpty() || digits.length() > 10 || !digits.containsOnly ("0123456789"))
        return std::nullopt;

    const auto parsed = text.getLargeIntValue();

    if (parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max())
        return std::nullopt;

    return static_cast<int> (parsed);
}

std::optional<int> GadgetState::getX() const
{
    return readInt (x);
}

std::optional<int> GadgetState::getY() const
{
    return readInt (y);
}

bool GadgetState::isMaximized() const
{
    return tree.isValid() && tree.hasProperty (maximized) && static_cast<bool> (tree.getProperty (maximized));
}

void GadgetState::setPosition (int newX, int newY)
{
    tree.setProperty (x, newX, nullptr);
    tree.setProperty (y, newY, nullptr);
}

void GadgetState::setMaximized (bool isNowMaximized)
{
    tree.setProperty (maximized, isNowMaximized, nullptr);
}
