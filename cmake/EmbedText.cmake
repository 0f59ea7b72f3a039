# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P EmbedText.cmake
# Writes the bytes of INPUT as a character array, so any content (quotes, UTF-8) survives.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.\n"
"#include <string_view>\n\n"
"namespace kalvero {\n"
"namespace {\n"
"constexpr char kBytes[] = {\n    ${bytes}'\\0'};\n"
"}  // namespace\n\n"
"extern const std::string_view ${SYMBOL};\n"
"const std::string_view ${SYMBOL}{kBytes, ${byteCount}};\n\n"
"}  // namespace kalvero\n")
