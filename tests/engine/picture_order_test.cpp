// The pictures' orders: natural name order, the EXIF date taken and the order by date with
// and without it, and the shuffle: a permutation per round, no repeat at the seam,
// reproducible from its seed.
#include "engine/picture_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>

#include "picture_bytes.h"
#include "temp_folder.h"

namespace velnor {
namespace {

using testing::Bytes;

// A JPEG's start with an EXIF segment whose EXIF IFD holds DateTimeOriginal `date`.
Bytes ExifJpeg(const std::string& date, bool little) {
    Bytes t;
    t.reserve(80);  // room for all of it: GCC 12 otherwise warns of a write past the end
    if (little) {
        t.insert(t.end(), {'I', 'I', 42, 0});
    } else {
        t.insert(t.end(), {'M', 'M', 0, 42});
    }
    const auto put16 = [&](unsigned v) {
        if (little) {
            testing::Put16(t, v);
        } else {
            t.push_back(static_cast<std::uint8_t>(v >> 8));
            t.push_back(static_cast<std::uint8_t>(v));
        }
    };
    const auto put32 = [&](std::uint32_t v) {
        if (little) {
            testing::Put32(t, v);
        } else {
            put16(v >> 16);
            put16(v & 0xFFFF);
        }
    };
    put32(8);  // IFD0 at 8: one entry, the EXIF IFD's offset (26)
    put16(1);
    put16(0x8769), put16(4), put32(1), put32(26);
    put32(0);
    put16(1);  // the EXIF IFD at 26: DateTimeOriginal, ASCII 20, at 44
    put16(0x9003), put16(2), put32(20), put32(44);
    put32(0);
    t.insert(t.end(), date.begin(), date.end());
    t.push_back(0);
    Bytes b{0xFF, 0xD8, 0xFF, 0xE1};
    const std::size_t length = 2 + 6 + t.size();
    b.push_back(static_cast<std::uint8_t>(length >> 8));
    b.push_back(static_cast<std::uint8_t>(length));
    b.insert(b.end(), {'E', 'x', 'i', 'f', 0, 0});
    b.insert(b.end(), t.begin(), t.end());
    b.insert(b.end(), {0xFF, 0xDA, 0, 2});
    return b;
}

// Faults caught: numbers compared as text (IMG_10 before IMG_2), case deciding the order,
// leading zeros making two different names equal.
TEST(PictureOrder, NamesSortNaturallyWithoutRegardToCase) {
    PictureList list({"b/IMG_10.jpg", "b/img_2.jpg", "b/IMG_1.jpg", "b/a.jpg", "b/IMG_02.jpg",
                      "b/Z.jpg", "b/img_2b.jpg"});
    SortPicturesByName(list);
    EXPECT_EQ(list.paths,
              (std::vector<std::string>{"b/a.jpg", "b/IMG_1.jpg", "b/IMG_02.jpg", "b/img_2.jpg",
                                        "b/img_2b.jpg", "b/IMG_10.jpg", "b/Z.jpg"}));
}

// Faults caught: the date read from the wrong IFD or byte order, a broken date taken as
// one, a file without EXIF given a date.
TEST(PictureOrder, TheDateTakenComesFromTheExifIfdInEitherByteOrder) {
    const std::int64_t expected = 1704164645;  // 2024-01-02 03:04:05
    EXPECT_EQ(ExifDateTaken(ExifJpeg("2024:01:02 03:04:05", true)), expected);
    EXPECT_EQ(ExifDateTaken(ExifJpeg("2024:01:02 03:04:05", false)), expected);
    EXPECT_EQ(ExifDateTaken(ExifJpeg("    :  :     :  :  ", true)), std::nullopt);
    EXPECT_EQ(ExifDateTaken(ExifJpeg("2024:13:02 03:04:05", true)), std::nullopt);
    Bytes cut = ExifJpeg("2024:01:02 03:04:05", true);
    cut.resize(40);
    EXPECT_EQ(ExifDateTaken(cut), std::nullopt);
    EXPECT_EQ(ExifDateTaken(Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0, 2}), std::nullopt);
}

// Faults caught: an EXIF date missed behind large segments (a fixed-size read of the file's
// start stops short of it), and a file without EXIF not falling back to its modification
// time. (A FIFO named like a picture is opened through OpenFile, which never waits.)
TEST(PictureOrder, PictureDateFindsTheExifOfARealFileWhereverItStands) {
    test::TempFolder folder;
    Bytes exif = ExifJpeg("2024:01:02 03:04:05", true);
    Bytes late{0xFF, 0xD8};
    for (int i = 0; i < 3; ++i) {  // three ICC-like APP2 segments of 64 KiB each
        late.insert(late.end(), {0xFF, 0xE2, 0xFF, 0xFF});
        late.insert(late.end(), 0xFFFD, 0x20);
    }
    late.insert(late.end(), exif.begin() + 2, exif.end());
    late.insert(late.end(), 4 << 20, 0x55);  // 4 MiB of picture data, never read
    folder.Write("late-exif.jpg", std::string(late.begin(), late.end()));
    const auto plain = folder.Write("plain.png", "not a jpeg");
    const auto modified = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(plain, modified);
    const std::int64_t plainDate = std::chrono::duration_cast<std::chrono::seconds>(
                                       std::chrono::file_clock::to_sys(modified).time_since_epoch())
                                       .count();
    const struct {
        const char* name;
        std::optional<std::int64_t> date;
    } cases[] = {
        {"late-exif.jpg", 1704164645}, {"plain.png", plainDate}, {"gone.jpg", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(PictureDate((folder.path() / c.name).string()), c.date) << c.name;
    }
}

// Fault caught: pictures without a date mixed in among the dated ones, or ties in an order
// that changes from run to run.
TEST(PictureOrder, ByDateOldestFirstThenUndatedByName) {
    const std::map<std::string, std::int64_t> dates = {{"c", 300}, {"a", 100}, {"e", 100}};
    PictureList list({"e", "d", "c", "b", "a"});
    SortPicturesByDate(list, [&](const std::string& path) -> std::optional<std::int64_t> {
        const auto found = dates.find(path);
        if (found == dates.end()) return std::nullopt;
        return found->second;
    });
    EXPECT_EQ(list.paths, (std::vector<std::string>{"a", "e", "c", "b", "d"}));
}

// Faults caught: a round that repeats or drops a picture, the same picture twice in a row
// where one round ends and the next begins, the same order every round, and an order that
// the seed does not fix.
TEST(PictureOrder, EachShuffledRoundIsANewPermutationWithoutARepeatAtTheSeam) {
    const std::vector<std::string> six = {"1", "2", "3", "4", "5", "6"};
    const auto rounds = [&](std::uint64_t seed) {
        PictureList list(six);
        Random random(seed);
        std::vector<std::vector<std::string>> all;
        std::string previous;
        for (int round = 0; round < 60; ++round) {
            ShufflePictures(list, random, previous);
            all.push_back(list.paths);
            previous = all.back().back();
        }
        return all;
    };
    const auto all = rounds(7);
    std::set<std::vector<std::string>> distinct;
    for (std::size_t r = 0; r < all.size(); ++r) {
        std::vector<std::string> sorted = all[r];
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, six) << r;
        if (r > 0) {
            EXPECT_NE(all[r].front(), all[r - 1].back()) << r;
        }
        distinct.insert(all[r]);
    }
    EXPECT_GT(distinct.size(), 30u);
    EXPECT_EQ(rounds(7), all);
    EXPECT_NE(rounds(8), all);
}

}  // namespace
}  // namespace velnor
