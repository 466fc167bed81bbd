#pragma once
// The one way the host learns the plug-in's panel state. The plug-in shows
// its practice mode, scoring rule and display options only as pictures, so
// the host follows the presses on the panel's buttons: the session reports
// every press on the panel, by hand or scripted, as a point; this driver,
// the only part of the host that knows where the buttons are, names the
// button there and tells the practice companion (practice mode, rule,
// reset) and the display toggles (highlight, depress). The uses press
// buttons by name through it as well.
#include "host/driver/DisplayToggles.h"
#include "host/engine/HostSession.h"

#include <string>

class PracticeCompanion;

class PanelPresses {
public:
    // Follows `session`'s panel from its start; `companion` may be null.
    PanelPresses(HostSession& session, PracticeCompanion* companion);

    // Presses the named button (host/driver/PanelTargets.h); false when the
    // name is unknown or no plug-in window is there.
    bool pressNamed(const std::string& name);

    const DisplayToggles& displayToggles() const { return toggles; }

private:
    void follow(int x, int y);

    HostSession& session;
    PracticeCompanion* companion;
    DisplayToggles toggles;
};
