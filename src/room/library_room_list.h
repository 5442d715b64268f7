#pragma once
// The result list of a library or tutorial room: the games a query returned, read from the
// library store (a missing game file is fetched first) and marked through the user's mark map.
// Opening a game that has no mark marks it read.

#include <memory>
#include <string>
#include <vector>

#include "library/library_query.h"
#include "library/library_record.h"
#include "room/room_settings.h"

namespace tessera {

class GameMarkMap;
class LibraryStore;

class LibraryRoomList : public RoomLibraryList {
public:
    // store and marks must outlive the list; downloadRoot may be empty (no downloads).
    LibraryRoomList(LibraryStore& store, GameMarkMap& marks, std::string downloadRoot, LibraryQuery query,
                    std::vector<LibraryRecord> records);

    int size() const override { return static_cast<int>(records_.size()); }
    bool load(int index, GameRecord& record, std::string& error) override;
    int customStatus(int index) const override;
    bool setCustomStatus(int index, int32_t libraryId, int status) override;

    const LibraryQuery& query() const { return query_; }
    const std::vector<LibraryRecord>& records() const { return records_; }
    // Removes an entry (the result page's "delete row"); false outside the list.
    bool remove(int index);

private:
    LibraryStore& store_;
    GameMarkMap& marks_;
    std::string downloadRoot_;
    LibraryQuery query_;
    std::vector<LibraryRecord> records_;
};

}  // namespace tessera
