#include "output/SvgCompaction.h"

#include <QDomDocument>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamWriter>
#include <algorithm>
#include <optional>
#include <vector>

namespace kelvo {
namespace {

struct Shift {
  double x = 0, y = 0;
};

std::optional<Shift> Translation(const QString& transform) {
  static const QRegularExpression matrix(QStringLiteral(R"(^matrix\(1,0,0,1,([-0-9.e]+),([-0-9.e]+)\)$)"));
  const QRegularExpressionMatch m = matrix.match(transform);
  if (!m.hasMatch()) return std::nullopt;
  return Shift{m.captured(1).toDouble(), m.captured(2).toDouble()};
}

QString Number(double value) { return QString::number(value, 'g', 7); }

void ShiftAttribute(QDomElement& e, const QString& name, double by) {
  if (e.hasAttribute(name)) e.setAttribute(name, Number(e.attribute(name).toDouble() + by));
}

bool ShiftChildren(QDomElement& group, Shift shift) {
  for (QDomElement child = group.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
    const QString tag = child.tagName();
    if (tag != QLatin1String("polyline") && tag != QLatin1String("rect") && tag != QLatin1String("text")) return false;
  }
  for (QDomElement child = group.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
    if (child.tagName() == QLatin1String("polyline")) {
      if (child.attribute(QStringLiteral("vector-effect")) == QLatin1String("none")) {
        child.removeAttribute(QStringLiteral("vector-effect"));
      }
      QStringList points;
      for (const QString& point : child.attribute(QStringLiteral("points")).split(' ', Qt::SkipEmptyParts)) {
        const QStringList xy = point.split(',');
        if (xy.size() != 2) return false;
        points << Number(xy[0].toDouble() + shift.x) + ',' + Number(xy[1].toDouble() + shift.y);
      }
      child.setAttribute(QStringLiteral("points"), points.join(' '));
    } else {
      ShiftAttribute(child, QStringLiteral("x"), shift.x);
      ShiftAttribute(child, QStringLiteral("y"), shift.y);
    }
  }
  return true;
}

bool IsTileGround(const QDomElement& group, int tilePixels) {
  const QDomElement rect = group.firstChildElement();
  const QString size = QString::number(tilePixels);
  return group.attribute(QStringLiteral("fill")) == QLatin1String("#ffffff") &&
         group.attribute(QStringLiteral("stroke")) == QLatin1String("none") &&
         rect.tagName() == QLatin1String("rect") && rect.nextSiblingElement().isNull() &&
         rect.attribute(QStringLiteral("width")) == size && rect.attribute(QStringLiteral("height")) == size;
}

// The attributes in name order: QDom keeps them in no fixed order.
std::vector<std::pair<QString, QString>> Attributes(const QDomElement& e) {
  std::vector<std::pair<QString, QString>> attributes;
  const QDomNamedNodeMap map = e.attributes();
  for (int i = 0; i < map.count(); ++i) {
    const QDomAttr a = map.item(i).toAttr();
    attributes.emplace_back(a.name(), a.value());
  }
  std::sort(attributes.begin(), attributes.end());
  return attributes;
}

QString Style(const QDomElement& group) {
  QString style;
  for (const auto& [name, value] : Attributes(group)) style += name + '=' + value + '\n';
  return style;
}

// A line drawn twice in one group (tiles painted over each other) is kept once.
void DropRepeatedLines(QDomElement& group) {
  QSet<QString> seen;
  for (QDomElement child = group.firstChildElement(QStringLiteral("polyline")); !child.isNull();) {
    QDomElement next = child.nextSiblingElement(QStringLiteral("polyline"));
    const QString key = child.attribute(QStringLiteral("points")) + '|' + child.attribute(QStringLiteral("fill"));
    if (seen.contains(key)) {
      group.removeChild(child);
    } else {
      seen.insert(key);
    }
    child = next;
  }
}

void Write(QXmlStreamWriter& xml, const QDomNode& node) {
  if (node.isText()) {
    xml.writeCharacters(node.nodeValue());
    return;
  }
  if (!node.isElement()) return;
  const QDomElement e = node.toElement();
  xml.writeStartElement(e.tagName());
  for (const auto& [name, value] : Attributes(e)) xml.writeAttribute(name, value);
  for (QDomNode child = e.firstChild(); !child.isNull(); child = child.nextSibling()) Write(xml, child);
  xml.writeEndElement();
}

void Tidy(QDomElement& group) {
  for (const char* name : {"fill-opacity", "stroke-opacity"}) {
    if (group.attribute(QLatin1String(name)) == QLatin1String("1")) group.removeAttribute(QLatin1String(name));
  }
  if (group.elementsByTagName(QStringLiteral("text")).isEmpty()) {
    for (const char* name : {"font-family", "font-size", "font-weight", "font-style"}) group.removeAttribute(name);
  }
  if (const auto shift = Translation(group.attribute(QStringLiteral("transform")))) {
    if (ShiftChildren(group, *shift)) group.removeAttribute(QStringLiteral("transform"));
  }
}

}  // namespace

std::string CompactSvg(const QByteArray& svg, int tilePixels) {
  QDomDocument document;
  if (!document.setContent(svg)) return {};
  QDomElement root = document.documentElement();
  // The generator's groups stand side by side in one group under the root.
  for (QDomElement parent : {root, root.firstChildElement(QStringLiteral("g"))}) {
    QDomElement previous;
    QString previousStyle;
    for (QDomElement group = parent.firstChildElement(QStringLiteral("g")); !group.isNull();) {
      QDomElement next = group.nextSiblingElement(QStringLiteral("g"));
      if (!group.hasChildNodes() || IsTileGround(group, tilePixels)) {
        parent.removeChild(group);
        group = next;
        continue;
      }
      Tidy(group);
      const QString style = Style(group);
      if (!previous.isNull() && style == previousStyle && previous.nextSiblingElement() == group) {
        while (!group.firstChild().isNull()) previous.appendChild(group.firstChild());
        parent.removeChild(group);
      } else {
        if (!previous.isNull()) DropRepeatedLines(previous);
        previous = group;
        previousStyle = style;
      }
      group = next;
    }
    if (!previous.isNull()) DropRepeatedLines(previous);
  }
  QString element;
  QXmlStreamWriter xml(&element);
  Write(xml, root);
  return element.toStdString();
}

}  // namespace kelvo
