#pragma once
// The host's mirror of the plug-in's display options that the host needs:
// held keys highlighted and held keys depressed, which a render switches on
// (with the plug-in's defaults, both off, a held key looks like any other)
// unless the script already did, and the spinning model, which redraws at
// every editor idle. The plug-in shows these options only as pictures, so
// the host follows the presses on their panel buttons; all start off when
// the plug-in is loaded, and nothing else (reset, programs, reopening the
// editor) changes them.
class DisplayToggles {
public:
    // A press that reached the panel button with this tag.
    void onPanelPress(int tag);

    bool highlight() const { return highlightOn; }
    bool depress() const { return depressOn; }
    bool spin() const { return spinOn; }

private:
    bool highlightOn = false;
    bool depressOn = false;
    bool spinOn = false;
};
