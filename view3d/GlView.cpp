#include "view3d/GlView.h"

#include "glut/glut.h"
#include "plugin/shared/CurrentModel.h"
#include "plugin/shared/PracticeState.h"
#include "plugin/shared/RedrawRequest.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ModelSwap.h"
#include "view3d/PromptRedraw.h"
#include "view3d/ViewState.h"

#include <cstdint>

std::atomic<bool> glViewReady{false};
ViewWindowState viewWindow;

namespace {
void (*scoreReadout)(float) = nullptr;
} // namespace

void setScoreReadout(void (*show)(float percent))
{
    scoreReadout = show;
}

void openView(void* parent)
{
    closeView();
    viewWindow.viewWidth = static_cast<float>(viewPlacement.width);
    viewWindow.viewHeight = static_cast<float>(viewPlacement.height);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    viewWindow.viewWindowId =
        glutCreateQarnWindow(parent, viewPlacement.left, viewPlacement.top, viewPlacement.width, viewPlacement.height);
    // Without a window no context of ours is current: any GL state set now
    // would land in the host's context. The view then simply stays closed.
    if (viewWindow.viewWindowId == 0)
        return;
    initGlState();
    glutDisplayFunc(displayView);
    glutReshapeFunc(reshapeView);
    startPromptRedraw(viewWindow.viewWindowId);
    glViewReady.store(true, std::memory_order_release);
    acceptRedisplayRequests(true);
    installWantedModel();
    // The new context holds none of the model's lists.
    if (currentModel)
        currentModel->invalidateLists();
    glutQarnRestoreHostContext();
}

void closeView()
{
    if (!glViewReady.load(std::memory_order_acquire))
        return;
    glViewReady.store(false, std::memory_order_release);
    acceptRedisplayRequests(false);
    stopPromptRedraw();
    glutDestroyWindow(viewWindow.viewWindowId);
    viewWindow.viewWindowId = 0;
    takeRedisplayRequest(); // a request for the old window means nothing to the next
}

void idleView()
{
    if (!glViewReady.load(std::memory_order_acquire))
        return;
    if (advanceAutoRotation())
        glutPostRedisplay();
    float percent = 0.0f;
    if (scoreReadout && practicePercentage(percent))
        scoreReadout(percent);
    if (takeRedisplayRequest())
        glutPostRedisplay();
    glutMainLoopUpdate();
}

void initGlState()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.5f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

void displayView()
{
    installWantedModel();
    // zoom is never clamped; 64 bits keep 100 - zoom defined at any value.
    const int64_t zoom = viewState.zoom;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, static_cast<GLsizei>(viewWindow.viewWidth), static_cast<GLsizei>(viewWindow.viewHeight));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, viewWindow.viewWidth / viewWindow.viewHeight, 1.0, static_cast<double>(100 - zoom));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, static_cast<float>((zoom - 100) / 2));
    glRotatef(static_cast<float>(viewState.spinAngle), 0.0f, 0.0f, 1.0f);
    glRotatef(static_cast<float>(viewState.angleY), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(viewState.angleX), 1.0f, 0.0f, 0.0f);
    if (currentModel)
        currentModel->draw();
    glFlush();
    glutSwapBuffers();
    noteFrameShown();
}

void reshapeView(int width, int height)
{
    viewWindow.viewWidth = static_cast<float>(width);
    viewWindow.viewHeight = static_cast<float>(height);
}
