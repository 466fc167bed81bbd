#include "view3d/GlView.h"

#include "glut/glut.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ModelSwap.h"
#include "view3d/PromptRedraw.h"
#include "view3d/ViewThread.h"
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

namespace {

// The windows' thread: creates the view's window in `parent` with its GL
// state and callbacks, marks it ready and swaps in the wanted program's model,
// which compiles its display lists in the new context. Leaves the new
// context current. Answers the window's id, or 0.
int createViewWindow(void* parent)
{
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    const int window =
        glutCreateQarnWindow(parent, viewPlacement.left, viewPlacement.top, viewPlacement.width, viewPlacement.height);
    // Without a window no context of ours is current: any GL state set now
    // would land in the host's context. The view then simply stays closed.
    if (window == 0)
        return 0;
    viewWindow.viewWindowId = window;
    initGlState();
    glutDisplayFunc(displayView);
    glutReshapeFunc(reshapeView);
    startPromptRedraw(window);
    glViewReady.store(true, std::memory_order_release);
    acceptRedisplayRequests(true);
    const auto hold = lockModel();
    installWantedModel();
    // The new context holds none of the model's lists.
    if (currentModel)
        currentModel->invalidateLists();
    return window;
}

// Whether the view has a thread of its own (view3d/ViewThread.h), decided by
// the platform once per process.
bool viewHasOwnThread()
{
    static const bool ownThread = glutQarnEventsNeedWaiting() != 0;
    return ownThread;
}

} // namespace

void openView(void* parent)
{
    closeView();
    viewWindow.viewWidth = static_cast<float>(viewPlacement.width);
    viewWindow.viewHeight = static_cast<float>(viewPlacement.height);
    if (viewHasOwnThread()) {
        startViewThread(createViewWindow, parent);
    } else if (createViewWindow(parent) != 0) {
        glutQarnRestoreHostContext();
    }
}

void closeView()
{
    if (!glViewReady.load(std::memory_order_acquire))
        return;
    glViewReady.store(false, std::memory_order_release);
    acceptRedisplayRequests(false);
    stopPromptRedraw();
    if (viewHasOwnThread())
        stopViewThread();
    else
        glutDestroyWindow(viewWindow.viewWindowId);
    viewWindow.viewWindowId = 0;
    takeRedisplayRequest(); // a request for the old window means nothing to the next
}

void idleView()
{
    if (!glViewReady.load(std::memory_order_acquire))
        return;
    const bool rotated = advanceAutoRotation();
    float percent = 0.0f;
    if (scoreReadout && practicePercentage(percent))
        scoreReadout(percent);
    // With a thread of its own the view is drawn there, woken by the request.
    if (viewHasOwnThread()) {
        if (rotated)
            requestRedisplay();
        return;
    }
    if (rotated)
        glutPostRedisplay();
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
    const auto hold = lockModel();
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
