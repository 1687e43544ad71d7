#include "app/reading_order.h"

#include <algorithm>
#include <cstdint>

namespace shell {

namespace {

constexpr size_t kNone = SIZE_MAX;

// The item nearest to the left of field i on its row (its middle within the field's height), or kNone.
size_t LeftNeighbour(const std::vector<PlacedItem> &items, size_t i) {
    const QRect &field = items[i].rect;
    size_t nearest = kNone;
    for (size_t j = 0; j < items.size(); ++j) {
        const QRect &other = items[j].rect;
        const int middle = other.top() + other.height() / 2;
        if (j == i || items[j].parent != items[i].parent || other.left() >= field.left()) continue;
        if (other.right() > field.left() + 2 || middle < field.top() || middle > field.bottom()) continue;
        if (nearest == kNone || other.right() > items[nearest].rect.right()) nearest = j;
    }
    return nearest;
}

}  // namespace

std::vector<size_t> ReadingOrder(const std::vector<PlacedItem> &items) {
    std::vector<std::vector<size_t>> followers(items.size());
    std::vector<size_t> heads;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i].field) continue;
        const size_t left = LeftNeighbour(items, i);
        if (left != kNone && items[left].field)
            followers[left].push_back(i);
        else
            heads.push_back(i);
    }
    const auto rect = [&](size_t i) -> const QRect & { return items[i].rect; };
    for (auto &row : followers)
        std::ranges::sort(row, [&](size_t a, size_t b) { return rect(a).left() < rect(b).left(); });

    // Heads at one left edge of one parent, top to bottom. A gap taller than a field ends a column,
    // and so does a field reaching under a column to its right (a line across the columns).
    const auto crosses = [&](size_t h) {
        return std::ranges::any_of(heads, [&](size_t other) {
            return items[other].parent == items[h].parent && rect(other).top() < rect(h).top() &&
                   rect(other).left() > rect(h).left() && rect(other).left() <= rect(h).right();
        });
    };
    std::ranges::sort(heads, [&](size_t a, size_t b) {
        if (items[a].parent != items[b].parent) return items[a].parent < items[b].parent;
        if (rect(a).left() != rect(b).left()) return rect(a).left() < rect(b).left();
        return rect(a).top() < rect(b).top();
    });
    std::vector<std::vector<size_t>> columns;
    for (size_t k = 0; k < heads.size(); ++k) {
        const size_t h = heads[k];
        const size_t above = k > 0 ? heads[k - 1] : kNone;
        const bool joins = above != kNone && items[above].parent == items[h].parent &&
                           rect(above).left() == rect(h).left() &&
                           rect(h).top() - rect(above).bottom() <= rect(above).height() && !crosses(h);
        if (!joins) columns.emplace_back();
        columns.back().push_back(h);
    }
    std::ranges::stable_sort(columns, [&](const auto &a, const auto &b) {
        const QRect &ra = rect(a.front()), &rb = rect(b.front());
        return ra.top() != rb.top() ? ra.top() < rb.top() : ra.left() < rb.left();
    });

    std::vector<size_t> order;
    order.reserve(items.size());
    const auto visit = [&](const auto &self, size_t i) -> void {
        order.push_back(i);
        for (size_t next : followers[i]) self(self, next);
    };
    for (const auto &column : columns)
        for (size_t head : column) visit(visit, head);
    return order;
}

}  // namespace shell
