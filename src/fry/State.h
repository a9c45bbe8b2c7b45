#pragma once

#include "state/GadgetState.h"

#include <juce_data_structures/juce_data_structures.h>

namespace fry
{
/** Ferrymo's product state "FRY_STATE", stored as "Ferrymo.xml": the
    "Include CC Automation" option and, as a child, the gadget's window
    position. Copies refer to the same node. */
class State final
{
public:
    static inline const juce::Identifier type{"FRY_STATE"};
    static inline const juce::Identifier includeAutomation{"includeAutomation"};
    static constexpr const char* fileName = "Ferrymo.xml";

    /** A fresh node with the defaults. */
    State();
    /** Wraps an existing node. */
    explicit State (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    /** False unless the property is present and true. */
    bool getIncludeAutomation() const;
    void setIncludeAutomation (bool shouldInclude);

    /** The gadget's window properties, a child node created when missing. */
    GadgetState getGadgetState();

    /** Takes the properties and children of a tree read from a file, when it
        is a "FRY_STATE" tree; the node itself stays, so listeners stay bound.
        Returns whether it was taken. */
    bool replaceContentFrom (const juce::ValueTree& loaded);

private:
    juce::ValueTree tree;
};
} // namespace fry
