#pragma once
// The search dialog of the game library: five pages, one per kind of query (date, player,
// event, custom index, SQL), and the result page with the game list. OK on a query page runs
// the query and shows the result page; OK (or a double click) there picks a game.

#include <QDialog>
#include <vector>

#include "library/library_query.h"
#include "library/library_record.h"
#include "platform/interface_language.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class QTreeWidget;

namespace tessera {

class LibraryStore;

class LibrarySearchDialog : public QDialog {
    Q_OBJECT
public:
    // interfaceLanguage names the block names; current: the room's query, whose event is selected again.
    LibrarySearchDialog(LibraryStore& store, InterfaceLanguage interfaceLanguage, const LibraryQuery& current,
                        QWidget* parent = nullptr);

    // The query of the page shown (kind by page).
    LibraryQuery queryOfPage() const;
    // Runs the query of the page and shows the result page.
    void runQuery();
    // The result in display order, and the picked position in it (-1 when none).
    std::vector<LibraryRecord> results() const;
    int pickedIndex() const;
    const LibraryQuery& query() const { return query_; }

    // Widgets for the tests.
    QTabWidget* pages() const { return pages_; }
    QLineEdit* playerEdit() const { return playerName_; }
    QTableWidget* resultTable() const { return table_; }
    bool showingResults() const;

    // The column texts of a game list row and the header texts (shared with the room's list).
    static void fillGameTable(QTableWidget* table, const std::vector<LibraryRecord>& records);

protected:
    void accept() override;

private:
    QWidget* makeDatePage();
    QWidget* makePlayerPage();
    QWidget* makeEventPage();
    QWidget* makeIndexPage(InterfaceLanguage interfaceLanguage);
    QWidget* makeSqlPage();
    QWidget* makeResultPage();
    void reloadPlayers();
    void exportIds();
    void importIds();

    LibraryStore& store_;
    LibraryQuery query_;
    std::vector<LibraryRecord> results_;
    QStackedWidget* stack_;
    QTabWidget* pages_;
    QButtonGroup* dateKind_;
    QLineEdit* fromDate_;
    QLineEdit* toDate_;
    QComboBox* nation_;
    QComboBox* sex_;
    QComboBox* side_;
    QComboBox* result_;
    QLineEdit* playerName_;
    QTableWidget* players_;
    char letter_ = 0;
    QListWidget* events_;
    QTreeWidget* blocks_;
    QPlainTextEdit* sql_;
    QTableWidget* table_;
};

}  // namespace tessera
