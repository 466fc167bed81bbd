#include "host/DisplayToggles.h"

#include "host/PanelTargets.h"

void DisplayToggles::onPanelPress(int tag)
{
    if (tag == panelTargetNamed("highlight")->tag)
        highlightOn = !highlightOn;
    else if (tag == panelTargetNamed("depress")->tag)
        depressOn = !depressOn;
}
