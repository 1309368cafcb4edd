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

std::string quoted(const char* text) { return std::string("\"") + text + "\""; }

std::string audioPort(uint32_t index) {
    const lv2port::AudioPortInfo& p = lv2port::audioPorts[index];
    return std::string("        a lv2:AudioPort, ") +
           (p.output ? "lv2:OutputPort" : "lv2:InputPort") + " ;\n        lv2:index " +
           std::to_string(index) + " ;\n        lv2:symbol " + quoted(p.symbol) +
           " ;\n        lv2:name " + quoted(p.name) + " ;\n";
}

std::string controlPort(int32_t parameter) {
    const ParameterInfo& p = parameterTable[parameter];
    std::string s = "        a lv2:InputPort, lv2:ControlPort ;\n        lv2:index " +
                    std::to_string(lv2port::portOf(parameter)) + " ;\n        lv2:symbol " +
                    quoted(p.symbol) + " ;\n        lv2:name " + quoted(p.lv2Name) +
                    " ;\n        lv2:default " + decimal(p.defaultValue) +
                    " ;\n        lv2:minimum " + decimal(p.minimum) + " ;\n        lv2:maximum " +
                    decimal(p.maximum) + " ;\n";
    if (p.toggle) s += "        lv2:portProperty lv2:toggled, lv2:integer ;\n";
    return s;
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
    s += std::string("<") + lv2port::pluginUri +
         ">\n"
         "    a lv2:Plugin, lv2:ReverbPlugin, doap:Project ;\n"
         "    doap:name \"Brellivaunt\" ;\n"
         "    doap:license <http://opensource.org/licenses/MIT> ;\n"
         "    doap:maintainer [ foaf:name \"Tarnwick Research\" ] ;\n"
         "    lv2:minorVersion " +
         std::to_string(facts.minorVersion) + " ;\n    lv2:microVersion " +
         std::to_string(facts.microVersion) +
         " ;\n"
         "    lv2:optionalFeature lv2:hardRTCapable ;\n"
         "    ui:ui <" +
         lv2port::uiUri + "> ;\n    lv2:port ";
    for (uint32_t port = 0; port < lv2port::count; ++port) {
        s += "[\n";
        s += port < lv2port::audioCount ? audioPort(port) : controlPort(lv2port::parameterOf(port));
        s += port + 1 < lv2port::count ? "    ] , " : "    ] .\n\n";
    }
    s += std::string("<") + lv2port::uiUri +
         ">\n"
         "    a ui:X11UI ;\n"
         "    lv2:requiredFeature ui:idleInterface, ui:parent ;\n"
         "    lv2:optionalFeature ui:resize, ui:touch, ui:noUserResize, urid:map, opts:options ;\n"
         "    lv2:extensionData ui:idleInterface ;\n"
         "    opts:supportedOption ui:scaleFactor .\n";
    return s;
}
