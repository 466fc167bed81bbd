#include "host/DisplayToggles.h"

#include "host/PanelButtons.h"

void DisplayToggles::onPanelPress(int tag)
{
    if (tag == panelButtonNamed("highlight")->tag)
        highlightOn = !highlightOn;
    else if (tag == panelButtonNamed("depress")->tag)
        depressOn = !depressOn;
}
