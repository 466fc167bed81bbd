#pragma once
// Where a render's frames go: a folder of numbered PNGs or an MP4. Frames
// arrive in order, all of the first frame's size.
#include "host/engine/RgbImage.h"

#include <string>

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Each answers false with a one-line `error`; the render then stops.
    virtual bool write(const RgbImage& frame, std::string& error) = 0;
    // After the last frame: everything is on disk when it answers true.
    virtual bool finish(std::string& error) = 0;
};

// frame-000000.png, frame-000001.png ... in a folder, which is made when
// missing. Numbered frames left there by an earlier render are removed first,
// so the folder holds exactly this render's frames.
class PngFolderSink : public FrameSink {
public:
    explicit PngFolderSink(std::string folder);
    bool prepare(std::string& error);
    bool write(const RgbImage& frame, std::string& error) override;
    bool finish(std::string& error) override;

    // The name of frame `index` in the folder.
    static std::string frameName(long long index);

private:
    std::string folder;
    long long written = 0;
};
