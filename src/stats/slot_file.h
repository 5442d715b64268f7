#pragma once
// The slot-file layout shared by every pattern base: a 22-byte header ("SIF\0", a zero
// 16-bit word, a double 0.0, a zero 32-bit word, the i32 slot count), a table of 12-byte slot
// references (offset, capacity, length; an empty slot is (-1, 0, 0)) and a heap of records
// found only through the table. All integers are little-endian.
//
// A SlotFile reads with pread under its own lock, so the user-interface thread and the
// engine's worker thread may share one open file: no operation ever sees another's seek.
// Nothing read from the file is trusted: every reference is checked against the file's size
// before anything is allocated.

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tessera {

struct SlotRef {
    int32_t offset = -1;
    int32_t capacity = 0;
    int32_t length = 0;
    bool isEmpty() const { return offset < 0; }
    bool operator==(const SlotRef&) const = default;
};

constexpr size_t kSlotHeaderBytes = 22;
constexpr size_t kSlotRefBytes = 12;

class SlotFile {
public:
    SlotFile() = default;
    ~SlotFile() { close(); }
    SlotFile(const SlotFile&) = delete;
    SlotFile& operator=(const SlotFile&) = delete;

    // Opens an existing file (mode 0 read only, 1 read and write; neither creates a file) and
    // checks its header. False, leaving the object closed, on any failure.
    bool open(const std::string& path, int mode = 0);
    // Serves the bytes in memory as a file (tests and the fuzz target).
    bool openBytes(std::string bytes);
    void close();
    bool isOpen() const;
    // The header's slot count; 0 while closed.
    int32_t slotCount() const;

    // The reference of slot i; nullopt outside 0 .. slotCount - 1, while closed, or on a
    // failed read.
    std::optional<SlotRef> readSlot(int32_t i) const;
    // The record bytes of ref; nullopt for a negative offset, a capacity below the length,
    // a record reaching past the end of the file, or a failed read. A length below 1 gives
    // an empty record.
    std::optional<std::string> readRecord(const SlotRef& ref) const;
    // readSlot then readRecord; nullopt for an empty slot too.
    std::optional<std::string> readSlotRecord(int32_t i) const;

private:
    bool checkHeader();
    bool readAt(uint64_t offset, size_t n, void* out) const;

    mutable std::mutex lock_;  // one per open file: every read holds it
    int fd_ = -1;
    std::string memory_;
    bool inMemory_ = false;
    uint64_t size_ = 0;
    int32_t slotCount_ = 0;
};

// Writes a new slot file under a temporary name beside the target; commit() writes the slot
// table and renames it into place, so readers never see a half-written file. Records are
// appended to the heap in the order they are put; the slot table stays in memory
// (12 bytes per slot).
class SlotFileWriter {
public:
    SlotFileWriter() = default;
    ~SlotFileWriter() { abandon(); }
    SlotFileWriter(const SlotFileWriter&) = delete;
    SlotFileWriter& operator=(const SlotFileWriter&) = delete;

    // Starts the temporary file for path with slotCount empty slots; false with a reason.
    bool create(const std::string& path, int32_t slotCount, std::string& error);
    // Stores the record in slot i (capacity = length); false when i is outside the table, the
    // slot is taken, the heap would pass 2 GB or the write fails.
    // The stored reference goes to *ref when given.
    bool put(int32_t i, const std::string& record, SlotRef* ref = nullptr);
    // Writes the table, flushes to disk; the temporary file stays until rename().
    bool finish(std::string& error);
    // Renames the finished temporary file over the target.
    bool rename(std::string& error);
    // Removes the temporary file (nothing after rename()).
    void abandon();
    const std::string& temporaryPath() const { return temporaryPath_; }

private:
    std::string path_;
    std::string temporaryPath_;
    std::FILE* file_ = nullptr;
    std::vector<SlotRef> slots_;
    uint64_t heapEnd_ = 0;
    bool finished_ = false;
};

// Little-endian value helpers for the pattern records.
void appendI32(std::string& out, int32_t value);
void appendI16(std::string& out, int16_t value);
void appendU16(std::string& out, uint16_t value);
int32_t loadI32(const char* p);
int16_t loadI16(const char* p);
uint16_t loadU16(const char* p);

}  // namespace tessera
