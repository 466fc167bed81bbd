#include "view3d/FluteFingering.h"

namespace {
constexpr int comparedRowCount = 11;
}

int chooseFingeringVariant(int shownVariant, int oldNote, int newNote)
{
    if (newNote == oldNote || newNote == 0)
        return shownVariant;
    if (!hasAlternativeFingering(newNote))
        return 0;
    int score = 0;
    for (int row = 1; row <= comparedRowCount; ++row) {
        const bool shown = fingeringRowClosed(shownVariant, row, oldNote);
        if (shown == fingeringRowClosed(0, row, newNote))
            ++score;
        if (shown == fingeringRowClosed(1, row, newNote))
            --score;
    }
    return score < 0 ? 1 : 0;
}

FluteKeyState fluteKeyState(const FluteKey& key, int variant, int note)
{
    if (key.ownRow != 0)
        return {fingeringRowClosed(variant, key.ownRow, note), false};
    bool linked = false;
    for (int row : key.linkedRows) {
        if (row != 0 && fingeringRowClosed(variant, row, note))
            linked = true;
    }
    return {false, linked};
}
