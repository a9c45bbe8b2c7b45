#pragma once

#include "orv/model/Score.h"
#include "orv/pref/OrvPreferences.h"
#include "orv/pref/OrvState.h"

namespace orv
{
/** What the Orvana product offers the model, the loader, the actions and
    the views. The product class implements it; the members here are the
    ones the model and the loader use, and the product adds its own
    (editor context, lane module, action sender, transport commands). */
class IOrvana
{
public:
    virtual ~IOrvana() = default;

    virtual Score& getScore() = 0;
    /** The editor's transport ("TRANSPORT" of the score model). */
    virtual Transport getTransport() = 0;
    virtual OrvState& getOrvState() = 0;
    virtual preferences::OrvPreferences& getPreferences() = 0;
    /** Writes the preferences file. */
    virtual void savePreferences() = 0;
};
} // namespace orv
