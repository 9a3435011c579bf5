#include "lifelines/phone_reply.h"

#include <algorithm>
#include <vector>

#include "questions/label_text.h"

namespace kvz::lifelines {

namespace {

// When a reply may be used: R is "the suggestion is right", q the question, F fifty-fifty.
enum class Gate { None, Right, G2, G3, G9, G10, G12, G39, G40 };
// What a reply names: nothing, the suggestion, or the suggestion " nebo " a second answer.
enum class Names { Nothing, P, POrP2 };

struct Reply {
  Gate gate;
  const char16_t* before;
  Names names;
  const char16_t* after;
};

// Fifty entries; a text that stands twice is two entries, so it comes up twice as often.
constexpr Reply kReplies[] = {
    /*  1 */ {Gate::None, u"Nevím to sice na úplně jistě, ale myslím, že to bude ", Names::P, u"."},
    /*  2 */ {Gate::G2, u"Je to asi ostuda, ale vůbec nemám tušení jaká možnost by to mohla být. Omlouvám se...", Names::Nothing, u""},
    /*  3 */ {Gate::G3, u"Těžko říct, tipoval bych buď ", Names::POrP2, u"."},
    /*  4 */ {Gate::Right, u"Tohle vím, dej ", Names::P, u". Zcela určitě !!"},
    /*  5 */ {Gate::Right, u"Tím jsem si jistá. Bude to ", Names::P, u"."},
    /*  6 */ {Gate::None, u"Nejsem si úplně jistá, ale asi to je ", Names::P, u"."},
    /*  7 */ {Gate::None, u"Nejsem si úplně jistý, ale asi to je ", Names::P, u"."},
    /*  8 */ {Gate::None, u"Nejsem si zcela jistá, ale asi to je ", Names::P, u"."},
    /*  9 */ {Gate::G9, u"Tohle tedy opravdu nevím, to bych jen tipoval...", Names::Nothing, u""},
    /* 10 */ {Gate::G10, u"Jistě to nevím, ale tuším, že by to mohlo být ", Names::POrP2, u"."},
    /* 11 */ {Gate::None, u"Skoro jistě to bude ", Names::P, u"."},
    /* 12 */ {Gate::G12, u"Nevím to úplně přesně ale určitě to bude jedna z možností ", Names::POrP2, u"."},
    /* 13 */ {Gate::Right, u"Tím jsem si naprosto jistá. Určitě to bude ", Names::P, u"."},
    /* 14 */ {Gate::Right, u"Tímto jsem si téměř naprosto jistá. Určitě je to ", Names::P, u"."},
    /* 15 */ {Gate::Right, u"Tím jsem si skoro jistý. Bude to určitě ", Names::P, u"."},
    /* 16 */ {Gate::Right, u"Tímto jsem si jistý. Je to určitě ", Names::P, u"."},
    /* 17 */ {Gate::Right, u"Tímhle jsem si naprosto jistá. Určitě to bude ", Names::P, u"."},
    /* 18 */ {Gate::Right, u"Tímto jsem si téměř stoprocentně jistá. Určitě je to ", Names::P, u"."},
    /* 19 */ {Gate::Right, u"Tímhle jsem si skoro úplně jistý. Bude to určitě ", Names::P, u"."},
    /* 20 */ {Gate::Right, u"Tím jsem si skoro stoprocentně jistý. Je to určitě ", Names::P, u"."},
    /* 21 */ {Gate::Right, u"Tohle vím, dej ", Names::P, u". Zcela určitě !!"},
    /* 22 */ {Gate::Right, u"Tímto jsem si zcela jistá. Bude to ", Names::P, u"."},
    /* 23 */ {Gate::Right, u"Tím jsem si naprosto jistá. Je to ", Names::P, u"."},
    /* 24 */ {Gate::Right, u"Tím jsem si naprosto jistý. Bude to ", Names::P, u"."},
    /* 25 */ {Gate::Right, u"Tím jsem si stoprocentně jistý. Je to ", Names::P, u"."},
    /* 26 */ {Gate::Right, u"Tímto jsem si naprosto jistá. Určitě to bude ", Names::P, u"."},
    /* 27 */ {Gate::Right, u"Tímto jsem si úplně jistá. Určitě je to ", Names::P, u"."},
    /* 28 */ {Gate::Right, u"Tím jsem si naprosto jistý. Bude to určitě ", Names::P, u"."},
    /* 29 */ {Gate::Right, u"Tím jsem si úplně jistý. Je to určitě ", Names::P, u"."},
    /* 30 */ {Gate::Right, u"Tímto jsem si naprosto jistá. Určitě to bude ", Names::P, u"."},
    /* 31 */ {Gate::Right, u"Tímto jsem si zcela jistá. Určitě je to ", Names::P, u"."},
    /* 32 */ {Gate::Right, u"Tímto jsem si naprosto jistý. Bude to určitě ", Names::P, u"."},
    /* 33 */ {Gate::Right, u"Tímto jsem si zcela jistý. Je to určitě ", Names::P, u"."},
    /* 34 */ {Gate::Right, u"Tohle vím, dej ", Names::P, u". Zcela určitě !!"},
    /* 35 */ {Gate::Right, u"Tímto jsem si naprosto jistá. Bude to ", Names::P, u"."},
    /* 36 */ {Gate::Right, u"Tak tímto jsem si naprosto jistá. Je to ", Names::P, u"."},
    /* 37 */ {Gate::Right, u"Tímto jsem si naprosto jistý. Bude to ", Names::P, u"."},
    /* 38 */ {Gate::Right, u"Tak tímto jsem si naprosto jistý. Je to ", Names::P, u"."},
    /* 39 */ {Gate::G39, u"Tak tahle otázka je na mě teda opravdu moc...", Names::Nothing, u""},
    /* 40 */ {Gate::G40, u"Ani v nejmenším netuším, asi ti moc nepomůžu.", Names::Nothing, u""},
    /* 41 */ {Gate::G39, u"Mohlo by to být ", Names::P, u", teda aspoň myslím..."},
    /* 42 */ {Gate::G39, u"Mohlo by to být ", Names::P, u", teda alespoň myslím..."},
    /* 43 */ {Gate::Right, u"", Names::P, u"... Určitě!"},
    /* 44 */ {Gate::Right, u"", Names::P, u"... Určitě je to správně!"},
    /* 45 */ {Gate::Right, u"", Names::P, u"... Jsem přesvědčen, že je to tak."},
    /* 46 */ {Gate::Right, u"", Names::P, u"... Jsem přesvědčena, že je to tak."},
    /* 47 */ {Gate::Right, u"", Names::P, u"... Jsem pevně přesvědčen, že to tak je."},
    /* 48 */ {Gate::Right, u"", Names::P, u"... Jsem pevně přesvědčena, že to tak je."},
    /* 49 */ {Gate::None, u"Já bych zkusil ", Names::P, u"..."},
    /* 50 */ {Gate::None, u"Já bych zkusila ", Names::P, u"..."},
};
constexpr int kReplyCount = static_cast<int>(std::size(kReplies));

const QString kCrLf = QStringLiteral("\r\n");
const QString kLetters[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};

bool accepts(Gate gate, bool right, int q, bool f) {
  switch (gate) {
    case Gate::None: return true;
    case Gate::Right: return right;
    case Gate::G2: return !f || q <= 2;
    case Gate::G3: return !f || q >= 4;
    case Gate::G9: return q >= 5;
    case Gate::G10: return !f || q == 5;
    case Gate::G12: return !f || right;
    case Gate::G39: return q >= 3;
    case Gate::G40: return !f || q >= 4;
  }
  return false;
}

// Draws an index with probability proportional to its weight; the weights sum above zero.
int drawWeighted(const std::vector<long long>& weights, RandomSource& random) {
  long long total = 0;
  for (long long w : weights) total += w;
  long long n = static_cast<long long>(random.next() * static_cast<double>(total)) + 1;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    if (n <= weights[i]) return static_cast<int>(i);
    n -= weights[i];
  }
  // Only rounding can get here; the last candidate with weight takes it.
  for (std::size_t i = weights.size(); i-- > 0;)
    if (weights[i] > 0) return static_cast<int>(i);
  return 0;
}

class Composition {
public:
  Composition(const PhoneInputs& in, RandomSource& random) : in_(in), random_(random) {
    const ZaznamOtazky& o = in.otazka;
    answers_ = {labelText(o.OdpA), labelText(o.OdpB), labelText(o.OdpC), labelText(o.OdpD)};
    shares_ = {o.DivaciA, o.DivaciB, o.DivaciC, o.DivaciD};
    visible_ = in.visible;
    // A screen without any answer cannot happen in play; then every answer counts as shown.
    if (std::find(visible_.begin(), visible_.end(), true) == visible_.end()) visible_.fill(true);
    // The friend's odds: the stored shares of the answers on screen. A negative share counts
    // as none; when no answer on screen has a share, the friend picks among them evenly.
    long long sum = 0;
    for (int x = 0; x < 4; ++x) sum += odds_[x] = visible_[x] ? std::max<long long>(shares_[x], 0) : 0;
    if (sum == 0)
      for (int x = 0; x < 4; ++x) odds_[x] = visible_[x] ? 1 : 0;
  }

