#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "Carta.h"

namespace miravane {
namespace {

using Orden = std::array<std::int32_t, kNumCartas>;

constexpr Orden kOrdenSemilla0 = {5, 15, 8, 7, 18, 11, 10, 3, 4, 2, 17, 19, 14, 6, 13, 1, 16, 21, 20, 0, 9, 12};
constexpr Orden kOrdenSemilla1 = {15, 5, 7, 0, 11, 17, 9, 1, 3, 13, 16, 14, 6, 10, 8, 19, 21, 4, 2, 20, 18, 12};

Orden ordenTrasBarajar(std::uint32_t semilla) {
    vcartas baraja;
    baraja.barajar(semilla);
    return baraja.orden;
}

// Points the shuffle's clock at a fixed second for one test, then puts the real clock back.
class RelojFijo {
public:
    explicit RelojFijo(vcartas::Reloj reloj) : anterior_(vcartas::reloj) { vcartas::reloj = reloj; }
    ~RelojFijo() { vcartas::reloj = anterior_; }

private:
    vcartas::Reloj anterior_;
};

TEST(Barajar, KnownOrdersForFixedSeeds) {
    EXPECT_EQ(ordenTrasBarajar(0), kOrdenSemilla0);
    EXPECT_EQ(ordenTrasBarajar(1), kOrdenSemilla1);
}

TEST(Barajar, SeedsFromTheClockInWholeSeconds) {
    {
        RelojFijo reloj([] { return std::time_t{0}; });
        vcartas baraja;
        baraja.barajar();
        EXPECT_EQ(baraja.orden, kOrdenSemilla0);
    }
    {
        // A 64-bit time is cut to the generator's 32-bit state: 2^32 + 1 seeds as 1.
        RelojFijo reloj([] { return std::time_t{(std::time_t{1} << 32) + 1}; });
        vcartas baraja;
        baraja.barajar();
        EXPECT_EQ(baraja.orden, kOrdenSemilla1);
    }
}

TEST(Barajar, TwoReadingsInTheSameSecondGetTheSameOrder) {
    RelojFijo reloj([] { return std::time_t{1'700'000'000}; });
    vcartas baraja;
    baraja.barajar();
    const Orden primera = baraja.orden;
    baraja.barajar();
    EXPECT_EQ(baraja.orden, primera);
}

TEST(Barajar, AlwaysAPermutationAndNeverDependsOnThePreviousOrder) {
    vcartas baraja;
    for (std::uint32_t semilla = 0; semilla < 20000; semilla += 7) {
        baraja.barajar(semilla * 2654435761u);  // spread over the whole 32-bit range
        Orden ordenada = baraja.orden;
        std::sort(ordenada.begin(), ordenada.end());
        for (int i = 0; i < kNumCartas; ++i) ASSERT_EQ(ordenada[i], i) << "seed " << semilla;
    }
    baraja.barajar(1);
    EXPECT_EQ(baraja.orden, kOrdenSemilla1) << "a shuffle starts again from the identity order";
}

TEST(Barajar, ElegidaResolvesPicksThroughTheDeckOrder) {
    vcartas baraja;
    baraja.barajar(0);
    baraja.elegidas = {0, 1, 2, 3, 4};
    EXPECT_EQ(baraja.indiceElegida(0), 5);
    EXPECT_EQ(baraja.indiceElegida(4), 18);
    baraja.elegidas[2] = kNumCartas;  // not a table position
    EXPECT_THROW(baraja.indiceElegida(2), std::out_of_range);
    baraja.elegidas[2] = -1;
    EXPECT_THROW(baraja.indiceElegida(2), std::out_of_range);
    EXPECT_THROW(baraja.indiceElegida(5), std::out_of_range);
}

}  // namespace
}  // namespace miravane
