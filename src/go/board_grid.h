#pragma once
// One byte per point: a position (0 empty, 1 black, 2 white) or a mark layer (0/1).
// A grid may be unallocated; every operation then fails harmlessly (false, -1 or 0).

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "go/board_geometry.h"

namespace tessera {

class BoardGrid : public BoardGeometry {
public:
    // An unallocated 19 x 19 grid.
    BoardGrid() = default;
    // An allocated grid of the given size, all zero.
    BoardGrid(int width, int height) { resize(width, height); }
    // An allocated grid of the geometry's size, all zero.
    explicit BoardGrid(const BoardGeometry& geometry) { resize(geometry.width(), geometry.height()); }

    // True when the geometry is valid and the buffer exists.
    bool isUsable() const { return isValid() && allocated_; }
    // Same size and buffer present: only stones (1, 2) are removed; otherwise a new zeroed buffer.
    void resize(int width, int height);
    // Frees the buffer and resets the geometry to 19 x 19.
    void release();
    // Every 1 or 2 becomes 0; other values stay.
    void clearStones();
    // Every byte becomes 0.
    void clearAll() { fill(0); }
    // Every byte becomes value.
    void fill(uint8_t value);
    // Takes the other's size (when needed) and all its bytes; an unusable source releases this grid.
    void copyFrom(const BoardGrid& other);
    // True only when both are usable, of equal size and equal in every byte.
    bool equals(const BoardGrid& other) const;
    bool operator==(const BoardGrid& other) const { return equals(other); }

    // The byte at p, or -1 for an invalid point or absent buffer.
    int get(int32_t p) const;
    // Stores the low byte of value at p; false for an invalid point, absent buffer or negative value.
    bool set(int32_t p, int value);
    // set() for every point of the list; false when any point was refused.
    bool setAll(const PointList& points, int value);
    // The lowest index >= from holding value, or -1 (also for an invalid from).
    int32_t findValue(int value, int32_t from = 0) const;
    // The lowest index holding a stone (1 or 2), or -1.
    int32_t firstStone() const;
    // All points holding value, ascending; returns their count.
    int pointsWithValue(int value, PointList& out) const;
    // All points holding a stone, ascending; returns their count.
    int stones(PointList& out) const;
    // Number of points holding value.
    int countValue(int value) const;
    // Where other holds a stone, this grid's byte becomes 0 (sizes must be equal).
    bool removeStonesOf(const BoardGrid& other);
    // Every byte becomes 1 if it was 0, else 0.
    void invertMarks();
    // True when every byte is 1.
    bool allMarked() const;
    // result = this grid's value where mask is non-zero, 0 elsewhere (sizes must be equal).
    bool maskedCopy(const BoardGrid& mask, BoardGrid& result) const;

    // Raw bytes, row-major in point order (empty when unallocated).
    std::span<const uint8_t> bytes() const { return {storage(), count_}; }
    // The bytes for the rules core's inner loops: area() writable bytes when usable, else nullptr.
    uint8_t* data() { return allocated_ ? storage() : nullptr; }

private:
    // A record keeps one grid per node: boards up to 19 x 19 live inside the grid, so reading a
    // record does not allocate a block per node; larger boards use the heap.
    static constexpr size_t kInlineCells = 19 * 19;

    // Sets the size and makes room for its bytes, leaving their values as they are.
    void allocate(int width, int height);
    uint8_t* storage() { return count_ <= kInlineCells ? inline_.data() : heap_.data(); }
    const uint8_t* storage() const { return count_ <= kInlineCells ? inline_.data() : heap_.data(); }
    std::span<uint8_t> cells() { return {storage(), count_}; }
    std::span<const uint8_t> cells() const { return bytes(); }

    std::array<uint8_t, kInlineCells> inline_{};
    std::vector<uint8_t> heap_;  // area() bytes when the board is larger than 19 x 19
    size_t count_ = 0;           // area() when allocated_, else 0
    bool allocated_ = false;     // false: an unallocated grid
};

}  // namespace tessera
