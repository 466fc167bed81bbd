#pragma once
// How other threads wake a GLX window: an eventfd per window, which the
// windows' thread polls. Writing to it never blocks, locks or allocates, so
// the processing thread may wake the view.
//
// A channel outlives its window: wake targets are pointers to channels in a
// fixed table, so a thread still holding the target of a destroyed window
// writes to nothing (or wakes a newer window once, which is harmless), never
// to a descriptor the host has since reused.

struct WakeChannel;

// The windows' thread: a free channel with a new eventfd; null when none is
// free or the eventfd cannot be made.
WakeChannel* openWakeChannel();
// The windows' thread: closes the channel's eventfd once no thread is
// writing to it any more. Null is ignored.
void closeWakeChannel(WakeChannel* channel);

// Any thread: one wake.
void wakeChannel(WakeChannel* channel);

// The windows' thread: the descriptor to poll (-1 for none).
int wakeChannelDescriptor(const WakeChannel* channel);
// The windows' thread: whether wakes arrived since the last call.
bool takeChannelWakes(WakeChannel* channel);
