#include "editor/PanelActions.h"

#include "editor/PanelLayout.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"
#include "view3d/ViewState.h"

void applyPanelAction(int32_t tag)
{
    // Angles and zoom are deliberately unbounded: OpenGL takes any angle, and
    // the camera is built from whatever zoom the user chose.
    switch (tag) {
    case TagSpin: viewState.autoRotate = !viewState.autoRotate; break;
    case TagTurnRight: viewState.angleY -= 10; break;
    case TagTiltUp: viewState.angleX -= 10; break;
    case TagTiltDown: viewState.angleX += 10; break;
    case TagTurnLeft: viewState.angleY += 10; break;
    case TagZoomOut: viewState.zoom -= 10; break;
    case TagZoomIn: viewState.zoom += 10; break;
    case TagHighlight: viewState.showKeyColour = !viewState.showKeyColour; break;
    case TagReset: resetView(); break;
    case TagDepress: viewState.showKeyMotion = !viewState.showKeyMotion; break;
    case TagPractice: togglePracticeMode(); break;
    case TagScoringRule: nextScoringRule(); break;
    case TagLinkedKeys: viewState.showLinkedKeys = !viewState.showLinkedKeys; break;
    default: break;
    }
    requestRedisplay();
}
