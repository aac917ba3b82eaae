# Writes OUTPUT, a C++ file that holds every file below SOURCE_DIR as bytes:
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -P embed_help.cmake
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.md ${SOURCE_DIR}/*.tsv)
list(SORT files)
set(body "")
set(table "")
set(index 0)
foreach(name ${files})
  file(READ ${SOURCE_DIR}/${name} hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR length "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND body "const unsigned char file${index}[] = {\n${bytes}0};\n")
  string(APPEND table "        {\"${name}\", std::string_view(reinterpret_cast<const char*>(file${index}), ${length})},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp "// Generated from resources/help by scripts/embed_help.cmake; do not edit.
#include \"help/embedded_files.h\"

namespace verdin::help {

namespace {
${body}}  // namespace

const std::vector<EmbeddedFile>& embeddedFiles() {
    static const std::vector<EmbeddedFile> files = {
${table}    };
    return files;
}

}  // namespace verdin::help
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
