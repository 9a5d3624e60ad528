#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <string>

namespace miravane {

constexpr int kNumCartas = 22;     // the Major Arcana
constexpr int kNumTextos = 5;      // meaning texts per card, one per reading slot
constexpr int kNumElegidas = 5;    // picks per reading
static_assert(kNumTextos == kNumElegidas, "slot k of a reading shows text k of its card");
static_assert(kNumElegidas <= kNumCartas, "each pick is a different card");

// One card: its title and its five meaning texts (UTF-8). Text k is read when the card
// falls in slot k of a reading: what to do, what plays against, who will judge, the
// sentence, the summary.
struct carta {
    std::string nombre;
    std::array<std::string, kNumTextos> texto;
};

// The deck: the cards by card index, the deck order and the picks of the reading under way.
struct vcartas {
    std::array<carta, kNumCartas> naipes;
    std::array<std::int32_t, kNumCartas> orden;      // orden[p]: card index lying at table position p
    std::array<std::int32_t, kNumElegidas> elegidas;  // table positions picked, in pick order

    vcartas();

    // Rebuilds orden from the current second of the clock.
    void barajar();

    // Rebuilds orden from the given seed: the same seed always gives the same order,
    // whatever the order was before.
    void barajar(std::uint32_t semilla);

    // Where barajar() reads the time; tests point it at a fixed second.
    using Reloj = std::time_t (*)();
    static Reloj reloj;

    // The card index shown in slot k of the reading: orden[elegidas[k]], range-checked so that
    // a pick that is not a table position throws instead of reading past the arrays.
    int indiceElegida(int k) const;
};

}  // namespace miravane
