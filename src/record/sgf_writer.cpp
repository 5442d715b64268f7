#include "record/sgf_writer.h"

#include "record/record_bytes.h"

namespace tessera {

namespace {

void printNode(const SgfNode& node, std::string& out) {
    out += ';';
    for (const auto& property : node.properties()) {
        if (property.identifier.empty())
            continue;
        out += property.identifier;
        if (property.values.empty())
            out += "[]";
        for (const auto& value : property.values) {
            out += '[';
            out += SgfWriter::Escape(value);
            out += ']';
        }
    }
}

}  // namespace

std::string SgfWriter::Escape(const std::string& value, bool escapeColon) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == ']' || c == '\\' || (escapeColon && c == ':'))
            out += '\\';
        out += c;
    }
    return out;
}

std::string SgfWriter::PrintTrees(const std::vector<const SgfNode*>& roots) {
    std::string out;
    // Work items: a tree to open (node) or a ")" to print (nullptr).
    std::vector<const SgfNode*> work;
    for (auto it = roots.rbegin(); it != roots.rend(); ++it)
        if (*it) {
            work.push_back(nullptr);
            work.push_back(*it);
        }
    bool first = true;
    while (!work.empty()) {
        const SgfNode* node = work.back();
        work.pop_back();
        if (!node) {
            out += ')';
            continue;
        }
        if (!first && node->parent() == nullptr)
            out += '\n';
        first = false;
        out += '(';
        // A sequence continues through only children; several children open one tree each.
        for (;;) {
            printNode(*node, out);
            const auto& children = node->children();
            if (children.size() == 1) {
                node = children.front().get();
                continue;
            }
            for (auto it = children.rbegin(); it != children.rend(); ++it) {
                work.push_back(nullptr);
                work.push_back(it->get());
            }
            break;
        }
    }
    out += '\n';
    return out;
}

bool SgfWriter::WriteTrees(const std::filesystem::path& file, const std::vector<const SgfNode*>& roots,
                           std::string& error) {
    return saveFileBytes(file, PrintTrees(roots), error);
}

}  // namespace tessera
