#include "library/library_browse.h"

#include <algorithm>

#include "platform/ui_text.h"

namespace tessera {

int browseTarget(BrowseCommand command, int count, int current, uint32_t randomValue) {
    switch (command) {
        case BrowseCommand::first:
            return count >= 1 ? 0 : -1;
        case BrowseCommand::previous:
            return current >= 1 && count >= 1 ? std::min(current, count) - 1 : -1;
        case BrowseCommand::next:
            // Without a current game "next" opens the first one rather than skipping it.
            if (current < 0)
                return count >= 1 ? 0 : -1;
            return current + 1 < count ? current + 1 : -1;
        case BrowseCommand::last:
            return count >= 1 ? count - 1 : -1;
        case BrowseCommand::random:
            return count >= 2 ? static_cast<int>(randomValue % static_cast<uint32_t>(count)) : -1;
    }
    return -1;
}

std::vector<std::string> gameListColumns(const LibraryRecord& r) {
    auto shown = [](const std::string& text) { return text.empty() ? std::string("--") : text; };
    const char* exposit = r.expositType == 2 ? "注" : r.expositType == 3 ? "详注" : "无";
    return {std::to_string(r.id),
            shown(r.gameName.empty() ? r.event : r.gameName),
            uiText("GameList", exposit),
            shown(r.date),
            shown(r.black),
            shown(r.blackRank),
            shown(r.white),
            shown(r.whiteRank),
            shown(r.resultText)};
}

std::vector<std::string> gameListHeaders() {
    const char* const headers[] = {"ID", "赛事", "注解", "日期", "黑方", "黑方等级", "白方", "白方等级", "结果"};
    std::vector<std::string> list;
    for (const char* header : headers)
        list.push_back(uiText("GameList", header));
    return list;
}

}  // namespace tessera
