-- Run by ardour7-lua for scripts/ardour-smoke.sh:
--   ardour7-lua play-notes.lua SESSION-FOLDER PLUGIN SECONDS [FORMAT]
-- Creates a session (Ardour's headless "None (Dummy)" engine), puts a MIDI
-- track in it with the test note source and then the plug-in: for FORMAT
-- LXVST (the default) the VST 2 plug-in of that name (found through
-- LXVST_PATH and the scan cache), for LV2 the plug-in of that URI (found
-- through LV2_PATH), for VST3 the VST 3 plug-in of that name (found
-- through VST3_PATH and the scan cache); rolls the transport for SECONDS and closes the session. Prints "play-notes: done" when every
-- step worked; an error ends the script with a message.
-- Flushed at once: a plug-in that faults ends the process before any buffer
-- would be written out.
local function say (text)
    io.stdout:write ("play-notes: " .. text .. "\n")
    io.stdout:flush ()
end

local folder, plugin_name, seconds, format = arg[1], arg[2], tonumber (arg[3]), arg[4] or "LXVST"
assert (folder and plugin_name and seconds, "usage: play-notes.lua SESSION-FOLDER PLUGIN SECONDS [FORMAT]")
assert (ARDOUR.PluginType[format], "play-notes: no plug-in format '" .. format .. "'")

local session = create_session (folder, "smoke", 48000)
assert (session, "play-notes: no session in " .. folder)
local midi = ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1)
local audio = ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2)
local tracks = Session:new_midi_track (midi, audio, true, ARDOUR.PluginInfo (), nil, nil, 1, "Notes",
    ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
assert (tracks:size () == 1, "play-notes: no MIDI track")
local track = tracks:front ()

local notes = ARDOUR.LuaAPI.new_luaproc (Session, "Qarn Test Notes")
assert (not notes:isnil (), "play-notes: the note source (qarn_test_notes.lua) is not installed")
local plugin = ARDOUR.LuaAPI.new_plugin (Session, plugin_name, ARDOUR.PluginType[format], "")
assert (not plugin:isnil (), "play-notes: Ardour does not know the plug-in '" .. plugin_name .. "'")
assert (track:add_processor_by_index (notes, 0, nil, true) == 0, "play-notes: the note source was refused")
assert (track:add_processor_by_index (plugin, 1, nil, true) == 0, "play-notes: the plug-in was refused")
say ("'" .. plugin_name .. "' on the track after the note source")

Session:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
os.execute ("sleep " .. seconds)
say (string.format ("rolled to %.2f s", Session:transport_sample () / Session:nominal_sample_rate ()))
Session:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
os.execute ("sleep 0.5")
close_session ()
say ("done")
