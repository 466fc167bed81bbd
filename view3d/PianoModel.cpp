#include "view3d/PianoModel.h"

#include "glut/glut.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "view3d/KeyLook.h"
#include "view3d/Palette.h"
#include "view3d/PianoKeyWalk.h"
#include "view3d/ViewState.h"

#include <cstdio>

namespace {
// A note outside the table shows as silent and unscored.
KeyLook lookOfNote(int noteIndex, bool practiceMode)
{
    int velocity = 0;
    int scoreState = 0;
    if (noteIndex >= 0 && noteIndex < noteTableSize) {
        const NoteEntry& entry = noteTable.entries[noteIndex];
        velocity = entry.velocity.load(std::memory_order_relaxed);
        scoreState = entry.scoreState.load(std::memory_order_relaxed);
    }
    return pianoKeyLook(velocity, scoreState, practiceMode, viewState);
}

// In the key frame of drawKeys: the key's colour, then its sinking by `depth`.
void applyLook(const KeyLook& look, float depth)
{
    applyKeyColour(look.colour);
    if (look.moved)
        glTranslatef(0.0f, 0.0f, depth);
}

// The static lists of a piano: the case, then one white and one black key,
// whose shapes never change (only where and in which colour they are drawn).
constexpr int listCount = 3;
constexpr unsigned int whiteKeyList = 1; // offsets from displayList
constexpr unsigned int blackKeyList = 2;
constexpr double whiteKeySize = 10.0;
constexpr double blackKeySize = 6.5;

// A key's cube from its list, or drawn directly when GL gave no lists.
void drawKeyCube(unsigned int lists, unsigned int offset, double size)
{
    if (lists != 0)
        glCallList(lists + offset);
    else
        glutSolidCube(size);
}
} // namespace

void PianoModel::formatName(int keys, char* text, int capacity)
{
    std::snprintf(text, static_cast<size_t>(capacity), "Piano (%d keys)", keys);
}

PianoModel::PianoModel(int keys, int octave, int pitchClass)
    : InstrumentModel(keys, octave, pitchClass)
{
    formatName(keyCount, name, nameCapacity);
    whiteKeyCount = countWhiteKeys();
}

float PianoModel::countWhiteKeys() const
{
    int count = 0;
    walkPianoKeys(keyCount, startOctave, startPitchClass, [&count](const PianoKey& key) {
        if (!key.black)
            ++count;
    });
    return static_cast<float>(count);
}

// Every part of a piano is a closed box seen from outside, so faces turned
// away are always hidden behind the box's own front: they need not be drawn.
void PianoModel::draw()
{
    glEnable(GL_CULL_FACE);
    callStaticLists();
    drawKeys();
    glDisable(GL_CULL_FACE);
}

// The case, in scene units: one white-key pitch is 1.2 wide, and the keybed
// leaves two pitches free at each end for the end blocks.
void PianoModel::buildLists()
{
    displayList = glGenLists(listCount);
    if (displayList == 0)
        return;
    glNewList(displayList + whiteKeyList, GL_COMPILE);
    glutSolidCube(whiteKeySize);
    glEndList();
    glNewList(displayList + blackKeyList, GL_COMPILE);
    glutSolidCube(blackKeySize);
    glEndList();
    const float w = whiteKeyCount;
    glNewList(displayList, GL_COMPILE);
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    applyMaterial(palette::pianoCase);
    glScalef((w + 4.0f) * 1.2f, 10.0f, 2.0f); // keybed, its top at z = 1
    glutSolidCube(1.0);
    glTranslatef(0.0f, 0.5f, 0.5f); // back panel, in the keybed's frame
    glScalef(1.0f, 0.35f, 2.0f);
    glutSolidCube(1.0);
    glPopMatrix();
    for (int i = 0; i < 2; ++i) { // end blocks
        glPushMatrix();
        glTranslatef((2.4f * static_cast<float>(i) - 1.2f) * (0.5f * w + 1.0f), 0.0f, 1.0f);
        glScalef(2.4f, 6.5f, 2.0f);
        glutSolidCube(1.0);
        glPopMatrix();
    }
    glDisable(GL_NORMALIZE);
    glEndList();
}

// In the key frame one white-key pitch is 12 units along x and a white key is
// a cube of 10 (1.0 x 6.5 x 1.0 in scene units); the keys are centred on the
// case. The first translation stays in force for the rest of the frame.
void PianoModel::drawKeys()
{
    const bool practiceMode = practice.practiceMode.load(std::memory_order_relaxed);
    glTranslatef(-0.6f * whiteKeyCount, 0.0f, 1.5f);
    glPushMatrix();
    glEnable(GL_NORMALIZE);
    glScalef(0.1f, 0.65f, 0.1f);
    glTranslatef(6.0f, 0.0f, 0.0f);
    int column = 0;
    walkPianoKeys(keyCount, startOctave, startPitchClass, [&](const PianoKey& key) {
        for (; column < key.column; ++column)
            glTranslatef(12.0f, 0.0f, 0.0f);
        const KeyLook look = lookOfNote(key.noteIndex, practiceMode);
        if (!key.black) {
            applyMaterial(palette::whiteKey);
            glPushMatrix();
            applyLook(look, -6.0f);
            drawKeyCube(displayList, whiteKeyList, whiteKeySize);
            glPopMatrix();
        } else {
            applyMaterial(palette::blackKey);
            glPushMatrix();
            glTranslatef(6.0f, 1.75f, 7.0f); // half a pitch right, towards the back, raised
            applyLook(look, -4.0f);
            drawKeyCube(displayList, blackKeyList, blackKeySize);
            glPopMatrix();
        }
    });
    glDisable(GL_NORMALIZE);
    glPopMatrix();
}
