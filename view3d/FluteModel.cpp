#include "view3d/FluteModel.h"

#include "glut/glut.h"
#include "state/NoteTable.h"
#include "view3d/FluteFingering.h"
#include "view3d/Geometry.h"
#include "view3d/KeyLook.h"
#include "view3d/Palette.h"
#include "view3d/ViewState.h"

#include <cstring>
#include <initializer_list>

namespace {
// The tube is 35 long; its lower end is at y = -17.5.
constexpr float tubeHalfLength = 17.5f;

// The static lists of the flute: the body, then the three shapes that rods
// and keys are made of. Only where and in which colour they are drawn changes
// from frame to frame.
enum FlutePart : unsigned int { RodShape = 1, CupShape, LeverShape }; // offsets from displayList
constexpr int listCount = 4;

void drawPartShape(FlutePart part)
{
    switch (part) {
    case RodShape: drawCappedCylinder(35.0f, 0.005f); break;
    case CupShape: drawCappedCylinder(35.0f, 0.5f); break; // a flat cap of radius shape / 10
    case LeverShape:
        glEnable(GL_NORMALIZE);
        glutSolidSphere(17.5, 12, 6); // half-axes 0.525, 0.175, 0.35
        glDisable(GL_NORMALIZE);
        break;
    }
}

// From its list, or drawn directly when GL gave no lists.
void drawPart(unsigned int lists, FlutePart part)
{
    if (lists != 0)
        glCallList(lists + part);
    else
        drawPartShape(part);
}

void drawKey(const FluteKey& key, const KeyLook& look, unsigned int lists)
{
    const float side = static_cast<float>(key.side);
    glPushMatrix();
    setAmbientDiffuse(palette::fluteKey);
    applyKeyColour(look.colour);
    if (look.moved)
        glRotatef(side * 10.0f, 0.0f, 1.0f, 0.0f);
    if (key.kind == Cup) {
        glRotatef(side * 35.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(side, key.position, 0.2f);
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        glScalef(key.shape * 0.1f, key.shape * 0.001f, key.shape * 0.1f);
        drawPart(lists, CupShape);
    } else if (key.kind == Lever) {
        glRotatef(key.reach * side * 35.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(side * key.reach, key.position + key.lift, 0.3f);
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        glRotatef(key.shape, 0.0f, 1.0f, 0.0f);
        glScalef(0.03f, 0.01f, 0.02f);
        drawPart(lists, LeverShape);
    }
    glPopMatrix();
}
} // namespace

FluteModel::FluteModel(int keys, int octave, int pitchClass)
    : InstrumentModel(keys, octave, pitchClass)
{
    std::strcpy(name, modelName);
}

void FluteModel::draw()
{
    callStaticLists();
    drawKeys();
}

void FluteModel::followHeldNotes()
{
    const int newNote = highestHeldNote(lowestNoteIndex());
    const int oldNote = currentNote;
    currentNote = newNote;
    fingeringVariant = chooseFingeringVariant(fingeringVariant, oldNote, newNote);
}

// The body, around the model's y axis. The list ends with the embouchure
// hole's black specular colour in force: the rods and keys drawn after it
// rely on it and are lit without highlights.
void FluteModel::buildLists()
{
    displayList = glGenLists(listCount);
    if (displayList == 0)
        return;
    for (const FlutePart part : {RodShape, CupShape, LeverShape}) {
        glNewList(displayList + part, GL_COMPILE);
        drawPartShape(part);
        glEndList();
    }
    glNewList(displayList, GL_COMPILE);
    applyMaterial(palette::fluteBody);
    // Deliberately outside any push: drawKeys draws in this turned frame.
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    drawCappedCylinder(35.0f, 0.01f); // the tube, radius 1
    glPushMatrix();
    glTranslatef(0.0f, -10.375f, 0.0f); // joint rings at y = -10.375, 5.25, 7.75
    drawRing();
    glTranslatef(0.0f, 15.625f, 0.0f);
    drawRing();
    glTranslatef(0.0f, 2.5f, 0.0f);
    drawRing();
    glTranslatef(0.0f, 5.825f, 0.0f); // lip plate at y = 13.575
    glRotatef(22.5f, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, 0.2f);
    glScalef(0.9f, 0.06f, 1.0f);
    drawCappedCylinder(35.0f, 0.75f);
    setAmbientDiffuse(palette::embouchureHole); // in the lip plate's frame
    setSpecular(palette::embouchureHole);
    glTranslatef(0.0f, 0.0f, 0.22f);
    glScalef(0.6f, 0.3f, 0.8f);
    drawCappedCylinder(35.0f, 3.0f);
    glPopMatrix();
    glEndList();
}

void FluteModel::drawKeys()
{
    glPushMatrix();
    followHeldNotes();
    glPushMatrix();
    glTranslatef(0.0f, -tubeHalfLength, 0.0f);
    for (int r = 0; r < fluteRodCount; ++r) {
        const FluteRod& rod = fluteRodTable[r];
        setAmbientDiffuse(palette::fluteKey);
        setShininess(palette::fluteKeyShininess);
        glPushMatrix();
        glRotatef(rod.angle, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, rod.position, 1.1f);
        glPushMatrix(); // the rod: radius 0.15, rising from its position
        glScalef(0.15f, rod.length * 0.0285714287f, 0.15f);
        glTranslatef(0.0f, tubeHalfLength, 0.0f);
        drawPart(displayList, RodShape);
        glPopMatrix();
        for (const FluteKey& key : fluteKeyTable[r]) {
            const FluteKeyState state = fluteKeyState(key, fingeringVariant, currentNote);
            drawKey(key, fluteKeyLook(state.own, state.linked, viewState), displayList);
        }
        glPopMatrix();
    }
    glPopMatrix();
    glPopMatrix();
}
