#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Carta.h"

namespace miravane {
namespace {

const vcartas& baraja() {
    static const vcartas instancia;
    return instancia;
}

std::size_t codePoints(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

int sentences(const std::string& text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool endsHere = i + 1 == text.size() || text[i + 1] == ' ';
        n += (c == '.' || c == '!' || c == '?') && endsHere;
    }
    return n;
}

TEST(Carta, ConstructedInTheIdentityOrder) {
    for (int p = 0; p < kNumCartas; ++p) EXPECT_EQ(baraja().orden[p], p);
}

TEST(Carta, TitlesInMajorArcanaOrder) {
    const std::vector<std::string> titulos = {
        "I - The Magician",  "II - The High Priestess", "III - The Empress",    "IV - The Emperor",
        "V - The High Priest", "VI - The Lovers",       "VII - The Chariot",    "VIII - Justice",
        "IX - The Hermit",   "X - Wheel of Fortune",    "XI - Strength",        "XII - The Hanged Man",
        "XIII - Death",      "XIV - Temperance",        "XV - The Devil",       "XVI - The Tower",
        "XVII - The Star",   "XVIII - The Moon",        "XIX - The Sun",        "XX - The Judgement",
        "XXI - The World",   "The Fool"};
    for (int i = 0; i < kNumCartas; ++i) EXPECT_EQ(baraja().naipes[i].nombre, titulos[i]) << "card " << i;
}

TEST(Carta, QuotedTextsByteForByte) {
    const auto& n = baraja().naipes;
    EXPECT_EQ(n[0].texto[0],
              "Originality and creativity are the key to success. Be spontaneous, flexible, trickery, but at the "
              "same time you have to use huge amounts of self-control.");
    EXPECT_EQ(n[0].texto[1],
              "Being so sure of yourself, of your abilities and your tricks. You must be more flexible in your "
              "thoughts.");
    EXPECT_EQ(n[0].texto[2],
              "Who or what will judge your actions? No one knows. Sometimes there is no answer to this question, "
              "just try to do what you think is the right thing, and the solution will arise itself.");
    EXPECT_EQ(n[0].texto[3],
              "The solution to your question will be really surpresive, very spontaneous, without any "
              "premeditation.");
    EXPECT_EQ(n[0].texto[4],
              "You try to solve the question using some original ideas, very creatives, and even sometimes, using "
              "some tricky actions.");
    EXPECT_EQ(n[5].texto[3],
              "I see a couple of lovers as a result. It may be literal, or it may means the reach of a consensus "
              "and harmony.");
    EXPECT_EQ(n[12].texto[1], "Illness, or failure. You cannot fall ill, or fail in an attempt, or you're lost.");
    EXPECT_EQ(n[8].texto[3],
              "Deber\xC3\xA1s retirarte, solo, y guardar el secreto para ti mismo. No le expreses tus sentimientos "
              "a nadie, ya que se puede volver en tu contra.");
    EXPECT_EQ(n[7].texto[3], "It will be a just reward of your work. It will depend on you, and your actions.");
}

TEST(Carta, SharedAndRepeatedTexts) {
    const auto& n = baraja().naipes;
    const std::string rechazo =
        "I don't like to give this result, you know, this is a game, and you get a bad hand. Forget it.";
    EXPECT_EQ(n[12].texto[2], rechazo);
    EXPECT_EQ(n[12].texto[3], rechazo);
    EXPECT_EQ(n[7].texto[2],
              "The judgement will be handed down by the person who legally has the power to decide. It may be a "
              "judge, a teacher, or a respectable person.");
    EXPECT_EQ(n[19].texto[2], n[7].texto[2]);
    EXPECT_EQ(n[19].texto[3], n[7].texto[3] + " But for sure, it will be judged.");

    // Apart from those two pairs, every text is written once.
    std::map<std::string, int> vistas;
    for (const carta& c : n)
        for (const std::string& t : c.texto) ++vistas[t];
    for (const auto& [texto, veces] : vistas) {
        const int esperadas = (texto == rechazo || texto == n[7].texto[2]) ? 2 : 1;
        EXPECT_EQ(veces, esperadas) << texto;
    }
}

TEST(Carta, EveryTextIsOneToThreeSentencesUnder200Characters) {
    for (int i = 0; i < kNumCartas; ++i) {
        for (int k = 0; k < kNumTextos; ++k) {
            const std::string& t = baraja().naipes[i].texto[k];
            SCOPED_TRACE("card " + std::to_string(i) + " text " + std::to_string(k) + ": " + t);
            EXPECT_LT(codePoints(t), 200u);
            EXPECT_GE(sentences(t), 1);
            EXPECT_LE(sentences(t), 3);
        }
    }
}

TEST(Carta, SpecialCharactersAreUtf8AndOnlyWhereExpected) {
    const std::string elipsis = "\xE2\x80\xA6";  // U+2026, stored as byte 0x85 in the old code page
    const std::string aAguda = "\xC3\xA1";       // U+00E1, byte 0xE1
    const auto& n = baraja().naipes;
    EXPECT_NE(n[2].texto[1].find(elipsis), std::string::npos);
    EXPECT_NE(n[2].texto[3].find(elipsis), std::string::npos);
    EXPECT_NE(n[5].texto[4].find(elipsis), std::string::npos);
    EXPECT_NE(n[8].texto[3].find(aAguda), std::string::npos);

    int conNoAscii = 0;
    for (const carta& c : n) {
        for (unsigned char ch : c.nombre) EXPECT_LT(ch, 0x80) << c.nombre;
        for (const std::string& t : c.texto) {
            bool noAscii = false;
            for (unsigned char ch : t) noAscii |= ch >= 0x80;
            conNoAscii += noAscii;
        }
    }
    EXPECT_EQ(conNoAscii, 4);
}

}  // namespace
}  // namespace miravane
