// The .dbf table of the RST 4 services. Every length and offset taken from a file is
// bounded before it is used: a field never reaches past its record, and a record is
// read into a buffer of its own size (the format allows up to 65535 bytes).
#include "services/dbf_table.h"

#include <algorithm>
#include <climits>
#include <ctime>
#include <filesystem>
#include <new>

#include "machine/text_tools.h"
#include "services/service_support.h"

namespace verdin {

namespace {
constexpr char kEndMarker = 0x1A;
constexpr std::uint8_t kHeaderEnd = 0x0D;
constexpr std::uint8_t kVersion = 0xF5;
constexpr std::size_t kEntrySize = 14;
constexpr std::size_t kNameArea = 11;
constexpr std::uint8_t kListEnd = 9;

std::int64_t u16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::int64_t u32(const std::uint8_t* p) {
    return static_cast<std::int64_t>(p[0]) | (static_cast<std::int64_t>(p[1]) << 8) |
           (static_cast<std::int64_t>(p[2]) << 16) | (static_cast<std::int64_t>(p[3]) << 24);
}
void putU16(std::uint8_t* p, std::int64_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}
void putU32(std::uint8_t* p, std::int64_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}
bool seekTo(std::FILE* f, std::int64_t position) {
    if (position < 0 || position > LONG_MAX) return false;
    return std::fseek(f, static_cast<long>(position), SEEK_SET) == 0;
}
std::string cutAtZero(std::string text) {
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}
// The room a field takes in its record: length plus decimal count. Only what a
// lookup reads or writes of it is capped (declaredWidth); offsets and the record
// length use the whole room, or the header would not describe the records.
std::int64_t fieldRoom(const std::array<std::uint8_t, DbfTable::kDescriptorSize>& d) { return d[16] + d[17]; }
std::int64_t declaredWidth(const std::array<std::uint8_t, DbfTable::kDescriptorSize>& d) {
    return std::min<std::int64_t>(fieldRoom(d), DbfTable::kMaxWidth);
}
}  // namespace

DbfTable::~DbfTable() { close(); }

std::int64_t DbfTable::recordCount() const { return u32(&header[4]); }
std::int64_t DbfTable::headerLength() const { return u16(&header[8]); }
std::int64_t DbfTable::recordLength() const { return u16(&header[10]); }

bool DbfTable::open(const std::string& path) {
    close();
    currentRecord = 0;
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (f == nullptr) return false;
    std::array<std::uint8_t, kHeaderSize> image{};
    const std::size_t got = std::fread(image.data(), 1, image.size(), f);
    const std::int64_t length = u16(&image[8]);
    bool ok = got == image.size() && image[3] <= 31 && image[2] <= 12 && length >= 64 && u16(&image[10]) != 0 &&
              (length - 33) % 32 == 0;
    const std::int64_t count = (length - 32) / 32;
    // More fields than a table may have is a damaged or foreign file, not something
    // to read in part.
    if (count > kMaxFields) ok = false;
    std::vector<std::uint8_t> rest;
    if (ok) {
        rest.resize(static_cast<std::size_t>(length - 32));
        ok = std::fread(rest.data(), 1, rest.size(), f) == rest.size();
    }
    if (!ok) {
        std::fclose(f);
        return false;
    }
    header = image;
    fieldDescriptors.assign(static_cast<std::size_t>(count), {});
    for (std::size_t k = 0; k < fieldDescriptors.size(); ++k) {
        std::copy_n(rest.begin() + static_cast<std::ptrdiff_t>(k * kDescriptorSize), kDescriptorSize,
                    fieldDescriptors[k].begin());
    }
    file = f;
    openPath_ = path;
    describe();
    return true;
}

bool DbfTable::isOpenFile(const std::string& path) const {
    std::error_code error;
    return file != nullptr && std::filesystem::equivalent(path, openPath_, error) && !error;
}

void DbfTable::close() {
    if (file != nullptr) std::fclose(file);
    file = nullptr;
}

void DbfTable::describe() {
    const std::int64_t length = recordLength();
    std::int64_t sumWidths = 0, sumLengths = 0, next = 0;
    bool chained = true;
    for (const auto& d : fieldDescriptors) {
        if (u32(&d[12]) != next) chained = false;
        next = u32(&d[12]) + fieldRoom(d);
        sumWidths += fieldRoom(d);
        sumLengths += d[16];
    }
    // A table made here has chained offsets and a record length of the summed widths;
    // only a table that is not such a one and fits the dBASE III rule is read as dBASE.
    standard_ = length == 1 + sumLengths && !(length == sumWidths && chained);
    firstSearched_ = standard_ ? 0 : 1;
    fields_.clear();
    std::int64_t position = 1;
    for (const auto& d : fieldDescriptors) {
        Field field;
        const auto nameEnd = std::find(d.begin(), d.begin() + kNameArea, std::uint8_t{0});
        field.name.assign(d.begin(), nameEnd);
        if (standard_) {
            field.offset = position;
            field.width = d[16];
            position += d[16];
        } else {
            field.offset = u32(&d[12]);
            field.width = declaredWidth(d);
        }
        // A field reaching past its record would read or overwrite the next one.
        field.width = field.offset >= length ? 0 : std::min(field.width, length - field.offset);
        fields_.push_back(std::move(field));
    }
}

const DbfTable::Field* DbfTable::lookup(std::string_view name) {
    fieldFound = 0;
    const std::string key = TextTools::upperOutsideQuotes(name);
    for (std::size_t k = firstSearched_; k < fields_.size(); ++k) {
        if (fields_[k].name == key) {
            fieldFound = 1;
            return &fields_[k];
        }
    }
    return nullptr;
}

std::string DbfTable::readAt(std::int64_t position, std::int64_t count) const {
    std::string bytes;
    if (file == nullptr || count <= 0 || !seekTo(file, position)) return bytes;
    bytes.resize(static_cast<std::size_t>(count));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    return bytes;
}

bool DbfTable::writeAt(std::int64_t position, std::string_view bytes) {
    if (file == nullptr || !seekTo(file, position)) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fflush(file) == 0 && ok;
}

std::int64_t DbfTable::fileSize() const {
    if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) return 0;
    return std::max<long>(std::ftell(file), 0);
}

