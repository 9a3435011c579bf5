#include "questions/table.h"

#include <QStringDecoder>
#include <algorithm>
#include <map>
#include <optional>

#include "questions/csv.h"

namespace kvz {
namespace {

// A column of the table: the question's name, or a field of the record.
struct Column {
  QString name;
  const TextField* text = nullptr;
  const NumberField* number = nullptr;
  bool optional = false;
};

// The name first, then the record's fields in their order in the record.
const std::vector<Column>& columns() {
  static const std::vector<Column> list = [] {
    std::vector<std::pair<std::size_t, Column>> fields;
    for (const TextField& f : textFields()) fields.push_back({f.offset, {QString::fromLatin1(f.name), &f, nullptr}});
    for (const NumberField& f : numberFields()) fields.push_back({f.offset, {QString::fromLatin1(f.name), nullptr, &f}});
    std::sort(fields.begin(), fields.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Column> all{{QStringLiteral("Soubor")}};
    for (auto& [offset, column] : fields) {
      column.optional = isOptionalField(column.name);
      all.push_back(column);
    }
    return all;
  }();
  return list;
}

bool isKorekce(const Column& column) { return column.number && column.number->member == &ZaznamOtazky::Korekce; }

// The record pads its texts with blanks, so blanks at a text's end mean nothing.
QString withoutTrailingBlanks(QString text) {
  while (text.endsWith(u' ')) text.chop(1);
  return text;
}

class Reader {
public:
  explicit Reader(const QString& fileName) : file_(fileName) {}

  SourceFile run(const QByteArray& content) {
    const csv::Table table = csv::read(content, csv::detectSeparator(content));
    if (!table.error.isEmpty()) error(table.errorRow, table.error);
    else if (!table.rows.empty() && readHeader(table.rows.front()))
      for (auto row = table.rows.begin() + 1; row != table.rows.end(); ++row) readRow(*row);
    return std::move(result_);
  }

private:
  void error(int row, const QString& message) {
    result_.diagnostics.push_back({file_, row, Diagnostic::Severity::Error, message});
  }

  std::size_t indexOf(const Column* column) const { return static_cast<std::size_t>(column - columns().data()); }

  bool readHeader(const csv::Row& header) {
    const int errors = static_cast<int>(result_.diagnostics.size());
    for (const QByteArray& cell : header.cells) {
      const QString name = QString::fromUtf8(cell).trimmed();
      const auto found = std::find_if(columns().begin(), columns().end(), [&](const Column& c) {
        return c.name.compare(name, Qt::CaseInsensitive) == 0;
      });
      const Column* column = found == columns().end() ? nullptr : &*found;
      if (!name.isEmpty() && !column) {
        QStringList names;
        for (const Column& c : columns()) names << c.name;
        error(header.number, QStringLiteral("unknown column '%1' (columns: %2)").arg(name, names.join(QStringLiteral(", "))));
      } else if (column && std::count(at_.begin(), at_.end(), column) > 0) {
        error(header.number, QStringLiteral("the column %1 is there twice").arg(column->name));
      }
      at_.push_back(column);
    }
    for (const Column& c : columns())
      if (!c.optional && std::count(at_.begin(), at_.end(), &c) == 0)
        error(header.number, QStringLiteral("the column %1 is missing").arg(c.name));
    return static_cast<int>(result_.diagnostics.size()) == errors;
  }

  void readRow(const csv::Row& row) {
    if (std::all_of(row.cells.begin(), row.cells.end(), [](const QByteArray& c) { return c.isEmpty(); })) return;
    bool faulty = false;
    auto fault = [&](const QString& message) {
      error(row.number, message);
      faulty = true;
    };
    // The text of every column the header names; a row cut short has empty cells at its end.
    std::vector<std::optional<QString>> values(columns().size());
    for (const Column* column : at_)
      if (column) values[indexOf(column)] = QString();
    for (qsizetype i = 0; i < row.cells.size(); ++i) {
      const Column* column = static_cast<std::size_t>(i) < at_.size() ? at_[static_cast<std::size_t>(i)] : nullptr;
      if (!column) {
        if (!row.cells[i].isEmpty())
          fault(QStringLiteral("'%1' lies outside the named columns").arg(QString::fromUtf8(row.cells[i])));
        continue;
      }
      QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
      values[indexOf(column)] = utf8.decode(row.cells[i]);
      if (utf8.hasError()) fault(QStringLiteral("%1 is not UTF-8 text; save the table as CSV in UTF-8").arg(column->name));
    }
    if (faulty) return;

    const QString given = values[0]->trimmed();
    const QString name = given.endsWith(QLatin1String(".qst"), Qt::CaseInsensitive) ? given.chopped(4) : given;
    const auto numbers = questionName(name);
    if (!numbers)
      return fault(given.isEmpty() ? QStringLiteral("Soubor is empty; it names the question: %1").arg(questionNameRule())
                                   : QStringLiteral("Soubor '%1' is no question name: %2").arg(given, questionNameRule()));
    SourceQuestion q = newQuestion(numbers->first, numbers->second, row.number);
    if (const auto [seen, fresh] = rowOf_.emplace(q.fileName, row.number); !fresh)
      fault(QStringLiteral("%1 is already in row %2").arg(name).arg(seen->second));

    for (std::size_t i = 1; i < columns().size(); ++i) {
      const Column& column = columns()[i];
      if (!values[i]) continue;  // a column left out: the default
      if (column.text) {
        const QString text = withoutTrailingBlanks(*values[i]);
        if (text.contains(u'\n') || text.contains(u'\r'))
          fault(QStringLiteral("%1 has a line break; a question file holds every text on one line").arg(column.name));
        q.record.*column.text->member = text;
        continue;
      }
      const QString text = values[i]->trimmed();
      if (text.isEmpty() && column.optional) continue;
      const auto number = isKorekce(column) ? korekceNumber(text) : wholeNumber(text);
      if (number) q.record.*column.number->member = *number;
      else fault(isKorekce(column) ? notAKorekce(text) : QStringLiteral("%1: %2").arg(column.name, notAWholeNumber(text)));
    }
    if (const auto problem = seal(q)) fault(QStringLiteral("%1 %2").arg(problem->field, problem->reason));
    if (!faulty) result_.questions.push_back(std::move(q));
  }

  QString file_;
  SourceFile result_;
  std::vector<const Column*> at_;      // the column of each cell of a row; nullptr: none
  std::map<QString, int> rowOf_;       // question file name -> row
};

}  // namespace

SourceFile parseTable(const QString& fileName, const QByteArray& content) { return Reader(fileName).run(content); }

QByteArray toTable(const std::vector<TableEntry>& entries) {
  std::vector<QList<QByteArray>> rows;
  QList<QByteArray>& header = rows.emplace_back();
  for (const Column& column : columns()) header << column.name.toUtf8();
  for (const TableEntry& entry : entries) {
    QList<QByteArray>& cells = rows.emplace_back();
    cells << entry.name.toUtf8();
    for (auto column = columns().begin() + 1; column != columns().end(); ++column) {
      if (column->text) cells << withoutTrailingBlanks(entry.record.*column->text->member).toUtf8();
      else if (isKorekce(*column)) cells << korekceText(entry.record.Korekce).toUtf8();
      else cells << QByteArray::number(entry.record.*column->number->member);
    }
  }
  return csv::write(rows, ';');
}

}  // namespace kvz
