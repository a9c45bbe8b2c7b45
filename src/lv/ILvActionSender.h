#pragma once

#include <juce_core/juce_core.h>

namespace lv
{
/** The layout requests Layvo's window and page controls make of the product. */
class ILvActionSender
{
public:
    virtual ~ILvActionSender() = default;

    /** Sends the page list a layout script describes (with its error, if any). */
    virtual void applyLayoutScript (const juce::String& script) = 0;
    /** Moves the break before a page so that the page starts at newFirstBar. */
    virtual void setPageFirstBar (int pageIndex, int newFirstBar) = 0;
    /** Moves the break after a page so that it holds barCount bars. */
    virtual void setPageBarCount (int pageIndex, int barCount) = 0;
    /** Accepted and ignored: systems are set through the layout script. */
    virtual void setPageSystemCount (int pageIndex, int systemCount) = 0;
};
} // namespace lv
