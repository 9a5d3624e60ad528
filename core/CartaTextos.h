#pragma once

#include "Carta.h"

namespace miravane {

// The built-in titles and meaning texts, in card-index order, as UTF-8.
struct TextosCarta {
    const char* nombre;
    const char* texto[kNumTextos];
};

extern const TextosCarta kTextosCartas[kNumCartas];

}  // namespace miravane
