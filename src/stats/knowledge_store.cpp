#include "stats/knowledge_store.h"

#include "record/sgg_node.h"
#include "stats/position_index.h"

namespace tessera {

std::optional<GameNode> KnowledgeStore::readNote(int32_t id) const {
    if (id < 0 || id >= kMaxPositionIds)
        return std::nullopt;
    const auto bytes = file_.readSlotRecord(id);
    if (!bytes)
        return std::nullopt;
    GameNode node;
    std::string error;
    if (!readNodeForm(*bytes, node, error))
        return std::nullopt;
    return node;
}

}  // namespace tessera
