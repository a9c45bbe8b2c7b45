#pragma once

#include "engine/PlgFileContents.h"
#include "state/SuitePaths.h"

class IActionSender;
class IUiServices;

namespace comm
{
class Comm;
}

/** Everything a product is given when it is made: where the suite lies, how
    it reaches the host (actions and the file channel), how it reaches the
    desktop, and the text of its host plug-in. The product manager fills it
    in; tests fill it in with stand-ins. */
struct ProductContext
{
    SuitePaths paths;
    IUiServices& ui;
    /** The application; null drops the product's actions without a reply. */
    IActionSender* actionSender = nullptr;
    /** The file channel; null when the product is made without one (tests). */
    comm::Comm* comm = nullptr;
    /** The product's host plug-in, compressed; empty for a product without one. */
    PlgFileContents plgFile;
};
