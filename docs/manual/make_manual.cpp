// Turns the manual's HTML into documentation.pdf at build time, with Qt's own text layout and PDF
// writer (Qt Gui only, run on the offscreen platform):
//
//   kalvero_manual_maker MANUAL.html OUTPUT.pdf [DEPFILE]
//
// A4 pages in Liberation Serif, a footer with the title and the page number, and a table of
// contents with page numbers where the HTML holds a paragraph "[contents]" (below). The tool
// breaks the pages itself, because Qt's own page breaking splits table rows and lets a heading end
// a page: every chapter (`<h1>`, "page-break-before: always") starts a page, a page breaks only
// between table rows, between paragraphs or between lines of a paragraph (two lines at least on
// either side), never right after a heading or a picture (a figure stays with its caption).
// Screenshots are stored losslessly, so their small text stays crisp at any zoom. The PDF depends
// only on its inputs: the creation date Qt writes is replaced by SOURCE_DATE_EPOCH, or else by the
// newest modification time of the HTML and its pictures. DEPFILE, when given, names those pictures
// for the build, so that it remakes the PDF when one of them changes.

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHashFunctions>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalvero {
namespace {

// Page geometry in millimetres. The text is 174 mm wide: a screenshot of 643 pixels shown at
// 96 pixels to the inch (what a viewer shows at 100 %) is 170 mm wide and fits unscaled.
constexpr qreal kMarginSide = 18;
constexpr qreal kMarginTop = 17;
constexpr qreal kMarginBottom = 12;
constexpr qreal kFooterHeight = 9;  // the strip at the bottom of the printed area that holds the footer

constexpr const char* kBodyFont = "Liberation Serif";
constexpr qreal kBodyPoints = 10.5;
constexpr const char* kFooterFont = "Liberation Sans";
constexpr qreal kFooterPoints = 8.5;
constexpr const char* kCodeFont = "Liberation Mono";  // named by manual.html for code and pre

// Taller than any manual: about 8,000 inches at the writer's 1,200 pixels to the inch.
constexpr qreal kEndlessPage = 1e7;

// Lengths in the HTML are pixels at 96 to the inch, as in Qt's text layout.
constexpr qreal kCssPixelsPerInch = 96;

class EManualError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Text(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString ReadUtf8(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw EManualError("cannot read " + Text(path) + ": " + Text(file.errorString()));
  return QString::fromUtf8(file.readAll());
}

// The manual is set in the fonts of fonts-liberation; a silent fallback would change its look.
void RequireFonts() {
  const QStringList families = QFontDatabase::families();
  for (const char* family : {kBodyFont, kFooterFont, kCodeFont})
    if (!families.contains(QString::fromLatin1(family)))
      throw EManualError(std::string("the font ") + family + " is missing (Debian package fonts-liberation)");
}

// The text area of a page, in the writer's device pixels.
struct TPageGeometry {
  qreal width = 0;
  qreal bodyHeight = 0;    // the text of one page
  qreal footerHeight = 0;  // below the text
  qreal cssPixel = 1;      // one pixel of the HTML
};

qreal Pixels(qreal millimetres, int resolution) { return millimetres / 25.4 * resolution; }

TPageGeometry SetUpWriter(QPdfWriter& writer) {
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kMarginSide, kMarginTop, kMarginSide, kMarginBottom),
                                   QPageLayout::Millimeter));
  writer.setCreator(QStringLiteral("Kalvero manual maker"));
  const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
  TPageGeometry geometry;
  geometry.width = area.width();
  geometry.footerHeight = Pixels(kFooterHeight, writer.resolution());
  geometry.bodyHeight = area.height() - geometry.footerHeight;
  geometry.cssPixel = writer.resolution() / kCssPixelsPerInch;
  return geometry;
}

// Every picture the HTML names must load; answers their files for the depfile.
QStringList LoadPictures(QTextDocument& document) {
  QStringList files;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      const QTextCharFormat format = fragment.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QUrl name(format.toImageFormat().name());
      const QString file = document.baseUrl().resolved(name).toLocalFile();
      if (document.resource(QTextDocument::ImageResource, name).isNull())
        throw EManualError("the picture " + Text(file) + " cannot be loaded");
      if (!files.contains(file)) files.append(file);
    }
  }
  return files;
}

