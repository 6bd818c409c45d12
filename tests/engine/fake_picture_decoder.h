// A picture decoder for tests: pictures by path, everything else unreadable. Counts the
// decodes and can hold each decode until released, to test the background worker. Also
// the picture lists and coded pictures the background tests feed it.
#pragma once

#include <condition_variable>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "engine/picture_decoder.h"
#include "settings/saver_settings.h"

namespace velnor::testing {

// A picture whose every pixel is different and none black: bit 23 set, then row and
// column (up to 2047 each).
inline Surface CodedPicture(int width, int height) {
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s.set(x, y, 0x800000u | (static_cast<Pixel>(y) << 11) | static_cast<Pixel>(x));
        }
    }
    return s;
}

// A picture list of `paths`, in order, as the folder scan builds it (1-based).
inline PictureList ListOf(std::initializer_list<const char*> paths) {
    PictureList list;
    for (const char* path : paths) list.paths.emplace_back(path);
    return list;
}

// What the fake decoder shares with the test, across threads.
struct DecoderLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::string, Surface> pictures;
    std::vector<std::string> decoded;  // paths in the order they were asked for
    bool holding = false;              // decodes wait while true
    int waiting = 0;                   // decodes currently held

    void Release() {
        std::lock_guard lock(mutex);
        holding = false;
        changed.notify_all();
    }
    // Waits (up to a generous limit) until `count` decodes have started.
    bool WaitForDecodes(std::size_t count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10),
                                [&] { return decoded.size() >= count; });
    }
};

class FakePictureDecoder final : public PictureDecoder {
  public:
    explicit FakePictureDecoder(DecoderLog& log) : log_(log) {}

    std::optional<PictureSize> Probe(const std::string& path) override {
        std::lock_guard lock(log_.mutex);
        const auto found = log_.pictures.find(path);
        if (found == log_.pictures.end()) return std::nullopt;
        return PictureSize{found->second.width(), found->second.height()};
    }

    std::optional<Surface> Decode(const std::string& path) override {
        std::unique_lock lock(log_.mutex);
        log_.decoded.push_back(path);
        log_.changed.notify_all();
        ++log_.waiting;
        log_.changed.wait(lock, [&] { return !log_.holding; });
        --log_.waiting;
        const auto found = log_.pictures.find(path);
        if (found == log_.pictures.end()) return std::nullopt;
        return found->second;
    }

  private:
    DecoderLog& log_;
};

}  // namespace velnor::testing
