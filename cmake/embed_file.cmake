# Writes a C++ source that holds the bytes of INPUT as the array SYMBOL.
# Run as: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P embed_file.cmake
if(NOT EXISTS "${INPUT}")
  message(FATAL_ERROR "embedded data file missing: ${INPUT}")
endif()
file(READ "${INPUT}" hex HEX)
file(SIZE "${INPUT}" size)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('[^']*',){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <cstddef>\n"
  "extern const char ${SYMBOL}[];\n"
  "extern const std::size_t ${SYMBOL}Size;\n"
  "const char ${SYMBOL}[] = {\n${bytes}0};\n"
  "const std::size_t ${SYMBOL}Size = ${size};\n")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