// Qt may break a line after a hyphen or a slash, which would split an option such as
// --no-date-folders or a path over two lines. A word joiner (U+2060) after each of them, in text
// set in the fixed-pitch font of code, keeps such words whole; it has no glyph, so it is not part
// of the text that a reader copies from the PDF.
void KeepCodeWordsWhole(QTextDocument& document) {
  struct TRange {
    int position;
    int length;
    QTextCharFormat format;
    QString text;
  };
  std::vector<TRange> code;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!QFontInfo(fragment.charFormat().font()).fixedPitch()) continue;
      static const QRegularExpression kBreakAfter(QStringLiteral("([-/])(?=\\S)"));
      QString text = fragment.text();
      text.replace(kBreakAfter, QStringLiteral("\\1\u2060"));
      if (text != fragment.text()) code.push_back({fragment.position(), fragment.length(), fragment.charFormat(), text});
    }
  }
  for (auto range = code.rbegin(); range != code.rend(); ++range) {
    QTextCursor cursor(&document);
    cursor.setPosition(range->position);
    cursor.setPosition(range->position + range->length, QTextCursor::KeepAnchor);
    cursor.insertText(range->text, range->format);
  }
}

// After edits the layout can leave blocks it did not lay out again without lines, and it works
// lazily: everything is marked for layout, and asking for the last block's place lays it all out.
void LayOutAll(QTextDocument& document) {
  document.markContentsDirty(0, document.characterCount());
  document.documentLayout()->blockBoundingRect(document.lastBlock());
}

// The cells of a table row start on one baseline, whatever their fonts (code is set smaller than
// text): a cell whose first line rises less than the row's highest gets that much more padding.
void AlignFirstBaselines(QTextDocument& document, qreal cssPixel) {
  LayOutAll(document);
  for (QTextFrame* frame : document.rootFrame()->childFrames()) {
    auto* table = qobject_cast<QTextTable*>(frame);
    if (table == nullptr) continue;
    for (int row = 0; row < table->rows(); ++row) {
      std::vector<qreal> ascents;
      for (int column = 0; column < table->columns(); ++column) {
        const QTextLayout* layout = table->cellAt(row, column).firstCursorPosition().block().layout();
        ascents.push_back(layout->lineCount() > 0 ? layout->lineAt(0).ascent() : 0);
      }
      const qreal highest = *std::max_element(ascents.begin(), ascents.end());
      for (int column = 0; column < table->columns(); ++column) {
        if (ascents[column] == 0 || highest - ascents[column] < cssPixel / 4) continue;
        QTextTableCell cell = table->cellAt(row, column);
        QTextTableCellFormat format = cell.format().toTableCellFormat();
        const qreal padding = format.hasProperty(QTextFormat::TableCellTopPadding) ? format.topPadding()
                                                                                   : table->format().cellPadding();
        format.setTopPadding(padding + (highest - ascents[column]) / cssPixel);
        cell.setFormat(format);
      }
    }
  }
}

// ---- Page breaks ----------------------------------------------------------------------------

// A place where a page may end: the next page starts at `y`. A forced break starts a chapter.
// `bleed` lets the page above draw a little below `y`, so that a table's row line shows on both.
struct TBreak {
  qreal y = 0;
  bool forced = false;
  qreal bleed = 0;
};

// Qt would move a block that starts a page to a page of its own height; the layout has one endless
// page, so the request is kept in a property of the block and carried out by the page breaking.
constexpr int kStartsPage = QTextFormat::UserProperty + 1;

void TakeOverPageBreaks(QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QTextBlockFormat format = block.blockFormat();
    if ((format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) == 0) continue;
    format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
    format.setProperty(kStartsPage, true);
    QTextCursor(block).setBlockFormat(format);
  }
}

bool IsHeading(const QTextBlock& block) { return block.blockFormat().headingLevel() > 0; }

// A paragraph that holds nothing but a picture: its caption follows it.
bool IsFigure(const QTextBlock& block) {
  return block.length() == 2 && block.begin().fragment().charFormat().isImageFormat();
}

