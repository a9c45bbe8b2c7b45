#include "orv/actions/LoadActions.h"

namespace orv::actions
{
namespace
{
juce::var refreshArgument (const std::vector<int>& staffNums, bool includeTempoCurve)
{
    juce::Array<juce::var> staves;

    for (const auto staffNum : staffNums)
        staves.add (staffNum);

    auto* object = new juce::DynamicObject();
    object->setProperty ("refreshStaffNumList", staves);
    object->setProperty ("includeTempoCurve", includeTempoCurve);
    return juce::var (object);
}
} // namespace

void Init::prepare (const juce::String& dataStr, bool includeTempoCurve)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("dataStr", dataStr);
    object->setProperty ("includeTempoCurve", includeTempoCurve);
    setArg (juce::var (object));
}

void Undo::prepare (const std::vector<int>& staffNums, bool includeTempoCurve)
{
    setArg (refreshArgument (staffNums, includeTempoCurve));
}

void Redo::prepare (const std::vector<int>& staffNums, bool includeTempoCurve)
{
    setArg (refreshArgument (staffNums, includeTempoCurve));
}
} // namespace orv::actions
