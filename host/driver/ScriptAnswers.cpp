#include "host/driver/ScriptAnswers.h"

#include "host/engine/vst2/Vst2Plugin.h"

#include <cstdio>

namespace {

std::string fourCharacters(int32_t value)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((value >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value));
            return hex;
        }
        text += c;
    }
    return text;
}

// What only a VST 2 effect can answer: its dispatcher's answers and its record.
std::string vst2Answer(Vst2Plugin& plugin, const Query& query)
{
    AEffect* effect = plugin.effect();
    char text[64];
    switch (query.kind) {
    case QueryKind::CanDo:
        return std::to_string(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(query.args[0].c_str())));
    case QueryKind::NumPrograms: return std::to_string(effect->numPrograms);
    case QueryKind::NumParams: return std::to_string(effect->numParams);
    case QueryKind::NumInputs: return std::to_string(effect->numInputs);
    case QueryKind::NumOutputs: return std::to_string(effect->numOutputs);
    case QueryKind::Flags: std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(effect->flags)); return text;
    case QueryKind::UniqueId: return fourCharacters(effect->uniqueID);
    case QueryKind::Version: return std::to_string(effect->version);
    case QueryKind::EditorRect: {
        ERect* rect = nullptr;
        if (!plugin.dispatch(effEditGetRect, 0, 0, &rect) || !rect)
            return "none";
        return std::to_string(rect->right - rect->left) + " " + std::to_string(rect->bottom - rect->top);
    }
    case QueryKind::WantMidi: return std::to_string(plugin.wantMidiRequests());
    case QueryKind::EffectName: return plugin.textAnswer(effGetEffectName);
    case QueryKind::VendorString: return plugin.textAnswer(effGetVendorString);
    case QueryKind::ProductString: return plugin.textAnswer(effGetProductString);
    case QueryKind::VendorVersion: return std::to_string(plugin.dispatch(effGetVendorVersion));
    default: return "";
    }
}

} // namespace

std::string answerQuery(HostSession& session, const PracticeCompanion& companion, const Query& query)
{
    LoadedPlugin& plugin = *session.plugin();
    char text[64];
    switch (query.kind) {
    case QueryKind::Program: return std::to_string(plugin.selectedProgram());
    case QueryKind::ProgramName: return plugin.programName();
    case QueryKind::EditorOpen: return std::to_string(session.editorOpenAnswer());
    case QueryKind::WindowSize: {
        int width = 0;
        int height = 0;
        session.windowSize(width, height);
        return std::to_string(width) + " " + std::to_string(height);
    }
    case QueryKind::PracticePercentage: {
        float percent = 0.0f;
        if (!companion.count().percentage(percent))
            return "n/a";
        std::snprintf(text, sizeof text, "%.2f", percent);
        return text;
    }
    case QueryKind::Awaited: {
        std::string notes;
        for (int note : session.songTransport().playerWait().awaitedNotes())
            notes += (notes.empty() ? "" : " ") + std::to_string(note);
        return notes.empty() ? "none" : notes;
    }
    case QueryKind::SongBar: return std::to_string(session.songTransport().songBar());
    case QueryKind::ReportCount: {
        int32_t count = 0;
        if (!practiceReportCount(companion.count().summary(), query.args[0], count))
            return "unknown report count \"" + query.args[0] + "\"; one of " + practiceReportCountNames();
        return std::to_string(count);
    }
    case QueryKind::Pixel: {
        RgbImage image;
        std::string error;
        if (!session.capture(image, error))
            return "error: " + error;
        const std::string colour = image.colourAt(std::stoi(query.args[0]), std::stoi(query.args[1]));
        return colour.empty() ? "outside the window" : colour;
    }
    default: {
        auto* vst2 = dynamic_cast<Vst2Plugin*>(&plugin);
        return vst2 ? vst2Answer(*vst2, query) : "n/a: a question for a VST 2 plug-in";
    }
    }
}
