ardour {
    ["type"]    = "dsp",
    name        = "Qarn Test Notes",
    category    = "Utility",
    license     = "MIT",
    author      = "Qarn",
    description = [[The note source of scripts/ardour-smoke.sh: a major triad four times a second, each on a root a semitone above the last (48 to 71, then again), the previous triad released as the next one starts.]]
}

function dsp_ioconfig ()
    return { { midi_in = 1, midi_out = 1, audio_in = 0, audio_out = 0 } }
end

function dsp_has_midi_input () return true end
function dsp_has_midi_output () return true end

local rate = 48000
local position = 0 -- samples played since the processor started
local step = 0
local held = {}

function dsp_init (sample_rate)
    rate = sample_rate
end

-- midiout times count from 1, the block's first sample.
function dsp_run (_, _, n_samples)
    local period = math.floor (rate / 4)
    local count = 0
    local function send (time, data)
        count = count + 1
        midiout[count] = { time = time, data = data }
    end
    local first = (period - position % period) % period + 1
    for offset = first, n_samples, period do
        for _, note in ipairs (held) do send (offset, { 0x80, note, 0 }) end
        local root = 48 + step % 24
        held = { root, root + 4, root + 7 }
        for _, note in ipairs (held) do send (offset, { 0x90, note, 100 }) end
        step = step + 1
    end
    position = position + n_samples
end
