// Taking typed pieces from a fuzzer's input bytes: numbers, choices among a few values
// and length-prefixed texts. Running out of input gives zeros and empty texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velnor::fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }

    std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }

    // A text of up to 255 bytes.
    std::string Text() {
        const std::size_t length = Byte();
        const std::string_view text = rest_.substr(0, length);
        rest_.remove_prefix(text.size());
        return std::string(text);
    }

    // Whatever is left.
    std::string_view Rest() {
        const std::string_view all = rest_;
        rest_ = {};
        return all;
    }

  private:
    std::string_view rest_;
};

// Stops the run with a message when a checked property does not hold (a fuzzer crash).
[[noreturn]] void Fail(const char* what);

inline void Check(bool condition, const char* what) {
    if (!condition) Fail(what);
}

// A file named `name` in the process's own temporary folder, which goes at its exit.
std::string ScratchFile(std::string_view name);

}  // namespace velnor::fuzz
