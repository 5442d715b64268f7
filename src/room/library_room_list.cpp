#include "room/library_room_list.h"

#include "library/game_mark_map.h"
#include "library/library_game_file.h"
#include "library/library_store.h"

namespace tessera {

LibraryRoomList::LibraryRoomList(LibraryStore& store, GameMarkMap& marks, std::string downloadRoot, LibraryQuery query,
                                 std::vector<LibraryRecord> records)
    : store_(store),
      marks_(marks),
      downloadRoot_(std::move(downloadRoot)),
      query_(std::move(query)),
      records_(std::move(records)) {}

bool LibraryRoomList::load(int index, GameRecord& record, std::string& error) {
    if (index < 0 || index >= size()) {
        error = "no such record in the list";
        return false;
    }
    const int32_t id = records_[static_cast<size_t>(index)].id;
    if (!ensureLibraryGameFile(store_, id, downloadRoot_, error))
        return false;
    if (!store_.readGame(id, record, &error))
        return false;
    record.info.libraryId = id;
    if (marks_.mark(id) == kMarkUnread) {
        marks_.set(id, kMarkRead);
        records_[static_cast<size_t>(index)].mark = kMarkRead;
    }
    return true;
}

int LibraryRoomList::customStatus(int index) const {
    return index >= 0 && index < size() ? records_[static_cast<size_t>(index)].mark : -1;
}

bool LibraryRoomList::setCustomStatus(int index, int32_t libraryId, int status) {
    if (index < 0 || index >= size())
        return false;
    marks_.set(libraryId, status);
    if (records_[static_cast<size_t>(index)].id == libraryId)
        records_[static_cast<size_t>(index)].mark = status < 1 ? 0 : status;
    return true;
}

bool LibraryRoomList::remove(int index) {
    if (index < 0 || index >= size())
        return false;
    records_.erase(records_.begin() + index);
    return true;
}

}  // namespace tessera
