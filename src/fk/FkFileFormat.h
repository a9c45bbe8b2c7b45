#pragma once

#include <juce_core/juce_core.h>

namespace fk
{
/** What convertToFileFormat did. */
enum class FkConversion
{
    /** The format asks for no conversion, or the file already has it. */
    notNeeded,
    /** The file now has the format's extension and the source is gone. */
    converted,
    /** Nothing could be converted; the source is as it was. */
    failed
};

/** Rewrites an audio file as WAV ("Wav") or AIFF ("Aiff") beside it, with
    the same name and the format's extension, the same sample rate, channels
    and bits per sample. Any other format, or a file that already has the
    target extension, is left alone. The new file is written under a
    temporary name and renamed over the target only once complete, and the
    source is deleted only after that, so no failure loses audio. A
    conversion that would change samples (32-bit integers into the
    floating-point WAV the framework writes at 32 bits, or any 32-bit file
    into AIFF, which it writes up to 24 bits) fails. */
FkConversion convertToFileFormat (const juce::File& file, const juce::String& format);

/** Whether convertToFileFormat would rewrite the file (rather than answer notNeeded). */
bool needsConversion (const juce::File& file, const juce::String& format);
} // namespace fk
