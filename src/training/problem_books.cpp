#include "training/problem_books.h"

#include "library/block_names.h"
#include "platform/ini_file.h"

namespace tessera {

namespace {

std::string bounded(std::string text) { return boundedProfileValue(std::move(text)); }

std::string section(int n) { return "TPB_" + std::to_string(n); }

// The books the reader reaches (titles in language).
std::vector<ProblemBook> readBooks(const IniDocument& ini, int language) {
    std::vector<ProblemBook> books;
    const int total = ini.readInt("TPBS", "TOTAL", 0);
    const std::string titleKey = "TITLE" + std::to_string(language);
    for (int n = 0; n < total; ++n) {
        ProblemBook book;
        book.title = bounded(ini.readString(section(n), titleKey, ""));
        if (book.title.empty())
            break;
        book.singlePlay = ini.readInt(section(n), "SinglePlay", 0);
        book.group = bounded(ini.readString(section(n), "GROUP", ""));
        if (book.group.empty())
            break;
        book.block = bounded(ini.readString(section(n), "BLOCK", ""));
        if (book.block.empty())
            break;
        books.push_back(std::move(book));
    }
    return books;
}

}  // namespace

ProblemBookList loadProblemBooks(const std::string& path, int language) {
    const IniDocument ini = IniDocument::load(path);
    ProblemBookList list;
    list.books = readBooks(ini, language);
    const int selected = ini.readInt("TPBS", "DEFAULT", 0);
    list.selected = selected >= 0 && selected < static_cast<int>(list.books.size()) ? selected : 0;
    return list;
}

bool saveProblemBook(const std::string& path, const ProblemBookEntry& entry, int* index) {
    std::optional<IniDocument> ini = IniDocument::loadForUpdate(path);
    if (!ini)
        return false;
    // Titles of every language must be present for the book to be listed in each of them.
    const std::vector<ProblemBook> books = readBooks(*ini, 1);
    int place = static_cast<int>(books.size());
    for (int n = 0; n < static_cast<int>(books.size()); ++n)
        if (books[n].group == entry.group && books[n].block == entry.block)
            place = n;
    const std::string name = section(place);
    for (int language = 0; language < 3; ++language)
        ini->setValue(name, "TITLE" + std::to_string(language), bounded(entry.titles[language]));
    ini->setValue(name, "SinglePlay", std::to_string(entry.singlePlay));
    ini->setValue(name, "GROUP", bounded(entry.group));
    ini->setValue(name, "BLOCK", bounded(entry.block));
    if (ini->readInt("TPBS", "TOTAL", 0) <= place)
        ini->setValue("TPBS", "TOTAL", std::to_string(place + 1));
    if (!ini->value("TPBS", "DEFAULT"))
        ini->setValue("TPBS", "DEFAULT", "0");
    if (index)
        *index = place;
    return ini->save(path);
}

}  // namespace tessera
