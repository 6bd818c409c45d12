// Colour-on-colour stretch: a table maps each visible destination column to its source
// column (exact integer stepping, no division per pixel), each destination row is gathered
// through it, and a row that maps to the same source row as the one above is a plain copy
// of that destination row.
#include "engine/stretch.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace velnor {
namespace {

// Source indices, relative to the source origin, of the destination indices
// first..first+count-1 of a span of `dstSize` scaled from `srcSize`: the source index under
// the centre of destination pixel i is floor((2i + 1) * srcSize / (2 * dstSize)).
std::vector<long long> MapSpan(long long first, long long count, long long dstSize,
                               long long srcSize) {
    std::vector<long long> map(static_cast<std::size_t>(count));
    const long long denominator = 2 * dstSize;
    const long long start = (2 * first + 1) * srcSize;
    long long quotient = start / denominator;
    long long remainder = start % denominator;
    const long long stepQuotient = (2 * srcSize) / denominator;
    const long long stepRemainder = (2 * srcSize) % denominator;
    for (auto& index : map) {
        index = quotient;
        quotient += stepQuotient;
        remainder += stepRemainder;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++quotient;
        }
    }
    return map;
}

// Narrows [first, last) of destination indices to those whose source index, offset by
// `origin`, lies in [0, limit). The mapping is non-decreasing, so the valid ones are one run.
void KeepInside(const std::vector<long long>& map, long long origin, long long limit,
                long long& first, long long& last) {
    while (first < last && origin + map[static_cast<std::size_t>(first)] < 0) ++first;
    while (last > first && origin + map[static_cast<std::size_t>(last - 1)] >= limit) --last;
}

}  // namespace

Rect StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh) {
    assert(&dst != &src);
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || dst.empty() || src.empty()) return {};
    // Visible destination indices, relative to (x, y).
    const long long firstCol = std::max(0LL, -static_cast<long long>(x));
    const long long endCol = std::min<long long>(w, static_cast<long long>(dst.width()) - x);
    const long long firstRow = std::max(0LL, -static_cast<long long>(y));
    const long long endRow = std::min<long long>(h, static_cast<long long>(dst.height()) - y);
    if (firstCol >= endCol || firstRow >= endRow) return {};

    const auto columns = MapSpan(firstCol, endCol - firstCol, w, sw);
    const auto rows = MapSpan(firstRow, endRow - firstRow, h, sh);
    long long colBegin = 0, colEnd = static_cast<long long>(columns.size());
    long long rowBegin = 0, rowEnd = static_cast<long long>(rows.size());
    KeepInside(columns, sx, src.width(), colBegin, colEnd);
    KeepInside(rows, sy, src.height(), rowBegin, rowEnd);
    if (colBegin >= colEnd || rowBegin >= rowEnd) return {};

    // Column table as offsets into a source row, for the columns that are drawn.
    std::vector<int> offsets(static_cast<std::size_t>(colEnd - colBegin));
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        offsets[i] = static_cast<int>(sx + columns[static_cast<std::size_t>(colBegin) + i]);
    }
    const int left = static_cast<int>(x + firstCol + colBegin);
    const int top = static_cast<int>(y + firstRow + rowBegin);
    const int count = static_cast<int>(offsets.size());
    const auto bytes = static_cast<std::size_t>(count) * sizeof(Pixel);
    long long previousSource = -1;
    for (long long r = rowBegin; r < rowEnd; ++r) {
        const int dy = top + static_cast<int>(r - rowBegin);
        const long long sourceRow = sy + rows[static_cast<std::size_t>(r)];
        Pixel* out = dst.row(dy) + left;
        if (sourceRow == previousSource) {
            std::memcpy(out, dst.row(dy - 1) + left, bytes);
            continue;
        }
        const Pixel* in = src.row(static_cast<int>(sourceRow));
        for (int i = 0; i < count; ++i) out[i] = in[offsets[static_cast<std::size_t>(i)]];
        previousSource = sourceRow;
    }
    return Rect{left, top, left + count, top + static_cast<int>(rowEnd - rowBegin)};
}

}  // namespace velnor
