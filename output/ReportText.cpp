#include "output/ReportText.h"

#include <QList>

namespace kelvo {
namespace {

bool XmlCharacter(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

QString XmlSafeText(const QString& text) {
  QString safe;
  safe.reserve(text.size());
  for (const uint c : text.toUcs4()) {
    const char32_t character = c;
    if (XmlCharacter(character)) safe += QString::fromUcs4(&character, 1);
  }
  return safe;
}

std::string HtmlText(std::string_view utf8) {
  const QString text = XmlSafeText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  std::string html;
  html.reserve(utf8.size());
  for (const char c : text.toStdString()) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\'':
        html += "&#39;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

}  // namespace kelvo
