#pragma once

#include <juce_core/juce_core.h>

/** The envelope of what a product's host method answers: an object with
    "success" and, when it failed, "error" or "message" saying why; the rest
    is the method's own payload. */
class HostReply final
{
public:
    static inline const juce::Identifier success{"success"};
    static inline const juce::Identifier error{"error"};
    static inline const juce::Identifier message{"message"};

    explicit HostReply (juce::var reply);

    /** True only when the reply is an object whose "success" is true. */
    bool succeeded() const;

    /** What to tell the user of a failure: the reply's "error" text, else its
        "message" text (each only when it is non-blank text), else the fallback. */
    juce::String failureText (const juce::String& fallback) const;

    /** The whole reply, for the product to read its payload. */
    const juce::var& get() const { return reply; }

private:
    juce::var reply;
};
