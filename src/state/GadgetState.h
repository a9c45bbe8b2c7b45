#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <optional>

/** The window properties of a product's gadget: its screen position "x", "y"
    and whether it is "maximized". Wraps a node of the product's state tree;
    copies refer to the same node. */
class GadgetState final
{
public:
    static inline const juce::Identifier type{"GADGET_STATE"};
    static inline const juce::Identifier x{"x"};
    static inline const juce::Identifier y{"y"};
    static inline const juce::Identifier maximized{"maximized"};

    /** A fresh, empty node of its own. */
    GadgetState();
    /** Wraps an existing node (of any type: products keep it inside their own trees). */
    explicit GadgetState (juce::ValueTree tree);

    juce::ValueTree getTree() const { return tree; }

    /** The stored x; empty when missing or not a number. */
    std::optional<int> getX() const;
    /** The stored y; empty when missing or not a number. */
    std::optional<int> getY() const;
    /** True only when "maximized" is present and true. */
    bool isMaximized() const;

    void setPosition (int newX, int newY);
    void setMaximized (bool isNowMaximized);

private:
    std::optional<int> readInt (const juce::Identifier& name) const;

    juce::ValueTree tree;
};
