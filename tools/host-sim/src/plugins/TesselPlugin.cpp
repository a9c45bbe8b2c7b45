#include "plugins/TesselPlugin.h"
#include "plugins/AllPlugins.h"
#include "plugins/PluginReplies.h"
#include "render/PdfPages.h"
#include "score/ScoreJson.h"
#include "util/JsonText.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace hostsim
{
namespace
{
constexpr int maxPartDelayMs = 60000;

juce::var success (const juce::String& key, const juce::String& value)
{
    auto* object = new juce::DynamicObject();
    const juce::var result (object);
    object->setProperty ("success", true);
    object->setProperty (key, value);
    return result;
}

juce::String titleOf (const ScoreDocument& score)
{
    auto title = score.title.endsWithIgnoreCase (hostDocumentExtension) ? score.title.dropLastCharacters (4) : score.title;
    return title.isNotEmpty() ? title : score.file.getFileNameWithoutExtension();
}

bool onStaves (const std::vector<int>& staves, int staff)
{
    return std::find (staves.begin(), staves.end(), staff) != staves.end();
}

/** The part of "currentPartIndex" / "partIndex", or null. */
const Part* partOf (const ScoreDocument& score, const juce::var& argument, const char* key)
{
    int index = -1;

    if (!json::getInt (argument.getProperty (key, {}), index) || index < 0 || index >= static_cast<int> (score.parts.size()))
        return nullptr;

    return &score.parts[static_cast<size_t> (index)];
}

juce::var partList (const ScoreDocument& score)
{
    juce::Array<juce::var> parts;

    for (size_t i = 0; i < score.parts.size(); ++i)
    {
        auto* object = new juce::DynamicObject();
        parts.add (juce::var (object));
        object->setProperty ("name", score.parts[i].name);
        object->setProperty ("partIndex", static_cast<int> (i));
        object->setProperty ("sibFile", tesselPartFile (score, score.parts[i]).getFullPathName());
    }

    auto* object = new juce::DynamicObject();
    const juce::var result (object);
    object->setProperty ("scoreFile", score.file.getFullPathName());
    object->setProperty ("partList", parts);
    return result;
}

juce::var runPart (const ScoreDocument& score, const juce::var& argument)
{
    const auto* part = partOf (score, argument, "currentPartIndex");

    if (part == nullptr)
        return failureReply ("The score has no part " + argument.getProperty ("currentPartIndex", {}).toString() + ".");

    const auto file = tesselPartFile (score, *part);
    const auto mode = argument.getProperty ("exportMode", {}).toString();

    if (mode == "MakePdfs")
    {
        const auto pdf = file.withFileExtension ("pdf");

        if (!pdf.getParentDirectory().createDirectory().wasOk())
            return failureReply ("The parts folder could not be made.");

        const auto outcome = render::writePdf (score, {pdf, part->name, titleOf (score)});
        return outcome.result.wasOk() ? success ("file", pdf.getFullPathName()) : failureReply (outcome.result.getErrorMessage());
    }

    if (mode != "CreateParts")
        return failureReply ("Unknown export mode \"" + mode + "\".");

    ScoreDocument partTemplate;
    const auto templatePath = argument.getProperty ("partTemplateFile", {}).toString();

    if (!juce::File::isAbsolutePath (templatePath))
        return failureReply ("No part template was given.");

    if (const auto read = readTesselTemplate (juce::File (templatePath), partTemplate); read.failed())
        return failureReply (read.getErrorMessage());

    if (!file.getParentDirectory().createDirectory().wasOk())
        return failureReply ("The parts folder could not be made.");

    const auto saved = scorejson::save (makeTesselPartDocument (score, *part, partTemplate), file);
    return saved.wasOk() ? success ("file", file.getFullPathName()) : failureReply (saved.getErrorMessage());
}
} // namespace

juce::File tesselPartsFolder (const ScoreDocument& score)
{
    return score.file.getParentDirectory().getChildFile ("parts");
}

juce::File tesselPartFile (const ScoreDocument& score, const Part& part)
{
    return tesselPartsFolder (score).getChildFile (juce::File::createLegalFileName (titleOf (score) + " - " + part.name + hostDocumentExtension));
}

ScoreDocument makeTesselPartDocument (const ScoreDocument& score, const Part& part, const ScoreDocument& partTemplate)
{
    ScoreDocument made;
    made.title = titleOf (score) + " - " + part.name + hostDocumentExtension;
    made.soundSet = score.soundSet;
    made.bars = score.bars;
    made.keySignatures = score.keySignatures;
    made.tempoStart = score.tempoStart;
    made.tempoMarks = score.tempoMarks;
    made.tempoPoints = score.tempoPoints;

    for (const auto& staff : score.staves)
        if (onStaves (part.staves, staff.number))
            made.staves.push_back (staff);

    for (const auto& chord : score.chordSymbols)
        if (onStaves (part.staves, chord.staff))
            made.chordSymbols.push_back (chord);

    for (const auto& item : score.items)
        if (item.staff == 0 || onStaves (part.staves, item.staff))
            made.addItem (item);

    made.parts.push_back (part);

    auto* data = new juce::DynamicObject();
    const juce::var kept (data);
    data->setProperty ("template", partTemplate.pluginData.count ("TSL") != 0
                                       ? partTemplate.pluginData.at ("TSL").getProperty ("partTemplate", {}).getProperty ("name", {})
                                       : juce::var());
    data->setProperty ("score", score.file.getFullPathName());
    made.pluginData["TSL"] = kept;
    return made;
}

juce::Result readTesselTemplate (const juce::File& file, ScoreDocument& out)
{
    if (!file.existsAsFile())
        return juce::Result::fail ("The part template " + file.getFullPathName() + " does not exist.");

    ScoreDocument read;

    if (scorejson::load (file, read).failed())
        return juce::Result::fail ("The part template " + file.getFileName() + " is not a score.");

    const auto found = read.pluginData.find ("TSL");

    if (found == read.pluginData.end() || !found->second.getProperty ("partTemplate", {}).isObject())
        return juce::Result::fail ("The score " + file.getFileName() + " is not a part template.");

    out = std::move (read);
    return juce::Result::ok();
}
} // namespace hostsim

