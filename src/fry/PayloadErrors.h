#pragma once

namespace fry::errors
{
/** The texts the user sees when a clip cannot be written. */
inline constexpr const char* notAnObject = "Score payload is not a JSON object.";
inline constexpr const char* missingBarList = "Score payload is missing the bar list.";
inline constexpr const char* noBars = "Score payload contains no bars in the selection.";
inline constexpr const char* noStaves = "Score payload contains no staves to export.";
inline constexpr const char* couldNotEncode = "Could not encode MIDI file.";
/** Followed by the file's full path. */
inline constexpr const char* couldNotWritePrefix = "Could not write MIDI file to disk: ";
/** When the host's reply carries neither "error" nor "message". */
inline constexpr const char* couldNotFetch = "Could not fetch MIDI from Sibelius.";
} // namespace fry::errors
