#include "plugins/TestPlugin.h"
#include "plugins/AllPlugins.h"
#include "util/JsonText.h"

namespace hostsim
{
namespace
{
constexpr int maxDelayMs = 60000;

juce::var selectionToVar (const Selection& selection)
{
    if (selection.isEmpty())
        return {};

    auto* object = new juce::DynamicObject();
    const juce::var result (object);
    object->setProperty ("firstBar", selection.firstBar);
    object->setProperty ("lastBar", selection.lastBar);
    juce::Array<juce::var> staves;

    for (const auto staff : selection.staves)
        staves.add (staff);

    object->setProperty ("staves", staves);
    return result;
}
} // namespace
} // namespace hostsim

HOST_SIM_PLUGIN (Test)
{
    using namespace hostsim;
    setup.describe ("for end-to-end tests of the suite: echo, slow replies, selection and score facts");

    setup.method ("echo", [] (MethodCall& call)
                  { return call.argument; });

    setup.method ("delay", [] (MethodCall& call)
                  {
        int ms = 0;

        if (json::getInt (call.argument.getProperty ("ms", 0), ms))
            call.replyDelayMs = juce::jlimit (0, maxDelayMs, ms);

        return call.argument; });

    setup.method ("selection", [] (MethodCall& call)
                  { return selectionToVar (call.host.score().selection); });

    setup.method ("scoreInfo", [] (MethodCall& call)
                  {
        const auto& score = call.host.score();
        auto* object = new juce::DynamicObject();
        const juce::var result (object);
        object->setProperty ("title", score.title);
        object->setProperty ("bars", static_cast<int> (score.bars.size()));
        object->setProperty ("staves", static_cast<int> (score.staves.size()));
        object->setProperty ("notes", static_cast<juce::int64> (score.countNotes()));
        return result; });
}
