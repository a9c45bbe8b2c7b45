#pragma once

namespace sd
{
/** What Stridel offers its window and the host's messages. */
class IStridel
{
public:
    virtual ~IStridel() = default;

    /** Creates the gadget once and shows it on top, where it was left. */
    virtual void showGadget() = 0;
    /** Destroys the gadget and stores the state. */
    virtual void closeGadget() = 0;
    /** Asks the host for the selection; its reply is loaded and written. */
    virtual void fetchAndWrite() = 0;
    /** Generates the line on the fetched score's first staff and sends it. */
    virtual void write() = 0;
};
} // namespace sd
