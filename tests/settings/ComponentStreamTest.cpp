#include "settings/ComponentStream.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/Exception.h"

namespace korvent::settings {
namespace {

class FakeControl final : public SerializableComponent {
public:
    explicit FakeControl(std::string name, bool form = false)
        : fName(std::move(name)), fForm(form) {}
    std::string Name() const override { return fName; }
    void SetName(const std::string& name) override {
        fName = name;
        renames.push_back(name);
    }
    bool IsForm() const override { return fForm; }
    std::vector<SerializableComponent*> Children() const override {
        std::vector<SerializableComponent*> out;
        for (const auto& c : children) {
            out.push_back(c.get());
        }
        return out;
    }
    std::string SaveState() const override { return state; }
    void LoadState(const std::string& s) override {
        if (s == "refuse") {
            throw Exception("bad state");
        }
        state = s;
    }
    FakeControl& AddChild(std::string name) {
        return *children.emplace_back(std::make_unique<FakeControl>(std::move(name)));
    }

    std::string fName;
    bool fForm;
    std::string state;
    std::vector<std::unique_ptr<FakeControl>> children;
    std::vector<std::string> renames;
};

TEST(ComponentStream, RoundTripsNamesStatesAndChildren) {
    FakeControl panel("Panel1");
    panel.state = "caption=A";
    panel.AddChild("Edit1").state = std::string("text\0with nul", 13);
    const std::string saved = SaveComponent(panel);

    FakeControl copy("Other");
    copy.AddChild("OtherEdit");
    LoadComponent(copy, saved);
    EXPECT_EQ(copy.fName, "Panel1");
    EXPECT_EQ(copy.state, "caption=A");
    EXPECT_EQ(copy.children[0]->fName, "Edit1");
    EXPECT_EQ(copy.children[0]->state, panel.children[0]->state);
}

struct Damage {
    const char* what;
    std::string (*spoil)(const std::string&);
    friend void PrintTo(const Damage& d, std::ostream* os) { *os << d.what; }
};
class DamagedStream : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedStream, KeepsTheOldNames) {
    FakeControl source("Panel1");
    source.AddChild("Edit1");
    const std::string saved = GetParam().spoil(SaveComponent(source));

    FakeControl target("Keep");
    target.AddChild("KeepChild");
    target.state = "";
    LoadComponent(target, saved);
    EXPECT_EQ(target.fName, "Keep");
    EXPECT_EQ(target.children[0]->fName, "KeepChild");
    EXPECT_EQ(target.state, "");
    // Cleared first, then put back in the same depth-first order.
    EXPECT_EQ(target.renames.front(), "");
    EXPECT_EQ(target.renames.back(), "Keep");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedStream,
    ::testing::Values(
        Damage{"truncated", [](const std::string& s) { return s.substr(0, s.size() / 2); }},
        Damage{"bad signature", [](const std::string& s) { return "XXXX" + s.substr(4); }},
        Damage{"no end mark", [](const std::string& s) { return s.substr(0, s.size() - 1); }},
        Damage{"other shape",
               [](const std::string&) {
                   FakeControl lone("Lone");
                   return SaveComponent(lone);
               }},
        Damage{"refused state", [](const std::string&) {
                   FakeControl c("Panel1");
                   c.AddChild("Edit1").state = "refuse";
                   return SaveComponent(c);
               }}));

}  // namespace
}  // namespace korvent::settings
