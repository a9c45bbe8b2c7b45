#pragma once

#include "orv/OrvanaParts.h"
#include "orv/model/Score.h"
#include "orv/pref/OrvPreferences.h"
#include "orv/pref/OrvState.h"

class IProductActionSender;

namespace orv
{
class EditorContext;

/** What the Orvana product offers the model, the loader, the actions and
    the views. The product class implements it. */
class IOrvana
{
public:
    virtual ~IOrvana() = default;

    virtual Score& getScore() = 0;
    /** What the editor's views share: active tool, selection cache, the open editor. */
    virtual EditorContext& getEditorContext() = 0;
    /** The editor's transport ("TRANSPORT" of the score model). */
    virtual Transport getTransport() = 0;
    /** The automation lane module; null until one is installed. */
    virtual IAuMod* getAuMod() = 0;
    virtual OrvState& getOrvState() = 0;
    /** Sends an action to the product's host plug-in. */
    virtual IProductActionSender& getProductActionSender() = 0;
    virtual preferences::OrvPreferences& getPreferences() = 0;
    /** Writes the preferences file. */
    virtual void savePreferences() = 0;

    /** A tempo curve was asked for and its reply has not come yet. */
    virtual bool isTempoCurveLoadPending() const = 0;
    virtual void sendWsTransport (TransportCmd cmd) = 0;
    virtual void sendWsPlayFrom (const Poser& poser) = 0;
    /** Moves the host's play line to the start of the score. */
    virtual void sendWsSkipToStart() = 0;
    virtual void startPlaybackUpdates() = 0;
    virtual void stopPlaybackUpdates() = 0;
    virtual void requestPlaybackUpdate() = 0;
    /** Asks the host for the tempo curve (the tempo lane was opened). */
    virtual void requestTempoCurveAfterTrayOpened() = 0;
    /** Undoes or redoes the host's last step and reloads the same range. */
    virtual void sendUndo() = 0;
    virtual void sendRedo() = 0;
    /** Brings the editor window to the front, when it is open. */
    virtual void toFront() = 0;

    /** The plug-in key wizard and preferences windows; null when the product has none. */
    virtual IOrvWizard* getKeyWizard() { return nullptr; }
};
} // namespace orv
