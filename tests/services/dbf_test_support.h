// Table files built byte by byte, and the RST 4 services on a machine whose program
// folder is a temporary folder.
#pragma once

#include "arrange.h"
#include "service_test_support.h"
#include "services/services.h"

namespace verdin::test {

struct FieldSpec {
    std::string name;
    char type;
    int length;
    int decimals = 0;
    std::uint32_t offset = 0;
};

inline void putLe(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A .dbf file dated 1 January: header, descriptors, 0x0D, the records as given.
inline std::string tableBytes(const std::vector<FieldSpec>& fields, int recordLength,
                              const std::vector<std::string>& records, int headerLength = -1) {
    std::string bytes(32, '\0');
    bytes.replace(0, 4, "\x03\x1A\x01\x01");
    putLe(bytes, 4, static_cast<std::uint32_t>(records.size()), 4);
    putLe(bytes, 8, static_cast<std::uint32_t>(headerLength < 0 ? 32 * fields.size() + 33 : headerLength), 2);
    putLe(bytes, 10, static_cast<std::uint32_t>(recordLength), 2);
    for (const FieldSpec& f : fields) {
        std::string d(32, '\0');
        d.replace(0, f.name.size(), f.name);
        d[11] = f.type;
        putLe(d, 12, f.offset, 4);
        d[16] = static_cast<char>(f.length);
        d[17] = static_cast<char>(f.decimals);
        bytes += d;
    }
    bytes += '\x0D';
    for (const std::string& r : records) bytes += r;
    return bytes;
}

constexpr std::int32_t kBlock = 7000;
constexpr std::int32_t kFieldName = 7500;
constexpr std::int32_t kValue = 7600;

class DbfServices : public ServiceTest {
protected:
    TempFolder folder;

    void SetUp() override {
        ServiceTest::SetUp();
        m.services().setSourceFolder(folder.path().string());
    }
    // Runs an RST 4 service; returns how far the program counter moved.
    std::int32_t db(char letter, std::int32_t hl = 0, std::int32_t de = 0, std::int32_t bc = 0) {
        arrange(m)->regA = letter;
        setHL(hl), setDE(de), setBC(bc);
        return rst(4);
    }
    // The field-list block of "M" at kBlock: each name in 11 cells filled with blanks,
    // as two 0 cells end the block.
    void putBlock(const std::string& name, const std::vector<FieldSpec>& fields) {
        std::string block = name + '\0';
        for (const FieldSpec& f : fields) {
            block += (f.name + '\0').append(10 - f.name.size(), ' ');
            block += {f.type, static_cast<char>(f.length), static_cast<char>(f.decimals)};
        }
        putText(kBlock, block + '\x09');
        putCells(kBlock + static_cast<std::int32_t>(block.size()) + 1, {0, 0});
    }
    std::int32_t make(const std::string& name, const std::vector<FieldSpec>& fields) {
        putBlock(name, fields);
        return db('M', kBlock);
    }
    std::int32_t open(const std::string& name) {
        putText(kValue, name);
        return db('O', kValue);
    }
    std::string get(const std::string& field) {
        putText(kFieldName, field);
        putText(kValue, "<untouched>");
        db('F', kValue, kFieldName);
        std::string text;
        for (std::size_t a = kValue; m.fields().memory[a] != 0; ++a) text += static_cast<char>(m.fields().memory[a]);
        return text;
    }
    void put(const std::string& field, const std::string& value) {
        putText(kFieldName, field);
        putText(kValue, value);
        db('R', kValue, kFieldName);
    }
    // T.DBF with the deletion-mark column DEL, NAME (C 10) and AGE (N 3), opened.
    void makePeople() {
        ASSERT_EQ(make("T.DBF", {{"DEL", 'C', 1}, {"NAME", 'C', 10}, {"AGE", 'N', 3}}), 1);
        ASSERT_EQ(open("T.DBF"), 1);
        ASSERT_TRUE(errorTexts().empty()) << platform.lastMessage();
    }
    std::string path(const std::string& name) const { return folder.file(name); }
};

}  // namespace verdin::test
