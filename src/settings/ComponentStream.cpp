#include "settings/ComponentStream.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Exception.h"

namespace korvent::settings {
namespace {

constexpr std::string_view kSignature = "KVC1";
constexpr char kEndOfList = '\0';

void PutText(std::string& out, const std::string& text) {
    const auto size = static_cast<std::uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((size >> shift) & 0xFF);
    }
    out += text;
}

void PutComponent(std::string& out, const SerializableComponent& c) {
    PutText(out, c.Name());
    PutText(out, c.SaveState());
    const auto children = c.Children();
    PutText(out, std::to_string(children.size()));
    for (const auto* child : children) {
        PutComponent(out, *child);
    }
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : fBytes(bytes) {}

    std::string Text() {
        if (fBytes.size() - fPos < 4) {
            throw Exception("Stream read error");
        }
        std::uint32_t size = 0;
        for (int k = 0; k < 4; ++k) {
            size |= static_cast<std::uint32_t>(static_cast<unsigned char>(fBytes[fPos++]))
                    << (8 * k);
        }
        if (fBytes.size() - fPos < size) {
            throw Exception("Stream read error");
        }
        std::string text(fBytes.substr(fPos, size));
        fPos += size;
        return text;
    }
    void Expect(std::string_view bytes) {
        if (fBytes.substr(fPos, bytes.size()) != bytes) {
            throw Exception("Invalid stream format");
        }
        fPos += bytes.size();
    }

private:
    std::string_view fBytes;
    size_t fPos = 0;
};

struct Node {
    std::string name;
    std::string state;
    std::vector<Node> children;
};

Node ReadNode(Reader& in, int depth) {
    if (depth > 64) {
        throw Exception("Invalid stream format");
    }
    Node node{in.Text(), in.Text(), {}};
    const std::string count = in.Text();
    const unsigned long n = count.empty() || count.size() > 6 ? ~0ul : std::stoul(count);
    if (n == ~0ul) {
        throw Exception("Invalid stream format");
    }
    for (unsigned long k = 0; k < n; ++k) {
        node.children.push_back(ReadNode(in, depth + 1));
    }
    return node;
}

struct Saved {
    SerializableComponent* component;
    std::string name;
    std::string state;
};

// Depth-first, each parent before its children.
void Collect(SerializableComponent& c, std::vector<Saved>& saved) {
    saved.push_back({&c, c.Name(), c.SaveState()});
    for (auto* child : c.Children()) {
        Collect(*child, saved);
    }
}

void CheckShape(SerializableComponent& c, const Node& node) {
    const auto children = c.Children();
    if (children.size() != node.children.size()) {
        throw Exception("Invalid stream format");
    }
    for (size_t k = 0; k < children.size(); ++k) {
        CheckShape(*children[k], node.children[k]);
    }
}

void LoadStates(SerializableComponent& c, const Node& node) {
    c.LoadState(node.state);
    const auto children = c.Children();
    for (size_t k = 0; k < children.size(); ++k) {
        LoadStates(*children[k], node.children[k]);
    }
}

void SetNames(SerializableComponent& c, const Node& node) {
    c.SetName(node.name);
    const auto children = c.Children();
    for (size_t k = 0; k < children.size(); ++k) {
        SetNames(*children[k], node.children[k]);
    }
}

}  // namespace

std::string SaveComponent(const SerializableComponent& component) {
    std::string out(kSignature);
    PutComponent(out, component);
    out += kEndOfList;
    return out;
}

void LoadComponent(SerializableComponent& control, const std::string& stream) {
    std::vector<Saved> saved;
    Collect(control, saved);
    for (const Saved& s : saved) {
        s.component->SetName("");
    }
    try {
        Reader in(stream);
        in.Expect(kSignature);
        const Node root = ReadNode(in, 0);
        in.Expect(std::string_view(&kEndOfList, 1));
        CheckShape(control, root);
        LoadStates(control, root);
        SetNames(control, root);
    } catch (const std::exception&) {
        // A state refused half-way must not leave the control half replaced.
        for (const Saved& s : saved) {
            s.component->LoadState(s.state);
            s.component->SetName(s.name);
        }
    }
}

}  // namespace korvent::settings
