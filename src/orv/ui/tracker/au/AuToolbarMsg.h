#pragma once

#include "gui/Message.h"

namespace orv::tracker::au
{
/** A lane tab was clicked: show that automation lane (0-based id), or hide
    it when it is the one shown. */
class AuToolbarMsg final : public gui::Message
{
public:
    static constexpr int messageType = 0x4155; // "AU"

    explicit AuToolbarMsg (int laneIdToShow)
        : gui::Message (messageType, laneIdToShow)
        , laneId (laneIdToShow)
    {
    }

    int getLaneId() const { return laneId; }

private:
    int laneId;
};
} // namespace orv::tracker::au
