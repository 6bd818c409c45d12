// Formats the per-frame trace lines with round-trip float text.
#include "trace_writer.h"

#include <charconv>
#include <cmath>

namespace velnor::render {
namespace {

template <typename Number>
void AppendNumber(std::string& out, Number value) {
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value)) {
            out += "null";  // JSON has no infinities; the projection never stores one
            return;
        }
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void AppendGrid(std::string& out, const char* key, const Grid& grid) {
    out += ",\"";
    out += key;
    out += "\":[";
    for (int i = 1; i <= kGridCount; ++i) {
        out += i == 1 ? "[" : ",[";
        for (int j = 1; j <= kGridCount; ++j) {
            if (j > 1) out += ',';
            AppendNumber(out, grid[j][i]);
        }
        out += ']';
    }
    out += ']';
}

}  // namespace

void AppendTraceLine(std::string& line, long long frame, const Animation& animation) {
    const MotionState& m = animation.motion();
    line += "{\"frame\":";
    AppendNumber(line, frame);
    line += ",\"clockAngle\":";
    AppendNumber(line, m.clockAngle);
    line += ",\"orbitRadiusY\":";
    AppendNumber(line, m.orbitRadiusY);
    line += ",\"spinInput\":";
    AppendNumber(line, m.spinInput);
    line += ",\"spriteLeft\":";
    AppendNumber(line, m.spriteLeft);
    line += ",\"spriteTop\":";
    AppendNumber(line, m.spriteTop);
    line += m.inFront ? ",\"inFront\":true" : ",\"inFront\":false";
    AppendGrid(line, "screenX", animation.wireBall().screenX);
    AppendGrid(line, "screenY", animation.wireBall().screenY);
    line += "}\n";
}

}  // namespace velnor::render
