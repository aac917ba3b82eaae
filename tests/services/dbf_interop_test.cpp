// A table written by an independent dBASE implementation (Debian's python3-dbf made
// fixtures/people.dbf, see make_people_dbf.py) is opened, browsed and changed by a
// Verdin program (fixtures/people.asm); another independent reader (python3-dbfread) checks the result.
#include <cstdio>

#include "dbf_test_support.h"
#include "files/source_file.h"
#include "services/services.h"

namespace verdin::test {
namespace {

const char* const kPython = "/usr/bin/python3";
const std::string kFixtures = std::string(VERDIN_SOURCE_DIR) + "/tests/services/fixtures/";

using DbaseInterop = DbfServices;

// The records as dbfread sees them, one "NAME|AGE|PRICE|CITY" line each; nullopt
// when the reader is not installed.
std::optional<std::string> readWithDbfread(const std::string& file) {
    if (!std::filesystem::exists(kPython)) return std::nullopt;
    const std::string command = std::string(kPython) +
                                " -c 'import sys\ntry: import dbfread\nexcept ImportError: sys.exit(77)\n"
                                "for r in dbfread.DBF(sys.argv[1]): print(\"|\".join(str(v) for v in r.values()))' '" +
                                file + "' 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = pclose(pipe);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return std::nullopt;
    EXPECT_EQ(status, 0) << output;
    return output;
}

TEST_F(DbaseInterop, AProgramBrowsesReadsAndReplacesFieldsOfAForeignTable) {
    std::filesystem::copy_file(kFixtures + "people.dbf", path("people.dbf"));
    const LoadResult program = loadSourceFile(kFixtures + "people.asm");
    ASSERT_TRUE(program.ok) << program.error;
    ASSERT_EQ(compileProgram(m, program.text.lines, {.stopAtEmptyLine = true}), -1) << platform.lastMessage();
    runProgram(m);
    EXPECT_EQ(m.fields().lastStatus, Interrupted);  // the HLT, nothing before it
    EXPECT_EQ(errorTexts(), std::vector<std::string>{});
    EXPECT_EQ(servicesOf(m).fields().textScreenLines, (std::vector<std::string>{" Ada        36 12.50London  ", " Alan       41  3.25Wilmslow",
                                                           " Grace      85  0.00Arlingtn", ""}));
    const std::int32_t age = m.fields().labelAddresses[static_cast<std::size_t>(m.fields().labelCount - 1)];
    EXPECT_EQ(cells(age, 3), (std::vector<std::int32_t>{'4', '1', 0}));

    const std::optional<std::string> records = readWithDbfread(path("people.dbf"));
    if (!records) GTEST_SKIP() << "python3-dbfread is not installed for " << kPython;
    EXPECT_EQ(*records,
              "Ada|36|12.5|London\n"
              "Barbara|41|3.25|Wilmslow\n"
              "Grace|85|0.0|Arlingtn\n"
              "|None|None|Oslo\n");
}

}  // namespace
}  // namespace verdin::test