void DbfTable::setRecordCount(std::int64_t count) {
    putU32(&header[4], count);
    writeAt(4, std::string_view(reinterpret_cast<const char*>(&header[4]), 4));
}

bool DbfTable::hasEndMarker() {
    return readAt(headerLength() + recordsHeld() * recordLength(), 1) == std::string(1, kEndMarker);
}

// A damaged or hostile header may count billions of records in a file of a few
// bytes; listing, appending or moving by that count would loop for hours or write
// far past the end of the file. The records that are really there count instead.
std::int64_t DbfTable::recordsHeld() const {
    const std::int64_t length = recordLength();
    if (file == nullptr || length <= 0) return 0;
    const std::int64_t whole = std::max<std::int64_t>(0, fileSize() - headerLength()) / length;
    return std::min(recordCount(), whole);
}

const std::string& DbfTable::getField(std::string_view name) {
    valueText.clear();
    const Field* field = lookup(name);
    if (field == nullptr || file == nullptr) return valueText;
    const std::int64_t position = headerLength() + recordLength() * currentRecord + field->offset;
    valueText = TextTools::trim(cutAtZero(readAt(position, field->width)));
    return valueText;
}

void DbfTable::putField(std::string_view name, std::string_view value) {
    const Field* field = lookup(name);
    if (field == nullptr || file == nullptr) return;
    std::string text(value.substr(0, static_cast<std::size_t>(field->width)));
    text.resize(static_cast<std::size_t>(field->width), ' ');
    writeAt(headerLength() + recordLength() * currentRecord + field->offset, text);
}

// New records go where the record count says the records end, not at the physical
// end of the file: dBASE ends its files with a 0x1A byte, and a record placed after
// it would shift every field of the new record by one byte. The marker is kept.
void DbfTable::append() {
    if (file == nullptr) return;
    const std::int64_t count = recordsHeld();
    std::string record(static_cast<std::size_t>(recordLength()), ' ');
    if (hasEndMarker()) record += kEndMarker;
    writeAt(headerLength() + count * recordLength(), record);
    setRecordCount(count + 1);
    currentRecord = count;
}

void DbfTable::insert() {
    if (file == nullptr) return;
    const std::int64_t count = recordsHeld();
    currentRecord = std::min(currentRecord, count);
    const std::int64_t position = headerLength() + recordLength() * currentRecord;
    const std::int64_t end = headerLength() + count * recordLength();
    const bool marker = hasEndMarker();
    const std::int64_t tailLength = std::max<std::int64_t>(0, std::min(end, fileSize()) - position);
    std::string block;
    try {
        block.assign(static_cast<std::size_t>(recordLength()), ' ');
        block += readAt(position, tailLength);
    } catch (const std::bad_alloc&) {
        return;  // no room to move the records: nothing happens
    }
    if (marker) block += kEndMarker;
    writeAt(position, block);
    setRecordCount(count + 1);
}

void DbfTable::toggleDeleted() {
    if (file == nullptr) return;
    // Just past the last record of a dBASE file stands its end marker, not a mark.
    if (currentRecord >= recordsHeld() && hasEndMarker()) return;
    const std::int64_t position = headerLength() + recordLength() * currentRecord;
    const std::string mark = readAt(position, 1);
    // Past the last record there is no mark to toggle; writing one would leave a
    // one-byte fragment of a record at the end of the file.
    if (mark.empty()) return;
    writeAt(position, mark[0] == '*' ? " " : "*");
}

void DbfTable::go(std::int64_t index) { currentRecord = std::max<std::int64_t>(0, std::min(index, recordsHeld())); }

void DbfTable::skip(std::int64_t count) {
    currentRecord = std::max<std::int64_t>(0, std::min(currentRecord + count, recordsHeld() - 1));
}

