#pragma once
// How the 3-D scene is looked at: the camera angles and distance that the
// panel's buttons change and the render loop reads, and the three display
// toggles that decide how held keys show. One record per loaded library,
// shared by every instance, all zero at load; it survives closing and
// reopening the editor and program changes.
//
// User-interface thread only: the panel writes it, the idle pump and the
// display callback read it.

struct ViewState {
    int angleX = 0; // degrees, third camera rotation (about x)
    int angleY = 0; // degrees, second camera rotation (about y)
    int spinAngle = 0; // degrees, first camera rotation (about z)
    int zoom = 0; // scene units: the model comes zoom / 2 closer, the far plane zoom nearer
    bool autoRotate = false;
    bool showKeyColour = false; // keys that are down are drawn red
    bool showKeyMotion = false; // keys that are down are drawn moved
    bool showLinkedKeys = false; // flute: keys moved by a linked key are drawn light red
};

extern ViewState viewState;

// Back to the view of load time: silences the note table (starting a new
// practice run, as its practice states are gone), zeroes the camera numbers
// and has the current model compile its static geometry again. The toggles,
// autoRotate and the practice totals stay as they are. The caller asks for
// the redraw.
void resetView();

// One idle step of automatic rotation: while autoRotate is on the spin grows
// by one degree and both tilt angles follow it. Answers whether the view must
// be drawn again.
bool advanceAutoRotation();
