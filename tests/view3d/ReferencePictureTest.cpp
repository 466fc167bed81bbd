// Each program at the default view, against a picture that a person has
// looked at: a piano seen from above, a flute lying across the view.
// scripts/update-view3d-references.sh draws them again after an intended change.
#include "tests/view3d/PngFile.h"
#include "tests/view3d/RenderHarness.h"

#include "core/Programs.h"
#include "view3d/InstrumentModel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::string referencePath(int program)
{
    return std::string(QARN_REFERENCE_DIR) + "/program" + std::to_string(program) + ".png";
}

bool updating()
{
    const char* update = std::getenv("QARN_UPDATE_REFERENCES");
    return update != nullptr && std::string(update) == "1";
}

TEST(ReferencePictures, EveryProgramLooksAsItDidWhenLastApproved)
{
    for (int program = 0; program < viewerProgramCount; ++program) {
        SCOPED_TRACE("program " + std::to_string(program));
        std::unique_ptr<InstrumentModel> model(buildProgramModel(program));
        ASSERT_NE(model, nullptr);
        RenderHarness view{model.get()};
        view.drawFrame();
        const Image picture = view.read();
        ASSERT_FALSE(picture.rgba.empty());
        if (updating()) {
            EXPECT_TRUE(writePng(referencePath(program), picture));
            continue;
        }
        const Image reference = readPng(referencePath(program));
        ASSERT_EQ(reference.width, viewPixelWidth) << "missing " << referencePath(program);
        ASSERT_EQ(reference.height, viewPixelHeight);
        // A few edge pixels may differ between Mesa versions; a part moved by
        // a fraction of a unit already differs in a hundred or more.
        EXPECT_LT(differingShare(picture, reference, 24), 0.0003);
    }
}

} // namespace
