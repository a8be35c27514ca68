// Draws the bundle's three pictures into the folder named by the first argument:
// the program's name beside a person standing on a scale, and a strip with the name
// and the index's bands. Everything is drawn here; no picture comes from elsewhere.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <functional>

namespace {

const QColor kInk(0x23, 0x31, 0x3a);     // the name
const QColor kFigure(0x1f, 0x6f, 0x78);  // the person and the tagline
const QColor kScaleFill(0xe9, 0xee, 0xf1);
const QColor kScaleEdge(0x3a, 0x47, 0x50);

// The index's bands from thin to heavy, as the gauge shows them.
struct Band {
  QColor color;
  double share;  // of the gauge's width
};
const std::array<Band, 4> kBands{{
    {QColor(0x4a, 0x90, 0xd9), 0.22},
    {QColor(0x3f, 0xa9, 0x4b), 0.30},
    {QColor(0xf2, 0xa5, 0x1a), 0.24},
    {QColor(0xd6, 0x3b, 0x2f), 0.24},
}};

const QString kName = QStringLiteral("Velmora");
const QString kTagline = QStringLiteral("Body Mass Index");

// fontconfig resolves these to metric-compatible free faces; a style hint would pick
// wider ones.
const QString kSans = QStringLiteral("Helvetica");

QFont Font(int pixelSize, bool bold) {
  QFont font(kSans);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// The largest font no bigger than maxSize whose text fits the width.
QFont FittingFont(const QString& text, double width, int maxSize, bool bold) {
  for (int size = maxSize; size > 6; --size) {
    const QFont font = Font(size, bold);
    if (QFontMetricsF(font).horizontalAdvance(text) <= width) return font;
  }
  return Font(6, bold);
}

// Draws text with its left end at x and its baseline at y.
void DrawText(QPainter& painter, const QFont& font, const QColor& color, double x, double y,
              const QString& text) {
  painter.setFont(font);
  painter.setPen(color);
  painter.drawText(QPointF(x, y), text);
}

// The bands side by side in a rounded bar.
void DrawGauge(QPainter& painter, const QRectF& bar) {
  QPainterPath outline;
  outline.addRoundedRect(bar, bar.height() / 2, bar.height() / 2);
  painter.save();
  painter.setClipPath(outline);
  painter.setPen(Qt::NoPen);
  double x = bar.left();
  for (const Band& band : kBands) {
    const double width = band.share * bar.width();
    painter.fillRect(QRectF(x, bar.top(), width + 0.5, bar.height()), band.color);
    x += width;
  }
  painter.restore();
}

// A marker pointing down at the gauge, over the healthy band.
void DrawMarker(QPainter& painter, const QRectF& bar, double size) {
  const double x = bar.left() + (kBands[0].share + kBands[1].share / 2) * bar.width();
  const QPolygonF triangle({QPointF(x - size, bar.top() - size - 1), QPointF(x + size, bar.top() - size - 1),
                            QPointF(x, bar.top() - 1)});
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInk);
  painter.drawPolygon(triangle);
}

// A person standing on a bathroom scale with a dial, drawn in a 60 x 72 unit box
// scaled into the given rectangle.
void DrawPersonOnScale(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.translate(box.topLeft());
  painter.scale(box.width() / 60.0, box.height() / 72.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kFigure);
  painter.drawEllipse(QPointF(30, 9), 7.5, 7.5);                     // head
  painter.drawRoundedRect(QRectF(21, 19, 18, 20), 5, 5);             // body
  painter.drawRoundedRect(QRectF(14.5, 19.5, 5.5, 17), 2.75, 2.75);  // arms
  painter.drawRoundedRect(QRectF(40, 19.5, 5.5, 17), 2.75, 2.75);
  painter.drawRoundedRect(QRectF(21.5, 33, 7, 20), 3, 3);  // legs
  painter.drawRoundedRect(QRectF(31.5, 33, 7, 20), 3, 3);

  // The scale's platform.
  painter.setPen(QPen(kScaleEdge, 2.4));
  painter.setBrush(kScaleFill);
  painter.drawRoundedRect(QRectF(3, 53, 54, 17.5), 5, 5);

  // Its dial: the bands as an arc and a needle in the healthy one.
  const QRectF dial(21, 57, 18, 18);
  double angle = 180.0;
  for (const Band& band : kBands) {
    const double span = band.share * 180.0;
    painter.setPen(QPen(band.color, 3.6, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(dial, static_cast<int>(angle * 16), static_cast<int>(-span * 16));
    angle -= span;
  }
  painter.setPen(QPen(kScaleEdge, 1.8, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(30, 66), QPointF(32.5, 59.5));
  painter.restore();
}

// The name with the gauge under it and, where there is room, the tagline.
void DrawNameBlock(QPainter& painter, const QRectF& area, int maxNameSize, int taglineSize) {
  const QFont name = FittingFont(kName, area.width(), maxNameSize, true);
  const QFontMetricsF nameMetrics(name);
  const double nameWidth = nameMetrics.horizontalAdvance(kName);
  const double gaugeHeight = qMax(3.0, name.pixelSize() / 7.0);
  const double gap = qMax(2.0, name.pixelSize() / 8.0);

  double blockHeight = nameMetrics.ascent() + nameMetrics.descent() / 2 + gap + gaugeHeight;
  QFont tagline;
  if (taglineSize > 0) {
    tagline = FittingFont(kTagline, area.width(), taglineSize, false);
    blockHeight += gap + QFontMetricsF(tagline).ascent();
  }
  double y = area.top() + (area.height() - blockHeight) / 2 + nameMetrics.ascent();
  DrawText(painter, name, kInk, area.left(), y, kName);
  y += nameMetrics.descent() / 2 + gap;
  DrawGauge(painter, QRectF(area.left() + 1, y, nameWidth - 2, gaugeHeight));
  y += gaugeHeight;
  if (taglineSize > 0) {
    y += gap + QFontMetricsF(tagline).ascent();
    DrawText(painter, tagline, kFigure, area.left() + 1, y, kTagline);
  }
}

void DrawMedium(QPainter& painter, const QSize& size) {
  DrawPersonOnScale(painter, QRectF(6, 3, 60, 72));
  DrawNameBlock(painter, QRectF(76, 0, size.width() - 80, size.height()), 34, 14);
}

void DrawSmall(QPainter& painter, const QSize& size) {
  DrawPersonOnScale(painter, QRectF(2, 2, 34.2, 41));
  DrawNameBlock(painter, QRectF(41, 0, size.width() - 43, size.height()), 19, 0);
}

// A strip: a small person, the name, and the gauge with its marker.
void DrawStrip(QPainter& painter, const QSize& size) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(kFigure);
  painter.drawEllipse(QPointF(10, 5), 3.6, 3.6);
  painter.drawRoundedRect(QRectF(5.5, 10, 9, 11), 3, 3);
  painter.restore();

  const QFont name = Font(15, true);
  const QFontMetricsF metrics(name);
  const double baseline = (size.height() + metrics.ascent() - metrics.descent()) / 2;
  DrawText(painter, name, kInk, 20, baseline, kName);
  const double left = 20 + metrics.horizontalAdvance(kName) + 8;
  const QRectF bar(left, 10.5, size.width() - 3 - left, 6);
  DrawGauge(painter, bar);
  DrawMarker(painter, bar, 4);
}

struct PictureSpec {
  const char* fileName;
  int width;
  int height;
  std::function<void(QPainter&, const QSize&)> draw;
};

const std::array<PictureSpec, 3> kPictures{{
    {"BMImedium.png", 207, 78, DrawMedium},
    {"BMIsmall.png", 106, 45, DrawSmall},
    {"RBhzSm", 148, 22, DrawStrip},
}};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Build machines often have no session; a private runtime folder keeps Qt quiet.
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
  }
  QGuiApplication application(argc, argv);

  const QFontInfo resolved(Font(12, false));
  if (!resolved.family().startsWith(QStringLiteral("Liberation"))) {
    std::fprintf(stderr, "warning: Helvetica resolves to %s, not Liberation Sans\n",
                 qPrintable(resolved.family()));
  }

  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  for (const PictureSpec& spec : kPictures) {
    QImage image(spec.width, spec.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
      spec.draw(painter, image.size());
    }
    const QString path = folder.filePath(QString::fromLatin1(spec.fileName));
    // The strip has no extension, so the format is named.
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
