// Draws the program's pictures - the logo, the language flags, the status icons, the glyphs of the
// help and browse buttons and the Windows installer's pictures - and writes them in the format the output file's extension names:
//
//   kalvero_draw_artwork OUTPUT_FOLDER FILE...
//
//   NAME.png   the picture as PNG: the Linux build embeds these as Qt resources;
//   NAME.bmp   the picture as a 32-bit BI_RGB bitmap with straight alpha, for Windows' resources;
//   logo.ico   the logo at every size of the icon theme, each entry PNG-compressed.
//
// Each picture is drawn for its exact pixel size. Straight edges lie on whole pixels, and the
// outlined shapes of the small icons are stroked along pixel centres without antialiasing, so
// antialiasing only smooths curves and the small pictures stay crisp.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRect>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <numbers>
#include <string_view>
#include <utility>
#include <vector>

namespace {

const QColor kOutline(0x4a, 0x52, 0x5c);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperShade(0xdd, 0xe2, 0xe8);
const QColor kSkyTop(0x3f, 0x8f, 0xdb);
const QColor kSkyBottom(0xb8, 0xdf, 0xfa);
const QColor kSun(0xff, 0xc8, 0x1e);
const QColor kFarHill(0x86, 0xc6, 0x4e);
const QColor kNearHill(0x3a, 0x96, 0x38);
const QColor kCalendarRed(0xd8, 0x3b, 0x2d);
const QColor kDayCell(0xa3, 0xab, 0xb5);
const QColor kFolderEdge(0xa0, 0x72, 0x10);
const QColor kFolderBack(0xe8, 0xae, 0x2c);
const QColor kFolderFront(0xfc, 0xd5, 0x5f);

// Rectangle of whole pixels, given by its first and last column and row.
QRectF Cells(int left, int top, int right, int bottom) {
  return QRectF(left, top, right - left + 1, bottom - top + 1);
}

// Fills `box` with `edgeColour` and its inside, `edge` pixels in, with `fill`; answers the inside.
QRect FillFramed(QPainter& painter, const QRect& box, int edge, const QColor& edgeColour,
                 const QBrush& fill) {
  painter.fillRect(box, edgeColour);
  const QRect inside = box.adjusted(edge, edge, -edge, -edge);
  painter.fillRect(inside, fill);
  return inside;
}

// Fills a closed outline and strokes it with a 1-pixel line through the given pixel centres.
// Drawn without antialiasing: the sides are upright, level or at 45 degrees, which come out as
// clean lines of whole pixels, and the antialiased stroke would leave the corners pale.
void DrawShape(QPainter& painter, const QPolygonF& outline, const QBrush& fill,
               const QColor& edge) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(fill);
  painter.drawPolygon(outline);
  painter.restore();
}

