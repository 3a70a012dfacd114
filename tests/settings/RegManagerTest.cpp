#include "settings/RegManager.h"

#include <gtest/gtest.h>

#include "platform/ProfileRegistry.h"
#include "platform/sim/MemoryProfileStore.h"
#include "platform/sim/RecordingMessageBoxes.h"
#include "settings/RegManagerError.h"

namespace korvent::settings {
namespace {

using platform::MemoryProfileStore;
using platform::RecordingMessageBoxes;

// Records the order of deletions while keeping the memory store's behaviour.
class LoggingStore final : public platform::ProfileStore {
public:
    std::optional<std::string> Lookup(const std::string& f, const std::string& s,
                                      const std::string& i) override {
        return fInner.Lookup(f, s, i);
    }
    bool WriteString(const std::string& f, const std::string& s, const std::string& i,
                     const std::string& v) override {
        return fInner.WriteString(f, s, i, v);
    }
    bool DeleteIdent(const std::string& f, const std::string& s, const std::string& i) override {
        deleted.push_back(i);
        return fInner.DeleteIdent(f, s, i);
    }
    MemoryProfileStore fInner;
    std::vector<std::string> deleted;
};

constexpr const char* kIni = "/virtual/KorventPDF.ini";

class RegManagerTest : public ::testing::Test {
protected:
    RegManagerTest()
        : registry(registryStore, "/virtual/registry.ini"), manager(store, registry, boxes) {
        manager.IniFileName = kIni;
        manager.RegDir = "Software\\Korvent\\KorventPDF";
        Add("Compressrate", "Image", "CompressRate", "75");
        Add("Minus", "Option", "Minus", "-1");
        Add("Yes", "Option", "YesFlag", "Y");
        Add("Flag", "Option", "Flag", "yes");
        Add("Off", "Option", "Off", "0");
        Add("List", "File", "Files", "");
        Add("Data", "Option", "Blob", "");
        Add("Font", "Option", "Label", "");
        Add("Ratio", "Option", "Ratio", "");
    }
    void Add(const char* name, const char* section, const char* ident, const char* def) {
        manager.RegItems().Add(TRegItem(name, section, ident, def));
    }
    std::string Stored(const std::string& section, const std::string& ident) {
        return store.fInner.Lookup(kIni, section, ident).value_or("<absent>");
    }

