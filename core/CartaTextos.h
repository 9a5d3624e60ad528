#pragma once

namespace miravane {

// The built-in titles and meaning texts, in card-index order, as UTF-8.
struct TextosCarta {
    const char* nombre;
    const char* texto[5];
};

extern const TextosCarta kTextosCartas[22];

}  // namespace miravane
