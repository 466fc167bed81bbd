#pragma once
// A 600 x 400 double-buffered window with a depth buffer, as the view makes,
// for the off-screen tests; they fail loudly where off-screen GL is missing.
#include <gtest/gtest.h>

#include "glut/glut.h"

class OffscreenWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
        window = glutCreateQarnWindow(nullptr, 100, 100, 600, 400);
        ASSERT_NE(window, 0) << "no off-screen GL window: EGL with Mesa's surfaceless platform is not usable";
    }
    void TearDown() override { glutDestroyWindow(window); }

    int window = 0;
};
