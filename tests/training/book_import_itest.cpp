// Problem books made from the corpus problems in a real SQLite library, and training rooms
// started on them.
#include "training/book_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "library/game_mark_map.h"
#include "library/id_list_file.h"
#include "library/library_query.h"
#include "library/library_store.h"
#include "room/game_room.h"
#include "room/library_room_list.h"
#include "support/test_support.h"
#include "training/problem_books.h"

namespace tessera {
namespace {

struct BookLibrary : ::testing::Test {
    test::ScratchFolder folder;
    std::string program;
    GameMarkMap marks;
    std::unique_ptr<LibraryStore> store;

    void SetUp() override {
        TESSERA_REQUIRE_SHARED();
        program = (folder / "bin").string() + "/";
        std::filesystem::create_directories(program);
        store = std::make_unique<LibraryStore>(program, &marks);
        std::string error;
        ASSERT_TRUE(store->open(LibraryAccess::readWrite, error)) << error;
    }
    std::string problems(const char* sub) { return (test::sharedDir() / "corpus" / "problems" / sub).string(); }
    std::shared_ptr<LibraryRoomList> bookList(const ProblemBook& book) {
        LibraryQuery query;
        query.kind = kQueryByIndex;
        query.group = book.group;
        query.file = book.block;
        std::vector<LibraryRecord> records;
        runLibraryQuery(*store, query, records);
        return std::make_shared<LibraryRoomList>(*store, marks, "", query, std::move(records));
    }
};

TEST_F(BookLibrary, AFolderBecomesABookWithTitlesInThreeLanguages) {
    BookImportRequest request{"死活练习", "", "", {problems("goproblems")}, 0};
    BookImportResult result;
    ASSERT_TRUE(importProblemBook(*store, program, request, result)) << result.error;
    EXPECT_EQ(result.problems, 14);
    EXPECT_EQ(result.indexPath, program + "block/books/死活练习");
    const ProblemBookList english = loadProblemBooks(program + "TPBs.ini", 0);
    ASSERT_EQ(english.books.size(), 1u);
    EXPECT_EQ(english.books[0].title, "死活练习");  // no English title given: the name
    EXPECT_EQ(loadProblemBooks(program + "TPBs.ini", 2).books[0].title, "死活練習");  // OpenCC

    // The problems are stored as problems, their answers in the move tags.
    std::vector<int32_t> ids;
    ASSERT_TRUE(ReadIdList(result.indexPath, ids));
    GameRecord first;
    ASSERT_TRUE(store->readGame(ids.front(), first));
    EXPECT_EQ(first.info.appType, 3);
    int rightEnds = 0;
    for (const auto& node : first.tree.nodes())
        rightEnds += node->moveTag == kMoveTagCorrect;
    EXPECT_GT(rightEnds, 0);

    // Importing again finds the copies already held: the book keeps its problems, once each.
    request.englishTitle = "Life and death";
    ASSERT_TRUE(importProblemBook(*store, program, request, result)) << result.error;
    EXPECT_EQ(result.summary.imported, 0);
    EXPECT_EQ(result.summary.duplicates, 14);
    std::vector<int32_t> after;
    ASSERT_TRUE(ReadIdList(result.indexPath, after));
    EXPECT_EQ(after, ids);
    EXPECT_EQ(loadProblemBooks(program + "TPBs.ini", 0).books.size(), 1u);
    EXPECT_EQ(loadProblemBooks(program + "TPBs.ini", 0).books[0].title, "Life and death");
}

TEST_F(BookLibrary, ProblemsWithTheSameMovesButOtherStonesAreKeptApart) {
    test::writeBytes(folder / "in" / "a.sgf", "(;AB[aa][ba]AW[ab];B[bb]C[RIGHT])");
    test::writeBytes(folder / "in" / "b.sgf", "(;AB[aa]AW[ab][bc];B[bb]C[RIGHT])");
    BookImportResult result;
    ASSERT_TRUE(importProblemBook(*store, program, {"pair", "", "", {(folder / "in").string()}, 0}, result));
    EXPECT_EQ(result.summary.imported, 2);
    EXPECT_FALSE(importProblemBook(*store, program, {"..", "", "", {(folder / "in").string()}, 0}, result));
    EXPECT_FALSE(importProblemBook(*store, program, {"empty", "", "", {(folder / "none").string()}, 0}, result));
    EXPECT_EQ(loadProblemBooks(program + "TPBs.ini", 1).books.size(), 1u);
}

TEST_F(BookLibrary, TrainingStartsOnTheBooksFirstProblemAndAnEmptyBookChangesOnlyTheKind) {
    BookImportResult result;
    ASSERT_TRUE(importProblemBook(*store, program, {"gp", "GP", "", {problems("goproblems")}, 1}, result));
    const ProblemBook book = loadProblemBooks(program + "TPBs.ini", 0).books.at(0);
    GameRoom room;
    room.newGame();
    std::string error;
    ASSERT_TRUE(room.startTraining(bookList(book), book.singlePlay != 0, error)) << error;
    EXPECT_EQ(room.roomKind(), kRoomTraining);
    EXPECT_EQ(room.infoPanels(), kPanelComments);
    EXPECT_TRUE(room.isProblemRecord());
    EXPECT_TRUE(room.oneUserStudy());  // the book's SinglePlay
    EXPECT_EQ(room.libraryIndex(), 0);
    room.openNextRecord();
    EXPECT_EQ(room.libraryIndex(), 1);

    // A book whose index names no game of the library.
    ASSERT_TRUE(WriteIdList({999999}, program + "block/books/gone"));
    GameRoom other;
    other.newGame();
    const size_t nodes = other.record().tree.size();
    ASSERT_TRUE(other.startTraining(bookList({"Gone", 0, "books", "gone"}), false, error));
    EXPECT_EQ(other.roomKind(), kRoomTraining);
    EXPECT_EQ(other.record().tree.size(), nodes);
    EXPECT_FALSE(other.isProblemRecord());
    EXPECT_FALSE(other.canOpenFirstRecord());
}

}  // namespace
}  // namespace tessera
