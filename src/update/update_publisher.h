#pragma once
// The publishing side of the online update: builds the server tree that runOnlineUpdate reads
// from a program folder's library and data files.
//
// Each run adds one patch with the games and players added since the last one (or since the
// patch named by `since`), packs every new game's SGG file and the whole database, and brings
// the file index of the data files up to date (its version moves on when it changed). Files
// are written before the history and the index that name them, so a client reading the tree
// during a publish never sees a patch or a file that is not there yet.
//
// Tree: Patch/<library folder>/GoMDBHisPatch.INI, patch<n>_GoMDB.dat.zip, go.db.zip and
// published.ini (the last game and player id of each patch, for the next run);
// GoFile/<id/1000>/<id:08>.sgg.zip; ftpindex.ini, ftpindex.dat and <data file>.zip.

#include <string>

namespace tessera {

struct PublishReport {
    int patch = -1;  // number of the patch added, -1 when the library had nothing new
    int games = 0;   // in that patch
    int players = 0;
    int files = 0;  // data files packed (new or changed)
    int indexVersion = 0;
    std::string error;
};

// Publishes programFolder (ends with '/') into outFolder (ends with '/'). since: the patch
// after which the new patch starts (-1: the last one). False with report.error otherwise.
bool publishUpdateTree(const std::string& programFolder, const std::string& outFolder, int since,
                       PublishReport& report);

}  // namespace tessera
