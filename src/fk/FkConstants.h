#pragma once

#include <array>
#include <utility>

namespace fk
{
/** The stored texts of Forkel's audio options. */
struct FkConstants
{
    static constexpr const char* kFormatDefault = "Default";
    static constexpr const char* kFormatWav = "Wav";
    static constexpr const char* kFormatAiff = "Aiff";
    static constexpr const char* kFormatMp3 = "Mp3";
    static constexpr const char* kSampleRate_441khz = "44.1khz";
    static constexpr const char* kSampleRate_48khz = "48khz";
    static constexpr const char* kBitDepth_16bit = "16bit";
    static constexpr const char* kBitDepth_24bit = "24bit";
    static constexpr const char* kBitDepth_32bit = "32bit";
    static constexpr const char* kBitRateSuffix = "kbps";

    /** The MP3 bit rates offered, highest first. */
    static constexpr std::array<int, 9> bitRates{320, 256, 224, 192, 160, 128, 112, 96, 80};
};

/** A stored value and the label the options panel shows for it. */
using FkChoice = std::pair<const char*, const char*>;

inline constexpr std::array<FkChoice, 4> audioFormatChoices{{{FkConstants::kFormatDefault, "Default"},
                                                             {FkConstants::kFormatWav, "WAV"},
                                                             {FkConstants::kFormatAiff, "AIFF"},
                                                             {FkConstants::kFormatMp3, "MP3"}}};
inline constexpr std::array<FkChoice, 3> sampleRateChoices{{{FkConstants::kFormatDefault, "Default"},
                                                            {FkConstants::kSampleRate_441khz, "44.1 kHz"},
                                                            {FkConstants::kSampleRate_48khz, "48 kHz"}}};
inline constexpr std::array<FkChoice, 4> bitDepthChoices{{{FkConstants::kFormatDefault, "Default"},
                                                          {FkConstants::kBitDepth_16bit, "16-bit"},
                                                          {FkConstants::kBitDepth_24bit, "24-bit"},
                                                          {FkConstants::kBitDepth_32bit, "32-bit"}}};
} // namespace fk
