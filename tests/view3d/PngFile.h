#pragma once
// Reading and writing the reference pictures: 8-bit RGB PNG, rows from the
// top. The view's alpha channel is not kept (the window shows no alpha), and
// pictures read back get an opaque one.
#include "tests/view3d/RenderHarness.h"

#include <string>

bool writePng(const std::string& path, const Image& image);
// An empty image when the file is missing or unreadable.
Image readPng(const std::string& path);
