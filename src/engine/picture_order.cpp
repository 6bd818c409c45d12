// Name, date and shuffled orders of the picture list.
#include "engine/picture_order.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "engine/byte_reading.h"
#include "settings/file_io.h"

namespace velnor {
namespace {

// Segments looked at before the picture data; a JPEG has a handful.
constexpr int kMaxSegments = 64;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// -1, 0 or 1 as a's digit run at `i` compares with b's at `j` by value; moves both past it.
int CompareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j) {
    while (i < a.size() && a[i] == '0') ++i;
    while (j < b.size() && b[j] == '0') ++j;
    const std::size_t startA = i, startB = j;
    while (i < a.size() && IsDigit(a[i])) ++i;
    while (j < b.size() && IsDigit(b[j])) ++j;
    const std::string_view digitsA = a.substr(startA, i - startA);
    const std::string_view digitsB = b.substr(startB, j - startB);
    if (digitsA.size() != digitsB.size()) return digitsA.size() < digitsB.size() ? -1 : 1;
    return digitsA < digitsB ? -1 : (digitsB < digitsA ? 1 : 0);
}

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// "YYYY:MM:DD HH:MM:SS" as seconds since 1970.
std::optional<std::int64_t> DateText(std::span<const std::uint8_t> t) {
    if (t.size() < 19) return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t digits) -> std::optional<int> {
        int value = 0;
        for (std::size_t k = at; k < at + digits; ++k) {
            if (!IsDigit(static_cast<char>(t[k]))) return std::nullopt;
            value = value * 10 + (t[k] - '0');
        }
        return value;
    };
    const auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const auto hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (!year || !month || !day || !hour || !minute || !second || *month < 1 || *month > 12 ||
        *day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 60) {
        return std::nullopt;
    }
    return DaysFromCivil(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day)) *
               86400 +
           *hour * 3600 + *minute * 60 + *second;
}

// The value of `tag` in the IFD at `ifd` of a TIFF structure: where its value lies and its
// count; nothing when the tag is not there or lies outside `t`.
struct TagValue {
    std::size_t at = 0;
    std::uint32_t count = 0;
};

std::optional<TagValue> FindTag(std::span<const std::uint8_t> t, bool little, std::uint64_t ifd,
                                std::uint16_t tag) {
    const auto u16 = [&](std::size_t at) {
        return little ? ReadLittle16(t, at) : static_cast<std::uint16_t>(t[at] << 8 | t[at + 1]);
    };
    const auto u32 = [&](std::size_t at) -> std::uint32_t {
        return little ? ReadLittle32(t, at)
                      : static_cast<std::uint32_t>(u16(at)) << 16 | u16(at + 2);
    };
    if (ifd + 2 > t.size()) return std::nullopt;
    const std::size_t count = u16(static_cast<std::size_t>(ifd));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t entry = ifd + 2 + 12 * std::uint64_t{i};
        if (entry + 12 > t.size()) return std::nullopt;
        const auto at = static_cast<std::size_t>(entry);
        if (u16(at) != tag) continue;
        const std::uint32_t values = u32(at + 4);
        // ASCII text longer than 4 bytes, and every LONG pointer, lie at the offset given.
        const std::uint64_t where = u16(at + 2) == 2 && values > 4 ? u32(at + 8) : at + 8;
        if (u16(at + 2) == 4) return TagValue{static_cast<std::size_t>(at + 8), values};
        if (where + values > t.size()) return std::nullopt;
        return TagValue{static_cast<std::size_t>(where), values};
    }
    return std::nullopt;
}

std::optional<std::int64_t> DateInTiff(std::span<const std::uint8_t> t) {
    if (t.size() < 8) return std::nullopt;
    const bool little = t[0] == 'I' && t[1] == 'I';
    if (!little && !(t[0] == 'M' && t[1] == 'M')) return std::nullopt;
    const auto u32 = [&](std::size_t at) -> std::uint32_t {
        return little ? ReadLittle32(t, at)
                      : static_cast<std::uint32_t>(t[at]) << 24 | t[at + 1] << 16 | t[at + 2] << 8 |
                            t[at + 3];
    };
    const auto exif = FindTag(t, little, u32(4), 0x8769);  // the EXIF IFD's offset
    if (!exif) return std::nullopt;
    const auto date = FindTag(t, little, u32(exif->at), 0x9003);  // DateTimeOriginal
    if (!date || date->count < 19) return std::nullopt;
    return DateText(t.subspan(date->at, 19));
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const int order = CompareNumbers(a, i, b, j);
            if (order != 0) return order < 0;
            continue;
        }
        const char x = Lower(a[i]), y = Lower(b[j]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        ++i;
        ++j;
    }
    if ((i < a.size()) != (j < b.size())) return j < b.size();
    return a < b;
}

