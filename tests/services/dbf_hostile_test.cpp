// Tables whose header claims more records than the file holds: a damaged file, or one
// made to hurt. Found by fuzzing: listing such a table looped over billions of
// records, and appending or moving by its count wrote far past the end of the file.
#include "dbf_test_support.h"
#include "services/dbf_table.h"
#include "services/services.h"

namespace verdin::test {
namespace {

using Lines = std::vector<std::string>;

class HostileCounts : public DbfServices {
protected:
    // NAME (C 5) in the dBASE III layout, two records, and a record count of `count`.
    void openClaiming(std::uint32_t count) {
        std::string bytes = tableBytes({{"NAME", 'C', 5}}, 6, {" Ann  ", " Bob  "});
        putLe(bytes, 4, count, 4);
        writeFile(path("H.DBF"), bytes);
        ASSERT_EQ(open("H.DBF"), 1);
        ASSERT_TRUE(servicesOf(m).fields().database.isOpen()) << platform.lastMessage();
    }
    // NAME of every record the table counts, at most 10.
    Lines names() {
        Lines all;
        for (int i = 0; i < std::min<std::int64_t>(servicesOf(m).fields().database.recordCount(), 10); ++i) {
            db('G', i);
            all.push_back(get("NAME"));
        }
        return all;
    }
};

TEST_F(HostileCounts, BrowseAndMovesStopAtTheRecordsTheFileHolds) {
    openClaiming(0xFFFFFFF0u);
    db('B', 0, 0, 0);
    EXPECT_EQ(servicesOf(m).fields().textScreenLines, (Lines{" Ann  ", " Bob  ", ""}));
    db('G', 1);
    db('B', 0, 0, 1000);
    EXPECT_EQ(servicesOf(m).fields().textScreenLines, (Lines{" Ann  ", " Bob  ", "", " Bob  ", ""}));
    db('G', 16000);
    EXPECT_EQ(servicesOf(m).fields().database.currentRecord, 2);  // just past the last, as for an honest table
    db('G', 0);
    db('S', 16000);
    EXPECT_EQ(servicesOf(m).fields().database.currentRecord, 1);
}

TEST_F(HostileCounts, AppendGoesRightAfterTheLastRecordAndCorrectsTheCount) {
    openClaiming(3000000000u);
    const std::size_t before = readFile(path("H.DBF")).size();
    db('A');
    put("NAME", "Cy");
    EXPECT_EQ(readFile(path("H.DBF")).size(), before + 6);
    EXPECT_EQ(servicesOf(m).fields().database.currentRecord, 2);
    EXPECT_EQ(names(), (Lines{"Ann", "Bob", "Cy"}));
}

TEST_F(HostileCounts, InsertMovesOnlyRecordsThatExist) {
    openClaiming(3000000000u);
    db('G', 1);
    db('I');
    EXPECT_EQ(names(), (Lines{"Ann", "", "Bob"}));
}

TEST_F(HostileCounts, AnHonestCountIsUnchanged) {
    openClaiming(2);
    EXPECT_EQ(servicesOf(m).fields().database.recordsHeld(), 2);
    openClaiming(1);  // fewer than the file holds: the header is believed
    EXPECT_EQ(servicesOf(m).fields().database.recordsHeld(), 1);
    db('B', 0, 0, 0);
    EXPECT_EQ(servicesOf(m).fields().textScreenLines, (Lines{" Ann  ", ""}));
}

}  // namespace
}  // namespace verdin::test