    LoggingStore store;
    MemoryProfileStore registryStore;
    platform::ProfileRegistry registry;
    RecordingMessageBoxes boxes;
    TRegManager manager;
};

TEST_F(RegManagerTest, LookupIgnoresCase) {
    store.fInner.SetText(kIni, "[Image]\nCompressRate=40\n");
    EXPECT_EQ(manager.Items("CompressRate").ReadInteger(), 40);
    EXPECT_EQ(manager.Items("COMPRESSRATE").ReadInteger(), 40);
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(RegManagerTest, UnknownNameShowsErrorAndReadsNoItemValues) {
    TRegFiler& filer = manager.Items("Nonsense");
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "[' Nonsense '] is invalid.");
    EXPECT_EQ(boxes.Calls()[0].flags, platform::mb::Ok | platform::mb::IconError);
    EXPECT_EQ(filer.CurrentItem, nullptr);
    EXPECT_EQ(filer.ReadInteger(), 0);
    EXPECT_EQ(filer.ReadString(), "");
    EXPECT_FALSE(filer.ReadBool());
    filer.WriteString("x");
    EXPECT_FALSE(store.fInner.Exists(kIni));
}

TEST_F(RegManagerTest, IntegerDefaults) {
    EXPECT_EQ(manager.Items("Minus").ReadInteger(), -1);
    EXPECT_EQ(manager.Items("Yes").ReadInteger(), 0);
}

struct IntegerCase {
    const char* stored;
    int expected;
    friend void PrintTo(const IntegerCase& c, std::ostream* os) { *os << '"' << c.stored << '"'; }
};
class StoredInteger : public RegManagerTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(StoredInteger, Parses) {
    store.fInner.SetText(kIni, std::string("[Image]\nCompressRate=") + GetParam().stored + "\n");
    EXPECT_EQ(manager.Items("Compressrate").ReadInteger(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredInteger,
                         ::testing::Values(IntegerCase{"20", 20}, IntegerCase{"-20", -20},
                                           IntegerCase{"+7", 7}, IntegerCase{"$1F", 31},
                                           IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"12a", 0},
                                           IntegerCase{"", 0}, IntegerCase{"1.5", 0},
                                           IntegerCase{"2147483647", 2147483647},
                                           IntegerCase{"2147483648", 0}, IntegerCase{"$", 0}));

struct BoolCase {
    const char* item;
    const char* stored;  // nullptr: nothing stored
    bool expected;
    friend void PrintTo(const BoolCase& c, std::ostream* os) {
        *os << c.item << '=' << (c.stored ? c.stored : "(absent)");
    }
};
class StoredBool : public RegManagerTest, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(StoredBool, LowEightBitsDecide) {
    if (GetParam().stored) {
        store.fInner.SetText(kIni, std::string("[Option]\nFlag=") + GetParam().stored +
                                       "\nOff=" + GetParam().stored + "\n");
    }
    EXPECT_EQ(manager.Items(GetParam().item).ReadBool(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredBool,
    ::testing::Values(BoolCase{"Flag", nullptr, true},  // default "yes"
                      BoolCase{"Off", nullptr, false}, BoolCase{"Off", "2", true},
                      BoolCase{"Off", "256", false}, BoolCase{"Off", "257", true},
                      BoolCase{"Flag", "TRUE", false}, BoolCase{"Flag", "0", false}));

TEST_F(RegManagerTest, TypedWritesStoreTheirTexts) {
    manager.Items("Minus").WriteInteger(-1);
    manager.Items("Flag").WriteBool(true);
    manager.Items("Off").WriteBool(false);
    manager.Items("Ratio").WriteFloat(10.0);
    EXPECT_EQ(Stored("Option", "Minus"), "-1");
    EXPECT_EQ(Stored("Option", "Flag"), "1");
    EXPECT_EQ(Stored("Option", "Off"), "0");
    EXPECT_EQ(Stored("Option", "Ratio"), "10");
    manager.Items("Ratio").WriteFloat(0.1);
    EXPECT_EQ(Stored("Option", "Ratio"), "0.1");
}

TEST_F(RegManagerTest, ShrinkingListDeletesFromTheTop) {
    manager.Items("List").WriteStrings({"a", "b", "c", "d", "e"});
    store.deleted.clear();
    manager.Items("List").WriteStrings({"x", "y", "z"});
    EXPECT_EQ(store.deleted, (std::vector<std::string>{"Files_Item4", "Files_Item3"}));
    EXPECT_EQ(Stored("File", "Files_ItemCount"), "3");
    std::vector<std::string> read{"stale"};
    manager.Items("List").ReadStrings(read);
    EXPECT_EQ(read, (std::vector<std::string>{"x", "y", "z"}));
}

TEST_F(RegManagerTest, EmptyListDeletesItemsAndCount) {
    manager.Items("List").WriteStrings({"a", "b", "c", "d", "e"});
    store.deleted.clear();
    manager.Items("List").WriteStrings({});
    EXPECT_EQ(store.deleted,
              (std::vector<std::string>{"Files_Item4", "Files_Item3", "Files_Item2", "Files_Item1",
                                        "Files_Item0", "Files_ItemCount"}));
    EXPECT_EQ(store.fInner.Text(kIni), "[File]\n");
    // Nothing stored and nothing to store: nothing is touched.
    store.deleted.clear();
    manager.Items("List").WriteStrings({});
    EXPECT_TRUE(store.deleted.empty());
}

TEST_F(RegManagerTest, StreamOf70BytesIsThreeHexLines) {
    std::string bytes;
    for (int k = 0; k < 70; ++k) {
        bytes += static_cast<char>(k * 7);
    }
    manager.Items("Data").WriteStream(bytes);
    EXPECT_EQ(Stored("Option", "Blob_c"), "3");
    EXPECT_EQ(Stored("Option", "Blob_d0").size(), 64u);
    EXPECT_EQ(Stored("Option", "Blob_d1").size(), 64u);
    EXPECT_EQ(Stored("Option", "Blob_d2").size(), 12u);
    EXPECT_EQ(Stored("Option", "Blob_d0").substr(0, 8), "00070E15");
    std::string read = "head";
    manager.Items("Data").ReadStream(read);
    EXPECT_EQ(read, "head" + bytes);
}

TEST_F(RegManagerTest, DamagedHexLinesReadAsZeroBytes) {
    store.fInner.SetText(kIni, "[Option]\nBlob_c=1\nBlob_d0=41zz4\n");
    std::string read;
    manager.Items("Data").ReadStream(read);
    EXPECT_EQ(read, std::string("A\0\4", 3));
}

TEST_F(RegManagerTest, MissingIniPathShowsMessageAndReturnsDefault) {
    manager.IniFileName.clear();
    EXPECT_EQ(manager.Items("Compressrate").ReadString(), "75");
    ASSERT_EQ(boxes.Texts(), (std::vector<std::string>{"can not create Inifile object."}));
    manager.Items("Compressrate").WriteString("1");  // skipped, with the message again
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST_F(RegManagerTest, RefusedWriteRaisesWithThePath) {
    store.fInner.SetText(kIni, "[Image]\nCompressRate=40\n");
    store.fInner.SetReadOnly(kIni, true);
    try {
        manager.Items("Compressrate").WriteInteger(90);
        FAIL() << "no error";
    } catch (const ERegManagerError& e) {
        EXPECT_EQ(std::string(e.what()), std::string(kIni) + " に書き込めません");
    }
    EXPECT_EQ(Stored("Image", "CompressRate"), "40");
}

TEST_F(RegManagerTest, SectionLevelCallsIgnoreEmptyNames) {
    TRegFiler& filer = manager.Items("Compressrate");
    EXPECT_EQ(filer.ReadValue("", "x", "d"), "d");
    EXPECT_EQ(filer.ReadValue("s", "", "d"), "d");
    filer.WriteValue("", "x", "v");
    filer.DeleteKey("s", "");
    EXPECT_FALSE(store.fInner.Exists(kIni));
}

TEST_F(RegManagerTest, FontRoundTripsAndKeepsUnparsableSize) {
    FontData font;
    font.Name = "IPAexゴシック";
    font.Size = 12;
    font.Color = 0x0000FF;
    font.Style = 1 | 4;
    manager.Items("Font").WriteFont(font);
    EXPECT_EQ(Stored("Option", "Label_FontColor"), "clRed");
    FontData read;
    manager.Items("Font").ReadFont(read);
    EXPECT_EQ(read.Name, font.Name);
    EXPECT_EQ(read.Size, 12);
    EXPECT_EQ(read.Color, 0x0000FF);
    EXPECT_EQ(read.Style, 5);

    store.fInner.SetText(kIni, "[Option]\nLabel_FontSize=big\nLabel_FontColor=$00123456\n");
    FontData damaged;
    manager.Items("Font").ReadFont(damaged);
    EXPECT_EQ(damaged.Size, FontData().Size);
    EXPECT_EQ(damaged.Color, 0x123456);

    store.fInner.SetText(kIni, "[Option]\nLabel_FontColor=reddish\n");
    EXPECT_THROW(manager.Items("Font").ReadFont(damaged), Exception);
}

TEST_F(RegManagerTest, RegistryBackEndUsesSubKeysAndBinaryStreams) {
    manager.RegType = rtReg;
    manager.Items("Compressrate").WriteInteger(55);
    EXPECT_EQ(registry.ReadString("Software\\Korvent\\KorventPDF\\Image", "CompressRate"), "55");
    EXPECT_EQ(manager.Items("compressrate").ReadInteger(), 55);
    manager.Items("Data").WriteStream(std::string("\0\1\2", 3));
    EXPECT_EQ(registry.ReadBinary("Software\\Korvent\\KorventPDF\\Option", "Blob"),
              (std::vector<std::uint8_t>{0, 1, 2}));
    std::string read;
    manager.Items("Data").ReadStream(read);
    EXPECT_EQ(read, std::string("\0\1\2", 3));
    EXPECT_FALSE(store.fInner.Exists(kIni));

    manager.RegDir.clear();
    EXPECT_EQ(manager.Items("Compressrate").ReadString(), "75");
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"can not create Registry object."}));
}

}  // namespace
}  // namespace korvent::settings
