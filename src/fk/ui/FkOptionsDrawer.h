#pragma once

#include "fk/FkState.h"
#include "gadget/GadgetSectionDrawer.h"

namespace fk
{
/** The content of Forkel's "Options >" drawer, "EXPORT OPTIONS": the file
    format, sample rate, and the bit depth, or for MP3 the bit rate, each
    bound to the product state. */
class FkOptionsDrawer final : public GadgetSectionDrawer
{
public:
    explicit FkOptionsDrawer (FkState state);
    ~FkOptionsDrawer() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FkOptionsDrawer)
};
} // namespace fk
