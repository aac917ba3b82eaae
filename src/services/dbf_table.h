// One dBASE III style table (.dbf) at a time, as the RST 4 services use it.
//
// The file: a 32-byte header (version, date of last update YY MM DD, record count
// u32, header length u16, record length u16, all little-endian), then one 32-byte
// descriptor per field (name in 11 bytes, type letter, offset u32, length, decimal
// count), a 0x0D byte, and the records, each starting with its deletion mark ("*"
// deleted, blank otherwise).
//
// Two record layouts are read:
// - the workbench's own, as the "M" service makes them: the record length is the sum
//   of the field widths (length + decimal count, at most 255), each field lies at its
//   stored offset, and the first field (the deletion mark's column) is never found by
//   name;
// - the standard dBASE III layout of tables written by other programs: the record
//   length is 1 + the sum of the length bytes (dBASE counts the decimals inside the
//   length), the fields follow each other from byte 1 in descriptor order, and every
//   field is found by name. dBASE III keeps a memory address, not an offset, in the
//   descriptor's offset bytes, so offsets are always computed for this layout.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace verdin {

class DbfTable {
public:
    static constexpr int kMaxFields = 100;
    static constexpr std::size_t kHeaderSize = 32;
    static constexpr std::size_t kDescriptorSize = 32;
    static constexpr std::int64_t kMaxWidth = 255;
    // Results of create and exportRange.
    static constexpr int kDone = 0;
    static constexpr int kWriteFailed = 1;
    static constexpr int kReadFailed = 2;
    static constexpr int kStructureError = 3;

    DbfTable() = default;
    virtual ~DbfTable();
    DbfTable(const DbfTable&) = delete;
    DbfTable& operator=(const DbfTable&) = delete;

    // Opens an existing table for reading and writing; false (and no table open) when
    // the file is missing or its header fails the checks.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return file != nullptr; }
    // Makes a new empty table from a field-list block: the file name up to a 0 byte,
    // then 14-byte entries (name area of 11 bytes, type letter, length, decimal
    // count) up to the first TAB (9). The file goes in `folder` when its name is
    // relative. kDone, kWriteFailed or kStructureError.
    int create(const std::vector<std::uint8_t>& block, const std::string& folder);
    // The trimmed text of a field of the current record; fieldFound tells whether the
    // name exists.
    const std::string& getField(std::string_view name);
    // Writes `value` into a field of the current record, cut or blank-padded to its width.
    void putField(std::string_view name, std::string_view value);
    void append();
    void insert();
    void toggleDeleted();
    void go(std::int64_t index);
    void skip(std::int64_t count);
    // Record `index` as text, its deletion mark first; it ends at a zero byte.
    std::string recordText(std::int64_t index) const;
    // Copies records first..last into a new table at `path`. kDone, kWriteFailed or
    // kReadFailed.
    int exportRange(std::int64_t first, std::int64_t last, const std::string& path);

    std::int64_t recordCount() const;
    // The record count, but never more than the whole records the file holds.
    std::int64_t recordsHeld() const;
    std::int64_t headerLength() const;
    std::int64_t recordLength() const;
    // True when the fields follow the standard dBASE III layout (see above).
    bool standardLayout() const { return standard_; }

    std::string valueText;
    std::FILE* file = nullptr;
    std::int32_t fieldFound = 0;
    std::int64_t currentRecord = 0;
    std::array<std::uint8_t, kHeaderSize> header{};
    std::vector<std::array<std::uint8_t, kDescriptorSize>> fieldDescriptors;

private:
    struct Field {
        std::string name;
        std::int64_t offset = 0;
        std::int64_t width = 0;
    };
    // Derives the field layout from header and descriptors.
    void describe();
    // The field of that name among those the layout lets a program find; null when none.
    const Field* lookup(std::string_view name);
    // Up to `count` bytes from `position`; fewer at the end of the file.
    std::string readAt(std::int64_t position, std::int64_t count) const;
    bool writeAt(std::int64_t position, std::string_view bytes);
    std::int64_t fileSize() const;
    void setRecordCount(std::int64_t count);
    // True when an end-of-file byte (0x1A) follows the last record, as dBASE writes it.
    bool hasEndMarker();

    // Whether `path` names the file of the open table.
    bool isOpenFile(const std::string& path) const;

    std::vector<Field> fields_;
    std::string openPath_;
    std::size_t firstSearched_ = 1;
    bool standard_ = false;
};

}  // namespace verdin