QLinearGradient VerticalGradient(const QRectF& box, const QColor& top, const QColor& bottom) {
  QLinearGradient gradient(box.topLeft(), box.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return gradient;
}

// A small landscape filling `scene`: sky, sun and two green hills.
void DrawLandscape(QPainter& painter, const QRect& scene) {
  painter.save();
  painter.setClipRect(scene);
  const QRectF box(scene);
  painter.fillRect(box, VerticalGradient(box, kSkyTop, kSkyBottom));
  const double w = box.width();
  const double h = box.height();
  const auto at = [&box, w, h](double x, double y) {
    return QPointF(box.left() + x * w, box.top() + y * h);
  };
  const double sunRadius = 0.16 * std::min(w, h);
  painter.setBrush(kSun);
  painter.drawEllipse(at(0.48, 0.30), sunRadius, sunRadius);
  painter.setBrush(kFarHill);
  painter.drawEllipse(at(0.80, 1.20), 0.62 * w, 0.62 * h);
  painter.setBrush(kNearHill);
  painter.drawEllipse(at(0.15, 1.30), 0.72 * w, 0.78 * h);
  painter.restore();
}

// The logo is laid out on a 16 x 16 grid and scaled to each size, so every edge of the 16-pixel
// logo falls on a whole pixel and the larger ones keep its proportions.
struct TLogoGrid {
  int size;
  int Px(double units) const { return static_cast<int>(std::lround(units * size / 16.0)); }
  QRect Box(double left, double top, double right, double bottom) const {
    return QRect(QPoint(Px(left), Px(top)), QPoint(Px(right) - 1, Px(bottom) - 1));
  }
};

// A soft shadow below and to the right of `box`, for the sizes large enough to show one.
void DrawShadow(QPainter& painter, const QRect& box, int offset) {
  for (int spread = 0; spread < offset; ++spread) {
    painter.fillRect(box.translated(offset, offset).adjusted(-spread, -spread, spread, spread),
                     QColor(0, 0, 0, 28));
  }
}

// A photograph: outline, white border (none at the smallest sizes) and a landscape.
void DrawPhoto(QPainter& painter, const QRect& frame, int edge, int border) {
  const QRect paper = FillFramed(painter, frame, edge, kOutline, kPaper);
  DrawLandscape(painter, paper.adjusted(border, border, -border, -border));
}

// Day cells of a calendar page: square cells in columns and rows with gaps of a cell's size
// between and around them, centred in `body`; the last cell is marked as the day.
void DrawDayCells(QPainter& painter, const QRect& body, int columns, int rows) {
  const double pitch =
      std::min(body.width() / (2.0 * columns + 1), body.height() / (2.0 * rows + 1));
  const double left = body.left() + (body.width() - pitch * (2 * columns - 1)) / 2;
  const double top = body.top() + (body.height() - pitch * (2 * rows - 1)) / 2;
  const auto pixel = [](double at) { return static_cast<int>(std::lround(at)); };
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const double x = left + 2 * column * pitch;
      const double y = top + 2 * row * pitch;
      const bool today = row == rows - 1 && column == columns - 1;
      const QRect cell(QPoint(pixel(x), pixel(y)),
                       QPoint(pixel(x + pitch) - 1, pixel(y + pitch) - 1));
      painter.fillRect(cell, today ? kCalendarRed : kDayCell);
    }
  }
}

// Two binder rings across the top edge of the calendar page, on whole pixels.
void DrawBinderRings(QPainter& painter, const TLogoGrid& grid, const QRect& page) {
  const int width = std::max(1, grid.Px(0.4));
  const int top = page.top() - grid.Px(0.3);
  for (const double at : {0.3, 0.7}) {
    const int left = static_cast<int>(std::lround(page.left() + at * page.width() - width / 2.0));
    painter.fillRect(QRect(left, top, width, grid.Px(1.2)), kOutline);
  }
}

// The calendar page at the lower right corner: red header, day cells and binder rings.
void DrawCalendar(QPainter& painter, const TLogoGrid& grid, int edge) {
  const QRect page = grid.Box(9, 7, 16, 16);
  if (grid.size >= 48) DrawShadow(painter, page, edge);
  const QRect inside = FillFramed(painter, page, edge, kOutline, kPaper);
  const QRect header(inside.left(), inside.top(), inside.width(), grid.Px(10) - inside.top());
  painter.fillRect(header, kCalendarRed);
  const QRect body(QPoint(inside.left(), header.bottom() + 1), inside.bottomRight());
  const bool detailed = grid.size >= 48;
  DrawDayCells(painter, body, detailed ? 4 : 2, detailed ? 3 : 2);
  if (detailed) DrawBinderRings(painter, grid, page);
}

// Two stacked photographs with a calendar page: the program sorts pictures by their date.
void DrawLogo(QPainter& painter, QSize size) {
  const TLogoGrid grid{size.width()};
  const int edge = std::max(1, static_cast<int>(std::lround(size.width() / 64.0)));
  const int border = size.width() / 24;
  const QRect back = grid.Box(1, 1, 12, 9);
  const QRect front = grid.Box(3, 3, 15, 12);
  if (size.width() >= 48) DrawShadow(painter, back, edge);
  DrawPhoto(painter, back, edge, border);
  if (size.width() >= 48) DrawShadow(painter, front, edge);
  DrawPhoto(painter, front, edge, border);
  DrawCalendar(painter, grid, edge);
}

