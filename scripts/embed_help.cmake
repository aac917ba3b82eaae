# Writes OUTPUT, a C++ file that holds every file below SOURCE_DIR as bytes:
#   cmake -DSOURCE_DIR=... -DOUTPUT=... [-DEXTENSION=asm -DFUNCTION=embeddedExamples] -P embed_help.cmake
# Without EXTENSION the help's .md and .tsv files are taken, listed by embeddedFiles().
if(EXTENSION)
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.${EXTENSION})
else()
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.md ${SOURCE_DIR}/*.tsv)
endif()
if(NOT FUNCTION)
  set(FUNCTION embeddedFiles)
endif()
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
get_filename_component(folder ${SOURCE_DIR} NAME)
file(WRITE ${OUTPUT}.tmp "// Generated from ${folder}/ by scripts/embed_help.cmake; do not edit.
#include \"help/embedded_files.h\"

namespace verdin::help {

namespace {
${body}}  // namespace

const std::vector<EmbeddedFile>& ${FUNCTION}() {
    static const std::vector<EmbeddedFile> files = {
${table}    };
    return files;
}

}  // namespace verdin::help
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
