// Writes the bundle's description, manifest.ttl and QarnViewer.ttl, from the
// facts the libraries themselves use: the URIs and ports
// (formats/lv2/Lv2Ports.h), and the names, instruments and version of the
// core. The build runs it into the bundle's folder:
//
//   qarn_lv2_describe BUNDLE-FOLDER PLUGIN-LIBRARY UI-LIBRARY
//
// The release version major.minor.patch is written as LV2's minor and micro
// version; the major version belongs to the URI.
#include "core/ViewerCore.h"
#include "formats/lv2/Lv2Ports.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

const char prefixes[] = R"(@prefix atom: <http://lv2plug.in/ns/ext/atom#> .
@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .
@prefix doap: <http://usefulinc.com/ns/doap#> .
@prefix foaf: <http://xmlns.com/foaf/0.1/> .
@prefix lv2: <http://lv2plug.in/ns/lv2core#> .
@prefix midi: <http://lv2plug.in/ns/ext/midi#> .
@prefix opts: <http://lv2plug.in/ns/ext/options#> .
@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .
@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .
@prefix state: <http://lv2plug.in/ns/ext/state#> .
@prefix time: <http://lv2plug.in/ns/ext/time#> .
@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .
@prefix urid: <http://lv2plug.in/ns/ext/urid#> .

)";

// A Turtle string literal.
std::string literal(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string iri(const char* uri)
{
    return std::string("<") + uri + ">";
}

void writeManifest(std::ostream& out, const std::string& plugin, const std::string& ui)
{
    out << prefixes;
    out << iri(lv2PluginUri) << "\n    a lv2:Plugin ;\n    lv2:binary <" << plugin
        << "> ;\n    rdfs:seeAlso <QarnViewer.ttl> .\n\n";
    out << iri(lv2UiUri) << "\n    a ui:X11UI ;\n    ui:binary <" << ui << "> ;\n    rdfs:seeAlso <QarnViewer.ttl> .\n";
}

void writeInstrumentPort(std::ostream& out)
{
    out << "        a lv2:InputPort , lv2:ControlPort ;\n"
        << "        lv2:index " << lv2InstrumentPort << " ;\n"
        << "        lv2:symbol \"instrument\" ;\n        lv2:name \"Instrument\" ;\n"
        << "        lv2:default " << ViewerCore::defaultInstrument << " ;\n        lv2:minimum 0 ;\n"
        << "        lv2:maximum " << ViewerCore::instrumentCount - 1 << " ;\n"
        << "        lv2:portProperty lv2:integer , lv2:enumeration ;\n        lv2:scalePoint";
    for (int32_t instrument = 0; instrument < ViewerCore::instrumentCount; ++instrument) {
        char name[64];
        ViewerCore::instrumentName(instrument, name, sizeof name);
        out << (instrument == 0 ? " " : " , ") << "[\n            rdfs:label " << literal(name)
            << " ;\n            rdf:value " << instrument << "\n        ]";
    }
    out << "\n";
}

void writeAtomPort(
    std::ostream& out, const char* direction, Lv2Port index, const char* symbol, const char* name, const char* supports)
{
    out << "        a lv2:" << direction << " , atom:AtomPort ;\n"
        << "        atom:bufferType atom:Sequence ;\n        atom:supports " << supports << " ;\n"
        << "        lv2:index " << index << " ;\n        lv2:symbol " << literal(symbol) << " ;\n        lv2:name "
        << literal(name) << "\n";
}

void writeDescription(std::ostream& out)
{
    const int32_t version = ViewerCore::versionNumber();
    out << prefixes;
    out << iri(lv2ViewPropertyUri) << "\n    a rdf:Property ;\n    rdfs:label \"saved view\" ;\n"
        << "    rdfs:comment \"The instrument, camera and toggles as the view showed them: a record of 24 bytes, "
           "layout version first.\" ;\n    rdfs:range atom:Chunk .\n\n";
    out << iri(lv2ViewRequestUri) << "\n    a rdfs:Class ;\n    rdfs:label \"view request\" ;\n"
        << "    rdfs:comment \"Sent by the user interface, with no body, for the plug-in's saved view.\" .\n\n";
    out << iri(lv2TransportMovedUri) << "\n    a rdfs:Class ;\n    rdfs:label \"transport moved\" ;\n"
        << "    rdfs:comment \"Sent to the user interface, with no body, when the host's transport started, stopped or "
           "jumped.\" .\n\n";

    out << iri(lv2PluginUri) << "\n    a lv2:Plugin , lv2:InstrumentPlugin ;\n"
        << "    doap:name " << literal(ViewerCore::productName) << " ;\n"
        << "    doap:maintainer [ foaf:name " << literal(ViewerCore::vendorName) << " ] ;\n"
        << "    lv2:minorVersion " << version / 10000 % 100 << " ;\n"
        << "    lv2:microVersion " << version / 100 % 100 << " ;\n"
        << "    lv2:requiredFeature urid:map ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable , opts:options ;\n"
        << "    opts:supportedOption bufsz:nominalBlockLength , bufsz:maxBlockLength ;\n"
        << "    lv2:extensionData state:interface ;\n"
        << "    ui:ui " << iri(lv2UiUri) << " ;\n    lv2:port [\n";
    writeAtomPort(out, "InputPort", lv2MidiInPort, "midi_in", "MIDI In", "midi:MidiEvent , time:Position");
    out << "    ] , [\n";
    writeInstrumentPort(out);
    out << "    ] , [\n";
    // Not marked as MIDI, though it carries the notes: hosts would take it
    // for a MIDI output and pass the notes on down the track.
    writeAtomPort(out, "OutputPort", lv2NotifyPort, "notify", "To the view", "atom:Chunk");
    out << "    ] , [\n";
    writeAtomPort(out, "InputPort", lv2ViewInPort, "view_in", "From the view", "atom:Chunk");
    out << "    ] .\n\n";

    out << iri(lv2UiUri) << "\n    a ui:X11UI ;\n"
        << "    lv2:requiredFeature urid:map , ui:parent , ui:idleInterface ;\n"
        // The editor keeps one size: hosts announce it and keep the user from
        // changing it.
        << "    lv2:optionalFeature ui:resize , ui:noUserResize ;\n"
        << "    lv2:extensionData ui:idleInterface ;\n"
        << "    ui:portNotification [\n        ui:plugin " << iri(lv2PluginUri)
        << " ;\n        lv2:symbol \"notify\" ;\n        ui:protocol atom:eventTransfer\n"
        << "    ] , [\n        ui:plugin " << iri(lv2PluginUri)
        << " ;\n        lv2:symbol \"instrument\" ;\n        ui:protocol ui:floatProtocol\n    ] .\n";
}

bool writeFile(const std::string& path, const std::ostringstream& text)
{
    std::ofstream out(path);
    out << text.str();
    out.close();
    if (!out)
        std::cerr << "qarn_lv2_describe: cannot write " << path << "\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: qarn_lv2_describe BUNDLE-FOLDER PLUGIN-LIBRARY UI-LIBRARY\n";
        return 2;
    }
    const std::string folder = argv[1];
    std::ostringstream manifest;
    writeManifest(manifest, argv[2], argv[3]);
    std::ostringstream description;
    writeDescription(description);
    const bool written =
        writeFile(folder + "/manifest.ttl", manifest) && writeFile(folder + "/QarnViewer.ttl", description);
    return written ? 0 : 1;
}
