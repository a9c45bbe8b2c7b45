#include "gfx/ZelLookAndFeel.h"

ZelLookAndFeel::ZelLookAndFeel() = default;
ZelLookAndFeel::~ZelLookAndFeel() = default;