std::string DbfTable::recordText(std::int64_t index) const {
    if (index < 0) return {};
    return cutAtZero(readAt(headerLength() + index * recordLength(), recordLength()));
}

int DbfTable::exportRange(std::int64_t first, std::int64_t last, const std::string& path) {
    first = std::max<std::int64_t>(first, 0);
    last = std::max(last, first);
    const std::int64_t headLength = headerLength(), length = recordLength();
    const std::string head = readAt(0, headLength);
    if (file == nullptr || static_cast<std::int64_t>(head.size()) < headLength) return kReadFailed;
    // Creating the copy over the table itself would empty the table before a single
    // record had been copied.
    if (isOpenFile(path)) return kWriteFailed;
    std::FILE* out = std::fopen(path.c_str(), "w+b");
    if (out == nullptr) return kWriteFailed;
    int result = kDone;
    auto put = [&](std::string_view bytes) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) result = kWriteFailed;
    };
    put(head);
    // Records are copied byte for byte, zero bytes included, and the copy counts
    // only the records it holds: a range reaching past the end must not leave a
    // count of records that are not there.
    std::int64_t copied = 0;
    for (std::int64_t i = first; i <= last && i < recordCount(); ++i) {
        const std::string record = readAt(headLength + i * length, length);
        if (static_cast<std::int64_t>(record.size()) < length) break;
        put(record);
        ++copied;
    }
    if (hasEndMarker()) put(std::string(1, kEndMarker));
    std::uint8_t count[4];
    putU32(count, copied);
    if (std::fseek(out, 4, SEEK_SET) != 0) result = kWriteFailed;
    put(std::string_view(reinterpret_cast<const char*>(count), 4));
    if (std::fclose(out) != 0) result = kWriteFailed;
    return result;
}

int DbfTable::create(const std::vector<std::uint8_t>& block, const std::string& folder) {
    auto at = [&block](std::size_t i) -> std::uint8_t { return i < block.size() ? block[i] : 0; };
    const std::size_t nameEnd = static_cast<std::size_t>(std::find(block.begin(), block.end(), 0) - block.begin());
    const std::string name(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(nameEnd));
    const std::string path = resolveHostPath(folder, name);
    // Making a table over the open one replaces that table: it is closed first, so
    // that the new table's description cannot be applied to what is left of the old.
    if (isOpenFile(path)) close();
    std::FILE* f = std::fopen(path.c_str(), "w+b");
    if (f == nullptr) return kWriteFailed;

    const auto searched = block.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(block.size(), 256));
    const std::size_t listEnd = static_cast<std::size_t>(std::find(block.begin(), searched, kListEnd) - block.begin());
    std::vector<std::array<std::uint8_t, kDescriptorSize>> descriptors;
    bool bad = false;
    for (std::size_t pos = nameEnd + 1; pos < listEnd && descriptors.size() < kMaxFields; pos += kEntrySize) {
        std::array<std::uint8_t, kDescriptorSize> d{};
        for (std::size_t k = 0; k < kNameArea && at(pos + k) != 0; ++k) d[k] = at(pos + k);
        d[11] = at(pos + 11);
        d[16] = at(pos + 12);
        d[17] = at(pos + 13);
        if (d[11] < 'A' || d[11] > 'Z' || d[16] == 0) {
            bad = true;
            break;
        }
        descriptors.push_back(d);
    }
    // A table without fields could never be opened again (its header is too short),
    // so it is a structure error rather than a success.
    if (bad || descriptors.empty()) {
        std::fclose(f);
        return kStructureError;
    }
    std::int64_t offset = 0;
    for (auto& d : descriptors) {
        putU32(&d[12], offset);
        offset += fieldRoom(d);
    }
    std::array<std::uint8_t, kHeaderSize> image{};
    image[0] = kVersion;
    const std::time_t now = std::time(nullptr);
    if (const std::tm* today = std::localtime(&now)) {
        image[1] = static_cast<std::uint8_t>(today->tm_year % 100);
        image[2] = static_cast<std::uint8_t>(today->tm_mon + 1);
        image[3] = static_cast<std::uint8_t>(today->tm_mday);
    }
    putU16(&image[8], static_cast<std::int64_t>(kDescriptorSize * descriptors.size() + 33));
    putU16(&image[10], offset);

    int result = kDone;
    auto put = [&](const void* bytes, std::size_t size) {
        if (std::fwrite(bytes, 1, size, f) != size) result = kWriteFailed;
    };
    put(image.data(), image.size());
    for (const auto& d : descriptors) put(d.data(), d.size());
    put(&kHeaderEnd, 1);
    if (std::fclose(f) != 0) result = kWriteFailed;
    // An open table keeps its own description: reading or writing its file under the
    // new table's layout would corrupt it.
    if (file == nullptr) {
        header = image;
        fieldDescriptors = std::move(descriptors);
        describe();
    }
    return result;
}

}  // namespace verdin
