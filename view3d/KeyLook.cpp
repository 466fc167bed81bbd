#include "view3d/KeyLook.h"

namespace {
// Practice scoring states 0..7: 1 and 5 mean the note is expected, 2, 3, 6
// and 7 that a wrong or missing note was played.
constexpr KeyLook practiceLooks[8] = {
    {KeyColour::Base, false}, // 0
    {KeyColour::HighlightGreen, true}, // 1
    {KeyColour::HighlightRed, false}, // 2
    {KeyColour::HighlightRed, false}, // 3
    {KeyColour::Base, true}, // 4
    {KeyColour::HighlightGreen, false}, // 5
    {KeyColour::HighlightRed, true}, // 6
    {KeyColour::HighlightRed, true}, // 7
};
} // namespace

KeyLook pianoKeyLook(int velocity, int scoreState, bool practiceMode, const ViewState& view)
{
    if (practiceMode) {
        if (scoreState >= 0 && scoreState < 8)
            return practiceLooks[scoreState];
        return {KeyColour::Base, false};
    }
    if (velocity <= 0)
        return {KeyColour::Base, false};
    return {view.showKeyColour ? KeyColour::HighlightRed : KeyColour::Base, view.showKeyMotion};
}

KeyLook fluteKeyLook(bool own, bool linked, const ViewState& view)
{
    KeyColour colour = KeyColour::Base;
    if (view.showKeyColour && own)
        colour = KeyColour::HighlightRed;
    if (view.showLinkedKeys && linked)
        colour = KeyColour::LightRed;
    return {colour, view.showKeyMotion && (own || linked)};
}
