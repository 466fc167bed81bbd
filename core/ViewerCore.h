#pragma once
// The plug-in as every format sees it: the instrument shown, the blocks of
// MIDI it is sent, its editor, and how it names itself. A format's adapter owns one core
// per instance and turns its host's calls into these; nothing here knows a
// plug-in format.
//
// The note table, the practice state, the view state and the current model
// are process-wide and shared by every instance: selecting an instrument in
// one instance selects it in all. The core's own state is the instance's
// diagnostic log (core/DiagnosticLog.h).
//
// Threads: receiveMidi on the host's processing thread; the editor's calls on
// the host's user-interface thread; everything else on any thread. None of
// them but the editor's touches a model (view3d/ModelSwap.h).
#include "core/DiagnosticLog.h"
#include "core/EditorPort.h"
#include "core/Programs.h"
#include "core/SavedView.h"
#include "intake/MidiIntake.h"

#include <cstdint>
#include <memory>

class ViewerCore {
public:
    static constexpr int32_t instrumentCount = viewerProgramCount;
    // What a new instance shows: the 88-key piano.
    static constexpr int32_t defaultInstrument = 3;

    // How hosts list the plug-in.
    static constexpr char productName[] = "Qarn Viewer";
    static constexpr char vendorName[] = "Qarn";
    // The release version as one number, major * 1000000 + minor * 10000 +
    // patch * 100 (core/ReleaseVersion.h).
    static int32_t versionNumber();
    // The same as hosts show it, "1.2.3".
    static const char* versionText();

    // Counts the instance in, reads QARN_LOG for its diagnostic log and makes
    // the editor with `makeEditor` (none with a null maker, or when the maker
    // answers null: hasEditor says which).
    explicit ViewerCore(EditorPortMaker makeEditor = nullptr);
    // Closes and destroys the editor. Then the last instance alive frees the
    // current model; any other leaves the survivors' instrument as it is.
    ~ViewerCore();

    ViewerCore(const ViewerCore&) = delete;
    ViewerCore& operator=(const ViewerCore&) = delete;

    // Records instrument 0..instrumentCount - 1 as the wanted one and asks the
    // view to redraw; the thread that draws the view builds its model before
    // the next frame. False, and nothing changed, for any other number.
    bool selectInstrument(int32_t instrument);
    // The wanted instrument, at once, before its model is built.
    static int32_t selectedInstrument();
    // The name of an instrument (its model's name), at most `capacity` bytes
    // with the terminating zero; empty for a number that is no instrument.
    static void instrumentName(int32_t instrument, char* name, int capacity);
    // The instrument a host's text names: its name as instrumentName writes
    // it, or its number; -1 for any other text.
    static int32_t instrumentOfText(const char* text);

    // The view as a host keeps it in its project (core/SavedView.h).
    static void saveView(uint8_t (&bytes)[savedViewSize]);
    // Shows a saved view: its instrument, camera, toggles and scoring rule; a
    // changed rule starts a new practice run. False, and nothing changed, for
    // bytes that are no saved view. User-interface thread.
    bool restoreView(const void* bytes, size_t size);

    // A block of MIDI from a host that sends one when it has events, as a
    // VST 2 host does: every block asks the view for a frame, even one with no
    // notes. Allocates nothing, takes no lock.
    void receiveMidi(const MidiMessageBlock& block);
    // The same for a host that hands over a block at every processing cycle,
    // events or not, as CLAP, VST 3 and LV2 hosts do: a block with no entries
    // and no transport change is passed over, for each would ask the view for
    // a frame, which a note then waits behind.
    void receiveMidiSkippingEmpty(const MidiMessageBlock& block);

    bool hasEditor() const { return editor != nullptr; }
    // Opens the editor in the host's window; an editor already open is closed
    // first, so a host that opens twice gets one editor. False without an
    // editor or when it could not open.
    bool openEditor(void* parentWindow);
    // Passed on only while the editor is open.
    void idleEditor();
    void closeEditor();
    // The editor's size, open or not; false, and nothing written, without one.
    bool editorSize(int32_t& width, int32_t& height) const;

    // Whether closing the instance writes a diagnostic line, so that an
    // adapter asks its host for a description only then.
    bool logsAtClose() const { return diagnosticLog.enabled(); }
    // At close: appends the instance's diagnostic line, when the log is on.
    void writeDiagnosticLine(const HostDescription& host) const { diagnosticLog.append(host); }

private:
    DiagnosticLog diagnosticLog;
    std::unique_ptr<EditorPort> editor;
    bool editorOpen = false;
};
