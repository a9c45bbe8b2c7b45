#pragma once

#include "gadget/GadgetButton.h"

/** Makes the button its gadget's drawer switch (Gadget or Gadget2): a click
    slides the drawer out or back, and the button stays pressed while the
    drawer is out, not only while it is held. */
template <typename GadgetWithDrawer>
void makeDrawerSwitch (GadgetButton& button, GadgetWithDrawer& gadget)
{
    button.setActiveColor (GadgetButton::Colors::lightBlue);
    button.setLatching (true);
    button.setClickAction ([&button, &gadget]
                           {
                               const auto wasOpen = gadget.isDrawerOpen();
                               gadget.toggleDrawer();
                               button.setPressed (!wasOpen); });
}
