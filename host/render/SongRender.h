#pragma once
// The host's offline render: the song played into the plug-in in song time,
// one picture of the whole editor window (panel and 3-D view) per video
// frame, into a folder of numbered PNGs or an MP4 with an optional sound
// track. Runs on the user-interface thread after the script's steps, which
// set the view up. For each frame the plug-in gets exactly the song's
// messages up to that frame's time (host/FrameClock.h), then one editor idle,
// then the window is captured; the paced processing thread is stopped first,
// so neither it nor the clock reaches the pictures, and the same song and
// options give the same frames, byte for byte.
#include "host/render/RenderOptions.h"
#include "host/engine/SongSchedule.h"
#include "host/driver/PanelPresses.h"
#include "host/engine/HostSession.h"

// Answers the host's exit status: 0 rendered, 1 failed during the render,
// 2 the output or ffmpeg could not be used.
int renderSong(HostSession& session, PanelPresses& panel, const SongSchedule& song, const RenderOptions& options);
