# Writes a source file that holds each image file as a byte array and hands
# it to the soft platform under its numeric id before main runs.
# Arguments: IDS and FILES (comma-separated, in the same order), OUT.
string(REPLACE "," ";" ids "${IDS}")
string(REPLACE "," ";" files "${FILES}")
set(text "#include \"gui/platform/EmbeddedImages.h\"\n\nnamespace {\n\n")
set(calls "")
foreach(id file IN ZIP_LISTS ids files)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND text "const unsigned char image${id}[] = {\n${bytes}};\n\n")
  string(APPEND calls "        platform::registerEmbeddedImage(${id}, image${id}, sizeof image${id});\n")
endforeach()
string(APPEND text "struct Registration {\n    Registration() {\n${calls}    }\n} registration;\n\n}  // namespace\n")
file(WRITE ${OUT}.tmp "${text}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
