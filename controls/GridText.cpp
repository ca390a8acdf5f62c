// The grid text of TStringAlignGrid: one line per row, every cell followed by the
// separator, lines ended by CR LF; its files ("*.MTR", Windows-1252) and the clipboard.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <algorithm>

#include "controls/Aligrid.h"
#include "platform/Cp1252.h"

namespace qx {

namespace {

constexpr int kUnlimited = 2147483647;

// Lines as the toolkit's string lists split them: CR LF, LF or CR end a line; a last
// line without an end counts, an end at the very end adds no empty line.
std::vector<QStringView> SplitLines(QStringView text) {
  std::vector<QStringView> lines;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n) {
    const qsizetype start = i;
    while (i < n && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n')) ++i;
    lines.push_back(text.mid(start, i - start));
    if (i < n && text[i] == QLatin1Char('\r')) ++i;
    if (i < n && text[i] == QLatin1Char('\n')) ++i;
  }
  return lines;
}

// The cells of a line: the line with one more separator, cut before each separator while
// more than one character is left; so a last separator adds no cell.
std::vector<QStringView> SplitCells(QStringView line, QChar separator, int most) {
  std::vector<QStringView> cells;
  qsizetype start = 0;
  const qsizetype end = line.size() + 1;  // the separator put after the line
  while (int(cells.size()) < most && end - start > 1) {
    qsizetype sep = line.indexOf(separator, start);
    if (sep < 0) sep = line.size();
    cells.push_back(line.mid(start, sep - start));
    start = sep + 1;
  }
  return cells;
}

}  // namespace

QString TStringAlignGrid::WriteCellsText(QChar separator, TGridRect range) const {
  if (range.Right < range.Left || range.Right < 0 || range.Right >= ColCount()) range.Right = ColCount() - 1;
  if (range.Left < 0) range.Left = 0;
  if (range.Bottom < range.Top || range.Bottom < 0 || range.Bottom >= RowCount()) range.Bottom = RowCount() - 1;
  if (range.Top < 0) range.Top = 0;
  QString text;
  for (int r = range.Top; r <= range.Bottom; ++r) {
    for (int c = range.Left; c <= range.Right; ++c) {
      text += Cells(c, r);
      text += separator;
    }
    text += QLatin1String("\r\n");
  }
  return text;
}

void TStringAlignGrid::ReadCellsText(const QString& text, QChar separator, TGridRect range) {
  if (range.Left < 0) range.Left = 0;
  if (range.Top < 0) range.Top = 0;
  if (range.Right < range.Left) range.Right = kUnlimited;
  if (range.Bottom < range.Top) range.Bottom = kUnlimited;
  if (text.contains(QChar(0))) throw EGridTextError("Il testo contiene caratteri che una griglia non può avere");
  // The size the text needs, before anything changes: it may not grow the grid past the
  // limits (a grid already bigger keeps its size).
  const std::vector<QStringView> lines = SplitLines(text);
  const long maxRows = std::max(RowCount(), kMaxTextRows), maxCols = std::max(ColCount(), kMaxTextCols);
  long needRows = 0, needCols = 0;
  const long most = std::min(long(range.Right) - range.Left + 1, maxCols + 1);
  for (std::size_t i = 0; i < lines.size() && long(range.Top) + long(i) <= range.Bottom; ++i) {
    needRows = long(range.Top) + long(i) + 1;
    const auto cells = SplitCells(lines[i], separator, int(most));
    needCols = std::max(needCols, long(range.Left) + long(cells.size()));
    if (needRows > maxRows || needCols > maxCols) break;
  }
  if (needRows > maxRows || needCols > maxCols)
    throw EGridTextError(QStringLiteral("Il testo non entra in una griglia: al massimo %1 righe e %2 colonne")
                             .arg(kMaxTextRows)
                             .arg(kMaxTextCols)
                             .toStdString());
  if (needRows > RowCount()) SetRowCount(int(needRows));
  if (needCols > ColCount()) SetColCount(int(needCols));
  ReadCellsTextChecked(text, separator, range);
}

void TStringAlignGrid::ReadCellsTextChecked(const QString& text, QChar separator, TGridRect range) {
  const std::vector<QStringView> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size() && long(range.Top) + long(i) <= range.Bottom; ++i) {
    const int row = range.Top + int(i);
    if (row >= RowCount()) SetRowCount(row + 1);
    const long most = long(range.Right) - range.Left + 1;
    const auto cells = SplitCells(lines[i], separator, int(std::min<long>(most, ColCount())));
    for (std::size_t k = 0; k < cells.size(); ++k) {
      const int col = range.Left + int(k);
      if (col >= ColCount()) SetColCount(ColCount() + 1);
      if (protectReadOnlyCells_ && !CellEditable(col, row)) continue;
      SetCells(col, row, cells[k].toString());
    }
  }
}

QString TStringAlignGrid::SaveToFile(const QString& fileName) const {
  std::string lost;
  const std::string bytes = Utf8ToCp1252(WriteCellsText(QLatin1Char('\t'), {0, 0, -1, -1}).toStdString(), &lost);
  // Written beside the old file and put in its place only when whole.
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) ||
      !file.commit())
    throw std::runtime_error(
        QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()).toStdString());
  return QString::fromStdString(lost);
}

void TStringAlignGrid::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error(
        QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()).toStdString());
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw std::runtime_error(
        QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()).toStdString());
  const std::string utf8 = Cp1252ToUtf8(std::string_view(bytes.constData(), std::size_t(bytes.size())));
  ReadCellsText(QString::fromStdString(utf8), QLatin1Char('\t'), {0, 0, -1, -1});
}

void TStringAlignGrid::CopyRangeToClipboard(QChar separator, TGridRect range) const {
  QGuiApplication::clipboard()->setText(WriteCellsText(separator, range));
}

void TStringAlignGrid::PasteRangeFromClipboard(QChar separator, TGridRect range) {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return;
  ReadCellsText(text, separator, range);
}

void TStringAlignGrid::CopyToClipboard() const { CopyRangeToClipboard(QLatin1Char('\t'), {0, 0, -1, -1}); }

void TStringAlignGrid::ClipboardCopy() const { CopyRangeToClipboard(QLatin1Char('\t'), Selection()); }

void TStringAlignGrid::ClipboardCut() {
  const TGridRect sel = Selection();
  CopyRangeToClipboard(QLatin1Char('\t'), sel);
  for (int r = sel.Top; r <= sel.Bottom; ++r)
    for (int c = sel.Left; c <= sel.Right; ++c)
      if (!protectReadOnlyCells_ || CellEditable(c, r)) SetCells(c, r, QString());
}

void TStringAlignGrid::ClipboardPaste() { PasteRangeFromClipboard(QLatin1Char('\t'), Selection()); }

}  // namespace qx
