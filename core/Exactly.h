#pragma once

#include <array>
#include <cstddef>

namespace miravane {

// A fixed-size list written out item by item. A plain array initialiser with an item missing
// fills the gap with an empty value and builds; this one does not build unless every place
// of the list gets exactly one item.
template <std::size_t N, typename T, typename... More>
constexpr std::array<T, N> exactly(T first, More... more) {
    static_assert(1 + sizeof...(More) == N, "the list needs exactly one item for each of its places");
    return {first, static_cast<T>(more)...};
}

}  // namespace miravane
