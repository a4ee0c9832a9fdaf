#include "data/archive_registry.h"
#include "data/resource_archive.h"
#include "data/resource_locator.h"
#include "support/test_support.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>

namespace scalora {
namespace {

void putInt(std::string& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((v >> shift) & 0xFF);
    }
}

std::string utf16(std::string_view ascii) {
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

// Stands for "the real length" in the record builders below.
constexpr std::int32_t kActual = INT32_MIN;

// Builds archive bytes by hand, independent of encodeArchive, so the reader is checked
// against the layout itself.
std::string header(std::int32_t folders, std::int32_t second = 0) {
    std::string out = "FA??";
    putInt(out, 7);
    putInt(out, -3);
    putInt(out, folders);
    putInt(out, second);
    return out;
}

std::string folderRecord(std::string_view name, std::int32_t files,
                         std::int32_t nameBytes = kActual) {
    std::string out;
    const std::string encoded = utf16(name);
    putInt(out, nameBytes == kActual ? static_cast<std::int32_t>(encoded.size()) : nameBytes);
    for (int i = 0; i < 10; ++i) {
        putInt(out, 100 + i);
    }
    putInt(out, files);
    return out + encoded;
}

std::string fileRecord(std::string_view name, std::string_view data, std::int32_t size = kActual) {
    std::string out;
    const std::string encoded = utf16(name);
    putInt(out, static_cast<std::int32_t>(encoded.size()));
    for (int i = 0; i < 10; ++i) {
        putInt(out, 200 + i);
    }
    putInt(out, size == kActual ? static_cast<std::int32_t>(data.size()) : size);
    putInt(out, 0x7FFFFFFF); // not interpreted
    return out + encoded + std::string(data);
}

TEST(ResourceArchive, ReadsTheLayoutAndKeepsValues) {
    const std::string bytes = header(2, 99) + folderRecord("images", 2) +
                              fileRecord("a.png", "PNGDATA") + fileRecord("a.png", "second") +
                              folderRecord("xml", 1) + fileRecord("empty.xml", "");
    ResourceArchive archive;
    ASSERT_TRUE(archive.readBytes(bytes));
    EXPECT_EQ(archive.headerValue1(), 7);
    EXPECT_EQ(archive.headerValue2(), -3);
    ASSERT_EQ(archive.folders().size(), 2u);
    const ArchiveFolder& images = *archive.folders()[0];
    EXPECT_EQ(images.kept.value1, 100);
    EXPECT_EQ(images.kept.block[6], 109);
    ASSERT_EQ(images.files.size(), 2u);
    EXPECT_EQ(images.files[0]->kept.value3, 202);
    EXPECT_EQ(images.files[0]->kept.block[0], 203);
    // Duplicates are kept; the first is found.
    EXPECT_EQ(archive.findFile("images", "a.png")->data, "PNGDATA");
    EXPECT_EQ(archive.findFile("Images", "a.png"), nullptr);
    EXPECT_EQ(archive.findFile("images", "A.png"), nullptr);
    EXPECT_EQ(archive.findFile("none", "a.png"), nullptr);
    const ArchiveFile* empty = archive.findFile("xml", "empty.xml");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->bytes().empty());
    EXPECT_EQ(empty->text(), "");

    // Round trip through the encoder keeps every byte but the two unused fields.
    std::string encoded;
    ASSERT_TRUE(encodeArchive(archive, encoded));
    ResourceArchive again;
    ASSERT_TRUE(again.readBytes(encoded));
    std::string encodedAgain;
    ASSERT_TRUE(encodeArchive(again, encodedAgain));
    EXPECT_EQ(encoded, encodedAgain);
    EXPECT_EQ(encoded.size(), bytes.size());
}

TEST(ResourceArchive, RejectsCraftedFiles) {
    ResourceArchive archive;
    EXPECT_TRUE(archive.readBytes(header(0)));
    EXPECT_TRUE(archive.folders().empty());
    EXPECT_EQ(archive.findFolder("images"), nullptr);

    const std::string valid = header(1) + folderRecord("f", 1) + fileRecord("x", "1234");
    ASSERT_TRUE(archive.readBytes(valid));
    EXPECT_FALSE(archive.readBytes(header(0).substr(0, 19)));
    EXPECT_TRUE(archive.folders().empty()); // a failed read leaves nothing behind
    EXPECT_FALSE(archive.readBytes("AF" + header(0).substr(2)));
    EXPECT_FALSE(archive.readBytes(header(-1)));
    EXPECT_FALSE(archive.readBytes(header(0, -1)));
    // Every truncation of a valid archive is refused.
    for (std::size_t size = 20; size < valid.size(); ++size) {
        EXPECT_FALSE(archive.readBytes(valid.substr(0, size))) << size;
    }
    // A count that claims far more folders or files than the bytes hold.
    EXPECT_FALSE(archive.readBytes(header(0x7FFFFFFF)));
    EXPECT_FALSE(archive.readBytes(header(1) + folderRecord("f", 0x7FFFFFFF)));
    EXPECT_FALSE(archive.readBytes(header(1) + folderRecord("f", -1)));
    // Names: 510 bytes is the limit, longer or negative lengths are refused.
    EXPECT_TRUE(archive.readBytes(header(1) + folderRecord(std::string(255, 'n'), 0)));
    EXPECT_FALSE(archive.readBytes(header(1) + folderRecord(std::string(256, 'n'), 0)));
    EXPECT_FALSE(archive.readBytes(header(1) + folderRecord("f", 0, -2)));
    // A record claiming 2 GB of data in a small file is refused, not allocated.
    EXPECT_FALSE(
        archive.readBytes(header(1) + folderRecord("f", 1) + fileRecord("x", "tiny", 0x7FFFFFFF)));
    EXPECT_FALSE(archive.readBytes(header(1) + folderRecord("f", 1) + fileRecord("x", "tiny", -4)));
}

TEST(ResourceArchive, FileTextSkipsTheByteOrderMark) {
    ResourceArchive archive;
    ArchiveFolder& folder = archive.addFolder("xml");
    folder.addFile("a", "\xEF\xBB\xBF<x/>");
    folder.addFile("b", "<x/>");
    EXPECT_EQ(archive.findFile("xml", "a")->text(), archive.findFile("xml", "b")->text());
}

TEST(ResourceArchive, LocatesFilesInLookupOrder) {
    test::TempDir dir;
    const std::string exe = (dir / "bin").string();
    std::filesystem::create_directories(dir / "bin" / "data");
    std::filesystem::create_directories(dir / "share" / "halvorn-scalora" / "data");
    ResourceArchive archive;
    archive.addFolder("images").addFile("icon.png", "beside");
    std::string beside;
    ASSERT_TRUE(encodeArchive(archive, beside));
    archive.folders()[0]->files[0]->data = "in data";
    std::string inData;
    ASSERT_TRUE(encodeArchive(archive, inData));
    archive.folders()[0]->files[0]->data = "installed";
    std::string installed;
    ASSERT_TRUE(encodeArchive(archive, installed));

    EXPECT_EQ(locateResourceFile(exe, "data", ".pak", "data"), "");
    EXPECT_EQ(locateResourceFile("", "data", ".pak", "data"), "");
    EXPECT_TRUE(languageDirs("").empty());
    ASSERT_TRUE(test::writeFile(dir / "share" / "halvorn-scalora" / "data.pak", installed));
    EXPECT_EQ(locateResourceFile(exe, "data", ".pak", "data"),
              (dir / "share" / "halvorn-scalora" / "data.pak").string());
    ASSERT_TRUE(test::writeFile(dir / "bin" / "data" / "data.pak", inData));
    EXPECT_EQ(locateResourceFile(exe, "data", ".pak", "data"),
              (dir / "bin" / "data" / "data.pak").string());
    ASSERT_TRUE(test::writeFile(dir / "bin" / "data.pak", beside));

    ArchiveRegistry registry;
    EXPECT_FALSE(registry.open(exe, "missing"));
    ASSERT_TRUE(registry.open(exe, "data"));
    EXPECT_EQ(registry.size(), 1u);
    ASSERT_NE(registry.imageResource("icon"), nullptr);
    EXPECT_EQ(registry.imageResource("icon")->data, "beside");
    EXPECT_EQ(registry.find("data")->path(), (dir / "bin" / "data.pak").string());
    EXPECT_EQ(registry.find("Data"), nullptr);
    EXPECT_EQ(registry.findFile("data", "images", "nothing"), nullptr);

    // A name holding a separator is a path: registered under its base name.
    ASSERT_TRUE(test::writeFile(dir / "my.style", inData));
    ASSERT_TRUE(registry.open(exe, (dir / "my.style").string()));
    EXPECT_EQ(registry.findFile("my", "images", "icon.png")->data, "in data");
    EXPECT_FALSE(registry.open(exe, (dir / "nowhere.pak").string()));
    ASSERT_TRUE(test::writeFile(dir / "bad.pak", "FA"));
    EXPECT_FALSE(registry.openPath((dir / "bad.pak").string()));
    EXPECT_EQ(registry.find("bad"), nullptr);
    EXPECT_EQ(registry.size(), 2u);
}

} // namespace
} // namespace scalora