// A paragraph that ends in a colon introduces what follows it.
bool Introduces(const QTextBlock& block) { return block.text().trimmed().endsWith(QLatin1Char(':')); }

bool KeepsWithNext(const QTextBlock& block) {
  return block.isValid() && (IsHeading(block) || IsFigure(block) || Introduces(block));
}

qreal LineTop(const QAbstractTextDocumentLayout& layout, const QTextBlock& block, int line) {
  return layout.blockBoundingRect(block).top() + block.layout()->lineAt(line).y();
}

void AddBlockBreaks(const QAbstractTextDocumentLayout& layout, const QTextBlock& block, const QTextBlock& previous,
                    std::vector<TBreak>& breaks) {
  const int lines = block.layout()->lineCount();
  if (lines == 0) return;
  const bool forced = block.blockFormat().boolProperty(kStartsPage);
  if (forced || !KeepsWithNext(previous)) breaks.push_back({LineTop(layout, block, 0), forced, 0});
  for (int line = 2; line + 2 <= lines; ++line) breaks.push_back({LineTop(layout, block, line), false, 0});
}

// A row's top: above the text of its cells by their padding and the line between the rows.
qreal RowTop(const QAbstractTextDocumentLayout& layout, const QTextTable& table, int row, qreal cssPixel) {
  qreal top = std::numeric_limits<qreal>::max();
  for (int column = 0; column < table.columns(); ++column) {
    const QTextBlock block = table.cellAt(row, column).firstCursorPosition().block();
    if (block.layout()->lineCount() > 0) top = std::min(top, LineTop(layout, block, 0));
  }
  return top - (table.format().cellPadding() + table.format().border()) * cssPixel;
}

// Before the table, and between its rows; never between the heading row and the first row, nor
// before the last row, which would stand alone.
void AddTableBreaks(const QAbstractTextDocumentLayout& layout, QTextTable& table, const QTextBlock& previous,
                    qreal cssPixel, std::vector<TBreak>& breaks) {
  const qreal line = (table.format().border() + 0.5) * cssPixel;
  if (!KeepsWithNext(previous)) breaks.push_back({layout.frameBoundingRect(&table).top(), false, 0});
  for (int row = 2; row + 1 < table.rows(); ++row) breaks.push_back({RowTop(layout, table, row, cssPixel), false, line});
}

std::vector<TBreak> Breaks(const QTextDocument& document, qreal cssPixel) {
  const QAbstractTextDocumentLayout& layout = *document.documentLayout();
  std::vector<TBreak> breaks;
  QTextBlock previous;
  for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
    if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
      AddTableBreaks(layout, *table, previous, cssPixel, breaks);
      previous = QTextBlock();
    } else if (it.currentBlock().isValid() && it.currentBlock().length() > 1) {
      // Empty blocks (Qt puts them around tables) neither break nor separate a heading from its table.
      AddBlockBreaks(layout, it.currentBlock(), previous, breaks);
      previous = it.currentBlock();
    }
  }
  std::sort(breaks.begin(), breaks.end(), [](const TBreak& a, const TBreak& b) { return a.y < b.y; });
  return breaks;
}

// The pages: each takes as much as fits up to its last break, and ends early at a forced one.
struct TPage {
  qreal top = 0;
  qreal bottom = 0;
  qreal bleed = 0;
};

std::vector<TPage> Paginate(QTextDocument& document, const TPageGeometry& geometry) {
  LayOutAll(document);
  const std::vector<TBreak> breaks = Breaks(document, geometry.cssPixel);
  const qreal end = document.documentLayout()->documentSize().height();
  if (end >= kEndlessPage) throw EManualError("the manual is too long for its endless page");
  std::vector<TPage> pages;
  qreal top = 0;
  while (true) {
    const qreal limit = top + geometry.bodyHeight;
    TBreak next{std::min(limit, end), false, 0};
    for (const TBreak& candidate : breaks) {
      if (candidate.y <= top + 1 || candidate.y > limit) continue;
      next = candidate;
      if (candidate.forced) break;
    }
    if (limit >= end && !next.forced) next = {end, false, 0};
    pages.push_back({top, next.y, next.bleed});
    if (next.y >= end) return pages;
    top = next.y;
  }
}

