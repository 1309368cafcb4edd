# Writes the factory presets' source as a C++ table of names and values,
# for the binaries that show the panel. Run in CMake's script mode:
#   cmake -DSOURCE=presets.txt -DOUTPUT=FactoryPresetTable.cpp -P PresetTable.cmake
# CMake runs on the machine that builds, so a cross build writes the table as
# a native one does, with no program of ours to run. The native build's
# make_preset_files reads the same source with the strict parser, and a test
# holds this table equal to what that parser reads.
if(NOT SOURCE OR NOT OUTPUT)
  message(FATAL_ERROR "PresetTable.cmake needs -DSOURCE=FILE and -DOUTPUT=FILE")
endif()

set(name_limit 23)
set(value_count 9)
# A number as the source writes it: digits with at most one point, and an
# exponent; no sign, since every value lies from 0 to 1.
set(number "^([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][-+]?[0-9]+)?$")

file(STRINGS ${SOURCE} lines)
set(rows "")
set(count 0)
set(line_number 0)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  string(FIND "${line}" "#" hash)
  if(hash GREATER -1)
    string(SUBSTRING "${line}" 0 ${hash} line)
  endif()
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  string(FIND "${line}" "|" bar)
  if(bar EQUAL -1)
    message(FATAL_ERROR "${SOURCE}:${line_number}: expected NAME | nine values")
  endif()
  string(SUBSTRING "${line}" 0 ${bar} name)
  math(EXPR after "${bar} + 1")
  string(SUBSTRING "${line}" ${after} -1 values)
  string(STRIP "${name}" name)
  string(LENGTH "${name}" length)
  # CMake's lists are split at semicolons, so a name may not hold one.
  if(length EQUAL 0 OR length GREATER name_limit OR NOT name MATCHES "^[ -:<-~]+$")
    message(FATAL_ERROR "${SOURCE}:${line_number}: the name must be 1 to ${name_limit} plain ASCII characters, no semicolon")
  endif()
  string(REGEX MATCHALL "[^ \t]+" tokens "${values}")
  list(LENGTH tokens n)
  if(NOT n EQUAL value_count)
    message(FATAL_ERROR "${SOURCE}:${line_number}: ${n} values where ${value_count} are needed")
  endif()
  set(literals "")
  foreach(token IN LISTS tokens)
    if(NOT token MATCHES "${number}" OR token GREATER 1)
      message(FATAL_ERROR "${SOURCE}:${line_number}: \"${token}\" is not a number from 0 to 1")
    endif()
    # A C++ float literal of the very text the source has, so the compiler
    # rounds it as strtof rounds the text: "1" becomes 1.0f, "0.35" 0.35f.
    if(NOT token MATCHES "[.eE]")
      set(token "${token}.0")
    endif()
    list(APPEND literals "${token}f")
  endforeach()
  string(REPLACE "\\" "\\\\" name "${name}")
  string(REPLACE "\"" "\\\"" name "${name}")
  list(JOIN literals ", " joined)
  string(APPEND rows "    {\"${name}\", {${joined}}},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${SOURCE}: no presets")
endif()

set(text "// Written by the build from presets/presets.txt; edit that.
#include \"presets/FactoryPresets.h\"

const FactoryPreset factoryPresets[] = {
${rows}};
const int32_t factoryPresetCount = ${count};
")
# Left alone when unchanged, so that nothing is compiled again for nothing.
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} previous)
  if(previous STREQUAL text)
    return()
  endif()
endif()
file(WRITE ${OUTPUT} "${text}")
