# Writes a source file that holds the sans-serif faces the program carries,
# regular and bold, as byte arrays, for machines where fontconfig offers no
# face with Arial's metrics. Arguments: REGULAR, BOLD (font files), OUT.
set(text "#include \"gui/platform/soft/SoftText.h\"\n\nnamespace {\n\n")
foreach(name IN ITEMS REGULAR BOLD)
  file(READ ${${name}} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND text "const unsigned char face${name}[] = {\n${bytes}};\n\n")
endforeach()
string(APPEND text "}  // namespace\n\n"
  "platform::soft::EmbeddedFace platform::soft::embeddedSans(bool bold) {\n"
  "    return bold ? EmbeddedFace{faceBOLD, sizeof faceBOLD} : EmbeddedFace{faceREGULAR, sizeof faceREGULAR};\n"
  "}\n")
file(WRITE ${OUT}.tmp "${text}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
