// Tables made and opened byte for byte, their checks and their limits; what a program
// does with a table, and the services' refusals, are in the transcripts of
// tests/golden/cli/tables.cli and table_refusals.cli.
#include <ctime>

#include "dbf_test_support.h"
#include "services/dbf_table.h"
#include "services/services.h"

namespace verdin::test {
namespace {

using Lines = std::vector<std::string>;
using Words = std::vector<std::uint32_t>;
const std::string kNotValid = "File doesn't exist or is not a valid dbf file.";

// Little-endian numbers of the file, `size` bytes each, at the given places.
Words le(const std::string& bytes, std::initializer_list<std::size_t> places, int size) {
    Words values;
    for (std::size_t at : places) {
        std::uint32_t v = 0;
        for (std::size_t i = static_cast<std::size_t>(size); i-- > 0;) {
            v = v * 256 + static_cast<unsigned char>(bytes[at + i]);
        }
        values.push_back(v);
    }
    return values;
}

// A field's room is its length plus its decimals, wide ones too: a width capped at 255
// would give a header that describes other records than those written.
TEST_F(DbfServices, MakeWritesTheHeaderDescriptorsAndTerminator) {
    ASSERT_EQ(make("T.DBF", {{"DEL", 'C', 1}, {"NAME", 'C', 10}, {"AGE", 'N', 3}}), 1);
    const std::string bytes = readFile(path("T.DBF"));
    ASSERT_EQ(bytes.size(), 129u);
    const std::time_t now = std::time(nullptr);
    const std::tm today = *std::localtime(&now);
    const Words date = {Words::value_type(today.tm_year % 100), Words::value_type(today.tm_mon + 1),
                        Words::value_type(today.tm_mday)};
    EXPECT_EQ(le(bytes, {0, 1, 2, 3}, 1), (Words{0xF5, date[0], date[1], date[2]}));
    EXPECT_EQ(le(bytes, {4}, 4), Words{0});
    EXPECT_EQ(le(bytes, {8, 10}, 2), (Words{129, 14}));
    EXPECT_EQ(bytes.substr(64, 12), std::string("NAME\0\0\0\0\0\0\0C", 12));
    EXPECT_EQ(le(bytes, {32 + 12, 64 + 12, 96 + 12}, 4), (Words{0, 1, 11}));
    EXPECT_EQ(le(bytes, {96 + 16, 128}, 1), (Words{3, 0x0D}));

    ASSERT_EQ(make("W.DBF", {{"DEL", 'C', 1}, {"WIDE", 'C', 200, 100}, {"TAIL", 'C', 5}}), 1);
    const std::string wide = readFile(path("W.DBF"));
    EXPECT_EQ(le(wide, {10}, 2), Words{306});
    EXPECT_EQ(le(wide, {64 + 12, 96 + 12}, 4), (Words{1, 301}));
    ASSERT_EQ(open("W.DBF"), 1);
    db('A');
    put("TAIL", "end");
    EXPECT_EQ(servicesOf(m).fields().database.recordText(0).substr(301), "end  ");
}

TEST_F(DbfServices, OpenChecksTheHeader) {
    const std::vector<FieldSpec> one = {{"ONE", 'C', 4}};
    std::string month = tableBytes(one, 4, {}), day = month;
    month[2] = 13;
    day[3] = 32;
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"short.dbf", std::string(20, '\0')},
        {"hl64.dbf", tableBytes(one, 4, {}, 64)},
        {"hl66.dbf", tableBytes(one, 4, {}, 66)},
        {"month.dbf", month},
        {"day.dbf", day},
        {"rl0.dbf", tableBytes(one, 0, {})},
        {"cut.dbf", tableBytes({{"A", 'C', 1}, {"B", 'C', 1}}, 2, {}, 32 * 3 + 33).substr(0, 100)},
        {"many.dbf", tableBytes(std::vector<FieldSpec>(101, FieldSpec{"F", 'C', 1}), 101, {})},
    };
    for (const auto& [name, bytes] : bad) {
        writeFile(path(name), bytes);
        open(name);
        EXPECT_FALSE(servicesOf(m).fields().database.isOpen()) << name;
    }
    open("absent.dbf");
    EXPECT_EQ(errorTexts(), Lines(bad.size() + 1, kNotValid));
    db('A');
    EXPECT_EQ(errorTexts().back(), "Database is not opened.");
    writeFile(path("hl65.dbf"), tableBytes(one, 4, {"abcd"}, 65));
    open("hl65.dbf");
    EXPECT_TRUE(servicesOf(m).fields().database.isOpen());
    EXPECT_EQ(get("ONE"), "<untouched>");
    EXPECT_EQ(errorTexts().back(), "Field was not found.");
    writeFile(path("hundred.dbf"), tableBytes(std::vector<FieldSpec>(100, FieldSpec{"F", 'C', 1}), 101, {}));
    open("hundred.dbf");
    EXPECT_TRUE(servicesOf(m).fields().database.isOpen());
}