  QString named(int x) const { return kLetters[x] + QStringLiteral(": ") + answers_[x]; }

  QString answersLine() const {
    QString line;
    for (int x = 0; x < 4; ++x)
      line += (x ? QStringLiteral(",  ") : QString()) + kLetters[x] + QStringLiteral(": ") + answers_[x];
    if (!in_.fiftyFifty) return line;
    for (int x = 0; x < 4; ++x)
      for (int y = x + 1; y < 4; ++y)
        if (in_.visible[x] && in_.visible[y])
          line = kLetters[x] + QStringLiteral(":  ") + answers_[x] + QStringLiteral(" nebo ") + kLetters[y] +
                 QStringLiteral(":  ") + answers_[y];
    return line;
  }

  // The accepted (suggestion, reply) pair, drawn at once with the odds that starting over
  // until a draw fits would give: the suggestion's share times whether the reply's gate
  // accepts it. Bounded, whatever the shares hold.
  std::pair<int, int> drawSuggestionAndReply() {
    std::vector<long long> weights;
    for (int x = 0; x < 4; ++x)
      for (int k = 0; k < kReplyCount; ++k) {
        const Reply& r = kReplies[k];
        const bool fits = accepts(r.gate, isRight(x), in_.level, in_.fiftyFifty) &&
                          (r.names != Names::POrP2 || !othersOnScreen(x).empty());
        weights.push_back(fits ? odds_[x] : 0);
      }
    const int cell = drawWeighted(weights, random_);
    return {cell / kReplyCount, cell % kReplyCount};
  }

