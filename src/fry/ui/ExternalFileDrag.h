#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace fry
{
/** Starts a drag-and-drop of a file out of the application, into a file
    manager, a terminal or another program. */
class IExternalFileDrag
{
public:
    virtual ~IExternalFileDrag() = default;

    /** Starts dragging the file from the source component, which must be
        handling a mouse press or drag; true when the drag began. */
    virtual bool startDrag (const juce::File& file, juce::Component& source) = 0;
};

/** The desktop's own drag-and-drop. On X11 the file travels as a
    "text/uri-list" entry, which must be a percent-encoded file URI. */
class ExternalFileDrag final : public IExternalFileDrag
{
public:
    bool startDrag (const juce::File& file, juce::Component& source) override;
};

/** "file://" and the file's path with every byte other than letters, digits,
    "-", ".", "_", "~" and "/" percent-encoded (as UTF-8). */
juce::String toFileUri (const juce::File& file);
} // namespace fry
