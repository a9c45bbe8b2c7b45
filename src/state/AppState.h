#pragma once

#include "state/SuitePaths.h"

#include <juce_data_structures/juce_data_structures.h>

/** The application state tree "APP_STATE" and its file "AppState.xml" in the
    state folder: the host version and the host's WebSocket session token. */
class AppState final
{
public:
    static inline const juce::Identifier type{"APP_STATE"};
    static inline const juce::Identifier hostVersion{"hostVersion"};
    static inline const juce::Identifier webSocketSessionToken{"webSocketSessionToken"};
    static constexpr const char* fileName = "AppState.xml";

    explicit AppState (const SuitePaths& paths);

    juce::File getFile() const;

    /** Replaces the tree from the file; returns whether a file was parsed. */
    bool replaceTreeFromFile();

    /** Writes the tree to its file; returns whether it was written. */
    bool storeToFile() const;

    /** The shared tree: copies refer to the same node. */
    juce::ValueTree getTree() const { return tree; }

    bool hasHostVersion() const { return tree.hasProperty (hostVersion); }
    int getHostVersion() const { return static_cast<int> (tree.getProperty (hostVersion, 0)); }
    void setHostVersion (int version) { tree.setProperty (hostVersion, version, nullptr); }

    juce::String getSessionToken() const { return tree.getProperty (webSocketSessionToken).toString(); }
    void setSessionToken (const juce::String& token) { tree.setProperty (webSocketSessionToken, token, nullptr); }

private:
    juce::File stateFolder;
    juce::ValueTree tree{type};
};
