#pragma once
// The host's mirror of the plug-in's two display options that a render
// needs: held keys highlighted and held keys depressed. With the plug-in's
// defaults (both off) a held key looks like any other, so a render switches
// them on unless the script already did. The plug-in shows these options
// only as pictures, so the host follows its own presses on their panel
// buttons; both start off when the plug-in is loaded, and nothing else
// (reset, programs, reopening the editor) changes them.
class DisplayToggles {
public:
    // A press that reached the panel button with this tag.
    void onPanelPress(int tag);

    bool highlight() const { return highlightOn; }
    bool depress() const { return depressOn; }

private:
    bool highlightOn = false;
    bool depressOn = false;
};
