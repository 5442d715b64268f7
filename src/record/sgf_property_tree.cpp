#include "record/sgf_property_tree.h"

#include <algorithm>

namespace tessera {

const std::string& SgfProperty::value() const {
    static const std::string empty;
    return values.empty() ? empty : values.front();
}

SgfNode::~SgfNode() {
    // Detach the whole subtree into a flat list first so that no destructor recurses.
    std::vector<std::unique_ptr<SgfNode>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<SgfNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_)
            pending.push_back(std::move(child));
        node->children_.clear();
    }
}

const SgfProperty* SgfNode::find(std::string_view identifier) const {
    for (const auto& property : properties_)
        if (property.identifier == identifier)
            return &property;
    return nullptr;
}

const std::string* SgfNode::findValue(std::string_view identifier) const {
    const SgfProperty* property = find(identifier);
    return property && !property->values.empty() ? &property->values.front() : nullptr;
}

void SgfNode::add(std::string identifier, std::string value) {
    properties_.push_back({std::move(identifier), {std::move(value)}});
}

void SgfNode::set(const std::string& identifier, std::string value) {
    if (value.empty()) {
        remove(identifier);
        return;
    }
    for (auto& property : properties_)
        if (property.identifier == identifier) {
            property.values.assign(1, std::move(value));
            return;
        }
    add(identifier, std::move(value));
}

bool SgfNode::remove(const std::string& identifier) {
    auto it = std::find_if(properties_.begin(), properties_.end(),
                           [&](const SgfProperty& p) { return p.identifier == identifier; });
    if (it == properties_.end())
        return false;
    properties_.erase(it);
    return true;
}

SgfNode* SgfNode::addChild(std::unique_ptr<SgfNode> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
    return children_.back().get();
}

}  // namespace tessera
