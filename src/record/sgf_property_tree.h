#pragma once
// The SGF property tree: what an SGF file holds, with no knowledge of Go. The reader turns
// text into this tree and the record converter turns it into a GameRecord; the writer goes
// the other way. Values are unescaped UTF-8 text. A node owns its subtree; destruction is
// iterative, so a tree nested 100,000 deep is freed without deep recursion.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessera {

struct SgfProperty {
    std::string identifier;           // upper-case letters only ("B", "AB", "CP" for CoPyright)
    std::vector<std::string> values;  // at least one value, in file order

    // The first value (empty when there is none).
    const std::string& value() const;
};

class SgfNode {
public:
    SgfNode() = default;
    ~SgfNode();
    SgfNode(const SgfNode&) = delete;
    SgfNode& operator=(const SgfNode&) = delete;

    // Properties in file order, duplicates kept.
    std::vector<SgfProperty>& properties() { return properties_; }
    const std::vector<SgfProperty>& properties() const { return properties_; }
    // The first property with exactly this identifier, or nullptr.
    const SgfProperty* find(std::string_view identifier) const;
    // The first value of the first property with this identifier, or nullptr.
    const std::string* findValue(std::string_view identifier) const;
    // Appends a property with one value.
    void add(std::string identifier, std::string value);
    // Replaces the first property of this identifier's values by one value, or appends it;
    // an empty value removes the property instead.
    void set(const std::string& identifier, std::string value);
    // Removes the first property with this identifier; false when there is none.
    bool remove(const std::string& identifier);

    // The parent, or nullptr for a root.
    SgfNode* parent() const { return parent_; }
    // Children in order: the first continues the main line.
    const std::vector<std::unique_ptr<SgfNode>>& children() const { return children_; }
    // Takes ownership of child, links it as the last child and returns it.
    SgfNode* addChild(std::unique_ptr<SgfNode> child);

private:
    std::vector<SgfProperty> properties_;
    SgfNode* parent_ = nullptr;
    std::vector<std::unique_ptr<SgfNode>> children_;
};

}  // namespace tessera
