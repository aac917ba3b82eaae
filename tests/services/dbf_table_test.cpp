// Tables made and opened byte for byte, their checks and their limits; what a program
// does with a table is in the transcripts of tests/golden/cli/tables.cli.
#include "dbf_test_support.h"
#include "services/dbf_table.h"

namespace verdin::test {
namespace {

using Lines = std::vector<std::string>;
const std::string kNotValid = "File doesn't exist or is not a valid dbf file.";

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v * 256 + static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

TEST_F(DbfServices, MakeWritesTheHeaderDescriptorsAndTerminator) {
    ASSERT_EQ(make("T.DBF", {{"DEL", 'C', 1}, {"NAME", 'C', 10}, {"AGE", 'N', 3}}), 1);
    const std::string bytes = readFile(path("T.DBF"));
    ASSERT_EQ(bytes.size(), 129u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xF5);
    const std::time_t now = std::time(nullptr);
    const std::tm today = *std::localtime(&now);
    EXPECT_EQ(bytes[1], today.tm_year % 100);
    EXPECT_EQ(bytes[2], today.tm_mon + 1);
    EXPECT_EQ(bytes[3], today.tm_mday);
    EXPECT_EQ(le(bytes, 4, 4), 0u);
    EXPECT_EQ(le(bytes, 8, 2), 129u);
    EXPECT_EQ(le(bytes, 10, 2), 14u);
    EXPECT_EQ(bytes.substr(64, 11), std::string("NAME\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(bytes[64 + 11], 'C');
    EXPECT_EQ(le(bytes, 32 + 12, 4), 0u);
    EXPECT_EQ(le(bytes, 64 + 12, 4), 1u);
    EXPECT_EQ(le(bytes, 96 + 12, 4), 11u);
    EXPECT_EQ(bytes[96 + 16], 3);
    EXPECT_EQ(bytes[128], '\x0D');
}

// A field wider than a lookup reads still takes its whole room in the record.
TEST_F(DbfServices, MakeGivesWideFieldsTheirWholeRoom) {
    ASSERT_EQ(make("W.DBF", {{"DEL", 'C', 1}, {"WIDE", 'C', 200, 100}, {"TAIL", 'C', 5}}), 1);
    const std::string bytes = readFile(path("W.DBF"));
    EXPECT_EQ(le(bytes, 10, 2), 306u);
    EXPECT_EQ(le(bytes, 64 + 12, 4), 1u);
    EXPECT_EQ(le(bytes, 96 + 12, 4), 301u);
    ASSERT_EQ(open("W.DBF"), 1);
    db('A');
    put("TAIL", "end");
    EXPECT_EQ(m.database->recordText(0).substr(301), "end  ");
}

TEST_F(DbfServices, LookupSkipsTheFirstFieldOfAMadeTable) {
    makePeople();
    db('A');
    put("name", "Ada");  // names are matched in capitals
    put("AGE", "36");
    EXPECT_EQ(get("NAME"), "Ada");
    EXPECT_EQ(get("AGE"), "36");
    EXPECT_EQ(get("DEL"), "<untouched>");
    EXPECT_EQ(errorTexts(), (Lines{"Field was not found."}));
    put("DEL", "*");
    EXPECT_EQ(errorTexts().size(), 2u);
    EXPECT_EQ(m.database->recordText(0), " Ada       36 ");
}

TEST_F(DbfServices, MakeRefusesBadStructuresAndUnwritableFiles) {
    make("A.DBF", {{"DEL", 'C', 1}, {"NAME", 'c', 10}});
    make("B.DBF", {{"DEL", 'C', 1}, {"NAME", 'C', 0}});
    make("C.DBF", {});
    make("nofolder/D.DBF", {{"DEL", 'C', 1}});
    EXPECT_EQ(errorTexts(), (Lines{"Error in database structure.", "Error in database structure.",
                                   "Error in database structure.", "Write failed."}));
    EXPECT_EQ(readFile(path("A.DBF")), "");  // left empty
    EXPECT_EQ(m.status, Ok);
}

TEST_F(DbfServices, MakeWhileATableIsOpenLeavesThatTableIntact) {
    makePeople();
    db('A');
    put("NAME", "Ada");
    make("U.DBF", {{"DEL", 'C', 1}, {"X", 'C', 2}, {"Y", 'C', 2}});
    put("NAME", "Alan");  // still the people table, with its own layout
    EXPECT_EQ(get("NAME"), "Alan");
    EXPECT_EQ(m.database->recordText(0), " Alan         ");
    EXPECT_EQ(errorTexts(), Lines{});
    make("T.DBF", {{"DEL", 'C', 1}, {"X", 'C', 2}});  // over the open table: it is closed
    EXPECT_FALSE(m.database->isOpen());
    open("T.DBF");
    EXPECT_EQ(m.database->recordLength(), 3);
}

TEST_F(DbfServices, OpenChecksTheHeader) {
    const std::vector<FieldSpec> one = {{"ONE", 'C', 4}};
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"short.dbf", std::string(20, '\0')},
        {"hl64.dbf", tableBytes(one, 4, {}, 64)},
        {"hl66.dbf", tableBytes(one, 4, {}, 66)},
        {"month.dbf", tableBytes(one, 4, {}, -1, 13)},
        {"day.dbf", tableBytes(one, 4, {}, -1, 1, 32)},
        {"rl0.dbf", tableBytes(one, 0, {})},
        {"cut.dbf", tableBytes({{"A", 'C', 1}, {"B", 'C', 1}}, 2, {}, 32 * 3 + 33).substr(0, 100)},
        {"many.dbf", tableBytes(std::vector<FieldSpec>(101, FieldSpec{"F", 'C', 1}), 101, {})},
    };
    for (const auto& [name, bytes] : bad) {
        writeFile(path(name), bytes);
        open(name);
        EXPECT_FALSE(m.database->isOpen()) << name;
    }
    open("absent.dbf");
    EXPECT_EQ(errorTexts(), Lines(bad.size() + 1, kNotValid));
    db('A');
    EXPECT_EQ(errorTexts().back(), "Database is not opened.");
    writeFile(path("hl65.dbf"), tableBytes(one, 4, {"abcd"}, 65));
    open("hl65.dbf");
    EXPECT_TRUE(m.database->isOpen());
    EXPECT_EQ(get("ONE"), "<untouched>");
    EXPECT_EQ(errorTexts().back(), "Field was not found.");
    writeFile(path("hundred.dbf"), tableBytes(std::vector<FieldSpec>(100, FieldSpec{"F", 'C', 1}), 101, {}));
    open("hundred.dbf");
    EXPECT_TRUE(m.database->isOpen());
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
    EXPECT_EQ(le(copy, 4, 4), 2u);
    EXPECT_EQ(copy.substr(129), " Bob           Cy           ");
    EXPECT_EQ(readFile(path("REST.DBF")), copy);
    open("COPY.DBF");
    EXPECT_EQ(get("NAME"), "Bob");
}

TEST_F(DbfServices, CopyReportsAnUnwritableTargetAndChecksItsAddresses) {
    makePeople();
    db('A');
    putNumber(8000, 0);
    putText(8020, "missing/COPY.DBF");
    db('P', 8000, 8000, 8020);
    EXPECT_EQ(errorTexts(), (Lines{"Write failed."}));
    putText(8020, "T.DBF");  // onto the open table itself
    db('P', 8000, 8000, 8020);
    EXPECT_EQ(errorTexts(), (Lines{"Write failed.", "Write failed."}));
    EXPECT_EQ(readFile(path("T.DBF")).size(), 129u + 14);
    EXPECT_EQ(db('P', 8000, 16381, 8020), 0);
    EXPECT_EQ(m.status, OutOfMemory);
}

TEST_F(DbfServices, ServicesThatNeedATableSaySoWithoutOne) {
    for (char letter : {'F', 'R', 'A', 'I', 'D', 'B', 'P'}) EXPECT_EQ(db(letter, 100, 100, 100), 1) << letter;
    EXPECT_EQ(errorTexts(), Lines(7, "Database is not opened."));
    EXPECT_EQ(m.status, Ok);
    db('C');
    db('Z');
    EXPECT_EQ(platform.messages.size(), 7u);
}

TEST_F(DbfServices, AddressChecksKeepTheCounterOnTheLine) {
    EXPECT_EQ(db('M', 16383), 0);
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    makePeople();
    EXPECT_EQ(db('O', 16383), 0);  // the open table is closed first all the same
    EXPECT_FALSE(m.database->isOpen());
    m.status = Ok;
    makePeople();
    EXPECT_EQ(db('F', kValue, 16383), 0);
}

TEST_F(DbfServices, RecordsOfAnyLengthAreReadWithoutOverrun) {
    std::string record(60000, 'x');
    record[0] = ' ';
    record.replace(59990, 10, "far value ");
    writeFile(path("wide.dbf"), tableBytes({{"DEL", 'C', 1}, {"FAR", 'C', 10, 0, 59990}}, 60000, {record, record}));
    open("wide.dbf");
    ASSERT_TRUE(m.database->isOpen());
    EXPECT_EQ(get("FAR"), "far value");
    EXPECT_EQ(m.database->recordText(1), record);
    db('B', 0, 0, 1);
    EXPECT_EQ(m.textScreenLines[0], record.substr(0, 256));
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
    EXPECT_EQ(m.database->recordText(0), " abcde0123");
}

TEST_F(DbfServices, StandardDbaseTablesUseTheirOwnLayout) {
    // Record length 1 + 5 + 3, offsets left zero as dBASE III leaves them.
    writeFile(path("std.dbf"),
              tableBytes({{"NAME", 'C', 5}, {"PRICE", 'N', 3, 1}}, 9, {" Bob  4.2", "*Ann  9.9"}) + "\x1A");
    open("std.dbf");
    ASSERT_TRUE(m.database->isOpen());
    EXPECT_TRUE(m.database->standardLayout());
    EXPECT_EQ(get("NAME"), "Bob");  // the first field is found too
    EXPECT_EQ(get("PRICE"), "4.2");
    db('G', 1);
    EXPECT_EQ(get("NAME"), "Ann");
    db('A');
    put("NAME", "Cy");
    put("PRICE", "1.5");
    const std::string bytes = readFile(path("std.dbf"));
    EXPECT_EQ(bytes.substr(bytes.size() - 10), " Cy   1.5\x1A");  // the end marker is kept
    EXPECT_EQ(le(bytes, 4, 4), 3u);
    // Past the last record stands the marker, which the deletion toggle leaves alone.
    db('G', 3);
    db('D');
    EXPECT_EQ(readFile(path("std.dbf")), bytes);
}

TEST_F(DbfServices, MadeTablesKeepTheirLayoutEvenWhenItLooksLikeDbase) {
    // One decimal in all: the summed widths equal 1 + the summed lengths.
    ASSERT_EQ(make("T.DBF", {{"DEL", 'C', 1}, {"P", 'N', 3, 1}}), 1);
    open("T.DBF");
    EXPECT_FALSE(m.database->standardLayout());
    db('A');
    put("P", "12.5");
    EXPECT_EQ(m.database->recordText(0), " 12.5");
}

}  // namespace
}  // namespace verdin::test