int PageOf(const std::vector<TPage>& pages, qreal y) {
  int page = 0;
  while (page + 1 < static_cast<int>(pages.size()) && pages[page + 1].top <= y + 1) ++page;
  return page + 1;
}

// ---- Table of contents ----------------------------------------------------------------------

// The chapters: headings of level 1 after the table of contents, in columns; a chapter whose number
// does not follow the one before (the German half starts again at 1) begins a new column.
struct TChapter {
  QTextBlock heading;
  int page = 0;
};
using TColumn = QList<TChapter>;

int LeadingNumber(const QString& text) {
  const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^(\\d+)\\s")).match(text);
  return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QList<TColumn> Chapters(const QTextDocument& document, int afterPosition) {
  QList<TColumn> columns;
  int previous = 0;
  for (QTextBlock block = document.findBlock(afterPosition); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() != 1) continue;
    const int number = LeadingNumber(block.text());
    if (columns.isEmpty() || number <= previous) columns.append(TColumn());
    columns.last().append({block, 0});
    previous = number;
  }
  return columns;
}

// A table with a title and a page column per column of chapters, and a gap between those pairs;
// the page numbers are filled in once the pages are known.
constexpr int kColumnsPerGroup = 3;
constexpr qreal kPagePercent = 5;
constexpr qreal kGapPercent = 6;

QTextTableFormat ContentsTableFormat(qsizetype groups) {
  QTextTableFormat format;
  format.setBorder(0);
  format.setCellPadding(2);
  format.setCellSpacing(0);
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  const qreal gaps = kGapPercent * static_cast<qreal>(groups - 1);
  const qreal title = (100 - gaps) / static_cast<qreal>(groups) - kPagePercent;
  QList<QTextLength> widths;
  for (qsizetype i = 0; i < groups; ++i) {
    widths << QTextLength(QTextLength::PercentageLength, title)
           << QTextLength(QTextLength::PercentageLength, kPagePercent)
           << QTextLength(QTextLength::PercentageLength, i + 1 < groups ? kGapPercent : 0);
  }
  format.setColumnWidthConstraints(widths);
  return format;
}

QTextTable* InsertContentsTable(QTextCursor& cursor, const QList<TColumn>& columns, const QStringList& labels) {
  qsizetype rows = 0;
  for (const TColumn& column : columns) rows = std::max(rows, column.size());
  const int first = labels.isEmpty() ? 0 : 1;
  QTextTable* table = cursor.insertTable(static_cast<int>(rows) + first,
                                         static_cast<int>(kColumnsPerGroup * columns.size()),
                                         ContentsTableFormat(columns.size()));
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  for (qsizetype c = 0; c < std::min(labels.size(), columns.size()); ++c)
    table->cellAt(0, static_cast<int>(kColumnsPerGroup * c)).firstCursorPosition().insertText(labels[c].trimmed(), bold);
  QTextBlockFormat right;
  right.setAlignment(Qt::AlignRight);
  for (qsizetype c = 0; c < columns.size(); ++c) {
    for (qsizetype r = 0; r < columns[c].size(); ++r) {
      const int row = static_cast<int>(r) + first;
      const int column = static_cast<int>(kColumnsPerGroup * c);
      table->cellAt(row, column).firstCursorPosition().insertText(columns[c][r].heading.text().trimmed());
      QTextCursor page = table->cellAt(row, column + 1).firstCursorPosition();
      page.setBlockFormat(right);
      page.insertText(QStringLiteral("00"));
    }
  }
  return table;
}

void SetCellText(QTextTable& table, int row, int column, const QString& text) {
  QTextCursor cursor = table.cellAt(row, column).firstCursorPosition();
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  cursor.insertText(text);
}

