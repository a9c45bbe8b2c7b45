#include "fk/FkFileFormat.h"
#include "fk/FkConstants.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

namespace fk
{
namespace
{
/** The target's extensions, the first the one written; empty for a format that needs no conversion. */
juce::StringArray extensionsOf (const juce::String& format)
{
    if (format == FkConstants::kFormatWav)
        return {".wav"};

    if (format == FkConstants::kFormatAiff)
        return {".aiff", ".aif"};

    return {};
}

bool writeCopy (juce::AudioFormatReader& reader, juce::AudioFormat& targetFormat, const juce::File& target)
{
    juce::TemporaryFile temporary (target);
    auto stream = temporary.getFile().createOutputStream();

    if (stream == nullptr)
        return false;

    std::unique_ptr<juce::AudioFormatWriter> writer (targetFormat.createWriterFor (stream.get(), reader.sampleRate,
                                                                                   reader.numChannels,
                                                                                   static_cast<int> (reader.bitsPerSample),
                                                                                   {}, 0));

    if (writer == nullptr)
        return false;

    stream.release(); // the writer owns it now

    // Samples pass unchanged between two integer or two floating-point
    // formats; 32-bit integers would lose their lowest bits as floats.
    if (writer->isFloatingPoint() != reader.usesFloatingPointData)
        return false;

    if (!writer->writeFromAudioReader (reader, 0, reader.lengthInSamples))
        return false;

    // Closing the writer finishes the file's header; only a complete file replaces the target.
    writer.reset();
    return temporary.overwriteTargetFileWithTemporary();
}
} // namespace

bool needsConversion (const juce::File& file, const juce::String& format)
{
    const auto extensions = extensionsOf (format);

    for (const auto& extension : extensions)
        if (file.hasFileExtension (extension))
            return false;

    return !extensions.isEmpty();
}

FkConversion convertToFileFormat (const juce::File& file, const juce::String& format)
{
    if (!needsConversion (file, format))
        return FkConversion::notNeeded;

    const auto extensions = extensionsOf (format);

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    auto* targetFormat = formats.findFormatForFileExtension (extensions[0]);

    if (targetFormat == nullptr)
        return FkConversion::failed;

    const auto target = file.withFileExtension (extensions[0]);

    {
        std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));

        if (reader == nullptr || !writeCopy (*reader, *targetFormat, target))
            return FkConversion::failed;
    }

    // The complete copy is in place: the source may go.
    file.deleteFile();
    return FkConversion::converted;
}
} // namespace fk