TEST_F(DbfServices, CopyWritesTheRangeAsANewTable) {
    makePeople();
    for (const char* name : {"Ann", "Bob", "Cy"}) {
        db('A');
        put("NAME", name);
    }
    putNumber(8000, 1);
    putNumber(8010, 2);
    putText(8020, "COPY.DBF");
    db('P', 8000, 8010, 8020);
    putNumber(8010, 50);  // past the end: only the records that exist, and counted so
    putText(8020, "REST.DBF");
    db('P', 8000, 8010, 8020);
    EXPECT_EQ(errorTexts(), Lines{});
    const std::string copy = readFile(path("COPY.DBF"));
    ASSERT_EQ(copy.size(), 129u + 2 * 14);
    EXPECT_EQ(le(copy, {4}, 4), Words{2});
    EXPECT_EQ(copy.substr(129), " Bob           Cy           ");
    EXPECT_EQ(readFile(path("REST.DBF")), copy);
}

TEST_F(DbfServices, CopyReportsAnUnwritableTargetAndChecksItsAddresses) {
    makePeople();
    db('A');
    putNumber(8000, 0);
    putText(8020, "missing/COPY.DBF");
    db('P', 8000, 8000, 8020);
    putText(8020, "T.DBF");  // onto the open table itself
    db('P', 8000, 8000, 8020);
    EXPECT_EQ(errorTexts(), (Lines{"Write failed.", "Write failed."}));
    EXPECT_EQ(readFile(path("T.DBF")).size(), 129u + 14);
    EXPECT_EQ(db('P', 8000, 16381, 8020), 0);
    EXPECT_EQ(m.fields().status, OutOfMemory);
}

TEST_F(DbfServices, AddressChecksKeepTheCounterOnTheLine) {
    EXPECT_EQ(db('M', 16383), 0);
    EXPECT_EQ(m.fields().status, OutOfMemory);
    makePeople();
    EXPECT_EQ(db('F', kValue, 16383), 0);
    EXPECT_EQ(db('O', 16383), 0);  // the open table is closed first all the same
    EXPECT_FALSE(servicesOf(m).fields().database.isOpen());
}

TEST_F(DbfServices, RecordsOfAnyLengthAreReadWithoutOverrun) {
    std::string record(60000, 'x');
    record[0] = ' ';
    record.replace(59990, 10, "far value ");
    writeFile(path("wide.dbf"), tableBytes({{"DEL", 'C', 1}, {"FAR", 'C', 10, 0, 59990}}, 60000, {record, record}));
    open("wide.dbf");
    ASSERT_TRUE(servicesOf(m).fields().database.isOpen());
    EXPECT_EQ(get("FAR"), "far value");
    EXPECT_EQ(servicesOf(m).fields().database.recordText(1), record);
    db('B', 0, 0, 1);
    EXPECT_EQ(servicesOf(m).fields().textScreenLines[0], record.substr(0, 256));
}

TEST_F(DbfServices, AFieldOutsideItsRecordIsNeitherReadNorWritten) {
    writeFile(path("odd.dbf"), tableBytes({{"DEL", 'C', 1}, {"LOST", 'C', 10, 0, 70000}, {"HALF", 'C', 10, 0, 6}},
                                          10, {" abcdefghi"}));
    open("odd.dbf");
    EXPECT_EQ(get("LOST"), "");
    put("LOST", "xyz");
    EXPECT_EQ(get("HALF"), "fghi");  // cut at the record's end
    put("HALF", "0123456789");
    EXPECT_EQ(readFile(path("odd.dbf")).size(), 32u * 4 + 1 + 10);
    EXPECT_EQ(servicesOf(m).fields().database.recordText(0), " abcde0123");
}

// dBASE III leaves the offsets zero and ends its files with 0x1A, which append keeps
// and the deletion toggle just past the last record must not overwrite.
TEST_F(DbfServices, StandardDbaseTablesUseTheirOwnLayout) {
    writeFile(path("std.dbf"),
              tableBytes({{"NAME", 'C', 5}, {"PRICE", 'N', 3, 1}}, 9, {" Bob  4.2", "*Ann  9.9"}) + "\x1A");
    open("std.dbf");
    ASSERT_TRUE(servicesOf(m).fields().database.standardLayout());
    EXPECT_EQ(get("NAME"), "Bob");  // the first field is found too
    EXPECT_EQ(get("PRICE"), "4.2");
    db('A');
    put("NAME", "Cy");
    put("PRICE", "1.5");
    const std::string bytes = readFile(path("std.dbf"));
    EXPECT_EQ(bytes.substr(bytes.size() - 19), "*Ann  9.9 Cy   1.5\x1A");
    EXPECT_EQ(le(bytes, {4}, 4), Words{3});
    db('G', 3);
    db('D');
    EXPECT_EQ(readFile(path("std.dbf")), bytes);
}

// One decimal in all: the summed widths equal 1 + the summed lengths, as in dBASE.
TEST_F(DbfServices, MadeTablesKeepTheirLayoutEvenWhenItLooksLikeDbase) {
    ASSERT_EQ(make("T.DBF", {{"DEL", 'C', 1}, {"P", 'N', 3, 1}}), 1);
    open("T.DBF");
    EXPECT_FALSE(servicesOf(m).fields().database.standardLayout());
    db('A');
    put("P", "12.5");
    EXPECT_EQ(servicesOf(m).fields().database.recordText(0), " 12.5");
}

}  // namespace
}  // namespace verdin::test