// Darkens the outermost pixels of a flag, so that its white parts stand out on a white window.
void DrawFlagEdge(QPainter& painter, QSize size) {
  painter.setPen(QPen(QColor(0, 0, 0, 64), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  painter.setPen(Qt::NoPen);
}

// Equal or weighted bands of colour across (horizontal) or along (vertical) the flag.
void DrawBands(QPainter& painter, QSize size, Qt::Orientation orientation,
               std::initializer_list<std::pair<int, QColor>> bands) {
  int start = 0;
  for (const auto& [pixels, colour] : bands) {
    painter.fillRect(orientation == Qt::Horizontal ? QRect(0, start, size.width(), pixels)
                                                   : QRect(start, 0, pixels, size.height()),
                     colour);
    start += pixels;
  }
  DrawFlagEdge(painter, size);
}

// Black, red and gold: three rows each inside the darkened edge.
void DrawFlagGerman(QPainter& painter, QSize size) {
  DrawBands(painter, size, Qt::Horizontal,
            {{4, QColor(0x00, 0x00, 0x00)}, {3, QColor(0xdd, 0x00, 0x00)},
             {4, QColor(0xff, 0xce, 0x00)}});
}

// Red, yellow and red; inside the darkened edge the rows are 2, 5 and 2, near the 1:2:1 bands.
void DrawFlagSpanish(QPainter& painter, QSize size) {
  const QColor red(0xc6, 0x0b, 0x1e);
  DrawBands(painter, size, Qt::Horizontal, {{3, red}, {5, QColor(0xff, 0xc4, 0x00)}, {3, red}});
}

// Blue, white and red; the white band is a pixel narrower, as it looks wider than it is.
void DrawFlagFrench(QPainter& painter, QSize size) {
  DrawBands(painter, size, Qt::Vertical,
            {{6, QColor(0x00, 0x55, 0xa4)}, {4, kPaper}, {6, QColor(0xef, 0x41, 0x35)}});
}

// The Union flag: blue field; white diagonal cross with a narrower red one on it, shifted so
// that the broad white lies above the red at the hoist and below it at the fly; the red upright
// cross edged in white.
void DrawFlagEnglish(QPainter& painter, QSize size) {
  const QColor red(0xc8, 0x10, 0x2e);
  const QPointF centre(size.width() / 2.0, size.height() / 2.0);
  painter.fillRect(QRect(QPoint(0, 0), size), QColor(0x01, 0x21, 0x69));
  painter.save();
  painter.setClipRect(QRect(QPoint(0, 0), size));
  for (const QPointF corner : {QPointF(0, 0), QPointF(0, size.height()), QPointF(size.width(), 0),
                               QPointF(size.width(), size.height())}) {
    const QPointF beyond = corner + (corner - centre) * 0.2;
    const QPointF shift(0, corner.x() < centre.x() ? 0.35 : -0.35);
    painter.setPen(QPen(kPaper, 2.2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(centre, beyond);
    painter.setPen(QPen(red, 0.9, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(centre + shift, beyond + shift);
  }
  painter.restore();
  painter.setPen(Qt::NoPen);
  painter.fillRect(Cells(6, 0, 9, 10), kPaper);
  painter.fillRect(Cells(0, 4, 15, 6), kPaper);
  painter.fillRect(Cells(7, 0, 8, 10), red);
  painter.fillRect(Cells(0, 5, 15, 5), red);
  DrawFlagEdge(painter, size);
}

// A sheet of paper with a folded corner: a small landscape between two lines of grey.
void DrawStatusIdle(QPainter& painter, QSize) {
  DrawShape(painter,
            QPolygonF({{2.5, 0.5}, {9.5, 0.5}, {13.5, 4.5}, {13.5, 15.5}, {2.5, 15.5}}),
            kPaper, kOutline);
  DrawShape(painter, QPolygonF({{9.5, 0.5}, {9.5, 4.5}, {13.5, 4.5}}), kPaperShade, kOutline);
  DrawLandscape(painter, QRect(4, 6, 8, 6));
  painter.fillRect(Cells(4, 13, 11, 13), kDayCell);
  painter.fillRect(Cells(4, 3, 7, 3), kDayCell);
}

// Outline of a gear wheel with a hole (the path's odd-even rule leaves the hole empty).
QPainterPath GearPath(QPointF centre, double tip, double root, int teeth, double hole,
                      double turn) {
  const double pitch = 2 * std::numbers::pi / teeth;
  QPolygonF outline;
  for (int tooth = 0; tooth < teeth; ++tooth) {
    const double angle = turn + tooth * pitch;
    for (const auto& [offset, radius] :
         {std::pair{-0.5, root}, {-0.3, root}, {-0.15, tip}, {0.15, tip}, {0.3, root}}) {
      outline << centre + QPointF(std::cos(angle + offset * pitch) * radius,
                                  std::sin(angle + offset * pitch) * radius);
    }
  }
  QPainterPath path;
  path.addPolygon(outline);
  path.closeSubpath();
  path.addEllipse(centre, hole, hole);
  return path;
}

void DrawGear(QPainter& painter, const QPainterPath& gear, const QColor& light,
              const QColor& dark) {
  QLinearGradient shade(gear.boundingRect().topLeft(), gear.boundingRect().bottomRight());
  shade.setColorAt(0, light);
  shade.setColorAt(1, dark);
  painter.setPen(QPen(kOutline, 1.0));
  painter.setBrush(shade);
  painter.drawPath(gear);
  painter.setPen(Qt::NoPen);
}

// Two meshing gear wheels, the small one in front: the folders are being searched.
void DrawStatusScanning(QPainter& painter, QSize) {
  DrawGear(painter, GearPath({6.0, 6.0}, 5.6, 4.2, 8, 1.6, 0.0), QColor(0xdf, 0xe5, 0xec),
           QColor(0x7d, 0x88, 0x96));
  DrawGear(painter, GearPath({11.5, 11.5}, 4.1, 2.9, 7, 1.1, 0.25), QColor(0xff, 0xdc, 0x78),
           QColor(0xd9, 0x92, 0x12));
}

// A yellow folder whose outline runs through pixel centres: its back with the tab at
// (left, top), its front a little lower.
void DrawFolder(QPainter& painter, double left, double top, double right, double bottom,
                double tabWidth) {
  DrawShape(painter,
            QPolygonF({{left, top}, {left + tabWidth, top}, {left + tabWidth + 1, top + 1},
                       {right, top + 1}, {right, bottom}, {left, bottom}}),
            kFolderBack, kFolderEdge);
  const QRectF front(QPointF(left, top + 3), QPointF(right, bottom));
  DrawShape(painter, QPolygonF(front), VerticalGradient(front, kFolderFront, kFolderBack),
            kFolderEdge);
}

// Three folders on a pile: the folder structure is being created.
void DrawStatusFolders(QPainter& painter, QSize) {
  DrawFolder(painter, 4.5, 1.5, 15.5, 8.5, 4);
  DrawFolder(painter, 2.5, 4.5, 13.5, 11.5, 4);
  DrawFolder(painter, 0.5, 7.5, 11.5, 14.5, 4);
}

// A portrait photograph, head and shoulders before a light sky: pictures are being copied.
void DrawStatusCopying(QPainter& painter, QSize) {
  const QRect scene = Cells(4, 3, 11, 11).toRect();
  painter.fillRect(Cells(2, 1, 13, 14), kOutline);
  painter.fillRect(Cells(3, 2, 12, 13), kPaper);
  painter.fillRect(scene, VerticalGradient(scene, QColor(0x8c, 0xc4, 0xf0), kSkyBottom));
  painter.save();
  painter.setClipRect(scene);
  const QColor skin(0xf2, 0xc3, 0x9b);
  painter.fillRect(QRectF(7.2, 8.0, 1.6, 2.0), skin);
  painter.setBrush(QColor(0x2f, 0x5f, 0xa8));
  painter.drawEllipse(QPointF(8.0, 13.4), 4.3, 3.6);
  painter.setBrush(QColor(0x6b, 0x45, 0x2a));
  painter.drawEllipse(QPointF(8.0, 6.0), 2.5, 2.6);
  painter.setBrush(skin);
  painter.drawEllipse(QPointF(8.0, 6.7), 2.0, 2.1);
  painter.restore();
}

// A white question mark on a blue square whose rounded corners leave the corner pixels empty.
void DrawHelp(QPainter& painter, QSize size) {
  const QRectF square(0, 0, size.width(), size.height());
  painter.setBrush(VerticalGradient(square, QColor(0x4a, 0x8c, 0xe8), QColor(0x1c, 0x56, 0xb4)));
  painter.drawRoundedRect(square, 3.5, 3.5);
  // The glyph is drawn pixel by pixel: a 2-pixel stroke, 6 x 10 pixels, centred.
  for (const QRectF& part : {Cells(6, 3, 9, 3), Cells(5, 4, 10, 4), Cells(5, 5, 6, 5),
                             Cells(9, 5, 10, 6), Cells(8, 7, 9, 7), Cells(7, 8, 8, 9),
                             Cells(7, 11, 8, 12)}) {
    painter.fillRect(part, kPaper);
  }
}

// The browse button's folder: a back with a tab and a lighter front.
void DrawFolderGlyph(QPainter& painter, QSize size) {
  DrawFolder(painter, 0.5, 0.5, size.width() - 0.5, size.height() - 0.5, 5);
}

// The Windows installer's pictures, opaque: its welcome and finish pages' side picture (the logo
// on the sky of its photographs) and the banner of its other pages (the logo on their white).
void DrawInstallerSide(QPainter& painter, QSize size) {
  const QRectF whole(0, 0, size.width(), size.height());
  painter.fillRect(whole, VerticalGradient(whole, kSkyTop, kSkyBottom));
  constexpr int kLogo = 128;
  painter.translate((size.width() - kLogo) / 2, 48);
  DrawLogo(painter, {kLogo, kLogo});
}

void DrawInstallerHeader(QPainter& painter, QSize size) {
  painter.fillRect(QRect(QPoint(0, 0), size), kPaper);
  constexpr int kLogo = 40;
  painter.translate(size.width() - kLogo - 6, (size.height() - kLogo) / 2);
  DrawLogo(painter, {kLogo, kLogo});
}

using TDraw = void (*)(QPainter&, QSize);

struct TPicture {
  std::string_view name;
  QSize size;
  TDraw draw;
};

const std::array kPictures{
    TPicture{"logo-16", {16, 16}, DrawLogo},
    TPicture{"logo-24", {24, 24}, DrawLogo},
    TPicture{"logo-32", {32, 32}, DrawLogo},
    TPicture{"logo-48", {48, 48}, DrawLogo},
    TPicture{"logo-64", {64, 64}, DrawLogo},
    TPicture{"logo-96", {96, 96}, DrawLogo},
    TPicture{"logo-128", {128, 128}, DrawLogo},
    TPicture{"logo-256", {256, 256}, DrawLogo},
    TPicture{"flag-en", {16, 11}, DrawFlagEnglish},
    TPicture{"flag-de", {16, 11}, DrawFlagGerman},
    TPicture{"flag-es", {16, 11}, DrawFlagSpanish},
    TPicture{"flag-fr", {16, 11}, DrawFlagFrench},
    TPicture{"status-idle", {16, 16}, DrawStatusIdle},
    TPicture{"status-scanning", {16, 16}, DrawStatusScanning},
    TPicture{"status-folders", {16, 16}, DrawStatusFolders},
    TPicture{"status-copying", {16, 16}, DrawStatusCopying},
    TPicture{"help", {16, 16}, DrawHelp},
    TPicture{"folder", {14, 11}, DrawFolderGlyph},
    TPicture{"installer-side", {164, 314}, DrawInstallerSide},
    TPicture{"installer-header", {150, 57}, DrawInstallerHeader},
};

const TPicture* FindPicture(std::string_view name) {
  const auto found = std::find_if(kPictures.begin(), kPictures.end(),
                                  [name](const TPicture& picture) { return picture.name == name; });
  return found == kPictures.end() ? nullptr : &*found;
}

QImage Draw(const TPicture& picture) {
  QImage image(picture.size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  picture.draw(painter, picture.size);
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

// Little-endian fields of the Windows file formats.
void Put16(QByteArray& out, unsigned value) {
  out.append(static_cast<char>(value & 0xff));
  out.append(static_cast<char>((value >> 8) & 0xff));
}

void Put32(QByteArray& out, std::uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

// A bitmap file: BITMAPFILEHEADER, BITMAPINFOHEADER, then the rows bottom-up, each pixel as
// blue, green, red and straight alpha, which is how Format_ARGB32 lies in memory on x86.
QByteArray BitmapFile(const QImage& image) {
  constexpr unsigned kHeaders = 14 + 40;
  const auto pixelBytes = static_cast<std::uint32_t>(image.width() * image.height() * 4);
  QByteArray out;
  out.append("BM");
  Put32(out, kHeaders + pixelBytes);
  Put32(out, 0);
  Put32(out, kHeaders);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(image.width()));
  Put32(out, static_cast<std::uint32_t>(image.height()));
  Put16(out, 1);   // planes
  Put16(out, 32);  // bits per pixel
  Put32(out, 0);   // BI_RGB
  Put32(out, pixelBytes);
  for (int field = 0; field < 4; ++field) Put32(out, 0);  // no resolution, no palette
  for (int row = image.height() - 1; row >= 0; --row) {
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
    for (int x = 0; x < image.width(); ++x) {
      out.append(static_cast<char>(qBlue(pixels[x])));
      out.append(static_cast<char>(qGreen(pixels[x])));
      out.append(static_cast<char>(qRed(pixels[x])));
      out.append(static_cast<char>(qAlpha(pixels[x])));
    }
  }
  return out;
}

QByteArray PngData(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

// An icon file of every logo, smallest first: the directory, one 16-byte entry per image (a width
// and height of 0 stand for 256), then the PNG data of each.
QByteArray IconFile() {
  std::vector<std::pair<int, QByteArray>> logos;
  for (const TPicture& picture : kPictures) {
    if (picture.name.starts_with("logo-")) logos.emplace_back(picture.size.width(), PngData(Draw(picture)));
  }
  QByteArray out;
  Put16(out, 0);
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, static_cast<unsigned>(logos.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * logos.size());
  for (const auto& [side, png] : logos) {
    out.append(static_cast<char>(side >= 256 ? 0 : side));
    out.append(static_cast<char>(side >= 256 ? 0 : side));
    out.append('\0');  // no palette
    out.append('\0');
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(png.size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(png.size());
  }
  for (const auto& logo : logos) out.append(logo.second);
  return out;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Draws the file named `fileName` into `path`; false, with a message, when no picture has that
// name or the file cannot be written.
bool WriteArtwork(std::string_view fileName, const QString& path) {
  const std::size_t dot = fileName.rfind('.');
  const std::string_view extension = dot == std::string_view::npos ? "" : fileName.substr(dot);
  const TPicture* picture = FindPicture(fileName.substr(0, dot));
  const bool known = fileName == "logo.ico" ||
                     (picture != nullptr && (extension == ".png" || extension == ".bmp"));
  if (!known) {
    std::fprintf(stderr, "kalvero_draw_artwork: no picture is named %.*s\n",
                 static_cast<int>(fileName.size()), fileName.data());
    return false;
  }
  const bool written = picture == nullptr      ? WriteFile(path, IconFile())
                       : extension == ".png" ? Draw(*picture).save(path, "PNG")
                                             : WriteFile(path, BitmapFile(Draw(*picture)));
  if (!written) std::fprintf(stderr, "kalvero_draw_artwork: cannot write %s\n", qPrintable(path));
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kalvero_draw_artwork OUTPUT_FOLDER FILE...\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int index = 2; index < argc; ++index) {
    const QString path = folder + '/' + QString::fromLocal8Bit(argv[index]);
    if (!WriteArtwork(argv[index], path)) return 1;
  }
  return 0;
}
