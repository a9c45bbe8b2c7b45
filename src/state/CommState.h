#pragma once

#include <juce_data_structures/juce_data_structures.h>

/** The file channel's own state tree "COMM_STATE", stored as "Comm" (no
    extension) in the state folder. The port property is declared for the
    file format; the suite never sets it. */
class CommState final
{
public:
    static inline const juce::Identifier type{"COMM_STATE"};
    static inline const juce::Identifier webSocketPort{"webSocketPort"};
    static constexpr const char* fileName = "Comm";

    CommState() = default;
    explicit CommState (juce::ValueTree existing)
        : tree (std::move (existing))
    {
    }

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

private:
    juce::ValueTree tree{type};
};
