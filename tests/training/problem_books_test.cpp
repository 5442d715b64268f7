// TPBs.ini: which books are listed, which one is preselected, and adding books.
#include "training/problem_books.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace tessera {
namespace {

std::string book(int n, const char* block) {
    std::string text = "[TPB_" + std::to_string(n) + "]\nTITLE0=Book " + std::to_string(n) + "\nTITLE1=题库" +
                       std::to_string(n) + "\nGROUP=books\n";
    if (block)
        text += std::string("BLOCK=") + block + "\n";
    return text;
}

TEST(ProblemBooks, ReadingStopsAtTheFirstIncompleteBookAndTheSelectionStaysInside) {
    test::ScratchFolder folder;
    const std::string path = (folder / "TPBs.ini").string();
    EXPECT_TRUE(loadProblemBooks(path, 1).books.empty());  // no file
    ASSERT_TRUE(
        test::writeBytes(path, "[TPBS]\nDEFAULT=5\nTOTAL=3\n" + book(0, "a") + book(1, nullptr) + book(2, "c")));
    ProblemBookList list = loadProblemBooks(path, 1);
    ASSERT_EQ(list.books.size(), 1u);  // the second book has no BLOCK
    EXPECT_EQ(list.books[0].title, "题库0");
    ASSERT_TRUE(test::writeBytes(path, "[TPBS]\nDEFAULT=5\nTOTAL=2\n" + book(0, "a") + book(1, "b")));
    list = loadProblemBooks(path, 0);
    ASSERT_EQ(list.books.size(), 2u);
    EXPECT_EQ(list.selected, 0);                           // DEFAULT beyond the books
    EXPECT_EQ(list.books[1].title, "Book 1");              // English titles from TITLE0
    EXPECT_TRUE(loadProblemBooks(path, 2).books.empty());  // no TITLE2: nothing in Traditional Chinese
    ASSERT_TRUE(test::writeBytes(path, "[TPBS]\nDEFAULT=1\nTOTAL=0\n" + book(0, "a")));
    EXPECT_TRUE(loadProblemBooks(path, 1).books.empty());
}

TEST(ProblemBooks, SavedBooksAreListedRenewedInPlaceAndTakeABrokenBooksPlace) {
    test::ScratchFolder folder;
    const std::string path = (folder / "TPBs.ini").string();
    ProblemBookEntry entry{{"Life", "死活", "死活"}, 1, "books", "死活"};
    int index = -1;
    ASSERT_TRUE(saveProblemBook(path, entry, &index));  // a new file
    EXPECT_EQ(index, 0);
    entry.titles[0] = "Life and death";
    ASSERT_TRUE(saveProblemBook(path, entry, &index));  // the same book: renewed
    EXPECT_EQ(index, 0);
    ProblemBookList list = loadProblemBooks(path, 0);
    ASSERT_EQ(list.books.size(), 1u);
    EXPECT_EQ(list.books[0].title, "Life and death");
    EXPECT_EQ(list.books[0].singlePlay, 1);
    EXPECT_EQ(list.books[0].block, "死活");

    // A file whose second book is broken: the new book takes that place and is listed.
    ASSERT_TRUE(
        test::writeBytes(path, "; my books\n[TPBS]\nTOTAL=3\n" + book(0, "a") + book(1, nullptr) + book(2, "c")));
    ASSERT_TRUE(saveProblemBook(path, ProblemBookEntry{{"New", "新", "新"}, 0, "books", "new"}, &index));
    EXPECT_EQ(index, 1);
    list = loadProblemBooks(path, 1);
    ASSERT_EQ(list.books.size(), 3u);
    EXPECT_EQ(list.books[1].title, "新");
    EXPECT_EQ(test::readBytes(path).rfind("; my books\n", 0), 0u);  // the rest of the file is kept
}

}  // namespace
}  // namespace tessera
