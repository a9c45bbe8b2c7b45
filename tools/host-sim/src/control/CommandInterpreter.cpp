#include "control/CommandInterpreter.h"
#include "control/SelectionSpec.h"
#include "engine/ProductTable.h"
#include "render/AudioRender.h"
#include "render/PdfPages.h"
#include "score/ScoreJson.h"

#include <algorithm>
#include <thread>

namespace hostsim
{
namespace
{
CommandResult done (juce::String message)
{
    return {true, std::move (message), false};
}
CommandResult failed (juce::String message)
{
    return {false, std::move (message), false};
}

/** The text after the first `count` words of the line, as typed. */
juce::String textAfterWords (const juce::String& line, int count)
{
    auto rest = line.trimStart();

    for (int i = 0; i < count; ++i)
        rest = rest.fromFirstOccurrenceOf (" ", false, false).trimStart();

    return rest;
}

bool parseCount (const juce::String& text, int& out)
{
    if (text.isEmpty() || text.length() > 9 || !text.containsOnly ("0123456789"))
        return false;

    out = text.getIntValue();
    return true;
}
} // namespace

juce::String CommandResult::toOutputText() const
{
    return (ok ? "ok: " : "error: ") + message;
}

CommandInterpreter::CommandInterpreter (Host& h, Engine& e, FaultState& f, EventLog& l)
    : host (h)
    , engine (e)
    , faults (f)
    , log (l)
{
}

void CommandInterpreter::setServerStatus (std::function<juce::String()> statusProvider)
{
    serverStatus = std::move (statusProvider);
}

juce::StringArray CommandInterpreter::getBuiltInCommandNames()
{
    return {"select", "trigger", "message", "play", "stop", "undo", "redo", "fault", "log", "note", "wait",
            "status", "open", "save", "export-audio", "export-pdf", "help", "quit", "exit"};
}

juce::String CommandInterpreter::getHelpText (const PluginRegistry& registry)
{
    auto text = getHelpText();

    if (!registry.getCommands().empty())
    {
        text << "\nplug-in commands:";

        for (const auto& command : registry.getCommands())
            text << "\n  " << command.usage.paddedRight (' ', 26) << "  " << command.help << " (" << command.plugin << ")";
    }

    return text;
}

juce::String CommandInterpreter::getHelpText()
{
    return "commands:\n"
           "  select BARS [STAVES]        select bars (5, 3-8, all) on staves (1,3-5, all; default all)\n"
           "  select all | select none\n"
           "  trigger CODE [DATA]         run a product's plug-in: CODE.USER_TRIGGER|DATA, then launch the suite\n"
           "  message CODE TYPE [DATA]    post any host message (e.g. message ORV REFRESH {...})\n"
           "  play [BAR[:POS]]            start playback (default: selection start or play line)\n"
           "  stop                        stop playback\n"
           "  undo | redo                 undo or redo the last change of the score\n"
           "  fault [NAME [VALUE]]        list or set faults: refuse, close-after N [clean], delay MS, drop N,\n"
           "                              malformed [N], unknown-id [N], deny, no-token-reply, forget-tokens,\n"
           "                              drop-method M, delay-method M MS, fail-method M TEXT (M: method or\n"
           "                              plugin.method), NAME off, NAME M off, clear\n"
           "  log [N]                     print the last N log events (default 20)\n"
           "  note TEXT                   write a marker event into the log\n"
           "  wait MS                     pause the command channel\n"
           "  status                      score, selection, playback, faults and connections\n"
           "  open FILE                   open a score document\n"
           "  save [FILE]                 save the score to its file (or to FILE, which becomes its file)\n"
           "  export-audio FILE [staves=S] [bars=B] [rate=HZ] [bits=N] [channels=N]\n"
           "                              render staves to a .wav or .aiff file (default: all, 44100, 16, 2)\n"
           "  export-pdf FILE [PART]      print the full score (or a part) into a PDF file\n"
           "  help [plugins] | quit       this text, or the plug-ins with their methods";
}

CommandResult CommandInterpreter::execute (const juce::String& rawLine)
{
    const auto line = rawLine.trim();

    if (line.isEmpty() || line.startsWithChar ('#'))
        return done ({});

    auto words = juce::StringArray::fromTokens (line, " \t", "");
    words.removeEmptyStrings();
    const auto command = words[0].toLowerCase();
    const auto args = juce::StringArray (words.begin() + 1, words.size() - 1);
    log.add ("command", {{"text", line}});

    if (command == "select")
        return select (args);

    if (command == "trigger")
        return trigger (args, textAfterWords (line, 2));

    if (command == "message")
        return message (args, textAfterWords (line, 3));

    if (command == "play")
        return play (args);

    if (command == "undo" || command == "redo")
        return history (command == "undo");

    if (command == "export-audio")
        return exportAudio (args);

    if (command == "export-pdf")
        return exportPdf (args, textAfterWords (line, 2));

    if (command == "stop")
    {
        host.stop();
        const auto state = host.getPlaybackState();
        return done ("stopped at bar " + juce::String (state.bar) + ", position " + juce::String (state.position));
    }

    if (command == "fault")
        return fault (textAfterWords (line, 1));

    if (command == "log")
        return showLog (args);

    if (command == "note")
    {
        log.add ("note", {{"text", textAfterWords (line, 1)}});
        return done ("noted");
    }

    if (command == "wait")
        return wait (args);

    if (command == "status")
        return status();

    if (command == "open")
        return open (textAfterWords (line, 1));

    if (command == "save")
        return save (textAfterWords (line, 1));

    if (command == "help")
        return help (args);

    if (command == "quit" || command == "exit")
        return {true, "bye", true};

    const auto answer = engine.runCommand (command, args, textAfterWords (line, 1));

    if (answer.known)
        return {answer.ok, answer.text, false};

    return failed ("unknown command: " + words[0] + " (try help)");
}

CommandResult CommandInterpreter::select (const juce::StringArray& words)
{
    Selection selection;
    const auto parsed = parseSelection (words, host.getScore(), selection);

    if (parsed.failed())
        return failed (parsed.getErrorMessage());

    const auto result = host.select (selection);
    return result.wasOk() ? done ("selected " + selection.describe()) : failed (result.getErrorMessage());
}

CommandResult CommandInterpreter::trigger (const juce::StringArray& words, const juce::String& rest)
{
    if (words.isEmpty())
        return failed ("trigger needs a product code, e.g. trigger ORV");

    const auto code = words[0].toUpperCase();
    const auto result = words.size() > 1 ? engine.runProductPlugin (code, rest) : engine.runProductPlugin (code);
    return result.wasOk() ? done ("triggered " + code) : failed (result.getErrorMessage());
}

CommandResult CommandInterpreter::message (const juce::StringArray& words, const juce::String& rest)
{
    if (words.size() < 2)
        return failed ("message needs a code and a type, e.g. message ORV REFRESH {}");

    const auto result = engine.postMessage (words[0], words[1], words.size() > 2 ? rest : juce::String());
    return result.wasOk() ? done ("posted " + words[0] + "." + words[1]) : failed (result.getErrorMessage());
}

CommandResult CommandInterpreter::play (const juce::StringArray& words)
{
    if (words.size() > 1)
        return failed ("play takes at most one position: play 5 or play 5:512");

    std::optional<juce::int64> from;

    if (words.size() == 1)
    {
        int bar = 0;
        int position = 0;
        const auto& w = words[0];

        if (!parseCount (w.upToFirstOccurrenceOf (":", false, false), bar)
            || (w.containsChar (':') && !parseCount (w.fromFirstOccurrenceOf (":", false, false), position)))
            return failed ("bad position: " + w + " (write BAR or BAR:POS)");

        const auto start = host.withState ([&] (const HostState& s)
                                           { return s.score.barStartTick (bar); });

        if (start < 0)
            return failed ("the score has no bar " + juce::String (bar));

        from = start + position;
    }

    host.play (from);
    const auto state = host.getPlaybackState();

    if (!state.playing)
        return failed ("nothing to play from bar " + juce::String (state.bar) + ", position " + juce::String (state.position));

    return done ("playing from bar " + juce::String (state.bar) + ", position " + juce::String (state.position));
}

CommandResult CommandInterpreter::fault (const juce::String& rest)
{
    if (rest.isEmpty())
        return done ("faults: " + faults.get().describe());

    const auto result = faults.apply (rest);

    if (result.failed())
        return failed (result.getErrorMessage());

    log.add ("faults", {{"active", faults.get().describe()}});
    return done ("faults: " + faults.get().describe());
}

CommandResult CommandInterpreter::showLog (const juce::StringArray& words)
{
    int count = 20;

    if (words.size() > 1 || (words.size() == 1 && !parseCount (words[0], count)))
        return failed ("log takes a count: log 50");

    return done ("last events:\n" + log.getRecentLines (count).joinIntoString ("\n"));
}

CommandResult CommandInterpreter::wait (const juce::StringArray& words)
{
    int ms = 0;

    if (words.size() != 1 || !parseCount (words[0], ms) || ms > 600000)
        return failed ("wait takes milliseconds, at most 600000: wait 500");

    // Sleeps in small steps so that a shutdown does not wait for the script.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (ms);

    while (!waitsCancelled && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for (std::min<std::chrono::steady_clock::duration> (std::chrono::milliseconds (10),
                                                                                    end - std::chrono::steady_clock::now()));

    return done ("waited " + juce::String (ms) + " ms");
}

CommandResult CommandInterpreter::status()
{
    const auto text = host.withState ([] (const HostState& s)
                                      {
        const auto playback = s.getPlaybackState();
        return "score \"" + s.score.title + "\": " + juce::String (static_cast<int> (s.score.bars.size())) + " bars, "
             + juce::String (static_cast<int> (s.score.staves.size())) + " staves; selection: "
             + s.score.selection.describe() + "; " + (playback.playing ? "playing" : "stopped") + " at bar "
             + juce::String (playback.bar) + ", position " + juce::String (playback.position) + "; file "
             + (s.score.file == juce::File() ? juce::String ("none") : s.score.file.getFullPathName()) + "; undo "
             + juce::String (static_cast<int> (s.history.getUndoCount())) + ", redo "
             + juce::String (static_cast<int> (s.history.getRedoCount())); });

    auto channelText = engine.getFileChannel() != nullptr ? "state folder " + engine.getFileChannel()->getStateFolder().getFullPathName()
                                                          : juce::String ("no file channel");
    auto result = text + "; faults: " + faults.get().describe() + "; " + channelText;

    if (serverStatus)
        result << "; " << serverStatus();

    return done (result);
}

CommandResult CommandInterpreter::open (const juce::String& path)
{
    if (path.isEmpty())
        return failed ("open needs a file");

    ScoreDocument score;
    const auto result = scorejson::load (juce::File::getCurrentWorkingDirectory().getChildFile (path), score);

    if (result.failed())
        return failed (result.getErrorMessage());

    const auto title = score.title;
    host.replaceScore (std::move (score));
    return done ("opened \"" + title + "\"");
}

CommandResult CommandInterpreter::save (const juce::String& path)
{
    const auto score = host.getScore();
    const auto file = path.isEmpty() ? score.file : juce::File::getCurrentWorkingDirectory().getChildFile (path);

    if (file == juce::File())
        return failed ("the score has no file yet: save FILE");

    const auto result = scorejson::save (score, file);

    if (result.failed())
        return failed (result.getErrorMessage());

    host.withState ([&file] (HostState& s)
                    { s.score.file = file; });
    host.notifyChanged();
    return done ("saved " + file.getFullPathName());
}

CommandResult CommandInterpreter::history (bool undo)
{
    const auto label = undo ? host.undo() : host.redo();

    if (!label)
        return failed (undo ? "nothing to undo" : "nothing to redo");

    log.add (undo ? "undo" : "redo", {{"step", *label}});
    return done ((undo ? "undid " : "redid ") + *label);
}

CommandResult CommandInterpreter::exportAudio (const juce::StringArray& words)
{
    if (words.isEmpty())
        return failed ("export-audio needs a file: export-audio stems/strings.wav staves=15-19");

    render::AudioRequest request;
    request.file = juce::File::getCurrentWorkingDirectory().getChildFile (words[0]);
    const auto extension = request.file.getFileExtension().toLowerCase();
    request.format = extension == ".aiff" || extension == ".aif" ? "aiff" : "wav";
    juce::StringArray range{"all", "all"};

    for (int i = 1; i < words.size(); ++i)
    {
        const auto key = words[i].upToFirstOccurrenceOf ("=", false, false);
        const auto value = words[i].fromFirstOccurrenceOf ("=", false, false);
        int number = 0;
        const auto isNumber = parseCount (value, number);

        if (key == "bars")
            range.set (0, value);
        else if (key == "staves")
            range.set (1, value);
        else if (key == "rate" && isNumber)
            request.sampleRate = number;
        else if (key == "bits" && isNumber)
            request.bitDepth = number;
        else if (key == "channels" && isNumber)
            request.channels = number;
        else
            return failed ("export-audio does not know " + words[i]);
    }

    const auto score = host.getScore();
    Selection passage;
    const auto parsed = parseSelection (range, score, passage);

    if (parsed.failed())
        return failed (parsed.getErrorMessage());

    request.firstBar = passage.firstBar;
    request.lastBar = passage.lastBar;
    request.staves = passage.staves;
    const auto outcome = render::renderAudio (score, request);

    if (outcome.result.failed())
        return failed (outcome.result.getErrorMessage());

    return done ("rendered " + juce::String (outcome.seconds, 3) + " s (" + juce::String (outcome.samples) + " samples) to "
                 + request.file.getFullPathName());
}

CommandResult CommandInterpreter::exportPdf (const juce::StringArray& words, const juce::String& rest)
{
    if (words.isEmpty())
        return failed ("export-pdf needs a file: export-pdf score.pdf [part name]");

    render::PdfRequest request;
    request.file = juce::File::getCurrentWorkingDirectory().getChildFile (words[0]);
    request.partName = rest.trim();
    const auto outcome = render::writePdf (host.getScore(), request);

    if (outcome.result.failed())
        return failed (outcome.result.getErrorMessage());

    return done ("printed " + juce::String (outcome.pages) + " page(s) to " + request.file.getFullPathName());
}

CommandResult CommandInterpreter::help (const juce::StringArray& words)
{
    const auto& registry = engine.getRegistry();

    if (words.isEmpty())
        return done (getHelpText (registry));

    if (words.size() != 1 || words[0] != "plugins")
        return failed ("help takes nothing or \"plugins\"");

    juce::String text = "plug-ins:";

    for (const auto* plugin : registry.getPlugins())
    {
        text << "\n  " << plugin->name << (plugin->productCode.isNotEmpty() ? " (" + plugin->productCode + ")" : juce::String())
             << ": " << plugin->summary << "\n    methods: " << registry.getMethodNames (plugin->name).joinIntoString (", ");
    }

    return done (text);
}
} // namespace hostsim
