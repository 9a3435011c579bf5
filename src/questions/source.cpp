#include "questions/source.h"

#include "questions/bank.h"
#include "questions/csv.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <array>
#include <algorithm>
#include <limits>
#include <map>
#include <optional>

namespace kvz {
namespace {

enum class Key { Zadani, A, B, C, D, Spravna, Divaci, Autor, Korekce, Hodnota, ID };
constexpr std::size_t kKeyCount = 11;

struct KeyInfo {
  const char* name;
  bool required;
  const char* field;  // the record field it fills
};

constexpr std::array<KeyInfo, kKeyCount> kKeys{{
    {"Zadani", true, "Zadani"},
    {"A", true, "OdpA"},
    {"B", true, "OdpB"},
    {"C", true, "OdpC"},
    {"D", true, "OdpD"},
    {"Spravna", true, "Spravna"},
    {"Divaci", true, "DivaciA"},
    {"Autor", false, "Autor"},
    {"Korekce", false, "Korekce"},
    {"Hodnota", false, "Hodnota"},
    {"ID", false, "ID"},
}};

std::optional<Key> keyNamed(const QString& name) {
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (name == QLatin1String(kKeys[i].name)) return static_cast<Key>(i);
  return std::nullopt;
}

QString keyList() {
  QStringList names;
  for (const KeyInfo& k : kKeys) names << QString::fromLatin1(k.name);
  return names.join(QStringLiteral(", "));
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QString trimBlanks(const QString& text) {
  qsizetype start = 0, end = text.size();
  while (start < end && isBlank(text[start])) ++start;
  while (end > start && isBlank(text[end - 1])) --end;
  return text.mid(start, end - start);
}

// A value as written: plain, or in double quotes with \" and \\ inside.
std::optional<QString> unquote(const QString& raw, QString& error) {
  if (!raw.startsWith(u'"')) return raw;
  QString text;
  for (qsizetype i = 1; i < raw.size(); ++i) {
    const QChar c = raw[i];
    if (c == u'"') {
      if (i + 1 != raw.size()) {
        error = QString::fromLatin1(csv::kTextAfterQuote);
        return std::nullopt;
      }
      return text;
    }
    if (c == u'\\') {
      if (i + 1 == raw.size() || (raw[i + 1] != u'"' && raw[i + 1] != u'\\')) {
        error = QStringLiteral("inside quotes only \\\" and \\\\ may follow a backslash");
        return std::nullopt;
      }
      ++i;
    }
    text += raw[i];
  }
  error = QString::fromLatin1(csv::kNoClosingQuote);
  return std::nullopt;
}

struct Value {
  QString text;
  int line = 0;
  bool given = false;
};

// The lines of one "[NN-nnn]" block while it is read.
struct Block {
  SourceQuestion question;
  std::array<Value, kKeyCount> values;
  bool faulty = false;
};

class Parser {
public:
  explicit Parser(const QString& fileName) : file_(fileName) {}

  SourceFile run(const QByteArray& content) {
    QByteArray text = content;
    if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) readLine(static_cast<int>(i + 1), lines[i]);
    finish();
    return std::move(result_);
  }

private:
  void error(int line, const QString& message) {
    result_.diagnostics.push_back({file_, line, Diagnostic::Severity::Error, message});
    if (block_) block_->faulty = true;
  }

  void readLine(int number, QByteArray bytes) {
    if (bytes.endsWith('\r')) bytes.chop(1);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString line = utf8.decode(bytes);
    if (utf8.hasError()) return error(number, QStringLiteral("the line is not UTF-8 text"));
    const QString trimmed = trimBlanks(line);
    if (trimmed.isEmpty() || trimmed.startsWith(u'#')) return;
    if (trimmed.startsWith(u'[')) return startQuestion(number, trimmed);
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0) return error(number, QStringLiteral("expected 'Key: value' or '[NN-nnn]'"));
    const QString name = trimBlanks(line.left(colon));
    if (!block_) return error(number, QStringLiteral("'%1' comes before the first [NN-nnn]").arg(name));
    const std::optional<Key> key = keyNamed(name);
    if (!key) return error(number, QStringLiteral("unknown key '%1' (keys: %2)").arg(name, keyList()));
    Value& value = block_->values[static_cast<std::size_t>(*key)];
    if (value.given) return error(number, QStringLiteral("%1 is given twice (first on line %2)").arg(name).arg(value.line));
    QString problem;
    const std::optional<QString> text = unquote(trimBlanks(line.mid(colon + 1)), problem);
    if (!text) return error(number, problem);
    value = {*text, number, true};
  }

