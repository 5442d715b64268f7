#pragma once
// The list of open rooms of the main window and their numbers. A room is registered when its
// window is created and unregistered when the window is destroyed, so the list always equals
// the open room windows in creation order; the room bar shows one tab per entry at the same
// index.
//
// Numbering: one more than the largest number open, but at least 100. Numbers are therefore
// never reused while a larger one is open (100, 101, 102 open, 101 closed: the next is 103),
// and closing every room starts again at 100. At most ten rooms are open at once.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tessera {

inline constexpr int kMaxOpenRooms = 10;
inline constexpr int kFirstRoomNumber = 100;

template <typename Room>
class RoomRegistry {
public:
    // True when no further room may be opened.
    bool full() const { return static_cast<int>(entries_.size()) >= kMaxOpenRooms; }

    // The number the next registered room gets.
    int nextNumber() const {
        int largest = kFirstRoomNumber - 1;
        for (const Entry& entry : entries_)
            largest = std::max(largest, entry.number);
        return largest + 1;
    }

    // Appends the room and returns its number; -1 (nothing registered) when full or already in.
    int registerRoom(Room* room) {
        if (full() || room == nullptr || indexOf(room) >= 0)
            return -1;
        const int number = nextNumber();
        entries_.push_back(Entry{room, number});
        return number;
    }

    // Removes the room; returns the index it had, or -1 when it was not registered.
    int unregisterRoom(const Room* room) {
        const int index = indexOf(room);
        if (index >= 0)
            entries_.erase(entries_.begin() + index);
        return index;
    }

    // The index of the room in creation order, or -1.
    int indexOf(const Room* room) const {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].room == room)
                return static_cast<int>(i);
        return -1;
    }

    // The room at index, or nullptr outside the list.
    Room* roomAt(int index) const {
        return index >= 0 && index < size() ? entries_[static_cast<std::size_t>(index)].room : nullptr;
    }

    // The number of the room at index, or -1 outside the list.
    int numberAt(int index) const {
        return index >= 0 && index < size() ? entries_[static_cast<std::size_t>(index)].number : -1;
    }

    // The number of a registered room, or -1.
    int numberOf(const Room* room) const { return numberAt(indexOf(room)); }

    int size() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        Room* room;
        int number;
    };
    std::vector<Entry> entries_;
};

}  // namespace tessera
