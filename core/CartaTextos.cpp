#include "CartaTextos.h"

namespace miravane {

constexpr TextosCarta kTextosCartas[kNumCartas] = {
    {"I - The Magician",
     {"Originality and creativity are the key to success. Be spontaneous, flexible, trickery, but at the same time "
      "you have to use huge amounts of self-control.",
      "Being so sure of yourself, of your abilities and your tricks. You must be more flexible in your thoughts.",
      "Who or what will judge your actions? No one knows. Sometimes there is no answer to this question, just try "
      "to do what you think is the right thing, and the solution will arise itself.",
      "The solution to your question will be really surpresive, very spontaneous, without any premeditation.",
      "You try to solve the question using some original ideas, very creatives, and even sometimes, using some "
      "tricky actions."}},
    {"II - The High Priestess",
     {"Use your common sense and be objective. Look at the facts as they are, not as you would like them to be.",
      "Too much rationality. Not everything can be solved with cold reasoning, so leave some room for your feelings.",
      "An important woman will judge this matter. Her opinion will weigh more than anyone else's.",
      "Common sense will find the answer. If you think calmly, the solution will become clear to you.",
      "You are a person of common sense, who thinks things through before acting."}},
    {"III - The Empress",
     {"Let a feminine influence guide you. Take the lead with warmth, as a woman who knows how to lead would do.",
      "A woman who is not to be trusted… she may smile at you while she works against you.",
      "The judge will be a woman, or someone with a feminine sensibility. She will decide with her heart as well as "
      "her head.",
      "Fertility and material wealth… your efforts will bear fruit, and abundance will come to you.",
      "You act like a mother, a natural leader who takes care of others and guides them without effort."}},
    {"IV - The Emperor",
     {"Use your power and your authority. Take control of the situation and make your decisions firmly.",
      "Acting as a tyrant. If you impose your will on everybody, they will turn against you.",
      "An important man will judge this matter. He has the authority, and his word will be final.",
      "Stability and confidence. The situation will settle, and you will stand on firm ground.",
      "You impose your views on others, and you are used to having the last word."}},
    {"V - The High Priest",
     {"Be kind and merciful with the people around you. Forgive, and you will be helped in return.",
      "Being handled like a puppet. Do not let others pull your strings in the name of kindness.",
      "A kind and merciful judge will decide. Whatever happens, you will be treated with compassion.",
      "Kindness, inspiration and servitude. By serving others you will find your answer, and it will inspire you.",
      "You prefer to stay in the background, helping others quietly instead of taking the lead."}},
    {"VI - The Lovers",
     {"Spread love around you. Open your heart to others, and let your affection guide your actions.",
      "Loving too much. Giving all of yourself to someone can leave nothing for you.",
      "The lover will decide. The person you love holds the answer in their hands.",
      "I see a couple of lovers as a result. It may be literal, or it may means the reach of a consensus and "
      "harmony.",
      "You love much, and you know it… if your question is about love, the answer is definitely yes."}},
    {"VII - The Chariot",
     {"Escape. Get away from the problem, take the reins and move forward to a new place.",
      "Escaping will make things worse. The problem will follow you wherever you go.",
      "Overcoming adversity will be the judge. Your ability to beat the obstacles will decide everything.",
      "An escape, which is generally a success. Leaving the situation behind will bring you victory.",
      "You avoid the problem by going away, hoping that distance will solve what you do not want to face."}},
    {"VIII - Justice",
     {"Be honest and act with equity. Give everyone what they deserve, no more and no less.",
      "Severity. Being too strict with yourself and with others can turn justice into punishment.",
      "The judgement will be handed down by the person who legally has the power to decide. It may be a judge, a "
      "teacher, or a respectable person.",
      "It will be a just reward of your work. It will depend on you, and your actions.",
      "You judge things objectively, but at times your judgement is abusive and too harsh on others."}},
    {"IX - The Hermit",
     {"Keep your secret and act with prudence. Think carefully before you speak, and do not reveal your plans.",
      "Too much secrecy. Keeping everything to yourself can isolate you from those who could help you.",
      "A lone, prudent person will judge. He keeps to himself and weighs every detail in silence.",
      "Deberás retirarte, solo, y guardar el secreto para ti mismo. No le expreses tus sentimientos a nadie, ya que "
      "se puede volver en tu contra.",
      "You are a lone person with secrets, who prefers silence to sharing what you feel."}},
    {"X - Wheel of Fortune",
     {"Place your bet, luck is smiling at you. This is the moment to take a chance.",
      "Do not tempt your luck. The wheel keeps turning, and what goes up must come down.",
      "It is a matter of luck. Nobody judges here, the wheel turns and decides.",
      "Luck will decide, and most of the time it will be for the good.",
      "You like to take risks, and you trust your luck more than your plans."}},
    {"XI - Strength",
     {"Use your strength and your courage. Face the problem directly, without fear.",
      "Brute force. Strength without control can destroy what you want to protect.",
      "The stronger will decide. Whoever has the most strength will have the last word.",
      "Conquest. You will win, and what you fought for will be yours.",
      "You always use force to solve your problems, even when a softer touch would work better."}},
    {"XII - The Hanged Man",
     {"Let go and regenerate yourself. Stop fighting, and let things take their course for a while.",
      "Apathy. If you do not care about anything, nothing will change for you.",
      "The judge cannot be trusted, as they do not want to get involved in the matter.",
      "The question will lose its importance. With time, it will not matter any more.",
      "You act with apathy, and you surrender too easily when things get difficult."}},
    {"XIII - Death",
     {"There is no positive answer to your question. Do not insist, whatever you do will not help.",
      "Illness, or failure. You cannot fall ill, or fail in an attempt, or you're lost.",
      "I don't like to give this result, you know, this is a game, and you get a bad hand. Forget it.",
      "I don't like to give this result, you know, this is a game, and you get a bad hand. Forget it.",
      "You are acting as badly as one can. Stop, and think again about what you are doing."}},
    {"XIV - Temperance",
     {"Be patient. Take your time, and do not rush into anything.",
      "Impatience. Wanting everything right now will ruin what time would give you.",
      "A moderate person will judge, perhaps one of your parents. They will look for a balanced answer.",
      "A good influence will lead this matter to a positive end.",
      "You are patient and harmonious, and you keep balance in everything you do."}},
    {"XV - The Devil",
     {"Follow your feelings rather than your principles. Sometimes the heart knows what the rules ignore.",
      "Malevolence and violence. Someone wants to hurt you, and will not stop at anything.",
      "The devil will judge. Do not expect a fair decision from him.",
      "Your future is in your own hands. What happens next depends only on the choices you make.",
      "You have the wrong attitude, and you let evil temptations lead you."}},
    {"XVI - The Tower",
     {"A dramatic change is coming. Be ready to tear everything down and start again from the beginning.",
      "Changing too easily. If you change your mind every day, nothing you build will stand.",
      "The situation will not last, and the judge is undecided. Nothing is settled yet.",
      "Much will change, and you will face adversity. Be ready to rebuild what falls.",
      "You abandon your relationships easily, and you leave people behind without looking back."}},
    {"XVII - The Star",
     {"Have faith and be positive. Believe in yourself, and the way will open before you.",
      "Too much optimism. Hoping is good, but do not close your eyes to reality.",
      "Optimism will judge. The brighter side of things will have the last word.",
      "A positive end. Your hopes will come true.",
      "You are optimistic, although you are not completely sure of how things will turn out."}},
    {"XVIII - The Moon",
     {"Be cautious, there is danger around you. Watch your steps, and do not trust appearances.",
      "Deception. Someone is lying to you, or you are lying to yourself.",
      "The judge is interested in your fall. Do not expect any help from that side.",
      "Danger. Things will get difficult, and you must protect yourself.",
      "You are at the edge of the danger zone, one step away from trouble."}},
    {"XIX - The Sun",
     {"Seek satisfaction and surround yourself with good friends. Their company will light your way.",
      "Unhappiness. Do not let sadness darken what you have achieved.",
      "A very positive judge will decide, and the decision will shine on you.",
      "You will get what you want. Enjoy it, you have earned it.",
      "You are full of joy, and your happiness spreads to everyone around you."}},
    {"XX - The Judgement",
     {"Let others judge you. Their opinion will help you see what you cannot see alone.",
      "Not letting others judge you. Closing yourself to criticism will keep you from growing.",
      "The judgement will be handed down by the person who legally has the power to decide. It may be a judge, a "
      "teacher, or a respectable person.",
      "It will be a just reward of your work. It will depend on you, and your actions. But for sure, it will be "
      "judged.",
      "You are always judging everything and everyone, including yourself."}},
    {"XXI - The World",
     {"Effort and hard work are what you need. Keep going, and you will reach your goal.",
      "Too much effort. Working without rest can exhaust you before you reach the end.",
      "Everybody involved can decide. The answer will come from all of them together.",
      "Success. Your work will be rewarded, and everything will fall into place.",
      "You are optimistic with moderation, and your optimism is well-founded."}},
    {"The Fool",
     {"Be a little foolish. Do not take everything so seriously, and enjoy the ride.",
      "Immaturity. Acting like a child will not solve a problem that needs an adult.",
      "A foolish judge will decide. Do not expect the decision to make much sense.",
      "A new adventure, full of passion, but foolish. Enjoy it while it lasts.",
      "You act like a fool, with spontaneity, doing whatever comes to your mind at each moment."}},
};

namespace {

// A card or a text left out of the table would be an empty pointer there, not a build error.
constexpr bool everyTextIsThere() {
    for (const TextosCarta& carta : kTextosCartas) {
        if (!carta.nombre) return false;
        for (const char* texto : carta.texto)
            if (!texto) return false;
    }
    return true;
}
static_assert(everyTextIsThere(), "every card needs its title and one meaning text per slot");

}  // namespace

}  // namespace miravane