HOST_SIM_PLUGIN (Tessel)
{
    using namespace hostsim;
    setup.describe ("instrumental parts and PDFs, one part at a time");

    // How long the host takes for each part; set by "part-delay".
    const auto partDelayMs = std::make_shared<std::atomic<int>> (0);

    setup.triggerData ([] (const HostState&)
                       { return juce::String ("{}"); });

    setup.method ("fetchPartList", [] (MethodCall& call)
                  { return partList (call.host.score()); });

    setup.method ("partsProcedureRun", [partDelayMs] (MethodCall& call)
                  {
                      call.replyDelayMs = partDelayMs->load();
                      return runPart (call.host.score(), call.argument); });

    setup.method ("createPdfFullScore", [] (MethodCall& call)
                  {
                      const auto& score = call.host.score();

                      if (score.file == juce::File())
                          return failureReply ("The score has no file.");

                      const auto pdf = score.file.withFileExtension ("pdf");
                      const auto outcome = render::writePdf (score, {pdf, {}, titleOf (score)});
                      return outcome.result.wasOk() ? success ("pdfFilePath", pdf.getFullPathName()) : failureReply (outcome.result.getErrorMessage()); });

    // The host would open the part's file in a window of its own; here the
    // call is only logged (the "call" event).
    setup.method ("openPart", [] (MethodCall& call)
                  {
                      const auto* part = partOf (call.host.score(), call.argument, "partIndex");
                      return part != nullptr ? success ("file", tesselPartFile (call.host.score(), *part).getFullPathName())
                                             : failureReply ("The score has no such part."); });

    setup.command ("part-delay", "part-delay MS", "how long the host takes for each part of a Tessel run (0 to 60000 ms)",
                   [partDelayMs] (PluginCommandCall& call)
                   {
                       int ms = 0;

                       if (call.args.size() != 1 || call.args[0].isEmpty() || call.args[0].length() > 5 || !call.args[0].containsOnly ("0123456789")
                           || (ms = call.args[0].getIntValue()) > maxPartDelayMs)
                       {
                           call.answer = "usage: part-delay MS (0 to 60000)";
                           return false;
                       }

                       partDelayMs->store (ms);
                       call.answer = "part delay " + juce::String (ms) + " ms";
                       return true;
                   });
}