  void startQuestion(int number, const QString& header) {
    finish();
    block_.emplace();
    block_->question.line = number;
    const auto name = header.endsWith(u']') ? questionName(header.mid(1, header.size() - 2)) : std::nullopt;
    if (!name)
      return error(number, QStringLiteral("'%1' is no question name: %2").arg(header, questionNameRule()));
    block_->question = newQuestion(name->first, name->second, number);
    if (const auto seen = names_.find(block_->question.fileName); seen != names_.end())
      return error(number, QStringLiteral("%1 is already defined on line %2").arg(header).arg(seen->second));
    names_.emplace(block_->question.fileName, number);
  }

  void finish() {
    if (!block_) return;
    Block& b = *block_;
    for (std::size_t i = 0; i < kKeys.size(); ++i)
      if (kKeys[i].required && !b.values[i].given)
        error(b.question.line, QStringLiteral("%1 is missing").arg(QString::fromLatin1(kKeys[i].name)));
    if (!b.faulty) fill(b);
    if (!b.faulty) result_.questions.push_back(std::move(b.question));
    block_.reset();
  }

  const Value& value(Key key) const { return block_->values[static_cast<std::size_t>(key)]; }

  void fill(Block& b) {
    ZaznamOtazky& r = b.question.record;
    r.Zadani = value(Key::Zadani).text;
    r.OdpA = value(Key::A).text;
    r.OdpB = value(Key::B).text;
    r.OdpC = value(Key::C).text;
    r.OdpD = value(Key::D).text;
    r.Spravna = value(Key::Spravna).text;
    if (value(Key::Autor).given) r.Autor = value(Key::Autor).text;
    if (value(Key::ID).given) r.ID = value(Key::ID).text;
    fillShares(r);
    if (const Value& k = value(Key::Korekce); k.given) {
      if (const auto n = korekceNumber(k.text)) r.Korekce = *n;
      else error(k.line, notAKorekce(k.text));
    }
    if (const Value& h = value(Key::Hodnota); h.given) {
      if (const auto n = wholeNumber(h.text)) r.Hodnota = *n;
      else error(h.line, QStringLiteral("Hodnota: ") + notAWholeNumber(h.text));
    }
    const std::optional<RecordError> problem = seal(b.question);
    for (std::size_t i = 0; problem && i < kKeys.size(); ++i)
      if (problem->field == QLatin1String(kKeys[i].field))
        error(b.values[i].line ? b.values[i].line : b.question.line,
              QStringLiteral("%1 %2").arg(QString::fromLatin1(kKeys[i].name), problem->reason));
  }

  void fillShares(ZaznamOtazky& r) {
    const Value& d = value(Key::Divaci);
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QStringList parts = d.text.split(blanks, Qt::SkipEmptyParts);
    std::array<std::int16_t, 4> shares{};
    bool good = parts.size() == 4;
    for (qsizetype i = 0; good && i < 4; ++i) {
      const auto n = wholeNumber(parts[i]);
      good = n.has_value();
      if (n) shares[static_cast<std::size_t>(i)] = *n;
    }
    if (!good)
      return error(d.line, QStringLiteral("Divaci needs four whole numbers from -32768 to 32767 "
                                          "(the shares of A, B, C, D), not '%1'").arg(d.text));
    r.DivaciA = shares[0];
    r.DivaciB = shares[1];
    r.DivaciC = shares[2];
    r.DivaciD = shares[3];
  }

  QString file_;
  SourceFile result_;
  std::optional<Block> block_;
  std::map<QString, int> names_;
};

QString sourceValue(QString text) {
  while (text.endsWith(u' ')) text.chop(1);  // the padding of the field
  if (text.isEmpty() || (!isBlank(text.front()) && text.front() != u'"')) return text;
  text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
  return u'"' + text + u'"';
}

}  // namespace

