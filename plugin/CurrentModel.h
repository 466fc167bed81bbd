#pragma once
// The one instrument the 3-D view shows, shared by every instance of the
// plug-in in the process. Owned by the plug-in: replaced by program changes,
// destroyed with the plug-in, empty after a failed allocation. Read and
// written on the user-interface thread only.
class InstrumentModel;

extern InstrumentModel* currentModel;
