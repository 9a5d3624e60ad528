#include "Carta.h"

#include <numeric>
#include <stdexcept>

#include "Azar.h"
#include "CartaTextos.h"

namespace miravane {
namespace {

std::time_t ahora() { return std::time(nullptr); }

void ordenInicial(std::array<std::int32_t, kNumCartas>& orden) {
    std::iota(orden.begin(), orden.end(), 0);
}

}  // namespace

vcartas::Reloj vcartas::reloj = &ahora;

vcartas::vcartas() : orden{}, elegidas{} {
    ordenInicial(orden);
    for (int i = 0; i < kNumCartas; ++i) {
        const TextosCarta& fuente = kTextosCartas[i];
        naipes[i].nombre = fuente.nombre;
        for (int k = 0; k < kNumTextos; ++k) naipes[i].texto[k] = fuente.texto[k];
    }
}

void vcartas::barajar() {
    // The seed is the calendar time truncated to 32 bits, as the generator's state is.
    barajar(static_cast<std::uint32_t>(reloj()));
}

void vcartas::barajar(std::uint32_t semilla) {
    azar::srand(semilla);
    ordenInicial(orden);
    // Every draw spans all 22 places (not only the ones still to shuffle); the resulting
    // orders are what a given second is known to produce, so the pass stays as it is.
    for (int i = 0; i < kNumCartas; ++i) {
        const int j = azar::rand() % kNumCartas;
        std::swap(orden[i], orden[j]);
    }
}

int vcartas::indiceElegida(int k) const {
    // Negative values become huge unsigned ones, which at() refuses as well.
    const std::int32_t posicion = elegidas.at(static_cast<std::size_t>(k));
    const std::int32_t indice = orden.at(static_cast<std::size_t>(posicion));
    if (indice < 0 || indice >= kNumCartas) throw std::out_of_range("The deck order names no card");
    return indice;
}

}  // namespace miravane
