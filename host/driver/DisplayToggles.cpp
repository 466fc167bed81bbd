#include "host/driver/DisplayToggles.h"

#include "editor/PanelLayout.h"

void DisplayToggles::onPanelPress(int tag)
{
    if (tag == TagHighlight)
        highlightOn = !highlightOn;
    else if (tag == TagDepress)
        depressOn = !depressOn;
    else if (tag == TagSpin)
        spinOn = !spinOn;
}
