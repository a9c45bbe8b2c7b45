#pragma once

#include <functional>

/** What a product's logic sees of one of its windows. Each product declares
    an interface of its own on top of this (what its logic tells the window:
    busy, results, errors); the views implement it, and tests give a stand-in
    that needs no display. */
class IProductWindow
{
public:
    virtual ~IProductWindow() = default;

    /** Puts the new window on the desktop where its stored state places it. */
    virtual void present() = 0;

    /** Brings the shown window to the front, taking focus. */
    virtual void bringToFront() = 0;

    /** Set by the window's owner; the window calls it when the user closes it.
        The owner destroys the window later, never inside this call. */
    std::function<void()> onCloseRequested;
};
