#include "orv/actions/TransportActions.h"

#include <iterator>

namespace orv::actions
{
namespace
{
juce::var dataStrArgument (const juce::String& text)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("dataStr", text);
    return juce::var (object);
}
} // namespace

juce::String Transport::commandName (int cmd)
{
    static const char* const names[] = {"PlayStop", "Rewind", "FastForward", "Play", "Stop", "PlayFrom"};

    if (cmd < 0 || cmd >= static_cast<int> (std::size (names)))
        return "Unknown";

    return names[cmd];
}

void Transport::prepare (int cmd)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("transportAction", commandName (cmd));
    setArg (juce::var (object));
}

void Transport::prepareFrom (const Poser& poser)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("transportAction", commandName (playFrom));
    object->setProperty ("barId", poser.getBar());
    object->setProperty ("pos", poser.getPos());
    setArg (juce::var (object));
}

SkipToStart::SkipToStart()
{
    setArg (dataStrArgument ({}));
}

void SetPlayLinePos::prepare (const Poser& poser)
{
    setArg (dataStrArgument (poser.toString()));
}
} // namespace orv::actions
