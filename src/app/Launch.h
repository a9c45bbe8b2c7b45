#pragma once

namespace app
{
/** Runs the suite: elects the single running instance (a later launch hands
    its command line to it and ends), then runs the application object. */
int launch (int argc, char* argv[]);
} // namespace app
