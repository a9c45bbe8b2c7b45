#pragma once

#include "kvn/Key.h"
#include "music/Interval.h"
#include "state/GadgetState.h"

#include <juce_data_structures/juce_data_structures.h>

#include <optional>

namespace kv
{
/** Keyvane's state "STATE" (file "state.xml"): the window's place, the
    selection's key as the host reports it, the target key or interval and
    the switches. Copies refer to the same node. */
class KvState final
{
public:
    static inline const juce::Identifier type{"STATE"};
    static constexpr const char* fileName = "state.xml";

    static inline const juce::Identifier sourceKey{"sourceKey"};
    static inline const juce::Identifier selectedKey{"selectedKey"};
    static inline const juce::Identifier knobKeyType{"knobKeyType"};
    static inline const juce::Identifier transposingMode{"transposingMode"};
    static inline const juce::Identifier selectedInterval{"selectedInterval"};
    static inline const juce::Identifier lastPressedInterval{"lastPressedInterval"};
    static inline const juce::Identifier autoPlay{"autoPlay"};
    static inline const juce::Identifier transposeWrittenSignatures{"transposeWrittenSignatures"};

    enum class TransposingMode
    {
        Key = 0,
        Interval = 1
    };

    /** A fresh, empty state. */
    KvState();
    explicit KvState (juce::ValueTree existing);

    /** The node, through this wrapper's own handle: listeners belong to a
        handle, so a view listens through the handle of the state it keeps. */
    juce::ValueTree& getTree() { return tree; }
    const juce::ValueTree& getTree() const { return tree; }
    /** "x" and "y" on this node: the window's place. */
    GadgetState getPositionState() const { return GadgetState (tree); }

    Key getSourceKey() const;
    void setSourceKey (const Key& key);
    Key getSelectedKey() const;
    void setSelectedKey (const Key& key);

    /** Major while the property is missing. */
    Key::Type getKnobKeyType() const;
    void setKnobKeyType (Key::Type keyType);

    /** Key while the property is missing or unknown. */
    TransposingMode getTransposingMode() const;
    void setTransposingMode (TransposingMode mode);

    std::optional<music::Interval> getSelectedInterval() const;
    /** Writes the interval's text, or removes the property. */
    void setSelectedIntervalOp (std::optional<music::Interval> interval);

    std::optional<music::Interval> getLastPressedInterval() const;
    void setLastPressedInterval (const music::Interval& interval);

    bool isAutoPlay() const;
    void setAutoPlay (bool shouldAutoPlay);
    bool isTransposeWrittenSignatures() const;
    void setTransposeWrittenSignatures (bool shouldTranspose);

private:
    juce::ValueTree tree;
};
} // namespace kv
