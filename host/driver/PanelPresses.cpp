#include "host/driver/PanelPresses.h"

#include "host/driver/PanelTargets.h"
#include "host/practice/PracticeCompanion.h"

PanelPresses::PanelPresses(HostSession& session, PracticeCompanion* companion)
    : session(session)
    , companion(companion)
{
    session.setPanelPressHandler([this](int x, int y) { follow(x, y); });
}

bool PanelPresses::pressNamed(const std::string& name)
{
    const PanelTarget* button = panelTargetNamed(name);
    return button && session.press(button->centreX(), button->centreY(), false);
}

void PanelPresses::follow(int x, int y)
{
    if (const int tag = panelTagAt(x, y)) {
        if (companion)
            companion->onPanelButton(tag);
        toggles.onPanelPress(tag);
        session.setIdleRedraws(toggles.spin());
    }
}
