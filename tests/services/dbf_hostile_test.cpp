// Tables whose header claims more records than the file holds: a damaged file, or one
// made to hurt. Found by fuzzing: listing such a table looped over billions of
// records, and appending or moving by its count wrote far past the end of the file.
#include "dbf_test_support.h"
#include "services/dbf_table.h"

namespace verdin::test {
namespace {

using Lines = std::vector<std::string>;

// NAME (C 5) in the dBASE III layout, two records, and a record count of `count`.
std::string twoRecordsCounting(std::uint32_t count) {
    std::string bytes = tableBytes({{"NAME", 'C', 5}}, 6, {" Ann  ", " Bob  "});
    putLe(bytes, 4, count, 4);
    return bytes;
}

class HostileCounts : public DbfServices {
protected:
    void openClaiming(std::uint32_t count) {
        writeFile(path("H.DBF"), twoRecordsCounting(count));
        ASSERT_EQ(open("H.DBF"), 1);
        ASSERT_TRUE(m.database->isOpen()) << platform.lastMessage();
    }
};

TEST_F(HostileCounts, BrowseListsOnlyTheRecordsTheFileHolds) {
    openClaiming(0xFFFFFFF0u);
    db('B', 0, 0, 0);
    EXPECT_EQ(m.textScreenLines, (Lines{" Ann  ", " Bob  ", ""}));
    db('G', 1);
    db('B', 0, 0, 1000);
    EXPECT_EQ(m.textScreenLines, (Lines{" Ann  ", " Bob  ", "", " Bob  ", ""}));
}

TEST_F(HostileCounts, MovingStopsAtTheRecordsTheFileHolds) {
    openClaiming(3000000000u);
    db('G', 16000);
    EXPECT_EQ(m.database->currentRecord, 2);  // just past the last, as for an honest table
    db('G', 0);
    db('S', 16000);
    EXPECT_EQ(m.database->currentRecord, 1);
}

TEST_F(HostileCounts, AppendGoesRightAfterTheLastRecordAndCorrectsTheCount) {
    openClaiming(3000000000u);
    const std::size_t before = readFile(path("H.DBF")).size();
    db('A');
    put("NAME", "Cy");
    EXPECT_EQ(readFile(path("H.DBF")).size(), before + 6);
    EXPECT_EQ(m.database->recordCount(), 3);
    EXPECT_EQ(m.database->currentRecord, 2);
    EXPECT_EQ(get("NAME"), "Cy");
    db('G', 0);
    EXPECT_EQ(get("NAME"), "Ann");
}

TEST_F(HostileCounts, InsertMovesOnlyRecordsThatExist) {
    openClaiming(3000000000u);
    db('G', 1);
    db('I');
    EXPECT_EQ(m.database->recordCount(), 3);
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i) {
        db('G', i);
        names.push_back(get("NAME"));
    }
    EXPECT_EQ(names, (Lines{"Ann", "", "Bob"}));
}

TEST_F(HostileCounts, AnHonestCountIsUnchanged) {
    openClaiming(2);
    EXPECT_EQ(m.database->recordsHeld(), 2);
    openClaiming(1);  // fewer than the file holds: the header is believed
    EXPECT_EQ(m.database->recordsHeld(), 1);
    db('B', 0, 0, 0);
    EXPECT_EQ(m.textScreenLines, (Lines{" Ann  ", ""}));
}

}  // namespace
}  // namespace verdin::test
