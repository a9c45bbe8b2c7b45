#pragma once

#include "engine/comm/WebSocketAction.h"

namespace tsl
{
/** Asks the host plug-in for the score's file and its parts; no argument.
    Reply: {"scoreFile", "partList": [{"name", "partIndex", "sibFile"}]}. */
class ActionFetchPartList final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "fetchPartList"; }
};

/** Has the host make one part, as a part file or as a PDF, with the argument
    {"partTemplateFile", "currentPartIndex", "exportMode"}; its reply, whatever
    it holds, moves the run on. */
class ActionCreateParts final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "partsProcedureRun"; }
};

/** Has the host print the full score to PDF; no argument. Reply: {"pdfFilePath"}. */
class ActionCreatePdfFullScore final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "createPdfFullScore"; }
};

/** Has the host open a part's file, with the argument {"partIndex", "mode": "Sib"}; no reply is used. */
class ActionOpenPart final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "openPart"; }
};
} // namespace tsl
