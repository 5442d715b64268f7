#include "stats/slot_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tessera {

void appendI32(std::string& out, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
    out.append(bytes, 4);
}

void appendU16(std::string& out, uint16_t value) {
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
    out.append(bytes, 2);
}

void appendI16(std::string& out, int16_t value) { appendU16(out, static_cast<uint16_t>(value)); }

int32_t loadI32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

uint16_t loadU16(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

int16_t loadI16(const char* p) { return static_cast<int16_t>(loadU16(p)); }

// ---- reading -------------------------------------------------------------------------------

bool SlotFile::open(const std::string& path, int mode) {
    close();
    const int fd = ::open(path.c_str(), (mode == 1 ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    std::lock_guard guard(lock_);
    fd_ = fd;
    size_ = static_cast<uint64_t>(info.st_size);
    if (!checkHeader()) {
        ::close(fd_);
        fd_ = -1;
        size_ = 0;
        return false;
    }
    return true;
}

bool SlotFile::openBytes(std::string bytes) {
    close();
    std::lock_guard guard(lock_);
    memory_ = std::move(bytes);
    inMemory_ = true;
    size_ = memory_.size();
    if (!checkHeader()) {
        memory_.clear();
        inMemory_ = false;
        size_ = 0;
        return false;
    }
    return true;
}

bool SlotFile::checkHeader() {
    char header[kSlotHeaderBytes];
    if (!readAt(0, sizeof header, header))
        return false;
    if (std::memcmp(header, "SIF", 4) != 0)
        return false;
    double value = 1.0;
    uint64_t bits = 0;
    for (int k = 7; k >= 0; --k)
        bits = (bits << 8) | static_cast<unsigned char>(header[6 + k]);
    std::memcpy(&value, &bits, sizeof value);
    if (!(value == 0.0))
        return false;
    const int32_t count = loadI32(header + 18);
    if (count < 1)
        return false;
    slotCount_ = count;
    return true;
}

void SlotFile::close() {
    std::lock_guard guard(lock_);
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    memory_.clear();
    memory_.shrink_to_fit();
    inMemory_ = false;
    size_ = 0;
    slotCount_ = 0;
}

bool SlotFile::isOpen() const {
    std::lock_guard guard(lock_);
    return slotCount_ > 0;
}

int32_t SlotFile::slotCount() const {
    std::lock_guard guard(lock_);
    return slotCount_;
}

bool SlotFile::readAt(uint64_t offset, size_t n, void* out) const {
    if (offset > size_ || n > size_ - offset)
        return false;
    if (inMemory_) {
        std::memcpy(out, memory_.data() + offset, n);
        return true;
    }
    if (fd_ < 0)
        return false;
    auto* target = static_cast<char*>(out);
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd_, target + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

std::optional<SlotRef> SlotFile::readSlot(int32_t i) const {
    std::lock_guard guard(lock_);
    if (i < 0 || i >= slotCount_)
        return std::nullopt;
    char bytes[kSlotRefBytes];
    if (!readAt(kSlotHeaderBytes + kSlotRefBytes * static_cast<uint64_t>(i), sizeof bytes, bytes))
        return std::nullopt;
    return SlotRef{loadI32(bytes), loadI32(bytes + 4), loadI32(bytes + 8)};
}

std::optional<std::string> SlotFile::readRecord(const SlotRef& ref) const {
    if (ref.offset < 0 || ref.capacity < ref.length)
        return std::nullopt;
    if (ref.length < 1)
        return std::string();
    std::lock_guard guard(lock_);
    const auto length = static_cast<size_t>(ref.length);
    if (static_cast<uint64_t>(ref.offset) > size_ || length > size_ - static_cast<uint64_t>(ref.offset))
        return std::nullopt;  // checked before allocating: a corrupt length never allocates
    std::string bytes(length, '\0');
    if (!readAt(static_cast<uint64_t>(ref.offset), length, bytes.data()))
        return std::nullopt;
    return bytes;
}

std::optional<std::string> SlotFile::readSlotRecord(int32_t i) const {
    const auto ref = readSlot(i);
    if (!ref || ref->isEmpty())
        return std::nullopt;
    return readRecord(*ref);
}

// ---- writing -------------------------------------------------------------------------------

bool SlotFileWriter::create(const std::string& path, int32_t slotCount, std::string& error) {
    abandon();
    if (slotCount < 1) {
        error = "a slot file needs at least one slot";
        return false;
    }
    path_ = path;
    temporaryPath_ = path + ".building";
    file_ = std::fopen(temporaryPath_.c_str(), "wb");
    if (!file_) {
        error = "cannot write " + temporaryPath_ + ": " + std::strerror(errno);
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    slots_.assign(static_cast<size_t>(slotCount), SlotRef());
    heapEnd_ = kSlotHeaderBytes + kSlotRefBytes * static_cast<uint64_t>(slotCount);
    finished_ = false;
    if (std::fseek(file_, static_cast<long>(heapEnd_), SEEK_SET) != 0) {
        error = "cannot write " + temporaryPath_;
        abandon();
        return false;
    }
    return true;
}

bool SlotFileWriter::put(int32_t i, const std::string& record, SlotRef* ref) {
    if (!file_ || finished_ || i < 0 || static_cast<size_t>(i) >= slots_.size() ||
        !slots_[static_cast<size_t>(i)].isEmpty())
        return false;
    if (heapEnd_ + record.size() > 0x7FFFFFFFull)
        return false;
    if (!record.empty() && std::fwrite(record.data(), 1, record.size(), file_) != record.size())
        return false;
    const auto length = static_cast<int32_t>(record.size());
    slots_[static_cast<size_t>(i)] = SlotRef{static_cast<int32_t>(heapEnd_), length, length};
    heapEnd_ += record.size();
    if (ref)
        *ref = slots_[static_cast<size_t>(i)];
    return true;
}

bool SlotFileWriter::finish(std::string& error) {
    if (!file_ || finished_) {
        error = "the slot file is not being written";
        return false;
    }
    std::string head("SIF\0", 4);
    head.append(2, '\0');
    head.append(8, '\0');  // the double 0.0
    head.append(4, '\0');
    appendI32(head, static_cast<int32_t>(slots_.size()));
    // A million slots: the table is filled in place rather than appended value by value.
    std::string table(slots_.size() * kSlotRefBytes, '\0');
    char* at = table.data();
    for (const SlotRef& ref : slots_) {
        for (int32_t value : {ref.offset, ref.capacity, ref.length}) {
            const auto v = static_cast<uint32_t>(value);
            at[0] = static_cast<char>(v & 0xFF);
            at[1] = static_cast<char>((v >> 8) & 0xFF);
            at[2] = static_cast<char>((v >> 16) & 0xFF);
            at[3] = static_cast<char>(v >> 24);
            at += 4;
        }
    }
    bool ok = std::fseek(file_, 0, SEEK_SET) == 0 && std::fwrite(head.data(), 1, head.size(), file_) == head.size() &&
              std::fwrite(table.data(), 1, table.size(), file_) == table.size() && std::fflush(file_) == 0 &&
              ::fsync(fileno(file_)) == 0;
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    if (!ok) {
        error = "cannot write " + temporaryPath_ + ": " + std::strerror(errno);
        std::remove(temporaryPath_.c_str());
        temporaryPath_.clear();
        return false;
    }
    slots_.clear();
    slots_.shrink_to_fit();
    finished_ = true;
    return true;
}

bool SlotFileWriter::rename(std::string& error) {
    if (!finished_ || temporaryPath_.empty()) {
        error = "the slot file is not finished";
        return false;
    }
    if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        error = "cannot rename " + temporaryPath_ + " to " + path_ + ": " + std::strerror(errno);
        return false;
    }
    temporaryPath_.clear();
    return true;
}

void SlotFileWriter::abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporaryPath_.empty())
        std::remove(temporaryPath_.c_str());
    temporaryPath_.clear();
    slots_.clear();
    finished_ = false;
}

}  // namespace tessera
