#pragma once

namespace comm
{
class Comm;
}

/** What the rest of the suite may ask of the application object. */
class IApp
{
public:
    virtual ~IApp() = default;

    /** The file channel, or null while the suite runs without one. */
    virtual comm::Comm* getComm() = 0;
};
