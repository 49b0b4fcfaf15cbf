# cmake -DINPUT=file -DOUTPUT=file.cpp -DFUNCTION=name -P EmbedFile.cmake
# Writes a C++ source whose function zerlant::NAME() gives INPUT's bytes.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
"// Generated from ${INPUT} at build time.\n"
"#include <string_view>\n\n"
"namespace zerlant {\n\n"
"namespace {\nconst unsigned char kBytes[] = {\n${bytes}0};\n}  // namespace\n\n"
"std::string_view ${FUNCTION}() {\n"
"    return {reinterpret_cast<const char*>(kBytes), sizeof kBytes - 1};\n}\n\n"
"}  // namespace zerlant\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
