#include "host/player/Player.h"

#include <cstdio>

int playUntilClosed(HostSession& session, PracticeCompanion& companion)
{
    session.openEditor();
    const bool hasSong = session.songSchedule() != nullptr;
    if (hasSong)
        session.play();
    const Transport& transport = session.songTransport();
    const uint32_t endsBefore = transport.songEnds();
    while (session.wait(50)) {
        if (hasSong && !transport.isPlaying() && transport.songEnds() != endsBefore) {
            std::string error;
            if (!companion.finishReport(error))
                std::fprintf(stderr, "QarnHost: %s\n", error.c_str());
        }
    }
    return 0;
}