  // The answer an either-or reply names beside the suggestion: after fifty-fifty the other
  // one left; beside a sure answer (a share of 100) any other on screen; otherwise drawn by
  // the shares like the suggestion, never the suggestion itself. -1 when there is none.
  int drawSecond(int x) {
    const std::vector<int> others = othersOnScreen(x);
    if (others.empty()) return -1;
    const bool sure = std::find(shares_.begin(), shares_.end(), 100) != shares_.end();
    std::vector<long long> weights;
    for (int y : others) weights.push_back(in_.fiftyFifty || sure ? 1 : odds_[y]);
    if (std::find_if(weights.begin(), weights.end(), [](long long w) { return w > 0; }) == weights.end())
      weights.assign(others.size(), 1);
    return others[static_cast<std::size_t>(drawWeighted(weights, random_))];
  }

  bool isRight(int x) const { return kLetters[x] == in_.otazka.Spravna; }

private:
  std::vector<int> othersOnScreen(int x) const {
    std::vector<int> others;
    for (int y = 0; y < 4; ++y)
      if (y != x && visible_[y]) others.push_back(y);
    return others;
  }

  const PhoneInputs& in_;
  RandomSource& random_;
  std::array<QString, 4> answers_;
  std::array<std::int16_t, 4> shares_{};
  std::array<bool, 4> visible_{};
  std::array<long long, 4> odds_{};
};

}  // namespace

void composeCall(const PhoneInputs& in, RandomSource& random, PhoneTexts& texts) {
  random.seedFromClock();
  Composition c(in, random);

  texts.TelOtazka = labelText(in.otazka.Zadani);
  texts.TelMoznosti = c.answersLine();

  const auto [x, k] = c.drawSuggestionAndReply();
  texts.TipPritele = c.named(x);
  if (const int second = c.drawSecond(x); second >= 0) texts.TipPritele2 = c.named(second);

  const Reply& reply = kReplies[k];
  texts.reply = k + 1;
  texts.OdpovedPritele = QString::fromUtf16(reply.before);
  if (reply.names != Names::Nothing) texts.OdpovedPritele += texts.TipPritele;
  if (reply.names == Names::POrP2) texts.OdpovedPritele += QStringLiteral(" nebo ") + texts.TipPritele2;
  texts.OdpovedPritele += QString::fromUtf16(reply.after);

  texts.TelVypis = texts.TelOtazka + kCrLf + texts.TelMoznosti + kCrLf + QString(10, QLatin1Char(' ')) + kCrLf +
                   texts.OdpovedPritele;
}

}  // namespace kvz::lifelines
