#include "lv2/Turtle.h"

#include <cstdio>
#include <cstring>

#include "lv2/Ports.h"

namespace {

const char* prefixes =
    "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix opts:  <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix pg:    <http://lv2plug.in/ns/ext/port-groups#> .\n"
    "@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n\n";

// A decimal as Turtle reads one: always with a point, never an exponent.
std::string decimal(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    std::string s = text;
    while (s.size() > 1 && s.back() == '0' && s[s.size() - 2] != '.') s.pop_back();
    return s;
}

// A Turtle string: quotes and backslashes escaped.
std::string quoted(const char* text) {
    std::string s = "\"";
    for (const char* c = text; *c; ++c) {
        if (*c == '"' || *c == '\\') s += '\\';
        s += *c;
    }
    return s + "\"";
}

std::string uri(const char* text) { return std::string("<") + text + ">"; }

// What hosts show beside a port.
std::string comment(const char* text) { return "        rdfs:comment " + quoted(text) + " ;\n"; }

// The labels generic UIs show for a switch's two values.
const char* offOn =
    "        lv2:scalePoint [ rdfs:label \"Off\" ; rdf:value 0.0 ] ,\n"
    "            [ rdfs:label \"On\" ; rdf:value 1.0 ] ;\n";

std::string audioPort(uint32_t index) {
    const lv2port::AudioPortInfo& p = lv2port::audioPorts[index];
    const lv2port::GroupInfo& group = p.output ? lv2port::outputGroup : lv2port::inputGroup;
    return std::string("        a lv2:AudioPort, ") +
           (p.output ? "lv2:OutputPort" : "lv2:InputPort") + " ;\n        lv2:index " +
           std::to_string(index) + " ;\n        lv2:symbol " + quoted(p.symbol) +
           " ;\n        lv2:name " + quoted(p.name) + " ;\n" + comment(p.comment) +
           "        pg:group " + uri(group.uri) + " ;\n        lv2:designation " +
           (p.left ? "pg:left" : "pg:right") + " ;\n";
}

std::string controlPort(int32_t parameter) {
    const ParameterInfo& p = parameterTable[parameter];
    std::string s = "        a lv2:InputPort, lv2:ControlPort ;\n        lv2:index " +
                    std::to_string(lv2port::portOf(parameter)) + " ;\n        lv2:symbol " +
                    quoted(p.symbol) + " ;\n        lv2:name " + quoted(p.lv2Name) +
                    " ;\n        lv2:default " + decimal(p.defaultValue) +
                    " ;\n        lv2:minimum " + decimal(p.minimum) + " ;\n        lv2:maximum " +
                    decimal(p.maximum) + " ;\n" + comment(p.comment);
    if (p.toggle) s += std::string("        lv2:portProperty lv2:toggled, lv2:integer ;\n") + offOn;
    return s;
}

// Optional, so a host that knows no bypass need not connect it.
std::string enabledPort() {
    const lv2port::SwitchPortInfo& p = lv2port::enabledPort;
    return "        a lv2:InputPort, lv2:ControlPort ;\n        lv2:index " +
           std::to_string(lv2port::enabled) + " ;\n        lv2:symbol " + quoted(p.symbol) +
           " ;\n        lv2:name " + quoted(p.name) + " ;\n        lv2:default " +
           decimal(p.defaultValue) + " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0 ;\n" +
           comment(p.comment) +
           "        lv2:designation lv2:enabled ;\n"
           "        lv2:portProperty lv2:toggled, lv2:integer, lv2:connectionOptional ;\n" +
           offOn;
}

std::string port(uint32_t index) {
    if (index < lv2port::audioCount) return audioPort(index);
    if (index == lv2port::enabled) return enabledPort();
    return controlPort(lv2port::parameterOf(index));
}

std::string group(const lv2port::GroupInfo& g, const char* kind, const char* extra) {
    return uri(g.uri) + "\n    a " + kind + ", pg:StereoGroup ;\n    lv2:symbol " +
           quoted(g.symbol) + " ;\n    rdfs:label " + quoted(g.name) + extra + " .\n\n";
}

}  // namespace

std::string manifestTurtle(const BundleFacts& facts) {
    std::string s = prefixes;
    s += std::string("<") + lv2port::pluginUri + ">\n    a lv2:Plugin ;\n    lv2:binary <" +
         facts.dspBinary + "> ;\n    rdfs:seeAlso <" + facts.description + "> .\n\n";
    s += std::string("<") + lv2port::uiUri + ">\n    a ui:X11UI ;\n    ui:binary <" +
         facts.uiBinary + "> ;\n    rdfs:seeAlso <" + facts.description + "> .\n";
    return s;
}

std::string descriptionTurtle(const BundleFacts& facts) {
    std::string s = prefixes;
    s += uri(lv2port::pluginUri) +
         "\n"
         "    a lv2:Plugin, lv2:ReverbPlugin, doap:Project ;\n"
         "    doap:name \"Brellivaunt\" ;\n"
         "    rdfs:comment " +
         quoted(lv2port::pluginComment) +
         " ;\n"
         "    doap:license <http://opensource.org/licenses/MIT> ;\n"
         "    doap:maintainer [ foaf:name \"Tarnwick Research\" ] ;\n"
         "    lv2:minorVersion " +
         std::to_string(facts.minorVersion) + " ;\n    lv2:microVersion " +
         std::to_string(facts.microVersion) +
         " ;\n"
         "    lv2:optionalFeature lv2:hardRTCapable ;\n"
         "    pg:mainInput " +
         uri(lv2port::inputGroup.uri) + " ;\n    pg:mainOutput " + uri(lv2port::outputGroup.uri) +
         " ;\n    ui:ui " + uri(lv2port::uiUri) + " ;\n    lv2:port ";
    for (uint32_t index = 0; index < lv2port::count; ++index) {
        s += "[\n" + port(index);
        s += index + 1 < lv2port::count ? "    ] , " : "    ] .\n\n";
    }
    s += group(lv2port::inputGroup, "pg:InputGroup", "");
    s += group(lv2port::outputGroup, "pg:OutputGroup",
               (" ;\n    pg:source " + uri(lv2port::inputGroup.uri)).c_str());
    // Without a parent window from the host, the panel opens a window of
    // its own when the host asks to show it.
    s += uri(lv2port::uiUri) +
         "\n"
         "    a ui:X11UI ;\n"
         "    lv2:requiredFeature ui:idleInterface ;\n"
         "    lv2:optionalFeature ui:parent, ui:resize, ui:touch, ui:noUserResize, urid:map,\n"
         "        opts:options ;\n"
         "    lv2:extensionData ui:idleInterface, ui:showInterface ;\n"
         "    opts:supportedOption ui:scaleFactor .\n";
    return s;
}