// Writes the chapters' pages into the table; answers whether any number changed.
bool NumberContents(QTextTable& table, int firstRow, QList<TColumn>& columns, const QTextDocument& document,
                    const std::vector<TPage>& pages) {
  bool changed = false;
  for (qsizetype c = 0; c < columns.size(); ++c) {
    for (qsizetype r = 0; r < columns[c].size(); ++r) {
      TChapter& chapter = columns[c][r];
      const int page = PageOf(pages, document.documentLayout()->blockBoundingRect(chapter.heading).top());
      if (page == chapter.page) continue;
      chapter.page = page;
      SetCellText(table, static_cast<int>(r) + firstRow, static_cast<int>(kColumnsPerGroup * c + 1),
                  QString::number(page));
      changed = true;
    }
  }
  return changed;
}

struct TPlaceholder {
  QTextBlock block;
  QStringList labels;
};

// The paragraph that becomes the table of contents: "[contents]", or with a heading for each
// column of chapters, "[contents: English | Deutsch]".
TPlaceholder FindPlaceholder(const QTextDocument& document) {
  static const QRegularExpression kPlaceholder(QStringLiteral("^\\[contents(?::(.*))?\\]$"));
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QRegularExpressionMatch match = kPlaceholder.match(block.text().trimmed());
    if (!match.hasMatch()) continue;
    const QString labels = match.captured(1).trimmed();
    return {block, labels.isEmpty() ? QStringList() : labels.split(QLatin1Char('|'))};
  }
  return {};
}

// Lays out the pages, with the table of contents when the HTML asks for one. Numbers of other
// widths could move text to another page, so this repeats until the numbers stay as they are.
std::vector<TPage> LayOutPages(QTextDocument& document, const TPageGeometry& geometry) {
  const TPlaceholder placeholder = FindPlaceholder(document);
  if (!placeholder.block.isValid()) return Paginate(document, geometry);
  QList<TColumn> columns = Chapters(document, placeholder.block.position() + placeholder.block.length());
  QTextCursor cursor(placeholder.block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  QTextTable* table = InsertContentsTable(cursor, columns, placeholder.labels);
  const int firstRow = placeholder.labels.isEmpty() ? 0 : 1;
  for (int pass = 0; pass < 4; ++pass) {
    std::vector<TPage> pages = Paginate(document, geometry);
    if (!NumberContents(*table, firstRow, columns, document, pages)) return pages;
  }
  throw EManualError("the page numbers of the table of contents do not settle");
}

// ---- Painting and writing -------------------------------------------------------------------

void PaintFooter(QPainter& painter, const TPageGeometry& geometry, const QString& title, int page) {
  QFont font(QString::fromLatin1(kFooterFont));
  font.setPointSizeF(kFooterPoints);
  painter.setFont(font);
  painter.setPen(QColor(0x55, 0x55, 0x55));
  const QRectF strip(0, geometry.bodyHeight, geometry.width, geometry.footerHeight);
  painter.fillRect(QRectF(0, strip.top() + strip.height() * 0.35, geometry.width, geometry.cssPixel * 0.75),
                   QColor(0xAA, 0xAA, 0xAA));
  painter.drawText(strip, Qt::AlignLeft | Qt::AlignBottom, title);
  painter.drawText(strip, Qt::AlignRight | Qt::AlignBottom, QString::number(page));
}

// Lossless image rendering: without it QPdfWriter stores every picture as a JPEG of quality 94,
// which blurs the screenshots' 8-point captions; the screenshots' flat colours deflate well.
void PaintPages(const QTextDocument& document, const std::vector<TPage>& pages, QPdfWriter& writer,
                const TPageGeometry& geometry, const QString& title) {
  QPainter painter(&writer);
  painter.setRenderHint(QPainter::LosslessImageRendering);
  for (std::size_t index = 0; index < pages.size(); ++index) {
    if (index > 0) writer.newPage();
    const TPage& page = pages[index];
    // Half a pixel short of the next page's top, so that nothing of the next page shows here.
    const QRectF body(0, page.top, geometry.width, page.bottom - page.top + page.bleed - geometry.cssPixel / 2);
    painter.save();
    painter.translate(0, -page.top);
    painter.setClipRect(body);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = body;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
    if (index > 0) PaintFooter(painter, geometry, title, static_cast<int>(index) + 1);
  }
}

QDateTime SourceDate(const QStringList& inputs) {
  bool isNumber = false;
  const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&isNumber);
  if (isNumber) return QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC);
  QDateTime newest;
  for (const QString& input : inputs) newest = std::max(newest, QFileInfo(input).lastModified().toUTC());
  return newest;
}

