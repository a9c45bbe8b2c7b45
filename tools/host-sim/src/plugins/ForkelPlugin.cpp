#include "plugins/AllPlugins.h"
#include "plugins/PluginReplies.h"
#include "render/AudioRender.h"
#include "util/JsonText.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace hostsim
{
namespace
{
constexpr const char* productCode = "FK";
/** The name the suite stores Forkel's score state under. */
constexpr const char* stateName = "Forkel";
constexpr int maxStemDelayMs = 60000;

/** What the options and commands set; read by methods on the engine's thread. */
struct ForkelSettings
{
    std::atomic<int> stemDelayMs{0};
    std::mutex lock;
    juce::File exportFolder; ///< `--export-folder`; none: beside the score
};

/** The stems the score keeps: stem id (as text) to its staff numbers. */
juce::var stemsOf (const ScoreDocument& score)
{
    const auto found = score.pluginData.find (productCode);
    return found != score.pluginData.end() ? found->second.getProperty ("stems", {}) : juce::var();
}

/** Replaces the stems the score keeps (a fresh object: undo snapshots share the old one). */
void setStems (ScoreDocument& score, const juce::var& stems)
{
    auto& data = score.pluginData[productCode];
    auto updated = data.getDynamicObject() != nullptr ? data.clone() : juce::var (new juce::DynamicObject());
    updated.getDynamicObject()->setProperty ("stems", stems);
    data = updated;
}

juce::var stemsCopy (const ScoreDocument& score)
{
    const auto stems = stemsOf (score);
    return stems.getDynamicObject() != nullptr ? stems.clone() : juce::var (new juce::DynamicObject());
}

juce::var addReply (int staffCount, int stemId, const juce::String& names)
{
    juce::DynamicObject* object = nullptr;
    auto reply = newObject (object);
    object->setProperty ("staffCount", staffCount);
    object->setProperty ("stemId", stemId);
    object->setProperty ("name", names);
    return reply;
}

juce::var addStem (HostAccess& host, const juce::var& argument)
{
    const auto& selection = host.score().selection;

    if (selection.isEmpty())
        return addReply (0, 0, {});

    juce::StringArray names;
    juce::Array<juce::var> staves;

    for (const auto number : selection.staves)
    {
        const auto* staff = host.score().findStaff (number);
        names.add (staff != nullptr ? staff->shortName : juce::String());
        staves.add (number);
    }

    int stemId = 0;

    if (!json::getInt (argument.getProperty ("newStemId", {}), stemId) || stemId < 1)
        return addReply (static_cast<int> (staves.size()), 0, names.joinIntoString ("|"));

    auto stems = stemsCopy (host.score());
    stems.getDynamicObject()->setProperty (juce::String (stemId), staves);
    setStems (host.editScore(), stems);
    return addReply (static_cast<int> (staves.size()), stemId, names.joinIntoString ("|"));
}

juce::var removeStem (HostAccess& host, const juce::var& argument)
{
    int stemId = 0;

    if (!json::getInt (argument.getProperty ("stemId", {}), stemId))
        return failureReply ("No stem id was given.");

    if (stemsOf (host.score()).hasProperty (juce::String (stemId)))
    {
        auto stems = stemsCopy (host.score());
        stems.getDynamicObject()->removeProperty (juce::String (stemId));
        setStems (host.editScore(), stems);
    }

    juce::DynamicObject* object = nullptr;
    auto reply = newObject (object);
    object->setProperty ("stemId", stemId);
    return reply;
}

juce::String statusJson (int stemId, const juce::String& status, const juce::String& file)
{
    juce::DynamicObject* object = nullptr;
    const auto data = newObject (object);
    object->setProperty ("stemId", juce::String (stemId));
    object->setProperty ("status", status);
    object->setProperty ("file", file);
    return json::toCompactString (data);
}

/** One stem of an export, as the suite asked for it. */
struct StemJob
{
    int id = 0;
    juce::String name;
};

/** The export's settings, read once from the argument. */
struct ExportPlan
{
    juce::File folder;
    double sampleRate = 44100.0;
    int bitDepth = 16;
    bool mp3 = false;
    std::vector<StemJob> stems;
    int delayMs = 0;
};

/** The staves of a stem the score keeps; empty for an unknown stem or unreadable data. */
std::vector<int> stavesOf (const ScoreDocument& score, int stemId)
{
    std::vector<int> staves;

    if (const auto* list = stemsOf (score).getProperty (juce::String (stemId), {}).getArray())
        for (const auto& entry : *list)
            if (int number = 0; json::getInt (entry, number) && score.findStaff (number) != nullptr)
                staves.push_back (number);

    return staves;
}

/** Renders one stem, posts its outcome and defers the next one. */
void runStem (HostAccess& host, std::shared_ptr<const ExportPlan> plan, size_t index)
{
    if (index >= plan->stems.size())
        return;

    const auto& stem = plan->stems[index];
    host.postHostMessage (productCode, "STEM_EXPORT_STATUS", statusJson (stem.id, "Processing", {}));

    host.defer (plan->delayMs, [plan, index] (HostAccess& later)
                {
                    const auto& job = plan->stems[index];
                    const auto staves = stavesOf (later.score(), job.id);
                    const auto name = juce::File::createLegalFileName (job.name);
                    juce::String outcome = "Failed", path;

                    // MP3 is not simulated; an unknown stem has nothing to play.
                    if (!plan->mp3 && !staves.empty() && name.isNotEmpty() && plan->folder.createDirectory().wasOk())
                    {
                        render::AudioRequest request;
                        request.file = plan->folder.getChildFile (name + ".wav");
                        request.sampleRate = plan->sampleRate;
                        request.bitDepth = plan->bitDepth;
                        request.staves = staves;

                        if (render::renderAudio (later.score(), request).result.wasOk())
                        {
                            outcome = "Exported";
                            path = request.file.getFullPathName();
                        }
                    }

                    later.postHostMessage (productCode, "STEM_EXPORT_STATUS", statusJson (job.id, outcome, path));
                    later.defer (0, [plan, index] (HostAccess& next)
                                 { runStem (next, plan, index + 1); }); });
}

juce::var exportStems (MethodCall& call, int delayMs)
{
    const auto& argument = call.argument;
    const auto folder = argument.getProperty ("exportFolder", {}).toString();
    const auto* list = argument.getProperty ("stemList", {}).getArray();

    if (!juce::File::isAbsolutePath (folder))
        return failureReply ("The export folder is not a full path.");

    if (list == nullptr)
        return failureReply ("No stem list was given.");

    auto plan = std::make_shared<ExportPlan>();
    plan->folder = juce::File (folder);
    plan->sampleRate = argument.getProperty ("sampleRate", {}).toString() == "48khz" ? 48000.0 : 44100.0;
    const auto depth = argument.getProperty ("bitDepth", {}).toString();
    plan->bitDepth = depth == "24bit" ? 24 : depth == "32bit" ? 32
                                                              : 16;
    plan->mp3 = argument.getProperty ("audioFormat", {}).toString() == "Mp3";
    plan->delayMs = delayMs;

    for (const auto& entry : *list)
        if (int id = 0; json::getInt (entry.getProperty ("id", {}), id))
            plan->stems.push_back ({id, entry.getProperty ("name", {}).toString()});

    // The reply goes out at once; the stems follow as deferred work.
    call.host.defer (0, [plan = std::shared_ptr<const ExportPlan> (plan)] (HostAccess& host)
                     { runStem (host, plan, 0); });
    return successReply();
}

juce::Result readStemDelay (const juce::String& text, ForkelSettings& settings)
{
    const auto trimmed = text.trim();

    if (trimmed.isEmpty() || trimmed.length() > 5 || !trimmed.containsOnly ("0123456789") || trimmed.getIntValue() > maxStemDelayMs)
        return juce::Result::fail ("usage: fk-stem-delay MS (0 to 60000)");

    settings.stemDelayMs.store (trimmed.getIntValue());
    return juce::Result::ok();
}
} // namespace
} // namespace hostsim

