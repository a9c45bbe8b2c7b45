#pragma once

#include "engine/comm/WebSocketAction.h"

#include <vector>

namespace orv::actions
{
/** Asks the host plug-in for the score when the user runs it:
    {"dataStr": the trigger's data text, "includeTempoCurve": bool}. The
    reply is a score payload, loaded as a new score. */
class Init final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "init"; }

    /** Sets the argument for a trigger's data text. */
    void prepare (const juce::String& dataStr, bool includeTempoCurve);
};

/** Undoes the host's last step and asks for the same range again:
    {"refreshStaffNumList": staff numbers in track order, "includeTempoCurve": bool}. */
class Undo final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "undo"; }

    void prepare (const std::vector<int>& staffNums, bool includeTempoCurve);
};

/** Redoes the host's last undone step; the argument and reply are Undo's. */
class Redo final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "redo"; }

    void prepare (const std::vector<int>& staffNums, bool includeTempoCurve);
};

/** Asks for the tempo curve alone, with no argument; the reply is a curve
    object {"startLevel", "points"} (or a payload carrying one as "tempoCurve"). */
class RequestTempoCurve final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "requestTempoCurve"; }
};
} // namespace orv::actions