// Qt writes the time of writing as /CreationDate; the same number of bytes in its place keeps the
// cross-reference offsets valid.
QByteArray WithCreationDate(QByteArray pdf, const QDateTime& date) {
  static const QRegularExpression kDate(QStringLiteral("/CreationDate \\(D:[^)]*\\)"));
  const QRegularExpressionMatch match = kDate.match(QString::fromLatin1(pdf));
  if (!match.hasMatch()) throw EManualError("the PDF has no creation date to set");
  const QByteArray fixed = ("/CreationDate (D:" + date.toString(QStringLiteral("yyyyMMddHHmmss")) + "Z)")
                               .toLatin1()
                               .leftJustified(match.capturedLength(), ' ');
  if (fixed.size() != match.capturedLength()) throw EManualError("the PDF's creation date has an unknown form");
  pdf.replace(match.capturedStart(), match.capturedLength(), fixed);
  return pdf;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw EManualError("cannot write " + Text(path) + ": " + Text(file.errorString()));
}

QString DepfileName(QString path) { return path.replace(QLatin1Char(' '), QLatin1String("\\ ")); }

void WriteDepfile(const QString& path, const QString& output, const QStringList& inputs) {
  QString text = DepfileName(output) + QLatin1Char(':');
  for (const QString& input : inputs) text += QLatin1String(" \\\n  ") + DepfileName(input);
  WriteFile(path, (text + QLatin1Char('\n')).toLocal8Bit());
}

void MakeManual(const QString& htmlPath, const QString& pdfPath, const QString& depfilePath) {
  RequireFonts();
  const QString html = ReadUtf8(htmlPath);
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  const TPageGeometry geometry = SetUpWriter(writer);

  QTextDocument document;
  document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(htmlPath).absoluteFilePath()));
  document.documentLayout()->setPaintDevice(&writer);
  QFont body(QString::fromLatin1(kBodyFont));
  body.setPointSizeF(kBodyPoints);
  document.setDefaultFont(body);
  document.setDocumentMargin(0);
  document.setHtml(html);
  TakeOverPageBreaks(document);
  // One endless page as wide as the text, from which the pages are cut. (A page of no height would
  // be simpler, but the layout then answers no positions.)
  document.setPageSize(QSizeF(geometry.width, kEndlessPage));
  const QString title = document.metaInformation(QTextDocument::DocumentTitle);
  writer.setTitle(title);

  QStringList inputs = LoadPictures(document);
  KeepCodeWordsWhole(document);
  AlignFirstBaselines(document, geometry.cssPixel);
  const std::vector<TPage> pages = LayOutPages(document, geometry);
  PaintPages(document, pages, writer, geometry, title);
  pdf.close();
  inputs.prepend(QFileInfo(htmlPath).absoluteFilePath());
  WriteFile(pdfPath, WithCreationDate(pdf.data(), SourceDate(inputs)));
  if (!depfilePath.isEmpty()) WriteDepfile(depfilePath, pdfPath, inputs);
  std::printf("%s: %zu pages\n", Text(pdfPath).c_str(), pages.size());
}

// Qt warns on the offscreen platform that XDG_RUNTIME_DIR is not set, which this tool never
// needs; every other message goes to standard error as usual.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace
}  // namespace kalvero

int main(int argc, char** argv) {
  // The writer keeps its fonts in a hash and writes them in its order: a fixed seed keeps the
  // bytes of the PDF the same from build to build.
  QHashSeed::setDeterministicGlobalSeed();
  qInstallMessageHandler(kalvero::FilterMessages);
  QGuiApplication application(argc, argv);
  const QStringList arguments = QGuiApplication::arguments();
  if (arguments.size() != 3 && arguments.size() != 4) {
    std::fprintf(stderr, "usage: kalvero_manual_maker MANUAL.html OUTPUT.pdf [DEPFILE]\n");
    return 2;
  }
  try {
    kalvero::MakeManual(arguments[1], arguments[2], arguments.value(3));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kalvero_manual_maker: %s\n", error.what());
    return 1;
  }
  return 0;
}