QString Diagnostic::text() const {
  QString where = file;
  if (line > 0) where += QStringLiteral(":%1").arg(line);
  return QStringLiteral("%1: %2%3").arg(where, isError() ? QString() : QStringLiteral("warning: "), message);
}

bool SourceFile::hasErrors() const {
  return std::any_of(diagnostics.begin(), diagnostics.end(), [](const Diagnostic& d) { return d.isError(); });
}

SourceFile parseSource(const QString& fileName, const QByteArray& content) {
  return Parser(fileName).run(content);
}

QString toSource(const QString& header, const ZaznamOtazky& r) {
  QStringList lines{
      QStringLiteral("[%1]").arg(header),
      QStringLiteral("Zadani: ") + sourceValue(r.Zadani),
      QStringLiteral("A: ") + sourceValue(r.OdpA),
      QStringLiteral("B: ") + sourceValue(r.OdpB),
      QStringLiteral("C: ") + sourceValue(r.OdpC),
      QStringLiteral("D: ") + sourceValue(r.OdpD),
      QStringLiteral("Spravna: ") + sourceValue(r.Spravna),
      QStringLiteral("Divaci: %1 %2 %3 %4").arg(r.DivaciA).arg(r.DivaciB).arg(r.DivaciC).arg(r.DivaciD),
      QStringLiteral("Autor: ") + sourceValue(r.Autor),
      QStringLiteral("Korekce: ") + korekceText(r.Korekce),
      QStringLiteral("Hodnota: %1").arg(r.Hodnota),
      QStringLiteral("ID: ") + sourceValue(r.ID),
  };
  return lines.join(u'\n') + u'\n';
}

std::optional<std::pair<int, int>> questionName(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^([0-9]{2})-([0-9]{3})$"));
  const QRegularExpressionMatch match = pattern.match(name);
  const int step = match.hasMatch() ? match.captured(1).toInt() : 0;
  const int number = match.hasMatch() ? match.captured(2).toInt() : 0;
  if (step < 1 || step > kLadderSteps || number < 1 || number > kFilesPerStep) return std::nullopt;
  return std::pair{step, number};
}

QString questionNameRule() {
  return QStringLiteral("NN-nnn with the step 01 to %1 and the number 001 to %2")
      .arg(kLadderSteps)
      .arg(kFilesPerStep, 3, 10, QLatin1Char('0'));
}

SourceQuestion newQuestion(int step, int number, int line) {
  SourceQuestion q;
  q.step = step;
  q.number = number;
  q.fileName = QString::fromStdString(questionFileName(step, number));
  q.line = line;
  q.record.Korekce = -1;
  q.record.Hodnota = static_cast<std::int16_t>(step);
  q.record.ID = QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
  return q;
}

std::optional<std::int16_t> wholeNumber(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]{1,6}$"));
  if (!pattern.match(text).hasMatch()) return std::nullopt;
  const int value = text.toInt();
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<std::int16_t>(value);
}

std::optional<std::int16_t> korekceNumber(const QString& text) {
  if (text.compare(QLatin1String("ano"), Qt::CaseInsensitive) == 0) return -1;
  if (text.compare(QLatin1String("ne"), Qt::CaseInsensitive) == 0) return 0;
  return wholeNumber(text);
}

QString korekceText(std::int16_t korekce) {
  if (korekce == -1) return QStringLiteral("ano");
  if (korekce == 0) return QStringLiteral("ne");
  return QString::number(korekce);
}

QString notAWholeNumber(const QString& text) {
  return QStringLiteral("'%1' is not a whole number from -32768 to 32767").arg(text);
}

QString notAKorekce(const QString& text) {
  return QStringLiteral("Korekce is 'ano', 'ne' or a whole number, not '%1'").arg(text);
}

bool isOptionalField(const QString& field) {
  return std::any_of(kKeys.begin(), kKeys.end(),
                     [&](const KeyInfo& k) { return !k.required && field == QLatin1String(k.field); });
}

std::optional<RecordError> seal(SourceQuestion& question) {
  RecordError problem;
  const auto bytes = encodeRecord(question.record, &problem);
  if (!bytes) return problem;
  question.bytes = *bytes;
  question.record = *decodeRecord(*bytes);  // as the game will read it: texts at full width
  return std::nullopt;
}

}  // namespace kvz
