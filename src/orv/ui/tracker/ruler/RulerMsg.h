#pragma once

#include "gui/Message.h"

namespace orv::tracker::ruler
{
/** A zoom gesture on the ruler: keep `ticks` under view x `x` at the new `zoom`. */
class RulerMsg final : public gui::Message
{
public:
    static constexpr int messageType = 0x52554c; // "RUL"

    RulerMsg (float anchorTicks, float anchorX, float newZoom)
        : gui::Message (messageType)
        , ticks (anchorTicks)
        , x (anchorX)
        , zoom (newZoom)
    {
    }

    float ticks;
    float x;
    float zoom;
};
} // namespace orv::tracker::ruler
