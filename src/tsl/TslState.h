#pragma once

#include "state/GadgetState.h"

#include <juce_data_structures/juce_data_structures.h>

namespace tsl
{
/** Tessel's product state "TSL_STATE", stored as "Tessel.xml": the part
    template, the pressed look of "Parts PDFs" and, as a child, the gadget's
    window position. Copies refer to the same node. */
class TslState final
{
public:
    static inline const juce::Identifier type{"TSL_STATE"};
    static inline const juce::Identifier partTemplateFile{"partTemplateFile"};
    static inline const juce::Identifier createPdf{"createPdf"};
    static constexpr const char* fileName = "Tessel.xml";

    /** A fresh node with the defaults (no template, "Parts PDFs" up). */
    TslState();
    /** Wraps an existing node. */
    explicit TslState (juce::ValueTree existing);

    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }

    /** The template's full path; empty while none is set. */
    juce::String getPartTemplateFile() const;
    void setPartTemplateFile (const juce::String& fullPath);

    bool getCreatePdf() const;
    void setCreatePdf (bool shouldBePressed);

    /** The gadget's window properties, a child node created when missing. */
    GadgetState getGadgetState();

private:
    juce::ValueTree tree;
};
} // namespace tsl