HOST_SIM_PLUGIN (Forkel)
{
    using namespace hostsim;
    setup.describe ("stems: groups of staves rendered to audio files");

    const auto settings = std::make_shared<ForkelSettings>();

    setup.triggerData ([settings] (const HostState& state)
                       {
                           juce::File folder;
                           {
                               const std::lock_guard<std::mutex> guard (settings->lock);
                               folder = settings->exportFolder;
                           }

                           if (folder == juce::File())
                               folder = state.score.file.getParentDirectory();

                           const auto stored = state.score.productStates.find (stateName);
                           return folder.getFullPathName() + "|" + (stored != state.score.productStates.end() ? stored->second : juce::String()); });

    setup.method ("addStemFromSelection", [] (MethodCall& call)
                  { return addStem (call.host, call.argument); });
    setup.method ("removeStem", [] (MethodCall& call)
                  { return removeStem (call.host, call.argument); });
    setup.method ("exportStems", [settings] (MethodCall& call)
                  { return exportStems (call, settings->stemDelayMs.load()); });

    setup.option ("--export-folder", "DIR", "Forkel's default export folder (default: the score's folder)",
                  [settings] (const juce::String& value)
                  {
                      if (!juce::File::isAbsolutePath (value))
                          return juce::Result::fail ("--export-folder needs a full path");

                      const std::lock_guard<std::mutex> guard (settings->lock);
                      settings->exportFolder = juce::File (value);
                      return juce::Result::ok(); });

    setup.option ("--fk-stem-delay", "MS", "how long the host takes for each stem of a Forkel export (0 to 60000 ms)",
                  [settings] (const juce::String& value)
                  { return readStemDelay (value, *settings); });

    setup.command ("fk-stem-delay", "fk-stem-delay MS", "how long the host takes for each stem of a Forkel export (0 to 60000 ms)",
                   [settings] (PluginCommandCall& call)
                   {
                       const auto read = readStemDelay (call.rest, *settings);
                       call.answer = read.wasOk() ? "stem delay " + juce::String (settings->stemDelayMs.load()) + " ms" : read.getErrorMessage();
                       return read.wasOk(); });

    setup.command ("fk-stems", "fk-stems", "the stems the score keeps: id and staves",
                   [] (PluginCommandCall& call)
                   {
                       juce::StringArray lines;

                       const auto stems = stemsOf (call.host.score());

                       if (auto* object = stems.getDynamicObject())
                           for (const auto& property : object->getProperties())
                               lines.add (property.name.toString() + ": " + json::toCompactString (property.value));

                       call.answer = lines.isEmpty() ? juce::String ("no stems") : lines.joinIntoString (" | ");
                       return true; });
}