std::optional<std::int64_t> ExifDateTaken(std::span<const std::uint8_t> b) {
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
    std::size_t at = 2;
    while (at + 4 <= b.size() && b[at] == 0xFF) {
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xDA || marker == 0xD9) break;  // the picture data: no EXIF before it
        const std::size_t length = static_cast<std::size_t>(b[at + 2] << 8 | b[at + 3]);
        if (length < 2 || at + 2 + length > b.size()) break;
        const std::span<const std::uint8_t> body = b.subspan(at + 4, length - 2);
        if (marker == 0xE1 && body.size() >= 6 && body[0] == 'E' && body[1] == 'x' &&
            body[2] == 'i' && body[3] == 'f' && body[4] == 0 && body[5] == 0) {
            return DateInTiff(body.subspan(6));
        }
        at += 2 + length;
    }
    return std::nullopt;
}

namespace {

// A JPEG's start-of-image marker and its APP1 segments up to the EXIF one, as ExifDateTaken
// reads them: a segment's header at a time, other segments skipped unread, so a photo costs
// a few kilobytes however large it is or however much comes before its EXIF. Empty for a
// file that is not a JPEG.
std::vector<std::uint8_t> ExifStartOf(std::FILE* file) {
    std::vector<std::uint8_t> bytes(2);
    if (std::fread(bytes.data(), 1, 2, file) != 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        return {};
    }
    for (int segment = 0; segment < kMaxSegments; ++segment) {
        std::uint8_t header[4];
        if (std::fread(header, 1, 4, file) != 4 || header[0] != 0xFF) break;
        if (header[1] == 0xDA || header[1] == 0xD9) break;  // the picture data: no EXIF after
        const long length = header[2] << 8 | header[3];
        if (length < 2) break;
        if (header[1] != 0xE1) {
            if (std::fseek(file, length - 2, SEEK_CUR) != 0) break;
            continue;
        }
        const std::size_t at = bytes.size();
        bytes.insert(bytes.end(), header, header + 4);
        bytes.resize(at + 4 + static_cast<std::size_t>(length - 2));
        const std::size_t read = std::fread(bytes.data() + at + 4, 1, bytes.size() - at - 4, file);
        if (read != bytes.size() - at - 4) break;
        if (std::string_view(reinterpret_cast<const char*>(bytes.data() + at + 4),
                             std::min<std::size_t>(read, 6)) == std::string_view("Exif\0\0", 6)) {
            break;
        }
    }
    return bytes;
}

}  // namespace

std::optional<std::int64_t> PictureDate(const std::string& utf8Path) {
    const std::filesystem::path path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8Path.data()), utf8Path.size()));
    std::error_code error;
    // Opened without waiting: a FIFO or device named like a picture gives no date.
    std::FILE* file = OpenFile(path, "rb");
    if (!file && !std::filesystem::is_regular_file(path, error)) return std::nullopt;
    if (file) {
        const std::vector<std::uint8_t> start = ExifStartOf(file);
        std::fclose(file);
        if (const auto taken = ExifDateTaken(start)) return taken;
    }
    const auto modified = std::filesystem::last_write_time(path, error);
    if (error) return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(modified);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

void SortPicturesByName(PictureList& list) {
    std::stable_sort(list.paths.begin(), list.paths.end(), NaturalLess);
}

void SortPicturesByDate(
    PictureList& list,
    const std::function<std::optional<std::int64_t>(const std::string&)>& dateOf) {
    SortPicturesByName(list);
    std::vector<std::pair<std::optional<std::int64_t>, std::string>> dated;
    dated.reserve(list.paths.size());
    for (std::string& path : list.paths) {
        std::optional<std::int64_t> date = dateOf(path);
        dated.emplace_back(date, std::move(path));
    }
    std::stable_sort(dated.begin(), dated.end(), [](const auto& x, const auto& y) {
        if (x.first.has_value() != y.first.has_value()) return x.first.has_value();
        return x.first.has_value() && *x.first < *y.first;
    });
    for (std::size_t i = 0; i < dated.size(); ++i) list.paths[i] = std::move(dated[i].second);
}

void ShufflePictures(PictureList& list, Random& random, const std::string& previous) {
    std::vector<std::string>& paths = list.paths;
    const int count = static_cast<int>(paths.size());
    for (int i = count; i > 1; --i) {  // Fisher-Yates
        std::swap(paths[static_cast<std::size_t>(i - 1)],
                  paths[static_cast<std::size_t>(random.NextBelow(i))]);
    }
    if (count >= 2 && !previous.empty() && paths[0] == previous) {
        std::swap(paths[0], paths[static_cast<std::size_t>(1 + random.NextBelow(count - 1))]);
    }
}

}  // namespace velnor
